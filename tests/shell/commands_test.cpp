// The busy and cancel rules of the menu and toolbar commands, through the recording window.
#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/helpers.h"
#include "shell/commands.h"
#include "support/test_session.h"

namespace krv {
namespace {

// Logs every command that reached the window ("*" while busy); `during` runs inside the
// next one.
struct FakeHost : CommandHost {
  explicit FakeHost(Session& session) : s(session) {}
  void OpenHexFile() override { Ran("OpenHexFile"); }
  void SaveHexFile() override { Ran("SaveHexFile"); }
  void UpdateHexFile() override { Ran("UpdateHexFile"); }
  void FillBuffers() override { Ran("FillBuffers"); }
  void ShowSettings() override { Ran("ShowSettings"); }
  void ShowAbout() override { Ran("ShowAbout"); }
  void CloseWindow() override { Ran("CloseWindow"); }
  void Ran(const std::string& what) {
    log += what + (s.run.ActionRunning ? "* " : " ");
    if (auto f = std::exchange(during, nullptr)) f();
  }
  Session& s;
  std::string log;
  std::function<void()> during;
};

// One click, and what the user does while the command it started runs.
struct Case {
  bool plugged;
  const char* click;   // "menu:<name>" or "toolbar:<key>"
  const char* during;  // a click, "close", "throw" (link lost), "error" (run-time) or ""
  int answer;          // to the Msg3 question
  // The commands run, the busy states ("+" on, "-" off), the boxes, "cancel" when the
  // running command's CheckCancel saw a request, "closes" when the window may close.
  const char* log;
};

class CommandsTest : public ::testing::TestWithParam<Case> {
 protected:
  void Do(const std::string& action) {
    const std::string name = action.substr(action.find(':') + 1);
    if (action.rfind("menu:", 0) == 0) commands.MenuAction(name);
    if (action.rfind("toolbar:", 0) == 0) commands.ToolbarClick(name);
    if (action == "close" && commands.QueryUnload()) host.log += "closes ";
    if (action == "throw") throw LinkLost();
    if (action == "error") throw RuntimeError("Subscript out of range");
  }
  std::string Log() {
    for (bool busy : t.window.busyStates) host.log += busy ? "+" : "-";
    for (const auto& box : t.window.boxes) {
      std::string text = box.text;
      for (const auto& [id, name] : {std::pair{TextId::Msg1, "Msg1"},
                                     {TextId::Msg3, "Msg3"},
                                     {TextId::NoChipOps, "NoChipOps"}})
        if (text == Text(t.s, id)) text = name;
      host.log += " " + std::to_string(box.style) + ":" + text;
    }
    return host.log;
  }
  test::TestSession t;
  FakeHost host{t.s};
  Commands commands{t.s, host};
};

TEST_P(CommandsTest, BusyStateSearchAndCancel) {
  const Case& c = GetParam();
  if (c.plugged) t.AttachProgrammer();
  t.window.defaultAnswer = c.answer;
  host.during = [&] {
    Do(c.during);
    if (CheckCancel(t.s)) host.log += "cancel ";
  };
  Do(c.click);
  EXPECT_EQ(Log(), c.log) << c.click << " / " << c.during;
  EXPECT_FALSE(t.s.run.ActionRunning);
  EXPECT_FALSE(t.s.run.CancelRequested);
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, CommandsTest,
    ::testing::Values(
        // The file and option commands run from the menu without a programmer, the
        // toolbar's buttons only once one is found; each inside the busy state.
        Case{false, "menu:FileOpen", "", 0, "OpenHexFile* +-"},
        Case{false, "menu:FileSave", "", 0, "SaveHexFile* +-"},
        Case{false, "menu:FileUpdate", "", 0, "UpdateHexFile* +-"},
        Case{false, "menu:BuffersFill", "", 0, "FillBuffers* +-"},
        Case{false, "menu:OptionsSettings", "", 0, "ShowSettings* +-"},
        Case{false, "menu:HelpAbout", "", 0, "ShowAbout* +-"},
        Case{false, "toolbar:Open", "", 0, " 48:Msg1"},
        Case{true, "toolbar:Open", "", 0, "OpenHexFile* +-"},
        Case{true, "toolbar:Save", "", 0, "SaveHexFile* +-"},
        Case{true, "toolbar:Update", "", 0, "UpdateHexFile* +-"},
        Case{true, "toolbar:Fill", "", 0, "FillBuffers* +-"},
        // The device commands search from the menu too; without a programmer each says
        // Msg1 and is dropped.
        Case{false, "menu:DeviceRead", "", 0, " 48:Msg1"},
        Case{false, "menu:DeviceVerify", "", 0, " 48:Msg1"},
        Case{false, "menu:DeviceWrite", "", 0, " 48:Msg1"},
        Case{false, "menu:DeviceErase", "", 0, " 48:Msg1"},
        Case{false, "toolbar:Erase", "", 0, " 48:Msg1"},
        Case{true, "toolbar:Read", "", 0, "+- 64:NoChipOps"},
        // Identification, the test button and an idle Stop do nothing, not even search.
        Case{false, "toolbar:DevID", "", 0, ""}, Case{false, "toolbar:Detect", "", 0, ""},
        Case{false, "toolbar:Prueba", "", 0, ""}, Case{false, "toolbar:Stop", "", 0, ""},
        // While busy: Stop cancels without asking; another click asks Msg3 (before any
        // search) and is never run, Yes cancels.
        Case{false, "menu:BuffersFill", "toolbar:Stop", 0, "FillBuffers* cancel +-"},
        Case{false, "menu:BuffersFill", "menu:HelpAbout", mb::kNo, "FillBuffers* +- 36:Msg3"},
        Case{false, "menu:BuffersFill", "toolbar:Read", mb::kYes, "FillBuffers* cancel +- 36:Msg3"},
        // Exit goes through the window's close: at once when idle; while busy after Msg3,
        // and on Yes once the command has returned.
        Case{false, "menu:FileExit", "", 0, "CloseWindow "}, Case{false, "close", "", 0, "closes "},
        Case{false, "menu:BuffersFill", "close", mb::kNo, "FillBuffers* +- 36:Msg3"},
        Case{false, "menu:BuffersFill", "close", mb::kYes,
             "FillBuffers* cancel CloseWindow +- 36:Msg3"},
        // A lost link has said so already; a run-time error is reported. Both end the
        // busy state.
        Case{false, "menu:BuffersFill", "throw", 0, "FillBuffers* +-"},
        Case{false, "menu:BuffersFill", "error", 0, "FillBuffers* +- 16:Subscript out of range"}));

// The error box is titled after MenuAction; a cancel asked for after the last check of an
// earlier command does not stop the next; a close put off until a command ended does not
// follow a later one.
TEST(Commands, ErrorTitleStaleCancelAndOneClose) {
  test::TestSession t;
  FakeHost host{t.s};
  Commands commands{t.s, host};
  host.during = [] { throw RuntimeError("Subscript out of range"); };
  commands.MenuAction("BuffersFill");
  ASSERT_EQ(t.window.boxes.size(), 1u);
  EXPECT_EQ(t.window.boxes[0].title, "KRV330 - V1.25 [MenuAction]");
  EXPECT_EQ(t.window.beeps, 1);
  t.s.run.CancelRequested = true;
  t.window.answers = {mb::kYes};
  host.during = [&] {
    EXPECT_FALSE(CheckCancel(t.s));
    EXPECT_FALSE(commands.QueryUnload());
  };
  commands.MenuAction("FileOpen");
  commands.MenuAction("HelpAbout");
  EXPECT_EQ(host.log, "FillBuffers* OpenHexFile* CloseWindow ShowAbout* ");
}

}  // namespace
}  // namespace krv
