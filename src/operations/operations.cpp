// Placeholder dispatchers until the chip operations land.
#include "operations/operations.h"

#include "shell/helpers.h"
#include "shell/session.h"
#include "shell/window.h"

namespace krv {
namespace {
void NotAvailable(Session& s) {
  s.window->MsgBox(Text(s, TextId::NoChipOps), mb::kInformation, kAppTitle);
}
}  // namespace
void ReadDevice(Session& s) {
  NotAvailable(s);
}
void VerifyDevice(Session& s) {
  NotAvailable(s);
}
void WriteDevice(Session& s) {
  NotAvailable(s);
}
void EraseDevice(Session& s) {
  NotAvailable(s);
}
}  // namespace krv
