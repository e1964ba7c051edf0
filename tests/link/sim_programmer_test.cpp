// The simulated programmer's command walk, its protocol errors, the answer queue, plugging
// and the injected faults, with a scripted chip in the socket.
#include <algorithm>

#include <gtest/gtest.h>

#include "link/link.h"
#include "scripted_chip.h"
#include "sim/programmer.h"
#include "sim/simulated.h"

namespace krv {
namespace {

using test::ScriptedChip;

// A report of bytes 1.. with the given report ID.
Report R(std::initializer_list<int> bytes, uint8_t id = 0) {
  Report r{id};
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
  // Enters or leaves programming mode, empties the queue and forgets what that left in the
  // logs.
  void Start(bool progMode) {
    prog->Receive(R({progMode ? kCmdEnterProgMode : kCmdExitProgMode}));
    for (Report out; prog->TakeAnswer(out);) {
    }
    prog->ClearLog();
    chip->calls.clear();
  }
  std::shared_ptr<sim::Programmer> prog;
  ScriptedChip* chip;
};

TEST_F(SimProgrammerTest, CommandWalk) {
  const struct {
    const char* what;
    Report report;
    const char* calls;
  } cases[] = {
      {"end byte stops the list", R({0x1F, 0x00, 0x1F, 0x1F}), "nop"},
      {"empty list", R({}), ""},
      {"full list of two instructions, no end byte",
       R({0x1D, 0x88, 0x01, 0x90, 0x1D, 0x20, 0x08, 0x00}), "six880190 six200800"},
      {"eight commands", R({0x1F, 0x21, 0x23, 0x24, 0x25, 0x1F, 0x1F, 0x1F}),
       "nop writecode writedata startnvm resetpc nop nop nop"},
      {"instruction bytes after a code are arguments, even 00",
       R({0x1D, 0x00, 0x00, 0x00, 0x1F, 0x00}), "six000000 nop"},
      {"instruction ending at byte 8", R({0x1F, 0x1F, 0x1F, 0x1F, 0x1D, 0xEB, 0x03, 0x80}),
       "nop nop nop nop sixEB0380"},
  };
  for (const auto& c : cases) {
    Start(true);
    prog->Receive(c.report);
    EXPECT_EQ(chip->calls, c.calls) << c.what;
    EXPECT_TRUE(prog->errors.empty()) << c.what;
    EXPECT_EQ(prog->QueuedAnswers(), 0u) << c.what;
  }
}

TEST_F(SimProgrammerTest, ProtocolErrors) {
  const struct {
    const char* what;
    bool progMode;
    Report report;
    const char* calls;  // what was executed before the error stopped the walk
    size_t answers;
  } cases[] = {
      {"unknown code", true, R({0x1F, 0x03, 0x1F}), "nop", 0},
      {"unknown code past the table", true, R({0x1F, 0x26, 0x00}), "nop", 0},
      {"arguments past byte 8", true, R({0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1D, 0x20, 0x00}),
       "nop nop nop nop nop", 0},
      {"arguments past byte 8 at the last byte", true,
       R({0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1D}), "nop nop nop nop nop nop nop", 0},
      {"report ID other than 0", true, R({0x1F}, 1), "", 0},
      {"dsPIC30 command outside programming mode", false, R({0x1F, 0x00}), "", 0},
      {"dsPIC30 command after the exit", true, R({0x02, 0x1F}), "exit", 0},
      {"answering command outside programming mode keeps the reads in step", false, R({0x20, 0x00}),
       "", 1},
      {"instruction the chip rejects, walk goes on", true, R({0x1D, 0xFF, 0xFF, 0xFF, 0x1F, 0x00}),
       "nop", 0},
  };
  for (const auto& c : cases) {
    Start(c.progMode);
    prog->Receive(c.report);
    EXPECT_EQ(prog->errors.size(), 1u) << c.what;
    EXPECT_EQ(chip->calls, c.calls) << c.what;
    EXPECT_EQ(prog->QueuedAnswers(), c.answers) << c.what;
  }
}

TEST_F(SimProgrammerTest, OneAnswerPerAnsweringCommandInOrder) {
  const std::vector<sim::Answer> given = {
      {1, 1, 1, 1, 1, 1, 1, 1}, {2, 0, 0, 0, 0, 0, 0, 2}, {3, 3, 3, 3, 3, 3, 3, 3}};
  chip->script.assign(given.begin(), given.end());
  prog->Receive(R({kCmdEnterProgMode, 0x1E, 0x1F, 0x20, 0x22, 0x00}));
  EXPECT_EQ(chip->calls, "enter regout nop readcode readdata");
  ASSERT_EQ(prog->QueuedAnswers(), 3u);
  Report out{};
  for (const sim::Answer& a : given) {
    ASSERT_TRUE(prog->TakeAnswer(out));
    EXPECT_EQ(out[0], 0);
    EXPECT_TRUE(std::equal(a.begin(), a.end(), out.begin() + 1));
  }
  EXPECT_FALSE(prog->TakeAnswer(out));
  EXPECT_EQ(prog->AnswersRead(), 3u);
  EXPECT_TRUE(prog->errors.empty());
}

TEST(SimulatedTransport, UnknownDeviceGivesAnEmptySocket) {
  std::shared_ptr<sim::Programmer> p;
  auto tr = sim::MakeSimulatedTransport("PIC99X999", &p);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->chip(), nullptr);
  EXPECT_TRUE(tr->Open(kVendorId, -1));
  // Programming mode works, the chip commands fail.
  p->Receive(R({kCmdEnterProgMode, kCmdExitProgMode}));
  EXPECT_TRUE(p->errors.empty());
  p->Receive(R({kCmdEnterProgMode, 0x1E}));
  EXPECT_EQ(p->errors.size(), 1u);
  EXPECT_EQ(p->QueuedAnswers(), 1u);
}

// --- faults and plugging -------------------------------------------------------------

TEST_F(SimProgrammerTest, AnswerFaultsStrikeOnlyTheNthAnswer) {
  prog->withholdAnswer = 2;  // its read times out
  prog->corruptAnswer = 3;   // its first byte inverted
  prog->Receive(R({kCmdEnterProgMode, 0x20, 0x20, 0x20, 0x20}));
  Report out{};
  ASSERT_TRUE(prog->TakeAnswer(out));
  EXPECT_EQ(out[1], 1);
  EXPECT_FALSE(prog->TakeAnswer(out));
  ASSERT_TRUE(prog->TakeAnswer(out));
  EXPECT_EQ(out[1], 0xFC);
  EXPECT_EQ(out[2], 3);
  ASSERT_TRUE(prog->TakeAnswer(out));
  EXPECT_EQ(out[1], 4);
}

TEST_F(SimProgrammerTest, VanishesAfterTheNthReport) {
  sim::SimTransport tr(prog);
  EXPECT_FALSE(tr.Open(0x1234, -1));  // only the programmer's vendor
  ASSERT_TRUE(tr.Open(kVendorId, -1));
  prog->vanishAfterReport = 2;
  EXPECT_TRUE(tr.Write(R({kCmdEnterProgMode})));
  EXPECT_TRUE(tr.Write(R({0x1E})));  // handled, then the programmer is gone
  EXPECT_FALSE(prog->plugged);
  EXPECT_FALSE(prog->InProgMode());
  EXPECT_EQ(prog->QueuedAnswers(), 0u);
  EXPECT_EQ(chip->calls, "enter regout exit");
  Report out{};
  EXPECT_EQ(tr.Read(out, 500), Transport::ReadStatus::Failed);
  EXPECT_FALSE(tr.Write(R({0x1F})));
  EXPECT_EQ(prog->Reports().size(), 2u);
}

}  // namespace
}  // namespace krv
