// frm18FXX31: the configuration of the PIC18F2331, 2431, 4331 and 4431, the parts with the
// power-control PWM: its output polarities and pin choices, the watchdog window, and a boot
// block whose size the part fixes.
#include "editors/declaration.h"
#include "editors/pic18/pic18_dialog.h"

namespace krv {

extern const DialogDecl frm18FXX31Decl = {
    .id = DialogId::frm18FXX31,
    .controls = Controls(
        {
            // Oscillator values 10 to 15 read as value 3; the entry picked is the value stored.
            Selector(
                "Osc", "Oscillator", Config(1), 8, 0xF,
                OscTexts({"LP", "XT", "HS", "Ext. RC, CLKO on RA6", "EC, CLKO on RA6",
                          "EC, port on RA6", "HS, PLL enabled(4xFOSC1)", "Ext. RC, port on RA6",
                          "Int. RC, port on RA6, RA7", "Int. RC, CLKO on RA6, port on RA7"}),
                2000),
            // The brown-out voltage lies in CONFIG2L bits 2-3, next to BODEN.
            Selector("Vbor", "Vbor", Config(2), 2, 0x3, kVborTexts, 1000),
            Selector("Watchdog", "Watchdog", Config(2), 9, 0xF, kWatchdogPlain, 2000),
            // One entry, the size of the device's boot block; the selector never opens.
            Selector("Bbsize", "Boot Block Size", Config(4), 4, 0x3, {}, 200),
            Box("cheFCMEN", H(1, 6)),
            Box("cheIESO", H(1, 7)),
            Box("chePWRTEN", L(2, 0), Low),
            Box("cheBODEN", L(2, 1)),
            Box("cheWDTEN", H(2, 0)),
            // The watchdog window is enabled when the bit is 0.
            Box("cheWINEN", H(2, 5), Low),
            Box("chePWMPIN", L(3, 2)),
            Box("cheLPOL", L(3, 3)),
            Box("cheHPOL", L(3, 4)),
            Box("cheGPTREN", L(3, 5), Low),
            Box("cheFLTAMX", H(3, 0)),
            Box("cheSSPMX", H(3, 2)),
            Box("chePWM4MX", H(3, 3)),
            Box("cheEXTCLKMX", H(3, 4)),
            Box("cheMCLRE", H(3, 7)),
            Box("cheSTVREN", L(4, 0)),
            Box("cheLVP", L(4, 2)),
            Box("cheBKBUG", L(4, 7), Low),
        },
        ProtectionBoxes(4)),
    .rules =
        {
            On(Keys({"F2331", "F4331"})).Texts("Bbsize", {"128 Words"}).Hide(BlockElements(2, 3)),
            On(Keys({"F2431", "F4431"})).Texts("Bbsize", {"256 Words"}),
            On(Keys({"F2331", "F2431"}))
                .Hide({"cheFLTAMX", "cheSSPMX", "chePWM4MX", "cheEXTCLKMX"}),
            On(AnyDevice()).Closed("Bbsize"),
        },
};

}  // namespace krv
