#include "operations/dspic30/operation30.h"

#include "core/errors.h"
#include "core/helpers.h"
#include "core/session.h"
#include "core/window.h"
#include "link/link.h"
#include "operations/dspic30/primitives.h"

namespace krv {

End30 RunOperation30(Session& s, const char* procName, const std::function<End30()>& body) {
  OperationScope scope(s);
  try {
    return body();
  } catch (const LinkLost&) {
    // The link has shown its time-out box, closed, marked the programmer absent, set the
    // result to the time-out text and shown the Vpp picture off; the status line tells it.
    s.window->SetProgress(0);
    s.window->SetInfo(s.run.LastErrorText);
  } catch (const RuntimeError& e) {
    s.run.OperationOK = false;
    s.run.LastErrorText = e.what();
    try {
      // The answers of a block cut short are read and dropped first: the programmer leaves
      // programming mode with nothing pending.
      DrainInput(s);
      if (s.link.present) ExitProgMode30(s);
    } catch (const LinkLost&) {
      // The box of the lost link is shown; the error itself follows.
    }
    ShowVppOff(s);
    ShowError(s, procName, e.what());
  }
  return End30::Failed;
}

std::string StatusText30(const Session& s, const DeviceParams& d, Status30 what, bool readBack) {
  using enum TextId;
  const auto t = [&s](TextId id) { return Text(s, id); };
  const auto n = [](int32_t v) { return std::to_string(v); };
  switch (what) {
    case Status30::ReadCode:
      return t(Msg25) + n(d.CodeSize) + " Ins.";
    case Status30::ReadExec:
      return t(Msg27) + n(d.ExecSize) + " Ins.";
    case Status30::ReadData:
      return t(Msg26) + n(d.DataSize) + " Bytes";
    case Status30::ReadDone:
      return t(Msg28) + " " + n(d.CodeSize) + " ins." + t(Msg29) + " " + n(d.DataSize) + " Bytes";
    case Status30::VerifyCode:
      return t(Msg31) + n(d.CodeSize) + " ins.";
    case Status30::VerifyExec:
      return t(Msg33) + n(d.ExecSize) + " Ins.";
    case Status30::VerifyData:
      return t(Msg32) + n(d.DataSize) + " Bytes";
    case Status30::WriteCode:
      return t(readBack ? Msg38 : Msg35) + n(d.CodeSize) + " Ins.";
    case Status30::WriteExec:
      return t(readBack ? Msg40 : Msg37) + n(d.ExecSize) + " Ins.";
    case Status30::WriteData:
      return t(readBack ? Msg39 : Msg36) + n(d.DataSize) + " Bytes.";
    case Status30::WriteDone:
      return t(Msg45) + " " + n(d.CodeSize) + " ins." + t(Msg46) + " " + n(d.DataSize) + " Bytes";
    case Status30::Erasing:
      return t(Msg81) + " " + d.DeviceName + " ...";
    case Status30::Erased:
      return "ds" + d.DeviceName + " " + t(Msg80);
  }
  return {};
}

double ChipUnits30(const Session& s) {
  return s.dev.CodeSize + s.dev.ExecSize + s.dev.DataSize + 7;
}

void ShowStart30(Session& s, const std::string& status, double max) {
  s.window->SetInfo(status);
  s.window->SetProgressMax(max);
  s.window->SetProgress(0);
  s.window->DoEvents();
}

bool Cancelled30(Session& s) {
  if (!CheckCancel(s)) return false;
  ShowVppOff(s);
  return true;
}

}  // namespace krv
