// frm10F22X: the configuration word, user IDs and OscCal values of the PIC10F220 and 222;
// frm10F20X with two more boxes, for the fixed bits 1 and 0.
#include "editors/declaration.h"

namespace krv {

extern const DialogDecl frm10F22XDecl = {
    .id = DialogId::frm10F22X,
    .controls =
        {
            Box("cheWDTE", "WDTE", Param(&DeviceRow::WDTEBit), High),
            Box("cheCP", "CP", Param(&DeviceRow::CPBit), Low),
            Box("cheMCLRE", "MCLRE", Param(&DeviceRow::MCLREBit), High),
            Box("cheMCPU", "MCPU", Fixed(0x02), Low),
            Box("cheIOSCFS", "IOSCFS", Fixed(0x01), High),
        },
    .oscCal = OscCalFrames::WithBackup,
};

}  // namespace krv
