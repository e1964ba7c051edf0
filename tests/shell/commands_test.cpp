// The busy and cancel rules of the menu and toolbar commands, through the recording window.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "shell/commands.h"
#include "shell/errors.h"
#include "shell/helpers.h"
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

  int BoxesWith(const std::string& text) const {
    int n = 0;
    for (const auto& b : t.window.boxes) n += b.text == text;
    return n;
  }
};

TEST_F(CommandsTest, MenuCommandsReachTheirHandlersInTheBusyState) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"FileOpen", "OpenHexFile"},         {"FileSave", "SaveHexFile"},
      {"FileUpdate", "UpdateHexFile"},     {"BuffersFill", "FillBuffers"},
      {"OptionsSettings", "ShowSettings"}, {"HelpAbout", "ShowAbout"}};
  for (const auto& [menu, handler] : cases) {
    host.ran.clear();
    t.window.busyStates.clear();
    bool busyInside = false;
    host.during = [&] { busyInside = t.s.run.ActionRunning; };
    commands.MenuAction(menu);
    EXPECT_EQ(host.ran, std::vector<std::string>{handler}) << menu;
    EXPECT_TRUE(busyInside) << menu;
    EXPECT_FALSE(t.s.run.ActionRunning) << menu;
    EXPECT_EQ(t.window.busyStates, (std::vector<bool>{true, false})) << menu;
  }
  // The file and option commands run without a programmer from the menu.
  EXPECT_EQ(BoxesWith(msg1), 0);
}

TEST_F(CommandsTest, MenuDeviceCommandsWithoutProgrammerShowMsg1AndAreDropped) {
  for (const char* name : {"DeviceRead", "DeviceVerify", "DeviceWrite", "DeviceErase"}) {
    t.window.boxes.clear();
    commands.MenuAction(name);
    ASSERT_EQ(t.window.boxes.size(), 1u) << name;
    EXPECT_EQ(t.window.boxes[0].text, msg1);
    EXPECT_EQ(t.window.boxes[0].style, 48);
    EXPECT_EQ(t.window.boxes[0].title, kAppTitle);
    EXPECT_TRUE(t.window.busyStates.empty()) << name << ": never entered the busy state";
  }
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
  EXPECT_EQ(BoxesWith(msg1), 0);
  EXPECT_EQ(t.window.busyStates, (std::vector<bool>{true, false}));
}

TEST_F(CommandsTest, ToolbarButtonsNeedTheProgrammer) {
  for (const char* key : {"Open", "Save", "Update", "Fill", "Read", "Verify", "Write", "Erase"}) {
    t.window.boxes.clear();
    commands.ToolbarClick(key);
    ASSERT_EQ(t.window.boxes.size(), 1u) << key;
    EXPECT_EQ(t.window.boxes[0].text, msg1) << key;
  }
  EXPECT_TRUE(host.ran.empty());

  t.AttachProgrammer();
  const std::vector<std::pair<std::string, std::string>> cases = {{"Open", "OpenHexFile"},
                                                                  {"Save", "SaveHexFile"},
                                                                  {"Update", "UpdateHexFile"},
                                                                  {"Fill", "FillBuffers"}};
  for (const auto& [key, handler] : cases) {
    host.ran.clear();
    commands.ToolbarClick(key);
    EXPECT_EQ(host.ran, std::vector<std::string>{handler}) << key;
  }
}

// Without a programmer, a search would show Msg1: no box means no search.
TEST_F(CommandsTest, IdentificationAndTestButtonsRunNothing) {
  for (const char* key : {"DevID", "Detect", "Prueba"}) commands.ToolbarClick(key);
  EXPECT_TRUE(host.ran.empty());
  EXPECT_TRUE(t.window.boxes.empty());
  EXPECT_TRUE(t.window.busyStates.empty());
}

TEST_F(CommandsTest, StopNeverSearchesForTheProgrammer) {
  // Idle: nothing at all happens.
  commands.ToolbarClick("Stop");
  EXPECT_TRUE(t.window.boxes.empty());
  EXPECT_FALSE(t.s.run.CancelRequested);
  EXPECT_TRUE(t.window.busyStates.empty());

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

TEST_F(CommandsTest, ClickWhileBusyAsksMsg3AndNeverStartsASecondCommand) {
  for (const int answer : {mb::kYes, mb::kNo}) {
    t.window.boxes.clear();
    t.window.answers = {answer};
    host.ran.clear();
    bool busyAfterQuestion = false;
    host.during = [&] {
      commands.MenuAction("HelpAbout");  // a menu click
      busyAfterQuestion = t.s.run.ActionRunning;
    };
    commands.MenuAction("BuffersFill");
    ASSERT_EQ(t.window.boxes.size(), 1u);
    EXPECT_EQ(t.window.boxes[0].text, msg3);
    EXPECT_EQ(t.window.boxes[0].style, 36);
    EXPECT_EQ(host.ran, std::vector<std::string>{"FillBuffers"}) << "the click is not run";
    EXPECT_TRUE(busyAfterQuestion);
    EXPECT_EQ(t.s.run.CancelRequested, answer == mb::kYes);
    EXPECT_FALSE(t.s.run.ActionRunning);
  }
}

TEST_F(CommandsTest, ToolbarClickWhileBusyAsksBeforeAnySearch) {
  t.window.answers = {mb::kYes};
  host.during = [&] { commands.ToolbarClick("Read"); };
  commands.MenuAction("BuffersFill");
  ASSERT_EQ(t.window.boxes.size(), 1u);
  EXPECT_EQ(t.window.boxes[0].text, msg3);
  EXPECT_TRUE(t.s.run.CancelRequested);
}

TEST_F(CommandsTest, ConfirmedCancelReachesTheRunningOperationThroughCheckCancel) {
  bool cancelled = false;
  t.window.answers = {mb::kYes};
  host.during = [&] {
    commands.MenuAction("HelpAbout");
    cancelled = CheckCancel(t.s);
  };
  commands.MenuAction("BuffersFill");
  EXPECT_TRUE(cancelled);
  EXPECT_FALSE(t.s.run.CancelRequested);
  EXPECT_EQ(t.window.info(), Text(t.s, TextId::Msg8));
}

TEST_F(CommandsTest, StaleCancelRequestDoesNotStopTheNextCommand) {
  t.s.run.CancelRequested = true;  // asked for after the last check of an earlier command
  bool cancelledAtStart = true;
  host.during = [&] { cancelledAtStart = CheckCancel(t.s); };
  commands.MenuAction("FileOpen");
  EXPECT_FALSE(cancelledAtStart);
}

TEST_F(CommandsTest, CloseWhileBusyAsksAndClosesOnlyAfterTheCommandReturned) {
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

TEST_F(CommandsTest, ExitClosesTheWindow) {
  commands.MenuAction("FileExit");
  EXPECT_EQ(host.ran, std::vector<std::string>{"CloseWindow"});
  EXPECT_TRUE(t.window.busyStates.empty()) << "the window's close has its own rule";
}

TEST_F(CommandsTest, RunTimeErrorIsReportedAndEndsTheBusyState) {
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

TEST_F(CommandsTest, LostLinkEndsTheCommandWithoutASecondMessage) {
  host.during = [] { throw LinkLost(); };
  commands.MenuAction("BuffersFill");
  EXPECT_TRUE(t.window.boxes.empty());
  EXPECT_FALSE(t.s.run.ActionRunning);
}

}  // namespace
}  // namespace krv
