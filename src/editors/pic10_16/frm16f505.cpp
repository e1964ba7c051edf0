// frm16f505: the configuration word, user IDs and OscCal values of the PIC16F505, 506 and
// 526 (12-bit): fixed bits but data protection, an eight-way oscillator field, device tests
// on the whole device name.
#include "editors/declaration.h"

namespace krv {

extern const DialogDecl frm16f505Decl = {
    .id = DialogId::frm16f505,
    .controls =
        {
            Box("cheWDTE", "WDTE", Fixed(0x08), High),
            Box("cheCP", "CP", Fixed(0x10), Low),
            Box("cheMCLRE", "MCLRE", Fixed(0x20), High),
            // Filled from bit 6 also where it is hidden.
            Box("cheIOSCFS", "IOSCFS", Fixed(0x40), High),
            // Only the PIC16F526 has data protection (CPDBit 0 elsewhere): the box is hidden
            // on the others and keeps its state.
            Box("cheCPDF", "CPDF", Param(&DeviceRow::CPDBit), Low),
            Options("optOsc", "Picture1", {Fixed(0x07)},
                    {"LP", "XT", "HS", "EC RB4", "INTRC RB4", "INTRC ClkOut", "EXTRC RB4",
                     "EXTRC ClkOut"})
                .Title("lblOsc", "____ Osc ____"),
        },
    .rules =
        {
            On(Not(Names({"PIC16F506", "PIC16F526"}))).Hide({"cheIOSCFS"}),
            On(Not(Names({"PIC16F526"}))).Hide({"cheCPDF"}),
        },
    .oscCal = OscCalFrames::WithBackup,
};

}  // namespace krv
