// The simulated programmer's command walk, its protocol errors, the answer queue, plugging
// and the injected faults, with a scripted chip in the socket.
#include <gtest/gtest.h>

#include "link/link.h"
#include "scripted_chip.h"
#include "sim/programmer.h"
#include "sim/simulated.h"

namespace krv {
namespace {

using Calls = std::vector<std::string>;
using test::ScriptedChip;

Report R(std::initializer_list<int> bytes) {
  Report r{};
  int k = 1;
  for (int b : bytes) r[k++] = static_cast<uint8_t>(b);
  return r;
}

struct SimProgrammerTest : ::testing::Test {
  SimProgrammerTest() {
    auto c = std::make_unique<ScriptedChip>();
    chip = c.get();
    prog = std::make_shared<sim::Programmer>(std::move(c));
  }
  // Enters programming mode and forgets what that left in the logs.
  void Enter() {
    prog->Receive(R({kCmdEnterProgMode}));
    prog->ClearLog();
    chip->calls.clear();
  }
  std::shared_ptr<sim::Programmer> prog;
  ScriptedChip* chip;
};

TEST_F(SimProgrammerTest, CommandWalk) {
  struct Case {
    const char* what;
    Report report;
    Calls calls;
  };
  const Case cases[] = {
      {"end byte stops the list", R({0x1F, 0x00, 0x1F, 0x1F}), {"nop"}},
      {"empty list", R({}), {}},
      {"full list of two instructions, no end byte",
       R({0x1D, 0x88, 0x01, 0x90, 0x1D, 0x20, 0x08, 0x00}),
       {"six " + std::to_string(0x880190), "six " + std::to_string(0x200800)}},
      {"eight commands",
       R({0x1F, 0x21, 0x23, 0x24, 0x25, 0x1F, 0x1F, 0x1F}),
       {"nop", "writecode", "writedata", "startnvm", "resetpc", "nop", "nop", "nop"}},
      {"instruction bytes after a code are arguments, even 00",
       R({0x1D, 0x00, 0x00, 0x00, 0x1F, 0x00}),
       {"six 0", "nop"}},
      {"instruction ending at byte 8",
       R({0x1F, 0x1F, 0x1F, 0x1F, 0x1D, 0xEB, 0x03, 0x80}),
       {"nop", "nop", "nop", "nop", "six " + std::to_string(0xEB0380)}},
  };
  for (const Case& c : cases) {
    Enter();
    prog->Receive(c.report);
    EXPECT_EQ(chip->calls, c.calls) << c.what;
    EXPECT_TRUE(prog->errors.empty()) << c.what;
    EXPECT_EQ(prog->QueuedAnswers(), 0u) << c.what;
  }
}

TEST_F(SimProgrammerTest, ProtocolErrors) {
  struct Case {
    const char* what;
    bool enter;
    Report report;
    Calls calls;  // what was executed before the error stopped the walk
    size_t answers;
  };
  const Case cases[] = {
      {"unknown code", true, R({0x1F, 0x03, 0x1F}), {"nop"}, 0},
      {"CmdConfigure-like unknown code in the middle", true, R({0x1F, 0x26, 0x00}), {"nop"}, 0},
      {"arguments past byte 8",
       true,
       R({0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1D, 0x20, 0x00}),
       {"nop", "nop", "nop", "nop", "nop"},
       0},
      {"arguments past byte 8 at the last byte",
       true,
       R({0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1D}),
       {"nop", "nop", "nop", "nop", "nop", "nop", "nop"},
       0},
      {"dsPIC30 command outside programming mode", false, R({0x1F, 0x00}), {}, 0},
      {"answering command outside programming mode keeps the reads in step",
       false,
       R({0x20, 0x00}),
       {},
       1},
      {"instruction the chip rejects, walk goes on",
       true,
       R({0x1D, 0xFF, 0xFF, 0xFF, 0x1F, 0x00}),
       {"nop"},
       0},
  };
  for (const Case& c : cases) {
    if (c.enter) {
      Enter();
    } else {
      prog->Receive(R({kCmdExitProgMode}));
      prog->ClearLog();
      chip->calls.clear();
    }
    Report out;
    while (prog->TakeAnswer(out)) {
    }
    prog->Receive(c.report);
    EXPECT_EQ(prog->errors.size(), 1u) << c.what;
    EXPECT_EQ(chip->calls, c.calls) << c.what;
    EXPECT_EQ(prog->QueuedAnswers(), c.answers) << c.what;
  }
}

TEST_F(SimProgrammerTest, ReportIdOtherThanZeroIsRefused) {
  Enter();
  Report r = R({0x1F});
  r[0] = 1;
  prog->Receive(r);
  EXPECT_EQ(prog->errors.size(), 1u);
  EXPECT_TRUE(chip->calls.empty());
  EXPECT_EQ(prog->reports.size(), 1u);  // still logged
}

TEST_F(SimProgrammerTest, OneAnswerPerAnsweringCommandInOrder) {
  chip->script = {{1, 1, 1, 1, 1, 1, 1, 1}, {2, 0, 0, 0, 0, 0, 0, 2}, {3, 3, 3, 3, 3, 3, 3, 3}};
  prog->Receive(R({kCmdEnterProgMode, 0x1E, 0x1F, 0x20, 0x22, 0x00}));
  EXPECT_EQ(chip->calls, (Calls{"enter", "regout", "nop", "readcode", "readdata"}));
  ASSERT_EQ(prog->QueuedAnswers(), 3u);
  Report out{};
  for (uint8_t n = 1; n <= 3; ++n) {
    ASSERT_TRUE(prog->TakeAnswer(out));
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], n);
  }
  EXPECT_EQ(out[8], 3);
  EXPECT_FALSE(prog->TakeAnswer(out));
  EXPECT_EQ(prog->QueuedAnswers(), 0u);
  EXPECT_EQ(prog->answers.size(), 3u);
  EXPECT_EQ(prog->reports.size(), 1u);
  EXPECT_TRUE(prog->errors.empty());
}

