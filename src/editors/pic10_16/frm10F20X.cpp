// frm10F20X: the configuration word, user IDs and OscCal values of the PIC10F200, 202, 204
// and 206; the plain form of the baseline dialog, its bits from the device's masks.
#include "editors/declaration.h"

namespace krv {

extern const DialogDecl frm10F20XDecl = {
    .id = DialogId::frm10F20X,
    .controls =
        {
            Box("cheWDTE", "WDTE", Param(&DeviceRow::WDTEBit), High),
            Box("cheCP", "CP", Param(&DeviceRow::CPBit), Low),
            Box("cheMCLRE", "MCLRE", Param(&DeviceRow::MCLREBit), High),
        },
    .oscCal = OscCalFrames::WithBackup,
};

}  // namespace krv
