#include "support/test_session.h"

#include <atomic>
#include <filesystem>
#include <random>

#include <unistd.h>

namespace krv::test {

TestSession::TestSession() {
  s.window = &window;
  s.clock = &clock;
  s.LangFile = "/nonexistent/English.ini";  // the built-in English texts
}

sim::Programmer& TestSession::AttachProgrammer(std::unique_ptr<sim::Chip> chip) {
  programmer = std::make_shared<sim::Programmer>(std::move(chip));
  auto t = std::make_unique<sim::SimTransport>(programmer);
  transport = t.get();
  s.link.transport = std::move(t);
  BuscaHID(s);
  return *programmer;
}

std::string TempDir() {
  static std::atomic<int> n{0};
  const auto dir = std::filesystem::temp_directory_path() /
                   ("krv330-test-" + std::to_string(::getpid()) + "-" + std::to_string(n++));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}

}  // namespace krv::test
