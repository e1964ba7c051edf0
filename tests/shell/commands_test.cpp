// The busy and cancel rules of the menu and toolbar commands, through the recording window.
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/helpers.h"
#include "shell/commands.h"
#include "support/test_session.h"

namespace krv {
namespace {

// Records the commands that reached the window; `during` runs inside the next one.
struct FakeHost : CommandHost {
  void OpenHexFile() override { Ran("OpenHexFile"); }
  void SaveHexFile() override { Ran("SaveHexFile"); }
  void UpdateHexFile() override { Ran("UpdateHexFile"); }
  void FillBuffers() override { Ran("FillBuffers"); }
  void ShowSettings() override { Ran("ShowSettings"); }
  void ShowAbout() override { Ran("ShowAbout"); }
  void CloseWindow() override { Ran("CloseWindow"); }

  void Ran(const std::string& what) {
    ran.push_back(what);
    if (during) {
      auto f = std::move(during);
      during = nullptr;
      f();
    }
  }
  std::vector<std::string> ran;
  std::function<void()> during;
};

class CommandsTest : public ::testing::Test {
 protected:
  test::TestSession t;
  FakeHost host;
  Commands commands{t.s, host};
  const std::string msg1 = Text(t.s, TextId::Msg1);
  const std::string msg3 = Text(t.s, TextId::Msg3);
};

// The file and option commands run from the menu without a programmer, the toolbar's file
// buttons with one; each inside the busy state.
TEST_F(CommandsTest, CommandsReachTheirHandlersInTheBusyState) {
  const std::tuple<const char*, const char*, std::string> cases[] = {
      {"FileOpen", "Open", "OpenHexFile"},       {"FileSave", "Save", "SaveHexFile"},
      {"FileUpdate", "Update", "UpdateHexFile"}, {"BuffersFill", "Fill", "FillBuffers"},
      {"OptionsSettings", "", "ShowSettings"},   {"HelpAbout", "", "ShowAbout"}};
  for (const bool toolbar : {false, true}) {
    if (toolbar) t.AttachProgrammer();
    for (const auto& [menu, key, handler] : cases) {
      if (toolbar && !*key) continue;
      host.ran.clear();
      t.window.busyStates.clear();
      bool busyInside = false;
      host.during = [&] { busyInside = t.s.run.ActionRunning; };
      toolbar ? commands.ToolbarClick(key) : commands.MenuAction(menu);
      EXPECT_EQ(host.ran, std::vector<std::string>{handler}) << menu;
      EXPECT_TRUE(busyInside) << menu;
      EXPECT_FALSE(t.s.run.ActionRunning) << menu;
      EXPECT_EQ(t.window.busyStates, (std::vector<bool>{true, false})) << menu;
    }
  }
  EXPECT_TRUE(t.window.boxes.empty());
}

TEST_F(CommandsTest, WithoutProgrammerDeviceCommandsAndToolbarButtonsShowMsg1AndAreDropped) {
  const auto expectMsg1 = [&](const std::string& what) {
    ASSERT_EQ(t.window.boxes.size(), 1u) << what;
    EXPECT_EQ(t.window.boxes[0].text, msg1) << what;
    EXPECT_EQ(t.window.boxes[0].style, 48);
    EXPECT_EQ(t.window.boxes[0].title, kAppTitle);
    EXPECT_TRUE(t.window.busyStates.empty()) << what << ": never entered the busy state";
    t.window.boxes.clear();
  };
  for (const char* name : {"DeviceRead", "DeviceVerify", "DeviceWrite", "DeviceErase"}) {
    commands.MenuAction(name);
    expectMsg1(name);
  }
  for (const char* key : {"Open", "Save", "Update", "Fill", "Read", "Verify", "Write", "Erase"}) {
    commands.ToolbarClick(key);
    expectMsg1(key);
  }
  EXPECT_TRUE(host.ran.empty());
  EXPECT_EQ(t.window.hardware, "Hw.: Unknown");
}

TEST_F(CommandsTest, MenuDeviceCommandsSearchForTheProgrammerFirst) {
  t.AttachProgrammer();
  t.programmer->plugged = false;
  t.transport->Close();
  t.s.link.present = false;
  t.programmer->plugged = true;  // plugged in again since
  const int opens = t.transport->opens;
  commands.MenuAction("DeviceRead");
  EXPECT_EQ(t.transport->opens, opens + 1);
  EXPECT_TRUE(t.s.link.present);
  for (const auto& box : t.window.boxes) EXPECT_NE(box.text, msg1);
  EXPECT_EQ(t.window.busyStates, (std::vector<bool>{true, false}));
}

// Without a programmer, a search would show Msg1: no box means no search. Idle, these
// buttons do nothing at all.
TEST_F(CommandsTest, IdentificationTestAndStopButtonsNeverSearchForTheProgrammer) {
  for (const char* key : {"DevID", "Detect", "Prueba", "Stop"}) commands.ToolbarClick(key);
  EXPECT_TRUE(host.ran.empty());
  EXPECT_TRUE(t.window.boxes.empty());
  EXPECT_TRUE(t.window.busyStates.empty());
  EXPECT_FALSE(t.s.run.CancelRequested);

  // While a command runs: the cancel request, without a question.
  host.during = [&] {
    commands.ToolbarClick("Stop");
    EXPECT_TRUE(t.s.run.CancelRequested);
    EXPECT_TRUE(t.s.run.ActionRunning) << "busy until the command returns";
  };
  commands.MenuAction("BuffersFill");
  EXPECT_TRUE(t.window.boxes.empty());
  EXPECT_EQ(t.window.hardware, "");
}

// A menu or toolbar click while busy asks Msg3 (before any search for the programmer) and
// is not run; Yes reaches the running command through CheckCancel.
TEST_F(CommandsTest, ClickWhileBusyAsksMsg3AndNeverStartsASecondCommand) {
  const std::pair<bool, int> cases[] = {{false, mb::kYes}, {false, mb::kNo}, {true, mb::kYes}};
  for (const auto& [toolbar, answer] : cases) {
    t.window.boxes.clear();
    t.window.answers = {answer};
    host.ran.clear();
    bool busyAfterQuestion = false, cancelled = false;
    host.during = [&] {
      toolbar ? commands.ToolbarClick("Read") : commands.MenuAction("HelpAbout");
      busyAfterQuestion = t.s.run.ActionRunning;
      cancelled = CheckCancel(t.s);
    };
    commands.MenuAction("BuffersFill");
    ASSERT_EQ(t.window.boxes.size(), 1u);
    EXPECT_EQ(t.window.boxes[0].text, msg3);
    EXPECT_EQ(t.window.boxes[0].style, 36);
    EXPECT_EQ(host.ran, std::vector<std::string>{"FillBuffers"}) << "the click is not run";
    EXPECT_TRUE(busyAfterQuestion);
    EXPECT_EQ(cancelled, answer == mb::kYes);
    EXPECT_FALSE(t.s.run.CancelRequested);
    EXPECT_FALSE(t.s.run.ActionRunning);
    if (cancelled) {
      EXPECT_EQ(t.window.info(), Text(t.s, TextId::Msg8));
    }
  }
}

TEST_F(CommandsTest, StaleCancelRequestDoesNotStopTheNextCommand) {
  t.s.run.CancelRequested = true;  // asked for after the last check of an earlier command
  bool cancelledAtStart = true;
  host.during = [&] { cancelledAtStart = CheckCancel(t.s); };
  commands.MenuAction("FileOpen");
  EXPECT_FALSE(cancelledAtStart);
}

TEST_F(CommandsTest, CloseWhileBusyAsksAndClosesOnlyAfterTheCommandReturned) {
  commands.MenuAction("FileExit");
  EXPECT_EQ(host.ran, std::vector<std::string>{"CloseWindow"});
  EXPECT_TRUE(t.window.busyStates.empty()) << "the window's close has its own rule";
  host.ran.clear();
  EXPECT_TRUE(commands.QueryUnload()) << "idle: close at once";
  EXPECT_TRUE(t.window.boxes.empty());

  // No: the command runs on, the window stays.
  t.window.answers = {mb::kNo};
  host.during = [&] { EXPECT_FALSE(commands.QueryUnload()); };
  commands.MenuAction("BuffersFill");
  EXPECT_EQ(host.ran, std::vector<std::string>{"FillBuffers"});
  EXPECT_FALSE(t.s.run.CancelRequested);

  // Yes: cancel requested, the close waits for the command's end.
  host.ran.clear();
  t.window.answers = {mb::kYes};
  host.during = [&] {
    EXPECT_FALSE(commands.QueryUnload());
    EXPECT_TRUE(t.s.run.CancelRequested);
    EXPECT_EQ(host.ran, std::vector<std::string>{"FillBuffers"}) << "not closed yet";
  };
  commands.MenuAction("BuffersFill");
  EXPECT_EQ(host.ran, (std::vector<std::string>{"FillBuffers", "CloseWindow"}));
  EXPECT_FALSE(t.s.run.ActionRunning);
  EXPECT_EQ(t.window.boxes.back().text, msg3);

  // The close does not follow a later command.
  host.ran.clear();
  commands.MenuAction("HelpAbout");
  EXPECT_EQ(host.ran, std::vector<std::string>{"ShowAbout"});
}

// A lost link has said so already; a run-time error is reported. Both end the busy state.
TEST_F(CommandsTest, ErrorsEndTheBusyState) {
  host.during = [] { throw LinkLost(); };
  commands.MenuAction("BuffersFill");
  EXPECT_TRUE(t.window.boxes.empty());
  EXPECT_FALSE(t.s.run.ActionRunning);

  t.window.busyStates.clear();
  host.during = [] { throw RuntimeError("Subscript out of range"); };
  commands.MenuAction("BuffersFill");
  ASSERT_EQ(t.window.boxes.size(), 1u);
  EXPECT_EQ(t.window.boxes[0].text, "Subscript out of range");
  EXPECT_EQ(t.window.boxes[0].style, 16);
  EXPECT_EQ(t.window.boxes[0].title, "KRV330 - V1.25 [MenuAction]");
  EXPECT_EQ(t.window.beeps, 1);
  EXPECT_FALSE(t.s.run.ActionRunning);
  EXPECT_EQ(t.window.busyStates, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace krv
