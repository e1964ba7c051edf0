#pragma once
// The simulated dsPIC30F chip: the serial-execution registers, the memories and the closed
// set of instruction words and block commands the host sends.
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "core/device.h"
#include "sim/chip.h"

namespace krv::sim {

class DsPic30Chip final : public Chip {
 public:
  static constexpr uint32_t kBlankInstruction = 0xFFFFFF;
  static constexpr uint16_t kBlankWord = 0xFFFF;
  static constexpr uint32_t kExecStart = 0x800000;
  static constexpr int kRowInstructions = 32;  // one program row
  static constexpr int kExecRows = 24;         // the executive area
  static constexpr int kExecInstructions = kExecRows * kRowInstructions;
  static constexpr int kDataRowWords = 16;            // one data EEPROM row
  static constexpr uint32_t kConfigStart = 0xF80000;  // Config1 .. Config7
  static constexpr int kConfigRegisters = 7;

  // A blank chip of the device's sizes (program memory, data EEPROM, configuration masks).
  explicit DsPic30Chip(const DeviceRow& row);

  // Chip interface (driven by the simulated programmer).
  void EnterProgMode() override;
  void ExitProgMode() override;
  bool InProgMode() const override { return progMode_; }
  void Six(uint32_t instruction) override;
  Answer RegOut() override;
  void Nop() override {}
  Answer ReadCode() override;
  void WriteCode() override;
  Answer ReadData() override;
  void WriteData() override;
  void StartNvm() override;
  void ResetPC() override { ++pcResets; }

  // Inspection and setting for tests. Instruction n of program memory or of the executive
  // area, data word m, configuration register k (1..7, unimplemented bits read 0).
  int CodeSize() const { return static_cast<int>(code_.size()); }
  int DataWords() const { return static_cast<int>(data_.size()); }
  uint32_t Code(int n) const { return code_.at(static_cast<size_t>(n)); }
  void SetCode(int n, uint32_t v) { code_.at(static_cast<size_t>(n)) = v & 0xFFFFFF; }
  uint32_t Exec(int n) const { return exec_.at(static_cast<size_t>(n)); }
  void SetExec(int n, uint32_t v) { exec_.at(static_cast<size_t>(n)) = v & 0xFFFFFF; }
  uint16_t DataWord(int m) const { return data_.at(static_cast<size_t>(m)); }
  void SetDataWord(int m, uint16_t v) { data_.at(static_cast<size_t>(m)) = v; }
  uint16_t Config(int k) const { return config_.at(static_cast<size_t>(k - 1)); }
  void SetConfig(int k, uint16_t v);

  // Registers.
  uint16_t W(int d) const { return w_.at(static_cast<size_t>(d)); }
  uint8_t TBLPAG() const { return tblpag_; }
  uint16_t NVMCON() const { return nvmcon_; }
  uint16_t NVMADR() const { return nvmadr_; }
  uint8_t NVMADRU() const { return nvmadru_; }
  uint16_t VISI() const { return visi_; }

  // Fault injection: the bits of `mask` at chip address `address` always read as in
  // `value`, whatever was programmed.
  void StickBits(uint32_t address, uint32_t mask, uint32_t value);

  // What the chip was asked to do.
  struct NvmOp {
    uint16_t nvmcon;
    uint32_t address;  // row, register or erase address (0 for the bulk erase)
  };
  std::vector<NvmOp> nvmOps;
  // Cells programmed while they were not blank (the row or word was not erased first).
  struct Overwrite {
    uint32_t address;
    uint32_t before, programmed;
  };
  std::vector<Overwrite> overwrites;
  int pcResets = 0;

 private:
  enum class Area { Code, Exec, Data, Config };
  struct Cell {
    Area area;
    int index;
  };
  // The cell at a chip address, or a ProtocolError naming `what`.
  Cell Locate(uint32_t address, const char* what) const;
  bool Has(uint32_t address) const;
  uint32_t ReadCell(uint32_t address, const char* what) const;
  uint32_t Stuck(uint32_t address, uint32_t value) const;
  uint32_t Pointer(int w) const { return static_cast<uint32_t>(tblpag_) << 16 | w_[w]; }
  void Advance(int w, int by);  // moves TBLPAG:Ww on, carrying into TBLPAG
  void Latch(uint32_t address, uint32_t value, bool data);
  void ProgramRow(bool data);
  void Program(uint32_t address, uint32_t value);
  void EraseRow(uint32_t address);

  struct Latches {
    bool any = false;
    uint32_t row = 0;     // first address of the row being loaded
    uint32_t loaded = 0;  // one bit per latch
    std::array<uint32_t, kRowInstructions> v{};
  };

  DeviceRow row_;
  uint32_t dataStart_;
  std::vector<uint32_t> code_, exec_;
  std::vector<uint16_t> data_;
  std::array<uint16_t, kConfigRegisters> config_{};
  std::map<uint32_t, std::pair<uint32_t, uint32_t>> stuck_;

  bool progMode_ = false;
  std::array<uint16_t, 16> w_{};
  uint8_t tblpag_ = 0;
  uint16_t nvmcon_ = 0, nvmadr_ = 0, visi_ = 0;
  uint8_t nvmadru_ = 0;
  Latches codeLatches_, dataLatches_;
  bool configLatched_ = false;
  uint32_t configLatchAddress_ = 0;
  uint16_t configLatch_ = 0;
};

// A blank chip of the device's sizes.
std::unique_ptr<Chip> MakeDsPic30Chip(const DeviceRow& row);

}  // namespace krv::sim
