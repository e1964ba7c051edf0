// frm18F2221: the configuration of the PIC18F2221 .. 2685 and 4221 .. 4685 (36 parts), with up
// to six protection blocks and a boot-block size chosen per device group.
#include "editors/declaration.h"
#include "editors/pic18/pic18_dialog.h"

namespace krv {

namespace {

const std::vector<std::string> k1kWords = {"1 kWords", "1 kWords", "1 kWords", "1 kWords"};
const std::vector<std::string> kUpTo4k = {"1 kWords", "2 kWords", "4 kWords", "4 kWords"};

// A device group: the texts of its boot-block sizes (by field value, as many as the field
// can hold on its parts), the last protection block it has, whether CCP2 can be moved,
// whether the boot-block size can be chosen, and the height of the boot-block list.
struct Group {
  Match keys;
  std::vector<std::string> bbsize;
  int lastBlock;
  bool ccp2mx;
  bool open;
  int listTwips;
};

Rule RuleOf(const Group& g) {
  Rule r = On(g.keys)
               .Texts("Bbsize", g.bbsize)
               .ListTwips("Bbsize", g.listTwips)
               .Hide(BlockElements(g.lastBlock + 1, 5));
  if (!g.ccp2mx) r = r.Hide({"cheCCP2MX"});
  if (!g.open) r = r.Closed("Bbsize");
  return r;
}

std::vector<Rule> Rules() {
  const Group groups[] = {
      {Keys({"F2221", "F4221"}),
       {"256 Words", "512 Words", "512 Words", "512 Words"},
       1,
       true,
       true,
       1000},
      {Keys({"F2321", "F4321"}),
       {"256 Words", "512 Words", "1 kWords", "1 kWords"},
       1,
       true,
       true,
       1000},
      {Keys({"F2410", "F2420", "F2423", "F4410", "F4420", "F4423"}), k1kWords, 1, true, false,
       1000},
      {Keys({"F2510", "F2520", "F2523", "F2610", "F2620", "F4510", "F4520", "F4523", "F4610",
             "F4620"}),
       k1kWords, 3, true, false, 1000},
      {Keys({"F2515", "F2525", "F4515", "F4525"}), k1kWords, 2, true, false, 1000},
      // The field has one bit on these parts (the other is not implemented).
      {Keys({"F2480", "F4480"}), {"1 kWords", "2 kWords"}, 1, false, true, 500},
      {Keys({"F2580", "F4580"}), {"1 kWords", "2 kWords"}, 3, false, true, 500},
      {Keys({"F2585", "F4585"}), kUpTo4k, 2, false, true, 1000},
      {Keys({"F2680", "F4680"}), kUpTo4k, 3, false, true, 1000},
      {Keys({"F2682", "F4682"}), kUpTo4k, 4, false, true, 1000},
      {Keys({"F2685", "F4685"}), kUpTo4k, 5, false, true, 1000},
  };
  std::vector<Rule> rules = {
      On(Keys({"F2480", "F2580", "F4480", "F4580"}))
          .Texts("Vbor", {"4.6 V", "4.3 V", "2.8 V", "2.1 V"}),
      On(Where(NoDataEeprom)).Hide({"cheCPD", "cheWRTD"}),
  };
  for (const Group& g : groups) rules.push_back(RuleOf(g));
  return rules;
}

}  // namespace

extern const DialogDecl frm18F2221Decl = {
    .id = DialogId::frm18F2221,
    .controls = Controls(
        {
            // Oscillator values 10 to 15 read as value 3; the entry picked is the value stored.
            Selector(
                "Osc", "Oscillator", Config(1), 8, 0xF,
                OscTexts({"LP", "XT", "HS", "Ext. RC, CLKO on RA6", "EC, CLKO on RA6",
                          "EC, port on RA6", "HS, PLL enabled (4xFOSC1)", "Ext. RC, port on RA6",
                          "Int. RC, port on RA6, RA7", "Int. RC, CLKO on RA6, port RA7"}),
                2000),
            Selector("Vbor", "Vbor", Config(2), 3, 0x3, kVborTexts, 1000),
            Selector("Watchdog", "Watchdog", Config(2), 9, 0xF, kWatchdogTexts, 2000),
            // The sizes come from the device's group; a pick keeps the implemented bits only.
            Selector("Bbsize", "BBSize", Config(4), 4, 0x3, {"", "", "", ""}, 1000).MaskedBy(3),
            Box("cheFCMEN", H(1, 6)),
            Box("cheIESO", H(1, 7)),
            Box("chePWRTEN", L(2, 0), Low),
            Box("cheBOREN0", L(2, 1)),
            Box("cheBOREN1", L(2, 2)),
            Box("cheWDTEN", H(2, 0)),
            Box("cheCCP2MX", H(3, 0)),
            Box("chePBADEN", H(3, 1)),
            Box("cheLPT1OSC", H(3, 2)),
            Box("cheMCLRE", H(3, 7)),
            Box("cheSTVREN", L(4, 0)),
            Box("cheLVP", L(4, 2)),
            Box("cheXINST", L(4, 6)),
            Box("cheDEBUG", L(4, 7), Low),
        },
        ProtectionBoxes(6)),
    .rules = Rules(),
    .selectorFont = DialogFont::Sans,
};

}  // namespace krv
