// frm18F6X9X: the configuration of the PIC18F6310, 6390, 6393, 6410, 6490, 6493, 8310, 8390,
// 8393, 8410, 8490 and 8493, with one code- and one table-read-protection bit and, on the
// parts with an external memory bus, the processor mode.
#include "editors/declaration.h"
#include "editors/pic18/pic18_dialog.h"

namespace krv {

extern const DialogDecl frm18F6X9XDecl = {
    .id = DialogId::frm18F6X9X,
    .controls =
        {
            // Oscillator values 10 to 15 read as value 3; the entry picked is the value stored.
            Selector("Osc", "Oscillator", Config(1), 8, 0xF,
                     OscTexts({"LP", "XT", "HS", "Ext. RC, OSC2/4 ClkOut", "EC, OSC2/4 ClkOut",
                               "EC, OSC2 as RA6", "HS, PLL enabled", "Ext. RC, OSC2 as RA6",
                               "Int. RC, OSC2:OSC1 as RA6:RA7", "Int. RC, OSC2/4 CLKO, OSC1 RA7"}),
                     2000),
            Selector("Vbor", "Vbor", Config(2), 3, 0x3, kVborTexts, 1000),
            Selector("Watchdog", "Watchdog", Config(2), 9, 0xF, kWatchdogTexts, 2000),
            Selector("PM", "Processor Mode", Config(3), 0, 0x3,
                     {"Extended Microcontroller Mode", "Microprocessor with Boot Block",
                      "Microprocessor Mode", "Microcontroller Mode"},
                     1000),
            Box("cheFCMEN", H(1, 6)),
            Box("cheIESO", H(1, 7)),
            Box("chePWRTEN", L(2, 0), Low),
            Box("cheBOREN0", L(2, 1)),
            Box("cheBOREN1", L(2, 2)),
            Box("cheWDTEN", H(2, 0)),
            Box("cheBW", L(3, 6)),
            // Wait states are on when the bit is clear.
            Box("cheWAIT", L(3, 7), Low),
            Box("cheCCP2MX", H(3, 0)),
            Box("cheLPT1OSC", H(3, 2)),
            Box("cheMCLRE", H(3, 7)),
            Box("cheSTVREN", L(4, 0)),
            Box("cheXINST", L(4, 6)),
            Box("cheDEBUG", L(4, 7), Low),
            Box("cheCP", L(5, 0), Low),
            Box("cheEBTR", L(7, 0), Low),
        },
    .rules =
        {
            // Only the parts with an external memory bus have the processor mode, the bus
            // width, the wait states and the table-read protection from external memory.
            On(Not(Keys({"F8310", "F8410"})))
                .Hide({"lblPM", "lblValPM", "shaPM", "imgPM", "cheBW", "cheWAIT", "cheEBTR"}),
        },
};

}  // namespace krv
