#include "sim/dspic30_chip.h"

#include <string>

#include "core/hex_text.h"

namespace krv::sim {

namespace {

// The fixed instruction words of serial execution (MOV #k, Wd is 0x2kkkkd).
constexpr uint32_t kMovW0Tblpag = 0x880190;
constexpr uint32_t kMovW10Nvmcon = 0x883B0A;
constexpr uint32_t kMovW6Nvmadr = 0x883B16;
constexpr uint32_t kMovW7Nvmadru = 0x883B27;
constexpr uint32_t kMovW0Visi = 0x883C20;
constexpr uint32_t kClrW6 = 0xEB0300;
constexpr uint32_t kClrW7 = 0xEB0380;
constexpr uint32_t kTblrdlW6W7 = 0xBA0BB6;
constexpr uint32_t kTblwtlW6W7 = 0xBB1B86;

constexpr uint32_t kCodeRowUnits = 2 * DsPic30Chip::kRowInstructions;  // 64 addresses
constexpr uint32_t kDataRowUnits = 2 * DsPic30Chip::kDataRowWords;     // 32 addresses

std::string Hex(uint32_t v) {
  std::string out;
  FormatHex(v, 6, out);
  return "0x" + out;
}

}  // namespace

DsPic30Chip::DsPic30Chip(const DeviceRow& row)
    : row_(row),
      dataStart_(static_cast<uint32_t>(row.DataStart30)),
      code_(static_cast<size_t>(row.CodeSize), kBlankInstruction),
      exec_(kExecInstructions, kBlankInstruction),
      data_(static_cast<size_t>(row.DataSize / 2), kBlankWord) {
  for (int k = 1; k <= kConfigRegisters; ++k) SetConfig(k, 0xFFFF);
}

void DsPic30Chip::SetConfig(int k, uint16_t v) {
  config_.at(static_cast<size_t>(k - 1)) = v & row_.ConfigMasks[static_cast<size_t>(k - 1)];
}

void DsPic30Chip::StickBits(uint32_t address, uint32_t mask, uint32_t value) {
  stuck_[address] = {mask, value};
}

void DsPic30Chip::EnterProgMode() {
  progMode_ = true;
  w_ = {};
  tblpag_ = 0;
  nvmcon_ = nvmadr_ = visi_ = 0;
  nvmadru_ = 0;
  codeLatches_ = dataLatches_ = Latches{};
  configLatched_ = false;
}

void DsPic30Chip::ExitProgMode() {
  progMode_ = false;
  codeLatches_ = dataLatches_ = Latches{};
  configLatched_ = false;
}

DsPic30Chip::Cell DsPic30Chip::Locate(uint32_t a, const char* what) const {
  if (a % 2 != 0) throw ProtocolError(std::string(what) + " at odd address " + Hex(a));
  if (a < 2 * code_.size()) return {Area::Code, static_cast<int>(a / 2)};
  if (a >= kExecStart && a < kExecStart + 2 * exec_.size())
    return {Area::Exec, static_cast<int>((a - kExecStart) / 2)};
  if (!data_.empty() && a >= dataStart_ && a < dataStart_ + 2 * data_.size())
    return {Area::Data, static_cast<int>((a - dataStart_) / 2)};
  if (a >= kConfigStart && a < kConfigStart + 2 * kConfigRegisters)
    return {Area::Config, static_cast<int>((a - kConfigStart) / 2)};
  throw ProtocolError(std::string(what) + " at unimplemented address " + Hex(a));
}

uint32_t DsPic30Chip::Stuck(uint32_t address, uint32_t value) const {
  const auto it = stuck_.find(address);
  if (it == stuck_.end()) return value;
  return (value & ~it->second.first) | (it->second.second & it->second.first);
}

uint32_t DsPic30Chip::ReadCell(uint32_t address, const char* what) const {
  const Cell c = Locate(address, what);
  const auto i = static_cast<size_t>(c.index);
  uint32_t v = 0;
  switch (c.area) {
    case Area::Code:
      v = code_[i];
      break;
    case Area::Exec:
      v = exec_[i];
      break;
    case Area::Data:
      v = data_[i];
      break;
    case Area::Config:
      v = config_[i];
      break;
  }
  return Stuck(address, v);
}

void DsPic30Chip::Advance(int w, int by) {
  const uint32_t p = Pointer(w) + static_cast<uint32_t>(by);
  w_[static_cast<size_t>(w)] = static_cast<uint16_t>(p & 0xFFFF);
  tblpag_ = static_cast<uint8_t>(p >> 16);
}

void DsPic30Chip::Six(uint32_t ins) {
  if ((ins >> 20) == 0x2) {  // MOV #k, Wd
    w_[ins & 0xF] = static_cast<uint16_t>(ins >> 4);
    return;
  }
  switch (ins) {
    case kMovW0Tblpag:
      tblpag_ = static_cast<uint8_t>(w_[0]);
      return;
    case kMovW10Nvmcon:
      nvmcon_ = w_[10];
      return;
    case kMovW6Nvmadr:
      nvmadr_ = w_[6];
      return;
    case kMovW7Nvmadru:
      nvmadru_ = static_cast<uint8_t>(w_[7]);
      return;
    case kMovW0Visi:
      visi_ = w_[0];
      return;
    case kClrW6:
      w_[6] = 0;
      return;
    case kClrW7:
      w_[7] = 0;
      return;
    case kTblrdlW6W7: {
      // The low word at TBLPAG:W6 into the data-memory word at W7 (the W registers sit
      // at data addresses 0..30).
      if (w_[7] % 2 != 0 || w_[7] >= 32)
        throw ProtocolError("TBLRDL into data address " + Hex(w_[7]));
      const uint32_t v = ReadCell(Pointer(6), "TBLRDL");
      w_[w_[7] / 2u] = static_cast<uint16_t>(v);
      w_[6] = static_cast<uint16_t>(w_[6] + 2);
      return;
    }
    case kTblwtlW6W7: {
      const uint32_t a = Pointer(7);
      if (Locate(a, "TBLWTL").area != Area::Config)
        throw ProtocolError("TBLWTL outside the configuration registers at " + Hex(a));
      configLatched_ = true;
      configLatchAddress_ = a;
      configLatch_ = w_[6];
      w_[7] = static_cast<uint16_t>(w_[7] + 2);
      return;
    }
    default:
      throw ProtocolError("instruction " + Hex(ins) + " is not in the serial-execution set");
  }
}

Answer DsPic30Chip::RegOut() {
  return Answer{static_cast<uint8_t>(visi_), static_cast<uint8_t>(visi_ >> 8)};
}

Answer DsPic30Chip::ReadCode() {
  const uint32_t a = Pointer(6);
  for (uint32_t x : {a, a + 2}) {
    const Area area = Locate(x, "ReadCode").area;
    if (area != Area::Code && area != Area::Exec)
      throw ProtocolError("ReadCode outside program memory at " + Hex(x));
  }
  const uint32_t i0 = ReadCell(a, "ReadCode"), i1 = ReadCell(a + 2, "ReadCode");
  Advance(6, 4);
  return Answer{static_cast<uint8_t>(i0),       static_cast<uint8_t>(i0 >> 8),
                static_cast<uint8_t>(i0 >> 16), static_cast<uint8_t>(i1 >> 16),
                static_cast<uint8_t>(i1),       static_cast<uint8_t>(i1 >> 8)};
}

Answer DsPic30Chip::ReadData() {
  const uint32_t a = Pointer(6);
  Answer out{};
  for (uint32_t q = 0; q < 4; ++q) {
    if (Locate(a + 2 * q, "ReadData").area != Area::Data)
      throw ProtocolError("ReadData outside data EEPROM at " + Hex(a + 2 * q));
    const uint32_t v = ReadCell(a + 2 * q, "ReadData");
    out[2 * q] = static_cast<uint8_t>(v);
    out[2 * q + 1] = static_cast<uint8_t>(v >> 8);
  }
  Advance(6, 8);
  return out;
}

void DsPic30Chip::Latch(uint32_t address, uint32_t value, bool data) {
  const Area area = Locate(address, data ? "WriteData" : "WriteCode").area;
  if (data ? area != Area::Data : area != Area::Code && area != Area::Exec)
    throw ProtocolError(std::string(data ? "WriteData" : "WriteCode") +
                        " latch outside its memory at " + Hex(address));
  const uint32_t units = data ? kDataRowUnits : kCodeRowUnits;
  const uint32_t base = data ? dataStart_ : (area == Area::Exec ? kExecStart : 0);
  const uint32_t row = address - (address - base) % units;
  Latches& l = data ? dataLatches_ : codeLatches_;
  if (l.any && l.row != row)
    throw ProtocolError("write latches of two rows loaded: " + Hex(l.row) + ", " + Hex(row));
  const uint32_t i = (address - row) / 2;
  l.any = true;
  l.row = row;
  l.v[i] = value;
  l.loaded |= 1u << i;
}

void DsPic30Chip::WriteCode() {
  const uint32_t i0 = static_cast<uint32_t>(w_[1] & 0xFF) << 16 | w_[0];
  const uint32_t i1 = static_cast<uint32_t>(w_[1] >> 8) << 16 | w_[2];
  const uint32_t i2 = static_cast<uint32_t>(w_[4] & 0xFF) << 16 | w_[3];
  const uint32_t i3 = static_cast<uint32_t>(w_[4] >> 8) << 16 | w_[5];
  const uint32_t a = Pointer(7);
  const uint32_t ins[] = {i0, i1, i2, i3};
  for (uint32_t k = 0; k < 4; ++k) Latch(a + 2 * k, ins[k], false);
  Advance(7, 8);
}

void DsPic30Chip::WriteData() {
  const uint32_t a = Pointer(7);
  for (uint32_t k = 0; k < 4; ++k) Latch(a + 2 * k, w_[k], true);
  Advance(7, 8);
}

void DsPic30Chip::Program(uint32_t address, uint32_t value) {
  const Cell c = Locate(address, "program");
  const auto i = static_cast<size_t>(c.index);
  if (c.area == Area::Data) {
    const uint16_t before = data_[i];
    if (before != kBlankWord) overwrites.push_back({address, before, value});
    data_[i] = static_cast<uint16_t>(before & value);
    return;
  }
  uint32_t& cell = c.area == Area::Code ? code_[i] : exec_[i];
  if (cell != kBlankInstruction) overwrites.push_back({address, cell, value});
  cell &= value;
}

void DsPic30Chip::ProgramRow(bool data) {
  Latches& l = data ? dataLatches_ : codeLatches_;
  const int n = data ? kDataRowWords : kRowInstructions;
  const uint32_t full = n == 32 ? 0xFFFFFFFFu : (1u << n) - 1;
  if (!l.any || l.loaded != full)
    throw ProtocolError(std::string(data ? "data" : "program") +
                        " row write without all its latches loaded");
  for (int i = 0; i < n; ++i)
    Program(l.row + 2 * static_cast<uint32_t>(i), l.v[static_cast<size_t>(i)]);
  nvmOps.push_back({nvmcon_, l.row});
  l = Latches{};
}

void DsPic30Chip::EraseRow(uint32_t address) {
  const Area area = Locate(address, "row erase").area;
  const uint32_t base = area == Area::Exec ? kExecStart : 0;
  if ((area != Area::Code && area != Area::Exec) || (address - base) % kCodeRowUnits != 0)
    throw ProtocolError("row erase at " + Hex(address) + " is not a program row");
  for (uint32_t k = 0; k < kRowInstructions; ++k) {
    const Cell c = Locate(address + 2 * k, "row erase");
    (c.area == Area::Code ? code_ : exec_)[static_cast<size_t>(c.index)] = kBlankInstruction;
  }
  nvmOps.push_back({nvmcon_, address});
}

void DsPic30Chip::StartNvm() {
  switch (nvmcon_) {
    case 0x407F:  // bulk erase: program memory and data EEPROM
      code_.assign(code_.size(), kBlankInstruction);
      data_.assign(data_.size(), kBlankWord);
      nvmOps.push_back({nvmcon_, 0});
      return;
    case 0x4072:  // first step of the executive erase; the row erases clear the cells
      nvmOps.push_back({nvmcon_, 0});
      return;
    case 0x4071:
      EraseRow(static_cast<uint32_t>(nvmadru_) << 16 | nvmadr_);
      return;
    case 0x4001:
      ProgramRow(false);
      return;
    case 0x4005:
      ProgramRow(true);
      return;
    case 0x4008: {
      if (!configLatched_) throw ProtocolError("configuration write without a latched value");
      const Cell c = Locate(configLatchAddress_, "configuration write");
      SetConfig(c.index + 1, configLatch_);
      configLatched_ = false;
      nvmOps.push_back({nvmcon_, configLatchAddress_});
      return;
    }
    default:
      throw ProtocolError("NVMCON " + Hex(nvmcon_) + " starts no known operation");
  }
}

std::unique_ptr<Chip> MakeDsPic30Chip(const DeviceRow& row) {
  return std::make_unique<DsPic30Chip>(row);
}

}  // namespace krv::sim
