// frm16F54: the configuration word of the PIC16F54, PIC16F57, PIC16F59 (12-bit) and of the
// PIC16F716, PIC16F72..77, PIC16F83, PIC16F84 and PIC16F84A (14-bit); also the dialog of the
// placeholder device. Fixed bits; device tests on the whole device name.
#include "editors/declaration.h"

namespace krv {
namespace {

const Match kF8x = Names({"PIC16F83", "PIC16F84", "PIC16F84A"});
const Match kF5x = Names({"PIC16F54", "PIC16F57", "PIC16F59"});
const Match kF7x = Names({"PIC16F72", "PIC16F73", "PIC16F74", "PIC16F76", "PIC16F77"});
const Match kF716 = Names({"PIC16F716"});

}  // namespace

extern const DialogDecl frm16F54Decl = {
    .id = DialogId::frm16F54,
    .controls =
        {
            Box("cheWDTE", "WDTEN", Fixed(0x0004), High),
            Box("chePWRTE", "PWRTEN", Fixed(0x0008), Low),
            // The protection bits differ by device (below); on any other device the box keeps
            // its state and its click leaves the word as it is.
            Box("cheCP", "CP", Fixed(0), Low),
            Box("cheBOREN", "BOREN", Fixed(0x0040), High),
            Box("cheBORV", "BORV", Fixed(0x0080), High),
            Options("optOsc", "Picture1", {Fixed(0x0003)}, {"LP", "XT", "HS", "RC"}),
        },
    .rules =
        {
            // On the PIC16F83/84/84A the box sets or clears all ten protection bits at once;
            // it shows ticked exactly when bit 13 is clear.
            On(kF8x).SetBits("cheCP", Fixed(0x3FF0), Low),
            On(kF5x).SetBits("cheCP", Fixed(0x0008), Low),
            On(kF7x).SetBits("cheCP", Fixed(0x0010), Low),
            On(kF716).SetBits("cheCP", Fixed(0x2000), Low),
            On(Not(Names({"PIC16F83", "PIC16F84", "PIC16F84A", "PIC16F716", "PIC16F72", "PIC16F73",
                          "PIC16F74", "PIC16F76", "PIC16F77"})))
                .Hide({"chePWRTE"}),
            On(Not(Names(
                   {"PIC16F716", "PIC16F72", "PIC16F73", "PIC16F74", "PIC16F76", "PIC16F77"})))
                .Hide({"cheBOREN"}),
            On(Not(kF716)).Hide({"cheBORV"}),
        },
};

}  // namespace krv
