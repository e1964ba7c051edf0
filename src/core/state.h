#pragma once
// Host buffers and configuration state.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace krv {

// The memory areas of a device: the three buffers of BufferState, and the user IDs and
// configuration words of ConfigState.
enum class MemoryArea { Code, Data, Exec, UserID, Config };

// One byte value (0..255) per element, lower bound 0. Access out of range is a run-time
// error (RuntimeError "Subscript out of range"), never undefined behaviour.
class ByteBuffer {
 public:
  // Elements 0..upperBound, all set to `fill`.
  void Redim(int32_t upperBound, uint8_t fill = 0);
  int32_t UBound() const { return static_cast<int32_t>(v_.size()) - 1; }
  int32_t Size() const { return static_cast<int32_t>(v_.size()); }
  uint8_t Get(int32_t i) const;
  void Set(int32_t i, uint32_t value);  // value must be 0..255
  // Sum of elements first .. first + count - 1.
  uint32_t Sum(int32_t first, int32_t count) const;
  const uint8_t* data() const { return v_.data(); }
  uint8_t* data() { return v_.data(); }
  bool operator==(const ByteBuffer&) const = default;

 private:
  void Check(int32_t i) const;
  std::vector<uint8_t> v_;
};

struct BufferState {
  ByteBuffer CodeBuffer;  // program memory
  ByteBuffer DataBuffer;  // data EEPROM
  ByteBuffer ExecBuffer;  // dsPIC30 programming executive
  uint32_t BlankWord = 0x3FFF;
  uint8_t BlankData = 0xFF;
  bool operator==(const BufferState&) const = default;
};

struct ConfigState {
  int32_t ConfigWord = 0x3FFF;            // 12/14-bit configuration word
  std::array<int32_t, 8> Config{};        // Config[1]..Config[7]; [0] unused
  int32_t ConfigLow = 0, ConfigHigh = 0;  // byte scratch while a value is sent
  int32_t CalibWord1 = 0x3FFF, CalibWord2 = 0x3FFF;
  int32_t BandGapValue = 0;
  std::array<uint8_t, 8> UserID{};
  int32_t OscCalLow = 0, OscCalHigh = 0;
  std::array<int32_t, 8> ConfigMask{};  // [0..6]: implemented bits of Config1..Config7
  std::array<int32_t, 8> CSumMask30{};  // [0..6]: bits that count in the dsPIC30 checksum
  bool operator==(const ConfigState&) const = default;
};

// The HEX file last loaded (File > Update reloads it).
struct HexFileState {
  std::string FileName;  // full path; empty when none
};

}  // namespace krv
