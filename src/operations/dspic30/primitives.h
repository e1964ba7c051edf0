#pragma once
// The vocabulary of dsPIC30 programming: the instruction words the host clocks into the
// chip, the named report sequences, and the rules that turn answers into buffer elements.
// Every report goes out through SendToKRV, every answer comes back through ReadReport.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "core/state.h"

namespace krv {

struct Session;

// The three bytes of MOV #k, Wd (0x2kkkkd), most significant first. A literal outside
// 0..0xFFFF or a register outside W0..W15 is a run-time error.
std::array<uint8_t, 3> MovLiteral30(int32_t k, int d);

inline constexpr int32_t kExecStart30 = 0x800000;
inline constexpr int32_t kConfigPage30 = 0xF8;
// Blank sums: a blank instruction is FF FF FF 00 (765), a blank data word FF FF 00 00 (510).
inline constexpr uint32_t kBlankInstructionSum = 765;
inline constexpr uint32_t kBlankDataWordSum = 510;

// [01 25 00]: CmdEnterProgMode, CmdResetPC30. Opens every period in programming mode.
void OpenProgMode30(Session& s);
// [02 00]: CmdExitProgMode. Closes it.
void ExitProgMode30(Session& s);
// [25 00]: CmdResetPC30, before each later memory area.
void ResetPC30(Session& s);
// [24 00]: CmdStartNvm30, starts the operation set in NVMCON.
void StartNvm30(Session& s);
// MOV #p, W0; MOV W0, TBLPAG.
void SetTablePage30(Session& s, int32_t p);
// MOV #v, W10; MOV W10, NVMCON.
void SetNvmcon30(Session& s, int32_t v);
// [1D, MOV #k, Wd, 00]: one literal into one register (a pointer or a value).
void MovToW30(Session& s, int32_t k, int d);
// [1D, MOV #wm, Wm, 1D, MOV #wn, Wn]: two registers of a write group.
void LoadPair30(Session& s, int32_t wm, int m, int32_t wn, int n);

// Read pointers of the areas.
void SetCodeReadPtr30(Session& s);    // MOV #0, W6
void SetDataReadPtr30(Session& s);    // MOV #(DataStart30 And 0xFFFF), W6; CLR W7
void SetConfigReadPtr30(Session& s);  // CLR W6; CLR W7
// MOV #w6, W6; CLR W7: the data read position at a chosen word of the page.
void SetDataReadPtrAt30(Session& s, int32_t w6);

// The page of an area: 0x00, 0x80, DataStart30 \ 0x10000, 0xF8 (Config; a dsPIC30 has no
// user IDs).
int32_t AreaPage30(const Session& s, MemoryArea area);
// [25 00] (left out right after OpenProgMode30, which carries it), the area's table page
// and its read pointer.
void AreaSetup30(Session& s, MemoryArea area, bool rightAfterOpen);

// Eight CmdReadCode30 in one report, then the eight answers, `each(j)` after the j-th.
void ReadCodeAnswers30(Session& s, const std::function<void(int j)>& each);
// The same for CmdReadData30.
void ReadDataAnswers30(Session& s, const std::function<void(int j)>& each);

// Sixteen instructions from the read position into buf elements b .. b + 63.
void ReadCodeBlock30(Session& s, ByteBuffer& buf, int32_t b);
// One packed instruction pair from the answer into elements e .. e + 7: byte 4 is the
// second instruction's top byte.
void UnpackCodePair30(const std::array<uint8_t, 9>& in, ByteBuffer& buf, int32_t e);
// Four data words from the answer into elements e .. e + 15 (low, high, 0, 0 each).
void UnpackDataQuad30(const std::array<uint8_t, 9>& in, ByteBuffer& buf, int32_t e);

// Reads the configuration register at the read position (W6 moves on by 2) and returns
// its value.
int32_t ReadConfigReg30(Session& s);
// Writes `value` into the configuration register at TBLPAG:W7 (W7 moves on by 2).
void WriteConfigReg30(Session& s, int32_t value);

// Comparisons shared by the verify and the write's read-back. Each compares only while
// OperationOK is True; the first difference sets LastErrorText and clears OperationOK.
// The instruction pair of the last answer against buf elements e .. e + 6.
void ComparePair30(Session& s, MemoryArea area, const ByteBuffer& buf, int32_t e);
// Word q (0..3) of the last data answer against elements e + 4q, e + 4q + 1.
void CompareDataWord30(Session& s, const ByteBuffer& buf, int32_t e, int q);
// Configuration register k (1..7) read as v, against the whole of its value.
void CompareConfig30(Session& s, int k, int32_t v);

// The progress bar moves on by `step`; then one yield.
void Advance30(Session& s, double step);

}  // namespace krv
