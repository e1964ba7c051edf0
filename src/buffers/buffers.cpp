// Placeholder buffer services until the buffers subsystem lands.
#include "buffers/buffers.h"

#include "shell/helpers.h"
#include "shell/session.h"
#include "shell/window.h"

namespace krv {

void SizeBuffers(Session& s) {
  const bool ds = s.dev.CoreWidth == 24;
  s.buf.CodeBuffer.Redim(ds ? 4 * s.dev.CodeSize : 2 * s.dev.CodeSize);
  s.buf.DataBuffer.Redim(ds ? 2 * s.dev.DataSize : s.dev.DataSize);
  s.buf.ExecBuffer.Redim(ds ? 4 * s.dev.ExecSize : -1);
}

void InitWindows(Session& s) {
  SizeBuffers(s);
  ShowWindows(s);
}

void ClearBuffers(Session& s) {
  InitWindows(s);
}

int32_t CalcDeviceCSum(Session& s) {
  s.window->SetCSum("CSum: 0000");
  return 0;
}

void ShowWindows(Session& s) {
  s.window->ShowWindows();
}

}  // namespace krv
