#pragma once
// Whole files in and out, for the tests of the settings and INI files.
#include <fstream>
#include <sstream>
#include <string>

namespace krv::shelltest {

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace krv::shelltest
