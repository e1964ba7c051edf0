#pragma once
// Hex-dump text of the buffer views, line by line, so that a view can render only the
// lines it shows. A line is the address of its first item, a colon and the items:
//   12/14-bit program memory  "0000: 3FFF 3FFF ..."       8 words (3 digits on 12-bit parts)
//   PIC18 program memory      "000000: FF FF ..."         16 bytes
//   dsPIC30 program memory    "000000: FFFFFF FFFFFF ..." 8 instructions at chip addresses
//   dsPIC30 executive area    "800000: FFFFFF ..."        8 instructions
//   data EEPROM               "0000: FF FF ..."           16 bytes;
//                             dsPIC30 "7FFC00: FFFF ..."  8 words at chip addresses
#include <string>

#include "buffers/area.h"

namespace krv {

struct Session;

int DumpLineCount(const Session& s, MemoryArea area);
// The text of one line; "" for a line outside the dump.
std::string DumpLine(Session& s, MemoryArea area, int line);
// The whole dump, lines ended by '\n'.
std::string DumpText(Session& s, MemoryArea area);

}  // namespace krv
