// frm18F1X30: the configuration of the PIC18F1230 and 1330 (and the 1330's debug variant):
// two program-memory blocks, the PWM output polarities and a boot block of up to 1 kWords.
#include "editors/declaration.h"
#include "editors/pic18/pic18_dialog.h"

namespace krv {

extern const DialogDecl frm18F1X30Decl = {
    .id = DialogId::frm18F1X30,
    .controls = Controls(
        {
            // Oscillator values 10 to 15 read as value 3; the entry picked is the value stored.
            Selector(
                "Osc", "Oscillator", Config(1), 8, 0xF,
                OscTexts({"LP", "XT", "HS", "Ext. RC, CLKO on RA6", "EC, CLKO on RA6",
                          "EC, port on RA6", "HS, PLL enabled(4xFOSC1)", "Ext. RC, port on RA6",
                          "Int. RC, port on RA6, RA7", "Int. RC, CLKO on RA6, RA7"}),
                2000),
            Selector("Vbor", "Vbor", Config(2), 3, 0x3, kVborTexts, 1000),
            Selector("Watchdog", "Watchdog", Config(2), 9, 0xF, kWatchdogPlain, 2000),
            Selector("Bbsize", "Boot Block Size", Config(4), 4, 0x3, {}, 1000),
            Box("cheFCMEN", H(1, 6)),
            Box("cheIESO", H(1, 7)),
            Box("chePWRTEN", L(2, 0), Low),
            Box("cheBOREN0", L(2, 1)),
            Box("cheBOREN1", L(2, 2)),
            Box("cheWDTEN", H(2, 0)),
            Box("chePWMPIN", L(3, 1)),
            Box("cheLPOL", L(3, 2)),
            Box("cheHPOL", L(3, 3)),
            Box("cheFLTAMX", H(3, 0)),
            Box("cheT1OSCMX", H(3, 3)),
            Box("cheMCLRE", H(3, 7)),
            Box("cheSTVREN", L(4, 0)),
            Box("cheXINST", L(4, 6)),
            Box("cheBKBUG", L(4, 7), Low),
        },
        ProtectionBoxes(2)),
    .rules =
        {
            On(Keys({"F1230"}))
                .Texts("Bbsize", {"256 Words", "512 Words", "512 Words", "512 Words"}),
            On(Keys({"F1330", "F1330-ICD"}))
                .Texts("Bbsize", {"256 Words", "512 Words", "1 kWords", "1 kWords"}),
        },
    .selectorFont = DialogFont::Sans,
};

}  // namespace krv
