// The simulated programmer: its command walk and the protocol errors it records, unplugging,
// the simulated mode's transport and monitor.
#include <gtest/gtest.h>

#include "devices/catalogue.h"
#include "link/link.h"
#include "sim/dspic30_chip.h"
#include "sim/programmer.h"
#include "sim/simulated.h"

namespace krv {
namespace {

// A report of bytes 1.. with the given report ID.
Report R(std::initializer_list<int> bytes, uint8_t id = 0) {
  Report r{id};
  int k = 1;
  for (int b : bytes) r[k++] = static_cast<uint8_t>(b);
  return r;
}

std::unique_ptr<sim::Chip> Chip() {
  return sim::MakeDsPic30Chip(*FindDevice("PIC30F2010"));
}

// Each report goes to a programmer in programming mode or not: the answers it queues
// (CmdRegOut30 gives one) and the protocol errors it records.
TEST(SimulatedProgrammer, WalksEachReportAndRecordsWhatTheFirmwareWouldNotTake) {
  // clang-format off
  const struct {
    const char* what;
    bool progMode;
    Report report;
    size_t answers, errors;
  } cases[] = {
    {"the end byte stops the list", true, R({0x1E, 0x00, 0x1E}), 1, 0},
    {"an empty list", true, R({}), 0, 0},
    {"a full list has no end byte", true, R({0x1E, 0x1F, 0x1E, 0x1F, 0x1E, 0x1F, 0x1F, 0x1E}), 4, 0},
    {"00 as an argument is no end byte", true, R({0x1D, 0x20, 0x00, 0x00, 0x1E}), 1, 0},
    {"an instruction ending at byte 8", true, R({0x1E, 0x1F, 0x1F, 0x1F, 0x1D, 0xEB, 0x03, 0x80}), 1, 0},
    {"an unknown code stops the walk", true, R({0x1E, 0x03, 0x1E}), 1, 1},
    {"a code past the table", true, R({0x26, 0x1E}), 0, 1},
    {"arguments past byte 8", true, R({0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1D, 0x20, 0x00}), 0, 1},
    {"arguments past byte 8 at the last byte", true, R({0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F, 0x1D}), 0, 1},
    {"a report ID other than 0", true, R({0x1E}, 1), 0, 1},
    // an answering command still queues its answer: the reads stay in step
    {"commands outside programming mode", false, R({0x1E, 0x1F}), 1, 2},
    {"a command after the exit", true, R({0x02, 0x1F}), 0, 1},
    {"an instruction the chip refuses, the walk goes on", true, R({0x1D, 0xFF, 0xFF, 0xFF, 0x1E}), 1, 1},
    {"the exit with an answer unread", true, R({0x1E, 0x02}), 1, 1},
    {"the exit after every answer was read", true, R({0x02}), 0, 0},
  };
  // clang-format on
  for (const auto& c : cases) {
    sim::Programmer p(Chip());
    if (c.progMode) p.Receive(R({kCmdEnterProgMode}));
    p.Receive(c.report);
    EXPECT_EQ(std::tuple(p.QueuedAnswers(), p.errors.size()), std::tuple(c.answers, c.errors))
        << c.what;
  }
}

// Unplugged once the second report has been handled: programming mode and the queued
// answers are lost, and the transport's handle is dead, also after a replug. The transport
// opens only for the programmer's vendor.
TEST(SimulatedProgrammer, VanishesAfterTheNthReport) {
  auto p = std::make_shared<sim::Programmer>(Chip());
  sim::SimTransport tr(p);
  EXPECT_FALSE(tr.Open(0x1234, -1));
  ASSERT_TRUE(tr.Open(kVendorId, -1));
  p->vanishAfterReport = 2;
  EXPECT_TRUE(tr.Write(R({kCmdEnterProgMode})));
  EXPECT_TRUE(tr.Write(R({kCmdRegOut30})));  // handled, then the programmer is gone
  EXPECT_FALSE(p->plugged || p->InProgMode() || p->chip()->InProgMode());
  Report out{};
  EXPECT_EQ(std::tuple(p->QueuedAnswers(), tr.Read(out, 500)),
            std::tuple(0u, Transport::ReadStatus::Failed));
  p->Plug();
  EXPECT_FALSE(tr.Write(R({kCmdNop30})) || p->Reports().size() != 2);
}

// The simulated mode: a dsPIC30 device gets its chip, any other an empty socket, where
// programming mode works and the chip's commands are protocol errors. Its monitor signals
// each plug and unplug until it is gone.
TEST(SimulatedMode, SocketAndMonitor) {
  std::shared_ptr<sim::Programmer> p;
  sim::MakeSimulatedTransport("PIC30F2010", &p);
  EXPECT_NE(p->chip(), nullptr);
  auto tr = sim::MakeSimulatedTransport("PIC16F628A", &p);
  ASSERT_TRUE(tr->Open(kVendorId, -1));
  EXPECT_EQ(p->chip(), nullptr);
  p->Receive(R({kCmdEnterProgMode, kCmdExitProgMode, kCmdEnterProgMode}));
  EXPECT_TRUE(p->errors.empty());
  p->Receive(R({kCmdRegOut30}));
  EXPECT_EQ(std::tuple(p->errors.size(), p->QueuedAnswers()), std::tuple(1u, 1u));

  auto monitor = sim::MakeSimulatedMonitor(p);
  ASSERT_GE(monitor->Fd(), 0);
  EXPECT_FALSE(monitor->TakeEvents());
  p->Unplug();
  p->Unplug();  // already out: no event
  EXPECT_TRUE(monitor->TakeEvents());
  EXPECT_FALSE(monitor->TakeEvents());
  p->Plug();
  EXPECT_TRUE(monitor->TakeEvents());
  monitor.reset();
  EXPECT_FALSE(p->onPlugChange);  // nobody is told any more
}

}  // namespace
}  // namespace krv
