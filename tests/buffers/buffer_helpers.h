#pragma once
// Helpers of the buffer and HEX file tests.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/session.h"

namespace krv::test {

// "Code", "Data", "Exec", "UserID", "Config", as the case tables name the areas.
MemoryArea AreaNamed(const std::string& name);
// Hexadecimal numbers separated by blanks ("FF 0F").
std::vector<uint32_t> Numbers(const std::string& text);
// Sets the pairs of element and value of `pairs` (hexadecimal) in an area: a buffer's
// elements, the user ID bytes, or the configuration words (0 ConfigWord, k Config[k]).
void SetElements(Session& s, MemoryArea area, const std::string& pairs);

// Every data byte of a HEX text by address (fails the test on a bad record).
std::map<uint32_t, uint8_t> HexBytes(const std::string& text);

// Fills the buffers (but the dsPIC30 padding bytes and the spare elements), the
// configuration words and the user IDs with varied values.
void FillVaried(Session& s, unsigned seed);

}  // namespace krv::test
