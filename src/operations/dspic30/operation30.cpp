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
