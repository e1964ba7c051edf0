// The drop-down selector of the PIC18 dialogs.
#include <gtest/gtest.h>
#include <QFrame>
#include <QVBoxLayout>

#include "core/twips.h"
#include "dialog_fixture.h"
#include "editors/pic18/drop_down_selector.h"

namespace krv {
namespace {

using test::ClickOn;
using test::PickEntry;
using test::ShowsPicture;

class Selector : public testing::Test {
 protected:
  QWidget host;
  QWidget* top = new QWidget(&host);
  DropDownSelector* sel = nullptr;
  std::vector<int> picks;

  void SetUp() override {
    host.resize(500, 400);
    auto* layout = new QVBoxLayout(&host);
    layout->addWidget(top);
    sel = new DropDownSelector(&host, "Vbor", "Vbor", Picture("Down"), Picture("Up"));
    layout->addWidget(sel->CaptionLabel());
    layout->addWidget(sel->Shape());
    layout->addStretch(1);
    sel->onPick = [this](int i) { picks.push_back(i); };
    sel->SetTexts({"4.5 V", "4.2 V", "2.7 V", "2.0 V"});
    sel->SetListHeightTwips(1000);
    host.show();
    sel->FillList();
  }
  // Under the frame, as wide as the frame, the family's height.
  QRect ListGeometry(int twips = 1000) const {
    const QFrame* shape = sel->Shape();
    return QRect(shape->x(), shape->y() + shape->height(), shape->width(), TwipsToPixels(twips));
  }
};

TEST_F(Selector, FiveNamedControlsClosedAndNothingPickedAtTheStart) {
  EXPECT_EQ(sel->CaptionLabel()->objectName(), "lblVbor");
  EXPECT_EQ(sel->CaptionLabel()->text(), "Vbor");
  EXPECT_EQ(sel->ValueLabel()->objectName(), "lblValVbor");
  EXPECT_EQ(sel->Arrow()->objectName(), "imgVbor");
  EXPECT_EQ(sel->Shape()->objectName(), "shaVbor");
  EXPECT_EQ(sel->List()->objectName(), "lstVbor");
  EXPECT_EQ(sel->List()->parentWidget(), &host);
  EXPECT_TRUE(sel->List()->isHidden());
  EXPECT_TRUE(ShowsPicture(sel->Arrow(), "Down"));
  EXPECT_EQ(sel->List()->count(), 4);
  EXPECT_EQ(sel->List()->item(3)->text(), "2.0 V");
  EXPECT_EQ(sel->List()->currentRow(), -1);
  EXPECT_TRUE(picks.empty());
}

TEST_F(Selector, ShowingAValuePicksOnlyWhenTheSelectionChanges) {
  sel->ShowValue(2);
  EXPECT_EQ(sel->ValueLabel()->text(), "2.7 V");
  EXPECT_EQ(sel->List()->currentRow(), 2);
  sel->ShowValue(2);
  sel->ShowValue(7);  // no text for it: nothing shown, nothing picked
  EXPECT_EQ(sel->ValueLabel()->text(), "");
  sel->FillList();  // clearing and refilling the list picks nothing
  EXPECT_EQ(sel->List()->currentRow(), -1);
  EXPECT_EQ(picks, std::vector<int>{2});
}

TEST_F(Selector, OpenPickCloseCycle) {
  sel->ShowValue(0);
  picks.clear();
  ClickOn(sel->Arrow());
  EXPECT_TRUE(sel->IsOpen());
  EXPECT_TRUE(sel->List()->isVisible());
  EXPECT_TRUE(ShowsPicture(sel->Arrow(), "Up"));
  EXPECT_EQ(sel->List()->geometry(), ListGeometry());
  ClickOn(sel->ValueLabel());
  EXPECT_FALSE(sel->IsOpen());
  EXPECT_TRUE(ShowsPicture(sel->Arrow(), "Down"));
  EXPECT_TRUE(picks.empty()) << "closing changes nothing";
  ClickOn(sel->ValueLabel());
  PickEntry(sel->List(), 3);
  EXPECT_EQ(picks, std::vector<int>{3});
  EXPECT_FALSE(sel->IsOpen());
  EXPECT_TRUE(ShowsPicture(sel->Arrow(), "Down"));
  // Picking the entry already selected closes the list as well.
  ClickOn(sel->Arrow());
  PickEntry(sel->List(), 3);
  EXPECT_FALSE(sel->IsOpen());
  EXPECT_EQ(picks, (std::vector<int>{3, 3}));
  ClickOn(sel->Arrow());
  ClickOn(sel->Arrow());
  EXPECT_FALSE(sel->IsOpen()) << "the arrow closes what it opened";
}

TEST_F(Selector, ListHangsUnderTheFrameWhereverItMoves) {
  top->setMinimumHeight(120);
  host.resize(700, 500);
  QApplication::sendPostedEvents();
  host.layout()->activate();
  EXPECT_EQ(sel->List()->geometry(), ListGeometry());
  sel->SetListHeightTwips(1800);
  sel->FillList();
  EXPECT_EQ(sel->List()->geometry(), ListGeometry(1800));
}

TEST_F(Selector, AClosedOrHiddenSelectorCannotBeOpened) {
  sel->SetOpenable(false);
  EXPECT_TRUE(sel->Arrow()->isHidden());
  EXPECT_FALSE(sel->ValueLabel()->isEnabled());
  ClickOn(sel->ValueLabel());
  EXPECT_FALSE(sel->IsOpen());
  sel->SetOpenable(true);
  ClickOn(sel->ValueLabel());
  EXPECT_TRUE(sel->IsOpen());
  sel->SetShown(false);  // hiding closes the list
  EXPECT_FALSE(sel->IsOpen());
  EXPECT_TRUE(sel->Shape()->isHidden());
  EXPECT_TRUE(sel->CaptionLabel()->isHidden());
  sel->SetShown(true);
  EXPECT_TRUE(sel->Shape()->isVisible());
}

}  // namespace
}  // namespace krv
