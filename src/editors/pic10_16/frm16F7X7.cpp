// frm16F7X7: the two configuration words of the PIC16F737, 747, 767 and 777. Fixed bits, no
// device test; the oscillator field lies in bits 4, 1 and 0.
#include "editors/declaration.h"

namespace krv {

extern const DialogDecl frm16F7X7Decl = {
    .id = DialogId::frm16F7X7,
    .controls =
        {
            Box("cheWDTE", "WDTEN", Fixed(0x0004), High),
            Box("chePWRTE", "PWRTEN", Fixed(0x0008), Low),
            Box("cheMCLRE", "MCLRE", Fixed(0x0020), High),
            Box("cheBOREN", "BOREN", Fixed(0x0040), High),
            Box("cheCCPMX", "CCPMX", Fixed(0x1000), High),
            Box("cheCP", "CP", Fixed(0x2000), Low),
            // Index bit 2 is bit 4 of the word, Index bits 1..0 are bits 1..0.
            Options(
                "optOsc", "Picture1", Spread<0x13>(),
                {"LP", "XT", "HS", "EXTCLK", "INTRC I/O", "INTRC CLKO", "EXTRC I/O", "EXTRC CLKO"})
                .Title("lblOsc", "____ Osc ____"),
            Options("optBORV", "Picture3", {Fixed(0x0180), 0x80},
                    {"4.5 V", "4.2 V", "2.7 V", "2.0 V"})
                .Group("Frame1", "BORV"),
            Box("cheFCMEN", "FCMEN", Fixed(0x0001), High).In(WordId::Config1),
            Box("cheIESO", "IESO", Fixed(0x0002), High).In(WordId::Config1),
            Box("cheBORSEN", "BORSEN", Fixed(0x0040), High).In(WordId::Config1),
        },
    .frames = {{"fraCfg", "Config. Words On/Off"}},
    .words = {{WordId::Config1, "lblConfig1", "lblCfg1Address", &DeviceRow::Config1Address}},
};

}  // namespace krv
