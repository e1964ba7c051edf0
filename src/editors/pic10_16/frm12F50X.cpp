// frm12F50X: the configuration word, user IDs and OscCal values of the PIC12F508 and 509;
// frm10F20X with the oscillator field of the device's OscBits.
#include "editors/declaration.h"

namespace krv {

extern const DialogDecl frm12F50XDecl = {
    .id = DialogId::frm12F50X,
    .controls =
        {
            Box("cheWDTE", "WDTE", Param(&DeviceRow::WDTEBit), High),
            Box("cheCP", "CP", Param(&DeviceRow::CPBit), Low),
            Box("cheMCLRE", "MCLRE", Param(&DeviceRow::MCLREBit), High),
            Options("optOsc", "Picture1", {Param(&DeviceRow::OscBits)},
                    {"LP", "XT", "INTOSC", "EXTRC"}),
        },
    .oscCal = OscCalFrames::WithBackup,
};

}  // namespace krv
