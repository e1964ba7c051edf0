// frm18FX220: the configuration of the PIC18F1220, 1320, 2220, 2320, 4220 and 4320, with
// four-bit oscillator and watchdog fields and up to four protection blocks.
#include "editors/declaration.h"
#include "editors/pic18/pic18_dialog.h"

namespace krv {

extern const DialogDecl frm18FX220Decl = {
    .id = DialogId::frm18FX220,
    .controls = Controls(
        {
            // Oscillator values 10 to 15 read as value 3; the entry picked is the value stored.
            Selector(
                "Osc", "Oscillator", Config(1), 8, 0xF,
                OscTexts({"LP", "XT", "HS", "Ext. RC, CLKO on RA6", "EC, CLKO on RA6",
                          "EC, port on RA6", "HS, PLL enabled (4xFOSC1)", "Ext. RC, port on RA6",
                          "Int. RC, port on RA6 and RA7", "Int. RC, CLKO on RA6, port RA7"}),
                2000),
            Selector("Vbor", "Vbor", Config(2), 2, 0x3, kVborTexts, 1000),
            Selector("Watchdog", "Watchdog", Config(2), 9, 0xF, kWatchdogTexts, 2000),
            Box("cheFSCM", H(1, 6)),
            Box("cheIESO", H(1, 7)),
            Box("chePWRTEN", L(2, 0), Low),
            Box("cheBOR", L(2, 1)),
            Box("cheWDT", H(2, 0)),
            Box("cheCCP2MX", H(3, 0)),
            Box("chePBAD", H(3, 1)),
            Box("cheMCLRE", H(3, 7)),
            Box("cheSTVR", L(4, 0)),
            Box("cheLVP", L(4, 2)),
            Box("cheDEBUG", L(4, 7), Low),
        },
        ProtectionBoxes(4)),
    .rules =
        {
            // Brown-out value 3 is reserved on the 18-pin parts.
            On(Keys({"F1220", "F1320"}))
                .Texts("Vbor", {"4.5 V", "4.2 V", "2.7 V", "Reser."})
                .Hide({"cheCCP2MX", "chePBAD"}),
            On(Not(Keys({"F2320", "F4320"}))).Hide(BlockElements(2, 3)),
        },
};

}  // namespace krv
