#pragma once
// Buffers: sizing, blank fill, checksum, views.
//
// Layouts (one byte value per element, lower bound 0, the top element spare and 0):
//   12/14-bit  CodeBuffer 0..2 x CodeSize, word n = (2n low, 2n + 1 high);
//              DataBuffer 0..DataSize, one byte per element.
//   PIC18      CodeBuffer 0..2 x CodeSize, bytes in address order; DataBuffer 0..DataSize.
//   dsPIC30    CodeBuffer 0..4 x CodeSize, instruction n = (4n low, middle, high, 0);
//              ExecBuffer 0..4 x ExecSize, the same; DataBuffer 0..2 x DataSize, data word
//              m = (4m low, high, 0, 0).
// Every writer keeps the elements within 0..255 and the dsPIC30 fourth bytes 0.
#include <cstdint>
#include <string>

namespace krv {

struct Session;
struct DeviceParams;
struct BufferState;
struct ConfigState;

// Sizes the buffers for the selected device (contents dropped, every element 0) and sets
// the blank values BlankWord and BlankData.
void SizeBuffers(Session& s);
void SizeBuffers(const DeviceParams& d, BufferState& b);

// Sizes the buffers and fills them with the blank values of the device.
void BlankBuffers(const DeviceParams& d, BufferState& b);

// The configuration words and user IDs of a blank chip: ConfigWord 0xFFF (12-bit) or
// 0x3FFF, Config1..Config7 0xFFFF (Config1 0x3FFF where a 14-bit part has a second
// configuration word), UserID the blank ID words (12/14-bit) or bytes 0xFF.
void BlankConfigWords(const DeviceParams& d, ConfigState& c);

// Sizes the buffers anew and fills them and the configuration state blank: the words
// above, CalibWord1/2 0x3FFF, BandGapValue from the blank word, ConfigMask and CSumMask30
// from the device row. OscCalLow and OscCalHigh become 0: a saved OscCal belongs to the
// chip of the device selected before. Then the checksum and ShowWindows.
void InitWindows(Session& s);

// Buffers > Clear: as InitWindows, but the OscCal word saved by the last read or erase is
// kept (the chip in the socket is still the same), so clearing never loses it.
void ClearBuffers(Session& s);

// Recomputes the device checksum and writes "CSum: XXXX" (PIC18: "CSum: ----") to the
// checksum label. Returns the sum.
int32_t CalcDeviceCSum(Session& s);

// Rebuilds the views, then LoadConfig (through the window).
void ShowWindows(Session& s);

}  // namespace krv
