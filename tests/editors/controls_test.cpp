// The pieces the dialogs are made of: the check-box rule, the hexadecimal boxes, the
// user-ID texts and the drop-down selector.
#include <cfenv>
#include <cmath>

#include <QDialog>
#include <QFontDatabase>
#include <QFrame>
#include <QVBoxLayout>

#include "core/twips.h"
#include "dialog_fixture.h"
#include "editors/bit_rules.h"
#include "editors/dialog_base.h"
#include "editors/pic10_16/word_dialog.h"
#include "editors/pic18/drop_down_selector.h"
#include "editors/pic18/pic18_dialog.h"
#include "widgets/hex_input.h"

namespace krv {
namespace {

using test::ClickOn;
using test::PickEntry;
using test::ShowsPicture;

// The state a box shows, computed as the dialogs describe it: (W And m) / m in floating
// point (for active-low |that - 1|), rounded to the nearest integer, halves to even.
bool RoundedState(uint32_t w, uint32_t m, Sense sense) {
  const double share = static_cast<double>(w & m) / m;
  const double v = sense == Sense::High ? share : std::fabs(share - 1);
  return std::nearbyint(v) != 0;
}

TEST(BoxTicked, MatchesTheRoundedShareForEveryWord) {
  ASSERT_EQ(std::fegetround(), FE_TONEAREST);
  for (uint32_t m : {0x0001u, 0x0008u, 0x2000u, 0x3FF0u, 0x0003u, 0x0300u, 0x3F30u})
    for (uint32_t w = 0; w <= 0x3FFF; ++w)
      for (Sense sense : {Sense::High, Sense::Low})
        ASSERT_EQ(BoxTicked(w, m, sense), RoundedState(w, m, sense)) << std::hex << w << " " << m;
  EXPECT_EQ(TwipsToPixels(1800), 120);
  EXPECT_EQ(TwipsToPixels(-8), -1);
}

TEST(Fonts, TheSizesOfTheSystemFontsBesideTheDialogs) {
  EXPECT_EQ(QFontInfo(FixedFont()).pixelSize(),
            QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).pixelSize());
  EXPECT_EQ(QFontInfo(SansFont()).pixelSize(),
            QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).pixelSize());
}

// An option array selects by Index, and selects nothing for a field value it has no
// button for.
TEST(OptionArray, SelectsTheButtonOfTheFieldValueOrNone) {
  const DialogDecl decl = {
      .id = DialogId::frm16F54,
      .controls = {Options("optTest", "Picture1", {Fixed(0x0003)}, {"zero", "one"})}};
  test::DialogFixture f;
  SelectDevice(f.s, "PIC16F84A");
  WordDialog dialog(decl, f.s, f.area.get());
  auto* group = dialog.findChild<QButtonGroup*>("optTest");
  for (const auto& [word, selected] :
       {std::pair{0x3FFD, 1}, {0x3FFF, -1}, {0x3FFC, 0}, {0x3FFE, -1}}) {
    f.s.cfg.ConfigWord = word;
    dialog.ShowConfig();
    EXPECT_EQ(group->checkedId(), selected) << word;
    EXPECT_EQ(f.s.cfg.ConfigWord, word);
  }
}

// Typed and pasted digits are the case files'; here what only a box of its own shows: the
// editing keys and shortcuts left alone.
TEST(HexBox, EditingKeysKeepTheirMeaning) {
  QLineEdit box;
  box.setMaxLength(4);
  InstallHexKeyFilter(&box);
  box.show();
  box.setText("ABC");
  QTest::keyClick(&box, Qt::Key_Backspace);
  QTest::keyClick(&box, Qt::Key_Left);
  QTest::keyClicks(&box, "c");
  EXPECT_EQ(box.text(), "ACB");
  QTest::keyClick(&box, Qt::Key_Home);
  QTest::keyClick(&box, Qt::Key_Delete);
  QTest::keyClick(&box, Qt::Key_B, Qt::ControlModifier);
  QTest::keyClick(&box, Qt::Key_C, Qt::AltModifier);
  EXPECT_EQ(box.text(), "CB") << "no letter reaches the box through Ctrl or Alt";
  QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);  // select all
  QTest::keyClicks(&box, "e");
  EXPECT_EQ(box.text(), "E");
  QDialog dialog;
  auto* inDialog = new QLineEdit(&dialog);
  (new QVBoxLayout(&dialog))->addWidget(inDialog);
  InstallHexKeyFilter(inDialog);
  dialog.show();
  inDialog->setFocus();
  QTest::keyClick(inDialog, Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible()) << "Escape still cancels the dialog";
}

// A selector that can no longer be opened (a device test closes it) closes its open list.
TEST(Selector, OneThatCannotOpenClosesItsList) {
  QWidget host;
  DropDownSelector sel(&host, "Bbsize", "Boot Block Size", Picture("Down"), Picture("Up"));
  sel.SetTexts({"1 kWords", "2 kWords"});
  sel.FillList();
  host.show();
  sel.Toggle();
  ASSERT_TRUE(sel.IsOpen());
  sel.SetOpenable(false);
  EXPECT_FALSE(sel.IsOpen());
  EXPECT_TRUE(test::ShowsPicture(sel.Arrow(), "Down"));
}

}  // namespace
}  // namespace krv
