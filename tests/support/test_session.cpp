#include "support/test_session.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "devices/catalogue.h"

#include <unistd.h>

namespace krv::test {

TestSession::TestSession() {
  s.window = &window;
  s.clock = &clock;
  s.LangFile = "/nonexistent/English.ini";  // the built-in English texts
}

TestSession::TestSession(const std::string& device) : TestSession() {
  SelectDevice(s, device);
}

sim::Programmer& TestSession::AttachProgrammer(std::unique_ptr<sim::Chip> chip) {
  programmer = std::make_shared<sim::Programmer>(std::move(chip));
  auto t = std::make_unique<sim::SimTransport>(programmer);
  transport = t.get();
  s.link.transport = std::move(t);
  BuscaHID(s);
  return *programmer;
}

namespace {

// Removes the folder of the program's test files when each test ends, also when it failed,
// and at the latest when the program ends.
struct RemoveAtTestEnd final : ::testing::EmptyTestEventListener {
  explicit RemoveAtTestEnd(std::filesystem::path folder) : root(std::move(folder)) {}
  void OnTestEnd(const ::testing::TestInfo&) override { std::filesystem::remove_all(root, ec); }
  ~RemoveAtTestEnd() override { std::filesystem::remove_all(root, ec); }
  const std::filesystem::path root;
  std::error_code ec;
};

}  // namespace

std::string TempDir() {
  static const std::filesystem::path root = [] {
    auto* r = new RemoveAtTestEnd(std::filesystem::temp_directory_path() /
                                  ("krv330-test-" + std::to_string(::getpid())));
    std::filesystem::remove_all(r->root);
    ::testing::UnitTest::GetInstance()->listeners().Append(r);  // owned by gtest
    return r->root;
  }();
  static int n = 0;
  const std::filesystem::path dir = root / std::to_string(n++);
  std::filesystem::create_directories(dir);
  return dir.string();
}

}  // namespace krv::test
