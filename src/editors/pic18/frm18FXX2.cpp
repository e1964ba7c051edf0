// frm18FXX2: the configuration of the PIC18F242, 248, 252, 258, 442, 448, 452 and 458, with
// three-bit oscillator and watchdog fields.
#include "editors/declaration.h"
#include "editors/pic18/pic18_dialog.h"

namespace krv {

extern const DialogDecl frm18FXX2Decl = {
    .id = DialogId::frm18FXX2,
    .controls = Controls(
        {
            // Value 4 of the oscillator field is the external clock with the divided clock
            // on OSC2.
            Selector("Osc", "Oscillator", Config(1), 8, 0x7,
                     {"LP", "XT", "HS", "RC", "EC with OSC2 / 4", "EC with OSC2 as RA6",
                      "HS with PLL enabled", "RC with OSC2 as RA6"},
                     1800),
            Selector("Vbor", "Vbor", Config(2), 2, 0x3, {"4.5 V", "4.2 V", "2.7 V", "2.0 V"}, 1000),
            Selector("Watchdog", "Watchdog", Config(2), 9, 0x7,
                     {"1:1", "1:2", "1:4", "1:8", "1:16", "1:32", "1:64", "1:128"}, 1800),
            Box("cheOSCEN", H(1, 5), Low),
            Box("chePWRTEN", L(2, 0), Low),
            Box("cheBOREN", L(2, 1)),
            Box("cheWDTEN", H(2, 0)),
            Box("cheCCP2MX", H(3, 0)),
            Box("cheSTVREN", L(4, 0)),
            Box("cheLVP", L(4, 2)),
            Box("cheBKBUG", L(4, 7), Low),
        },
        ProtectionBoxes(4)),
    .rules =
        {
            On(Keys({"F248", "F258", "F448", "F458"})).Hide({"cheCCP2MX"}),
            On(Not(Keys({"F252-2539", "F452-4539", "F258", "F458"}))).Hide(BlockElements(2, 3)),
        },
};

}  // namespace krv
