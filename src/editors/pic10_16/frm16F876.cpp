// frm16F876: the configuration word of the PIC16F870 to 877 and of the PIC16F873A to 877A.
// Fixed bits; device tests on the whole device name. The protection group is code
// protection in two pairs on the older parts and write protection in bits 10:9 on the A
// parts.
#include "editors/declaration.h"

namespace krv {
namespace {

const Match kOlder = Names(
    {"PIC16F870", "PIC16F871", "PIC16F872", "PIC16F873", "PIC16F874", "PIC16F876", "PIC16F877"});
const Match kAParts = Names({"PIC16F873A", "PIC16F874A", "PIC16F876A", "PIC16F877A"});

}  // namespace

extern const DialogDecl frm16F876Decl = {
    .id = DialogId::frm16F876,
    .controls =
        {
            Box("cheWDTE", "WDTE", Fixed(0x0004), High),
            Box("chePWRTE", "PWRTE", Fixed(0x0008), Low),
            Box("cheBOREN", "BOREN", Fixed(0x0040), High),
            Box("cheLVP", "LVP", Fixed(0x0080), High),
            Box("cheCPD", "CPD", Fixed(0x0100), Low),
            Box("cheDEBUG", "DEBUG", Fixed(0x0800), Low),
            Box("cheWRT", "WRT", Fixed(0x0200), High),
            Box("cheCP", "CP", Fixed(0x2000), Low),
            Options("optOsc", "Picture1", {Fixed(0x0003)}, {"LP", "XT", "HS", "RC"})
                .Title("lblOsc", "_ Osc _"),
            Options("optWRT", "Picture2", {Fixed(0x0600), 0x200},
                    {"0x0000:0x07FF", "0x0000:0x03FF", "0x0000:0x01FF", "OFF"})
                .Title("lblWRT", "_ WRT _")
                .Group("fraWRT", ""),
        },
    .rules =
        {
            // Code protection of the older parts: the same value in bits 13:12 and 5:4. A word
            // whose pairs differ shows (W And 0x3030) \ 0x1010 and stays so only until the
            // user clicks a button or a fill moves the selection.
            On(kOlder)
                .SetField("optWRT", {Fixed(0x3030), 0x1010})
                .Caption("lblWRT", "_ CP _")
                .Caption("cheBOREN", "BODEN")
                .Hide({"cheCP", "cheDEBUG"}),
            On(kAParts).Hide({"cheWRT"}),
            On(Names({"PIC16F870", "PIC16F871", "PIC16F872"}))
                .Captions("optWRT", {"0x0000:0x07FF", "  -  ", "  -  "})
                .Disable({"optWRT(1)", "optWRT(2)"}),
            // Their third range ends at 0x0FFF, the last word of their 4K.
            On(Names({"PIC16F873", "PIC16F874"}))
                .Captions("optWRT", {"0x0000:0x0FFF", "0x0800:0x0FFF", "0x0F00:0x0FFF"}),
            On(Names({"PIC16F876", "PIC16F877"}))
                .Captions("optWRT", {"0x0000:0x1FFF", "0x1000:0x1FFF", "0x1F00:0x1FFF"}),
            On(Names({"PIC16F873A", "PIC16F874A"}))
                .Captions("optWRT", {"0x0000:0x07FF", "0x0000:0x03FF", "0x0000:0x00FF"}),
            On(Names({"PIC16F876A", "PIC16F877A"}))
                .Captions("optWRT", {"0x0000:0x0FFF", "0x0000:0x07FF", "0x0000:0x00FF"}),
        },
};

}  // namespace krv
