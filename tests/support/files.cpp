#include "support/files.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "support/test_session.h"

namespace krv::test {

std::string WriteTempFile(const std::string& text, const std::string& name) {
  const std::string path = TempDir() + "/" + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::string DataPath(const std::string& name) {
  const char* dir = std::getenv("KRV330_TEST_DATA");
  return std::string(dir ? dir : KRV330_TEST_DATA_DIR) + "/" + name;
}

std::vector<std::vector<std::string>> ReadTable(const std::string& name) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream in(ReadFile(DataPath(name)));
  for (std::string line; std::getline(in, line);) {
    if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') continue;
    std::vector<std::string>& row = rows.emplace_back();
    for (size_t from = 0, to = 0; to != std::string::npos; from = to + 1) {
      to = line.find('|', from);
      const std::string f = line.substr(from, to == std::string::npos ? to : to - from);
      std::string& field = row.emplace_back();
      const size_t b = f.find_first_not_of(' '), e = f.find_last_not_of(' ');
      for (size_t i = b; b != std::string::npos && i <= e; ++i) {
        const bool escape = f[i] == '\\' && i < e && (f[i + 1] == 'r' || f[i + 1] == 'n');
        field += escape ? (f[++i] == 'r' ? '\r' : '\n') : f[i];
      }
    }
  }
  EXPECT_FALSE(rows.empty()) << "no cases in " << DataPath(name);
  return rows;
}

}  // namespace krv::test
