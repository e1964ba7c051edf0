#pragma once
// Intel HEX files in the layout of the selected device's family (see layout.h).
#include <string>

namespace krv {

struct Session;

// Loads a file into the buffers and configuration state: all or nothing. The file is
// read into blank scratch buffers (what the file does not hold is blank) and only a
// wholly valid file replaces the buffers, ConfigWord/Config1..Config7 and UserID; any
// error is shown with its line and changes nothing. A record after the end record and a
// record that gives a byte another value than an earlier one are errors too. Bytes outside every
// area of the device are counted and reported once, after the load. On success s.hex.FileName is
// the path, then the checksum and ShowWindows. True when the file was loaded.
bool ImportHexFile(Session& s, const std::string& path);

// Saves every area of the selected device. False (with a message box) when the file
// cannot be written.
bool ExportHexFile(Session& s, const std::string& path);

}  // namespace krv
