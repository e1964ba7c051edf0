#include "support/gputils.h"

#include <algorithm>
#include <fstream>
#include <regex>

namespace krv::test {

std::string GputilsPart(const std::string& deviceName) {
  std::string part = deviceName.substr(3, deviceName.find('-') - 3);
  std::transform(part.begin(), part.end(), part.begin(), ::tolower);
  return part;
}

Header ReadHeader(const std::string& part) {
  static const std::regex section(R"(^;-+\s*(\S+)\s+(\S+))");
  static const std::regex equ(R"(^\s*(\w+)\s+EQU\s+H'([0-9A-Fa-f]+)')");
  std::ifstream in(kGputils / "header" / ("p" + part + ".inc"));
  Header h;
  for (std::string line, current; std::getline(in, line);) {
    std::smatch m;
    if (std::regex_search(line, m, section))
      current = m[2] == "Options" ? m[1].str() : "";
    else if (std::regex_search(line, m, equ))
      h[current][m[1]] = static_cast<uint32_t>(std::stoul(m[2], nullptr, 16));
  }
  return h;
}

}  // namespace krv::test
