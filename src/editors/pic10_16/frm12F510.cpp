// frm12F510: the configuration word, user IDs and OscCal values of the PIC12F510 and 519;
// frm12F50X with the oscillator-frequency bit and, on the PIC12F519, data protection.
#include "editors/declaration.h"

namespace krv {

extern const DialogDecl frm12F510Decl = {
    .id = DialogId::frm12F510,
    .controls =
        {
            Box("cheWDTE", "WDTE", Param(&DeviceRow::WDTEBit), High),
            Box("cheCP", "CP", Param(&DeviceRow::CPBit), Low),
            // The PIC12F510 has no data protection (CPDBit 0): the box is hidden there and
            // keeps its state.
            Box("cheCPDF", "CPDF", Param(&DeviceRow::CPDBit), Low),
            Box("cheMCLRE", "MCLRE", Param(&DeviceRow::MCLREBit), High),
            Box("cheIOSCFS", "IOSCFS", Fixed(0x20), High),
            Options("optOsc", "Picture1", {Param(&DeviceRow::OscBits)},
                    {"LP", "XT", "INTOSC", "EXTRC"}),
        },
    .rules =
        {
            On(Not(Names({"PIC12F519"}))).Hide({"cheCPDF"}),
        },
    .oscCal = OscCalFrames::WithBackup,
};

}  // namespace krv
