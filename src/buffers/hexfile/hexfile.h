#pragma once
// Intel HEX files in the layout of the selected device's family.
#include <string>

namespace krv {

struct Session;

// Loads a file into the buffers and configuration state: all or nothing. Problems are
// shown in a message box. True when the file was loaded.
bool ImportHexFile(Session& s, const std::string& path);

// Saves every area of the selected device. False (with a message box) when the file
// cannot be written.
bool ExportHexFile(Session& s, const std::string& path);

}  // namespace krv
