#pragma once
// A session with a dsPIC30 device selected and a simulated programmer holding that chip.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "devices/device.h"
#include "sim/dspic30_chip.h"
#include "support/test_session.h"

namespace krv::test {

// A dsPIC30 catalogue row: `code` instructions, `data` bytes of EEPROM (DataStart30 =
// 0x800000 - data, or 0), `exec` executive instructions, Config1 mask `mask1`.
DeviceRow DsPic30Row(const char* name, int32_t code, int32_t data, int32_t exec = 736,
                     uint16_t mask1 = 0xC30F);
// 64 instructions, 32 executive instructions, 64 bytes of EEPROM: a whole report stream
// fits in a test.
DeviceRow TinyRow();

struct DsPic30Session : TestSession {
  explicit DsPic30Session(const DeviceRow& row);
  // Buffers blank (instructions FF FF FF 00, data words FF FF 00 00), configuration
  // registers 0xFFFF within the device's masks.
  void BlankBuffers();
  // Every buffer element but the spare top one, and every configuration value, set to `v`.
  void FillBuffers(uint8_t v);
  // Instruction n of an area's buffer, data word m.
  void SetInstruction(ByteBuffer& buf, int n, uint32_t v);
  uint32_t Instruction(const ByteBuffer& buf, int n) const;
  void SetDataWord(int m, uint16_t v);
  uint16_t DataWord(int m) const;
  // An image with gaps: scattered non-blank rows, blocks and words in every area, and
  // configuration values within the device's masks. Deterministic for a seed.
  void RandomImage(unsigned seed);
  // "" when the chip holds exactly the buffers (configuration masked), else the first
  // difference.
  std::string ChipDiffersFromBuffers() const;

  // The chip takes the buffers' contents (configuration masked).
  void PutBuffersIntoChip();

  // The reports received, bytes 1..8 as "1D 20 00 00 1D 88 01 90".
  std::vector<std::string> Reports() const;

  // The link goes when the n-th report from now has been handled: the programmer is
  // unplugged, or it stays plugged but answers nothing more (every read times out).
  enum class Loss { Unplug, TimeOut };
  void LoseLinkAfterReport(Loss loss, int n);
  // The ending of an operation whose link went: the time-out box once, OperationOK False,
  // LastErrorText the time-out text, the Vpp picture off, and none of `successTexts` on the
  // status line.
  ::testing::AssertionResult EndedByLinkLoss(const std::vector<std::string>& successTexts) const;
  // From now on every report written and every answer read is logged in `traffic`, in the
  // order they cross the link.
  void RecordTraffic();
  // Each answer was read after the report that asked for it and before the next report that
  // asks for answers, and every answer asked for was read.
  ::testing::AssertionResult AnswersReadInStep() const;
  struct Crossing {
    bool answer;    // an answer read, else a report written
    Report report;  // the report written
  };
  std::vector<Crossing> traffic;
  // The traffic as Reports() gives it, each answer read as kAnswer.
  std::vector<std::string> Traffic() const;

  // A status text begins with `prefix`.
  bool Showed(const std::string& prefix) const;

  sim::DsPic30Chip* chip = nullptr;
  sim::Programmer* prog = nullptr;
};

// Report notation "02 00" padded to eight bytes, as the programmer receives it (kAnswer
// stays as it is).
std::vector<std::string> Padded(const std::vector<std::string>& reports);
// n copies of a report.
std::vector<std::string> Times(int n, const std::string& report);
// Joins report lists.
std::vector<std::string> Cat(std::initializer_list<std::vector<std::string>> parts);

// An answer read, in a list of reports.
inline const std::string kAnswer = "answer";
// The one period in programming mode that reads (or verifies) the whole of TinyRow's chip:
// its reports and where each answer is read.
std::vector<std::string> TinyReadTraffic();
// Its reports alone, as the programmer receives them.
std::vector<std::string> TinyReadStream();

}  // namespace krv::test
