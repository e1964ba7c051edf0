#pragma once
// The gputils headers (installed by scripts/setup.sh): what Microchip's own files say of
// each part's configuration words.
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

namespace krv::test {

inline const std::filesystem::path kGputils = "/usr/share/gputils";

// The part of a device name as gputils names its files: "PIC18F242-2439" gives "18f242".
std::string GputilsPart(const std::string& deviceName);

// A header by section: "" the registers and the configuration-word addresses, "CONFIG",
// "CONFIG2", "CONFIG1L" ... the settings of each configuration word. Empty when the part
// has no header.
using Header = std::map<std::string, std::map<std::string, uint32_t>>;
Header ReadHeader(const std::string& part);

}  // namespace krv::test
