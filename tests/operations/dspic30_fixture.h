#pragma once
// A session with a dsPIC30 device selected and a simulated programmer holding that chip, and
// the images the tests put into the buffers and the chip.
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "buffers/buffers.h"
#include "core/session.h"
#include "devices/catalogue.h"
#include "sim/dspic30_chip.h"
#include "support/golden.h"
#include "support/test_session.h"

namespace krv::test {

// A catalogue row made small: 64 instructions, 32 executive instructions and 64 bytes of
// EEPROM from 0x7FFFC0, so that a whole report stream fits in a golden file.
inline DeviceRow TinyRow() {
  DeviceRow r = *FindDevice("PIC30F2010");
  r.Name = "PIC30FTEST";
  r.CodeSize = 64;
  r.ExecSize = 32;
  r.DataSize = 64;
  r.DataStart30 = 0x800000 - 64;
  return r;
}

struct DsPic30Session : TestSession {
  // Blank buffers, configuration values within the device's masks (as the configuration
  // dialog leaves them); with a seed, an image with gaps in every area instead.
  explicit DsPic30Session(const DeviceRow& row, unsigned seed = 0) {
    static_cast<DeviceRow&>(s.dev) = row;
    s.dev.DeviceName = row.Name;
    BlankBuffers(s.dev, s.buf);
    for (size_t k = 1; k <= 7; ++k) s.cfg.Config[k] = row.ConfigMasks[k - 1];
    auto c = std::make_unique<sim::DsPic30Chip>(row);
    chip = c.get();
    prog = &AttachProgrammer(std::move(c));
    window.onShow =
        clock.onShow = [this](const std::string& n) { notes.emplace_back(prog->log.size(), n); };
    if (seed == 0) return;
    std::mt19937 rng(seed);
    auto any = [&](uint32_t n) { return static_cast<uint32_t>(rng() % n); };
    // Whole rows, single instructions and runs across row and block edges.
    for (ByteBuffer* b : {&s.buf.CodeBuffer, &s.buf.ExecBuffer})
      for (int n = 0; n < b->Size() / 4; ++n)
        if ((n / 32) % 3 == 1 || any(100) < 2) SetInstruction(*b, n, any(0x1000000));
    for (int m = 0; m < s.dev.DataSize / 2; ++m)
      if ((m / 16) % 4 == 2 || any(100) < 5) SetInstruction(s.buf.DataBuffer, m, any(0x10000));
    for (size_t k = 1; k <= 7; ++k)
      s.cfg.Config[k] = static_cast<int32_t>(any(0x10000)) & row.ConfigMasks[k - 1];
  }

  // Instruction n of an area's buffer; data word m has the same layout, top byte zero.
  static void SetInstruction(ByteBuffer& buf, int n, uint32_t v) {
    for (int i = 0; i < 4; ++i) buf.Set(4 * n + i, i < 3 ? (v >> 8 * i) & 0xFF : 0);
  }
  static uint32_t Instruction(const ByteBuffer& buf, int n) {
    return static_cast<uint32_t>(buf.Get(4 * n + 2) << 16 | buf.Get(4 * n + 1) << 8 |
                                 buf.Get(4 * n));
  }
  // Every buffer element but the spare top one, and every configuration value, set to `v`.
  void FillBuffers(uint8_t v) {
    for (ByteBuffer* b : {&s.buf.CodeBuffer, &s.buf.ExecBuffer, &s.buf.DataBuffer})
      for (int32_t i = 0; i < b->UBound(); ++i) b->Set(i, v);
    for (size_t k = 1; k <= 7; ++k) s.cfg.Config[k] = v;
  }
  // Copies the buffers into the chip, or with `compare` gives the first cell where the chip
  // holds something else (registers masked), "" when there is none.
  std::string Sync(bool compare) {
    const BufferState& b = s.buf;
    for (int n = 0; n < s.dev.CodeSize; ++n) {
      if (!compare) chip->SetCode(n, Instruction(b.CodeBuffer, n));
      if (chip->Code(n) != Instruction(b.CodeBuffer, n)) return "code " + std::to_string(n);
    }
    for (int n = 0; n < s.dev.ExecSize; ++n) {
      if (!compare) chip->SetExec(n, Instruction(b.ExecBuffer, n));
      if (chip->Exec(n) != Instruction(b.ExecBuffer, n)) return "exec " + std::to_string(n);
    }
    for (int m = 0; m < s.dev.DataSize / 2; ++m) {
      const uint16_t word = Instruction(b.DataBuffer, m) & 0xFFFF;
      if (!compare) chip->SetDataWord(m, word);
      if (chip->DataWord(m) != word) return "data " + std::to_string(m);
    }
    for (int k = 1; k <= 7; ++k) {
      if (!compare) chip->SetConfig(k, static_cast<uint16_t>(s.cfg.Config[k]));
      if (chip->Config(k) != (s.cfg.Config[k] & s.dev.ConfigMasks[k - 1u]))
        return "Config" + std::to_string(k);
    }
    return "";
  }
  void PutBuffersIntoChip() { Sync(false); }
  std::string ChipDiffersFromBuffers() { return Sync(true); }

  // The traffic (and what the user saw meanwhile, when the golden file tells it) is that of
  // tests/data/dspic30/<golden>, and the programmer found no protocol error in it.
  ::testing::AssertionResult Matches(const std::string& golden) const {
    if (!prog->errors.empty()) return ::testing::AssertionFailure() << prog->errors.front();
    return MatchesGolden(*prog, "dspic30/" + golden, notes);
  }

  sim::DsPic30Chip* chip = nullptr;
  sim::Programmer* prog = nullptr;
  Notes notes;
};

}  // namespace krv::test
