#pragma once
// A session wired to the recording window, the fake clock and, on request, a simulated
// programmer.
#include <memory>
#include <string>

#include "core/session.h"
#include "sim/programmer.h"
#include "support/fake_window.h"

namespace krv::test {

struct TestSession {
  TestSession();
  // With `device` selected.
  explicit TestSession(const std::string& device);
  // Puts a simulated programmer (holding `chip`) on the link and marks it present.
  sim::Programmer& AttachProgrammer(std::unique_ptr<sim::Chip> chip = nullptr);

  FakeWindow window;
  FakeClock clock;
  Session s;
  std::shared_ptr<sim::Programmer> programmer;
  sim::SimTransport* transport = nullptr;
};

// A fresh empty folder for a test's files, removed with its contents when the test ends.
std::string TempDir();

}  // namespace krv::test