TEST_F(SimProgrammerTest, ExitLeavesProgrammingMode) {
  prog->Receive(R({kCmdEnterProgMode, kCmdExitProgMode, 0x1F}));
  EXPECT_FALSE(prog->InProgMode());
  EXPECT_EQ(chip->calls, (Calls{"enter", "exit"}));
  EXPECT_EQ(prog->errors.size(), 1u);
}

TEST(SimProgrammerEmptySocket, ProgrammingModeWorksButTheChipCommandsFail) {
  sim::Programmer p;
  p.Receive(R({kCmdEnterProgMode, kCmdExitProgMode}));
  EXPECT_TRUE(p.errors.empty());
  p.Receive(R({kCmdEnterProgMode, 0x1E}));
  EXPECT_EQ(p.errors.size(), 1u);
  EXPECT_EQ(p.QueuedAnswers(), 1u);
}

// --- faults and plugging -------------------------------------------------------------

TEST_F(SimProgrammerTest, WithheldAnswerTimesOutItsOwnRead) {
  prog->withholdAnswer = 2;
  prog->Receive(R({kCmdEnterProgMode, 0x20, 0x20, 0x20}));
  Report out{};
  ASSERT_TRUE(prog->TakeAnswer(out));
  EXPECT_EQ(out[1], 1);
  EXPECT_FALSE(prog->TakeAnswer(out));
  ASSERT_TRUE(prog->TakeAnswer(out));
  EXPECT_EQ(out[1], 3);
}

TEST_F(SimProgrammerTest, CorruptedAnswerHasItsFirstByteInverted) {
  prog->corruptAnswer = 1;
  chip->script = {{0x12, 0x34, 0, 0, 0, 0, 0, 0}};
  prog->Receive(R({kCmdEnterProgMode, 0x1E}));
  Report out{};
  ASSERT_TRUE(prog->TakeAnswer(out));
  EXPECT_EQ(out[1], 0xED);
  EXPECT_EQ(out[2], 0x34);
}

TEST_F(SimProgrammerTest, VanishesAfterTheNthReport) {
  sim::SimTransport tr(prog);
  ASSERT_TRUE(tr.Open(kVendorId, -1));
  prog->vanishAfterReport = 2;
  EXPECT_TRUE(tr.Write(R({kCmdEnterProgMode})));
  EXPECT_TRUE(tr.Write(R({0x1E})));  // handled, then the programmer is gone
  EXPECT_FALSE(prog->plugged);
  EXPECT_FALSE(prog->InProgMode());
  EXPECT_EQ(prog->QueuedAnswers(), 0u);
  EXPECT_EQ(chip->calls, (Calls{"enter", "regout", "exit"}));
  Report out{};
  EXPECT_EQ(tr.Read(out, 500), Transport::ReadStatus::Failed);
  EXPECT_FALSE(tr.Write(R({0x1F})));
  EXPECT_EQ(prog->reports.size(), 2u);
}

TEST_F(SimProgrammerTest, HandlesFromBeforeAReplugAreDead) {
  sim::SimTransport tr(prog);
  ASSERT_TRUE(tr.Open(kVendorId, -1));
  ASSERT_TRUE(tr.Open(kVendorId, -1));
  EXPECT_EQ(tr.opens, 1);
  EXPECT_TRUE(tr.StillPresent());
  prog->Unplug();
  EXPECT_FALSE(tr.StillPresent());
  EXPECT_FALSE(tr.Open(kVendorId, -1));
  prog->Plug();
  EXPECT_FALSE(tr.Write(R({0x1F})));
  ASSERT_TRUE(tr.Open(kVendorId, -1));
  EXPECT_EQ(tr.opens, 2);
  EXPECT_TRUE(tr.Write(R({kCmdEnterProgMode})));
  EXPECT_FALSE(tr.Open(0x1234, -1));  // only the programmer's vendor
}

TEST(SimulatedTransport, UnknownDeviceGivesAnEmptySocket) {
  std::shared_ptr<sim::Programmer> p;
  auto tr = sim::MakeSimulatedTransport("PIC99X999", &p);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->chip(), nullptr);
  EXPECT_TRUE(tr->Open(kVendorId, -1));
}

}  // namespace
}  // namespace krv
