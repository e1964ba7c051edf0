// frm30F: the seven dsPIC30 configuration registers.
#include <gtest/gtest.h>

#include "dialog_fixture.h"
#include "shell/session.h"

namespace krv {
namespace {

QString BoxName(int i) {
  return "txtConfig(" + QString::number(i) + ')';
}

class Frm30F : public testing::Test, public test::DialogFixture {
 protected:
  void Show(const std::string& device, uint16_t registers = 0xFFFF) {
    Open(device);
    for (int k = 1; k <= 7; ++k) s.cfg.Config[k] = registers;
    dialog->ShowConfig();
  }
};

TEST_F(Frm30F, DesignState) {
  Make(DialogId::frm30F);
  EXPECT_EQ(widget->objectName(), "frm30F");
  EXPECT_EQ(LabelText("Label9"), "Configs");
  const char* addresses[] = {"0xF80000", "0xF80002", "0xF80004", "0xF80006",
                             "0xF80008", "0xF8000A", "0xF8000C"};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(LabelText("lblConfig" + QString::number(i + 1)), addresses[i]);
    EXPECT_EQ(EditText(BoxName(i)), "FFFF");
    EXPECT_EQ(Edit(BoxName(i))->maxLength(), 4);
  }
  for (DialogControl c : {DialogControl::cheOscCal, DialogControl::cheUpdateCal})
    EXPECT_EQ(dialog->Value(c), std::nullopt);
  for (DialogControl c : {DialogControl::txtUserID, DialogControl::txtUserID1})
    EXPECT_EQ(dialog->ControlText(c), std::nullopt);
}

// Blank registers as each device shows them: its implemented bits.
struct MaskCase {
  const char* device;
  const char* shown[7];
};
void PrintTo(const MaskCase& c, std::ostream* os) {
  *os << c.device;
}
class Frm30FMasks : public Frm30F, public testing::WithParamInterface<MaskCase> {};
TEST_P(Frm30FMasks, ShowConfigKeepsTheImplementedBits) {
  const MaskCase& c = GetParam();
  Show(c.device);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(EditText(BoxName(i)), c.shown[i]) << i;
    EXPECT_EQ(s.cfg.Config[i + 1], static_cast<int32_t>(std::stoul(c.shown[i], nullptr, 16)));
    EXPECT_TRUE(Edit(BoxName(i))->isEnabled());
  }
  EXPECT_FALSE(ts.window.csum.empty());
}
INSTANTIATE_TEST_SUITE_P(
    Devices, Frm30FMasks,
    testing::Values(
        MaskCase{"PIC30F4013", {"C71F", "803F", "87B3", "310F", "330F", "0007", "C003"}},
        MaskCase{"PIC30F2010", {"C30F", "803F", "87B3", "310F", "330F", "0007", "C003"}}));

// Keys typed into an emptied box: what the box and the register hold afterwards.
struct EditCase {
  int box;
  const char* typed;
  const char* shown;
  int32_t value;
};
void PrintTo(const EditCase& c, std::ostream* os) {
  *os << "box " << c.box << " typed " << testing::PrintToString(std::string(c.typed));
}
class Frm30FEdits : public Frm30F, public testing::WithParamInterface<EditCase> {};
TEST_P(Frm30FEdits, KeepOnlyTheImplementedBits) {
  const EditCase& c = GetParam();
  Show("PIC30F4013");
  ts.window.csum.clear();
  Retype(BoxName(c.box), "");
  QTest::keyClicks(Edit(BoxName(c.box)), c.typed);
  EXPECT_EQ(EditText(BoxName(c.box)), c.shown);
  EXPECT_EQ(s.cfg.Config[c.box + 1], c.value);
  EXPECT_FALSE(ts.window.csum.empty()) << "the checksum follows the edit";
}
INSTANTIATE_TEST_SUITE_P(
    Registers, Frm30FEdits,
    testing::Values(EditCase{5, "FFFF", "0007", 0x0007}, EditCase{5, "ffff", "0007", 0x0007},
                    EditCase{1, "12", "12", 0x0012}, EditCase{1, "1234", "0034", 0x0034},
                    EditCase{1, "40", "40", 0x0000}, EditCase{0, "C71F", "C71F", 0xC71F},
                    EditCase{0, "FFFFF", "C71F", 0xC71F}, EditCase{3, "x1g2", "12", 0x0002},
                    EditCase{6, "", "", 0}));

TEST_F(Frm30F, EmptyingABoxClearsItsRegister) {
  Show("PIC30F4013");
  Retype(BoxName(2), "");
  EXPECT_EQ(EditText(BoxName(2)), "");
  EXPECT_EQ(s.cfg.Config[3], 0);
}

TEST_F(Frm30F, AnUnknownDeviceKeepsWhatIsTyped) {
  Open("PIC30F4013");
  s.dev.DeviceName = "PIC30F9999";
  s.dev.ConfigMasks.fill(0xFFFF);
  s.dev.CSumMasks30.fill(0xFFFF);
  for (int k = 1; k <= 7; ++k) s.cfg.Config[k] = 0xFFFF;
  dialog->ShowConfig();
  for (int i = 0; i < 7; ++i) EXPECT_EQ(EditText(BoxName(i)), "FFFF");
  Retype(BoxName(5), "ABCD");
  EXPECT_EQ(EditText(BoxName(5)), "ABCD");
  EXPECT_EQ(s.cfg.Config[6], 0xABCD);
}

TEST_F(Frm30F, ARegisterReadBackIsShownAndKeptMasked) {
  Show("PIC30F4013", 0x0000);
  s.cfg.Config[2] = 0xFFFF;
  dialog->ShowConfig();
  EXPECT_EQ(EditText(BoxName(1)), "803F");
  EXPECT_EQ(s.cfg.Config[2], 0x803F);
}

TEST_F(Frm30F, FillingLeavesTheMaskedRegisters) {
  Open("PIC30F4013");
  for (uint32_t v : {0x0000u, 0xFFFFu, 0x1234u, 0xA5A5u, 0x5A5Au, 0x8001u}) {
    for (int k = 1; k <= 7; ++k) s.cfg.Config[k] = static_cast<int32_t>(v);
    dialog->ShowConfig();
    for (int k = 1; k <= 7; ++k)
      EXPECT_EQ(s.cfg.Config[k], static_cast<int32_t>(v & s.dev.ConfigMasks[k - 1])) << k;
    dialog->ShowConfig();
    for (int k = 1; k <= 7; ++k)
      EXPECT_EQ(s.cfg.Config[k], static_cast<int32_t>(v & s.dev.ConfigMasks[k - 1])) << k;
  }
}

}  // namespace
}  // namespace krv
