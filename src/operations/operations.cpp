#include "operations/operations.h"

#include "core/helpers.h"
#include "core/session.h"
#include "core/window.h"
#include "operations/dspic30/dspic30.h"

namespace krv {

namespace {

// The PIC10/12/16/18 algorithms are not part of this version: say so and send nothing.
bool Supported(Session& s) {
  if (s.dev.IsDsPic30()) return true;
  s.window->MsgBox(Text(s, TextId::NoChipOps), mb::kInformation, kAppTitle);
  return false;
}

}  // namespace

void ReadDevice(Session& s) {
  if (Supported(s)) ReadPIC30(s);
}

void VerifyDevice(Session& s) {
  if (Supported(s)) VerifyPIC30(s);
}

void WriteDevice(Session& s) {
  if (Supported(s)) WritePIC30(s);
}

void EraseDevice(Session& s) {
  if (Supported(s)) ErasePIC30(s);
}

}  // namespace krv
