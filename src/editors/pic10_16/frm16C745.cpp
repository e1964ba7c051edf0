// frm16C745: the configuration word and user IDs of the PIC16C745 and PIC16C765: fixed
// bits, an oscillator field and a four-level code protection held in four copies.
#include "editors/declaration.h"

namespace krv {
namespace {

const Match kC7x5 = Keys({"C745", "C765"});

}  // namespace

extern const DialogDecl frm16C745Decl = {
    .id = DialogId::frm16C745,
    .controls =
        {
            Box("cheWDTE", "WDTEN", Fixed(0x0004), High),
            Box("chePWRTE", "PWRTEN", Fixed(0x0008), Low),
            // Bits 13:12, 11:10, 9:8 and 5:4 hold one two-bit value each: Index is
            // (W And 0x3F30) \ 0x1510, 0 to 3 for every word, and a click writes the value
            // into all four. Only the two parts have the field: elsewhere a click writes
            // nothing.
            Options("optCP", "Picture2", {Fixed(0)},
                    {"0x0000:0x07FF", "0x0000:0x03FF", "0x0000:0x01FF", "OFF"})
                .Title("lblCP", "_ CP _"),
            Options("optOsc", "Picture1", {Fixed(0x0003)}, {"LP", "XT", "HS", "RC"}),
        },
    .rules =
        {
            On(kC7x5)
                .SetField("optCP", {Fixed(0x3F30), 0x1510})
                .Captions("optOsc", {"HS", "EC Clkout on OSC2", "HS with 4k PLL", "EC with 4k PLL"})
                .Captions("optCP",
                          {"ALL protected", "UPPER 3/4 protected", "UPPER 1/2 protected", "OFF"}),
        },
    // For any other device the fill stops after the user-ID box.
    .serves = kC7x5,
};

}  // namespace krv
