#pragma once
// Where each memory area of the selected device lies in a HEX file.
//
//   12/14-bit  program words from 0, byte address = 2 x word address (low byte first);
//              the four ID words at 2 x UserIDAddress; data EEPROM at 0x4200, one byte
//              per word (high byte 0); the configuration word at 0x400E on 14-bit parts
//              (the second one at 0x4010 where the part has one) and at 0x1FFE on 12-bit
//              parts, which also accept it at 0x400E. On a 14-bit part 0x1FFE is never
//              the configuration word (on 4K and 8K parts it is program word 0xFFF).
//   PIC18      program bytes from 0; the eight ID bytes at 0x200000; CONFIG1L..CONFIG7H at
//              0x300000; data EEPROM at 0xF00000: byte k at 0xF00000 + k when the setting
//              EEAddrFile18 is 1 (as the PIC18 toolchains write it), otherwise at
//              0xF00000 + 2k with a 0 byte after it.
//   dsPIC30    file address = 2 x chip address, four bytes per instruction (low, middle,
//              high, 0): program memory from 0, the executive area from 0x1000000, the
//              data EEPROM from 2 x DataStart30 (word: low, high, 0, 0), the configuration
//              registers from 0x1F00000 (register k at 0x1F00000 + 4(k - 1): low, high, 0,
//              0).
// The padding bytes (a 14-bit EEPROM word's high byte, a dsPIC30 instruction's fourth
// byte...) belong to their area: they are written as 0 and passed over when read.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/state.h"

namespace krv {
struct DeviceParams;
}

namespace krv::hex {

struct Area {
  uint32_t fileBase;    // file address of the area's first byte
  uint32_t fileLength;  // bytes in the file
  // Where the bytes go: a buffer, the user IDs or the configuration bytes (ConfigBytes in
  // hexfile.cpp).
  MemoryArea target;
  // The file holds groups of `unit` bytes of which the first `used` carry data (the rest
  // is padding); group g starts at element g x `stride` of the target.
  uint32_t unit = 1, used = 1, stride = 1;
  bool loadOnly = false;  // accepted when loading, never written

  // Calls f(i, element) for each of the `count` file bytes from `address` on (all inside
  // the area) that carries data: i counts from 0, element is the byte's place in the
  // target. Padding bytes are passed over. Stops with false when f returns false.
  template <class F>
  bool ForEachElement(uint32_t address, uint32_t count, F f) const {
    const uint32_t offset = address - fileBase;
    uint32_t group = offset / unit, inGroup = offset % unit;
    for (uint32_t i = 0; i < count; ++i) {
      if (inGroup < used && !f(i, size_t{group} * stride + inGroup)) return false;
      if (++inGroup == unit) {
        inGroup = 0;
        ++group;
      }
    }
    return true;
  }
};

// The areas of the device, program memory first.
std::vector<Area> Layout(const DeviceParams& d, int eeAddrFile18);

}  // namespace krv::hex
