#pragma once
// Buffers: sizing, blank fill, checksum, views.
#include <cstdint>
#include <string>

namespace krv {

struct Session;

// Sizes the buffers for the selected device (contents dropped) and sets the blank values.
void SizeBuffers(Session& s);

// Fills the buffers and the configuration state blank, then ShowWindows.
void InitWindows(Session& s);

// Buffers > Clear: blank buffers and configuration state, checksum, ShowWindows.
void ClearBuffers(Session& s);

// Recomputes the device checksum and writes "CSum: XXXX" (PIC18: "CSum: ----") to the
// checksum label. Returns the sum.
int32_t CalcDeviceCSum(Session& s);

// Rebuilds the views, then LoadConfig (through the window).
void ShowWindows(Session& s);

}  // namespace krv
