// Read All, Verify All, Write All and Erase All by instruction width.
#include <gtest/gtest.h>

#include "core/helpers.h"
#include "dspic30_fixture.h"
#include "operations/operations.h"

namespace krv::test {
namespace {

using Command = void (*)(Session&);
const Command kCommands[] = {ReadDevice, VerifyDevice, WriteDevice, EraseDevice};

TEST(Dispatch, OtherFamiliesGetOneInformationBoxAndNothingIsSent) {
  for (int width : {12, 14, 16}) {
    for (Command c : kCommands) {
      TestSession t;
      t.s.dev.CoreWidth = width;
      sim::Programmer& p = t.AttachProgrammer();
      c(t.s);
      ASSERT_EQ(t.window.boxes.size(), 1u) << width;
      EXPECT_EQ(t.window.boxes[0].style, 64);
      EXPECT_EQ(t.window.boxes[0].text, Text(t.s, TextId::NoChipOps));
      EXPECT_EQ(t.window.boxes[0].title, "KRV330 - V1.25");
      EXPECT_TRUE(p.reports.empty());
      EXPECT_TRUE(t.window.vpp.empty());
    }
  }
}

TEST(Dispatch, DsPic30RunsItsOwnOperations) {
  // read, verify, write (erase and a blank image), erase
  const size_t reports[] = {41, 41, 42 + 68, 42};
  for (size_t i = 0; i < 4; ++i) {
    DsPic30Session t(TinyRow());
    kCommands[i](t.s);
    EXPECT_EQ(t.prog->reports.size(), reports[i]) << i;
    EXPECT_TRUE(t.prog->errors.empty());
    // The write sends no programming parameters: it opens with the erase.
    EXPECT_EQ(t.Reports().front(), "01 25 00 00 00 00 00 00");
  }
}

}  // namespace
}  // namespace krv::test
