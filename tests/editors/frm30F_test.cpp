// frm30F: the seven dsPIC30 configuration registers.
#include <gtest/gtest.h>

#include "core/session.h"
#include "dialog_fixture.h"

namespace krv {
namespace {

QString BoxName(int i) {
  return test::Element("txtConfig", i);
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
  EXPECT_EQ(dialog->Value(DialogControl::cheUpdateCal), std::nullopt);
  EXPECT_EQ(dialog->ControlText(DialogControl::txtUserID), std::nullopt);
}

TEST_F(Frm30F, EditsKeepOnlyTheImplementedBits) {
  // Keys typed into an emptied box: what the box and the register hold afterwards.
  const struct {
    int box;
    const char *typed, *shown;
    int32_t value;
  } cases[] = {
      {5, "FFFF", "0007", 0x0007},  {5, "ffff", "0007", 0x0007}, {1, "12", "12", 0x0012},
      {1, "1234", "0034", 0x0034},  {1, "40", "40", 0x0000},     {0, "C71F", "C71F", 0xC71F},
      {0, "FFFFF", "C71F", 0xC71F}, {3, "x1g2", "12", 0x0002},   {6, "", "", 0}};
  Show("PIC30F4013");
  for (const auto& c : cases) {
    ts.window.csum.clear();
    Retype(BoxName(c.box), c.typed);
    EXPECT_EQ(EditText(BoxName(c.box)), c.shown) << c.typed;
    EXPECT_EQ(s.cfg.Config[c.box + 1], c.value) << c.typed;
    EXPECT_FALSE(ts.window.csum.empty()) << "the checksum follows the edit";
  }
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

TEST_F(Frm30F, FillingShowsAndKeepsTheImplementedBits) {
  for (auto [device, blank1] : {std::pair{"PIC30F4013", "C71F"}, std::pair{"PIC30F2010", "C30F"}}) {
    Open(device);
    for (int k = 1; k <= 7; ++k) s.cfg.Config[k] = 0xFFFF;
    dialog->ShowConfig();
    EXPECT_EQ(EditText(BoxName(0)), blank1);
    EXPECT_EQ(EditText(BoxName(6)), "C003");
    for (uint32_t v : {0x0000u, 0x1234u, 0xA5A5u, 0x5A5Au, 0x8001u}) {
      for (int k = 1; k <= 7; ++k) s.cfg.Config[k] = static_cast<int32_t>(v);
      for (int fill = 0; fill < 2; ++fill) {
        ts.window.csum.clear();
        dialog->ShowConfig();
        for (int i = 0; i < 7; ++i) {
          const auto kept = static_cast<int32_t>(v & s.dev.ConfigMasks[static_cast<size_t>(i)]);
          EXPECT_EQ(s.cfg.Config[i + 1], kept) << device << i;
          EXPECT_EQ(EditText(BoxName(i)), test::Hex4(kept));
          EXPECT_TRUE(Edit(BoxName(i))->isEnabled());
        }
        EXPECT_FALSE(ts.window.csum.empty());
      }
    }
  }
}

}  // namespace
}  // namespace krv
