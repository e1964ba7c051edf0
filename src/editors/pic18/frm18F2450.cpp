// frm18F2450: the configuration of the PIC18 parts with a USB module (PIC18F2450, 2455, 2458,
// 2550, 2553, 4450, 4455, 4458, 4550, 4553): the PLL input divider, the CPU clock divider
// whose texts follow the oscillator, and a boot block of one or two kWords.
#include "core/session.h"
#include "editors/declaration.h"
#include "editors/pic18/pic18_dialog.h"

namespace krv {
namespace {

// The CPU clock divides the primary oscillator itself for the oscillator modes without the
// PLL, and the 96 MHz PLL output otherwise.
std::vector<std::string> CpuClockTexts(const Session& s) {
  switch ((s.cfg.Config[1] >> 8) & 15) {
    case 0:
    case 1:
    case 4:
    case 5:
    case 12:
    case 13:
      return {"No divide", "Divided by 2", "Divided by 3", "Divided by 4"};
    default:
      return {"96 Mhz PLL / 2", "96 Mhz PLL / 3", "96 Mhz PLL / 4", "96 Mhz PLL / 6"};
  }
}

}  // namespace

extern const DialogDecl frm18F2450Decl = {
    .id = DialogId::frm18F2450,
    .controls = Controls(
        {
            Selector("OscSelect", "Osc. Selection", Config(1), 0, 0x7,
                     {"Directly (4 MHz input)", "Osc. / 2 (8 MHz in)", "Osc. / 3 (12 MHz in)",
                      "Osc. / 4 (16 MHz in)", "Osc. / 5 (20 MHz in)", "Osc. / 6 (24 MHz in)",
                      "Osc. / 10 (40 MHz in)", "Osc. / 12 (48 MHz in)"},
                     1800),
            Selector("CpuClock", "CPU System Clock", Config(1), 3, 0x3, {}, 1000)
                .TextsFrom(CpuClockTexts),
            // Pairs of values share a text; the value picked is the one stored.
            Selector("Osc", "Oscillator", Config(1), 8, 0xF,
                     {"XT, XT used by USB", "XT, XT used by USB", "XT, PLL enabled, XT by USB",
                      "XT, PLL enabled, XT by USB", "EC, port on RA6, EC by USB",
                      "EC, CLKO on RA6, EC by USB", "EC, PLL, port on RA6, EC by USB",
                      "EC, PLL, CLKO on RA6, EC by USB", "Int., port on RA6, EC by USB",
                      "Int., CLKO on RA6, EC by USB", "Int., XT used by USB",
                      "Int., HS used by USB", "HS, HS used by USB", "HS, HS used by USB",
                      "HS, PLL enabled, HS by USB", "HS, PLL enabled, HS by USB"},
                     2000),
            Selector("Vbor", "Vbor", Config(2), 3, 0x3, kVborTexts, 1000),
            Selector("Watchdog", "Watchdog", Config(2), 9, 0xF, kWatchdogTexts, 2000),
            // The whole word is masked after a pick: where the device lacks the bit, it
            // stays 0.
            Selector("Bbsize", "Boot Block Size", Config(4), 3, 0x1, {"1 kWords", "2 kWords"}, 500)
                .MaskedBy(3),
            Box("cheUSBDIV", L(1, 5)),
            Box("cheFCMEN", H(1, 6)),
            Box("cheIESO", H(1, 7)),
            Box("chePWRTEN", L(2, 0), Low),
            Box("cheBOREN0", L(2, 1)),
            Box("cheBOREN1", L(2, 2)),
            Box("cheVREGEN", L(2, 5)),
            Box("cheWDTEN", H(2, 0)),
            Box("cheCCP2MX", H(3, 0)),
            Box("chePBADEN", H(3, 1)),
            Box("cheLPT1OSC", H(3, 2)),
            Box("cheMCLRE", H(3, 7)),
            Box("cheSTVREN", L(4, 0)),
            Box("cheLVP", L(4, 2)),
            Box("cheICPRT", L(4, 5)),
            Box("cheXINST", L(4, 6)),
            Box("cheDEBUG", L(4, 7), Low),
        },
        ProtectionBoxes(4)),
    .rules =
        {
            // The boot block has one size on the parts of 24 and 32 kB.
            On(Keys({"F2550", "F2553", "F4550", "F4553", "F2455", "F2458", "F4455", "F4458"}))
                .Texts("Bbsize", {"1 kWords", "1 kWords"})
                .Closed("Bbsize"),
            On(Not(Keys({"F2455", "F2458", "F4455", "F4458", "F2550", "F2553", "F4550", "F4553"})))
                .Hide({"cheCCP2MX", "cheCP(2)", "cheWRT(2)", "cheEBTR(2)"}),
            On(Not(Keys({"F2550", "F2553", "F4550", "F4553"})))
                .Hide({"cheCP(3)", "cheWRT(3)", "cheEBTR(3)"}),
            // Only the 44-pin parts have the ICPRT bit: the 28-pin parts' box would show a
            // setting that the next refresh takes back.
            On(Not(Keys({"F4450", "F4455", "F4458", "F4550", "F4553"}))).Hide({"cheICPRT"}),
            On(Where(NoDataEeprom)).Hide({"cheCPD", "cheWRTD"}),
        },
    .selectorFont = DialogFont::Sans,
    .boxFont = DialogFont::Sans,
};

}  // namespace krv
