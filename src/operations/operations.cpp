#include "operations/operations.h"

#include <algorithm>

#include "core/helpers.h"
#include "core/session.h"
#include "core/window.h"
#include "devices/catalogue.h"
#include "operations/dspic30/dspic30.h"
#include "operations/dspic30/operation30.h"

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

std::vector<std::string> StatusTexts(const Session& s) {
  using enum TextId;
  // The link's, and the result of a verify.
  std::vector<std::string> texts;
  for (const TextId id : {Msg1, Msg8, Msg9, Msg30, Msg55}) texts.push_back(Text(s, id));
  DeviceParams widest{};
  for (const DeviceRow& row : DeviceTable()) {
    if (!row.IsDsPic30()) continue;
    widest.CodeSize = std::max(widest.CodeSize, row.CodeSize);
    widest.ExecSize = std::max(widest.ExecSize, row.ExecSize);
    widest.DataSize = std::max(widest.DataSize, row.DataSize);
    widest.DeviceName = row.Name;
    for (const Status30 what : {Status30::Erasing, Status30::Erased})
      texts.push_back(StatusText30(s, widest, what));
  }
  for (int what = 0; what <= static_cast<int>(Status30::Last); ++what)
    for (const bool readBack : {false, true})
      texts.push_back(StatusText30(s, widest, static_cast<Status30>(what), readBack));
  return texts;
}

}  // namespace krv
