#include "support/test_session.h"

#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

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

namespace {

// The folders made by TempDir during the running test; removed when the test ends, also
// when it failed, and at the latest when the program ends.
class TempDirs final : public ::testing::EmptyTestEventListener {
 public:
  static TempDirs& Get() {
    static TempDirs* dirs = [] {
      auto* d = new TempDirs;
      ::testing::UnitTest::GetInstance()->listeners().Append(d);  // owned by gtest
      return d;
    }();
    return *dirs;
  }
  std::string Make() {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("krv330-test-" + std::to_string(::getpid()) + "-" + std::to_string(n_++));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    made_.push_back(dir);
    return dir.string();
  }
  void OnTestEnd(const ::testing::TestInfo&) override { RemoveAll(); }
  ~TempDirs() override { RemoveAll(); }

 private:
  void RemoveAll() {
    std::error_code ec;
    for (const auto& d : made_) std::filesystem::remove_all(d, ec);
    made_.clear();
  }
  int n_ = 0;
  std::vector<std::filesystem::path> made_;
};

}  // namespace

std::string TempDir() {
  return TempDirs::Get().Make();
}

}  // namespace krv::test
