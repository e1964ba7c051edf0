#pragma once
// Whole files in and out, and the table rows that the shell's tests keep as data under
// tests/data/shell/.
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace krv::shelltest {

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The rows of tests/data/shell/<name>: one a line, fields separated by " | ", inside a
// field the escapes \n \r \t \\ and \xHH, at least six fields to a row (empty ones
// added); blank lines and lines beginning with '#' are skipped.
inline std::vector<std::vector<std::string>> Rows(const std::string& name) {
  std::vector<std::vector<std::string>> rows;
  std::ifstream in(std::string(KRV330_SHELL_DATA) + "/" + name);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> row(1);
    for (size_t i = 0; i < line.size(); ++i) {
      if (line.compare(i, 3, " | ") == 0) {
        row.emplace_back();
        i += 2;
      } else if (line[i] != '\\' || ++i >= line.size()) {
        row.back() += line[i];
      } else if (line[i] == 'x') {
        row.back() += static_cast<char>(std::stoi(line.substr(i + 1, 2), nullptr, 16));
        i += 2;
      } else {
        const char* escape = std::strchr("n\nr\rt\t", line[i]);
        row.back() += escape ? escape[1] : line[i];
      }
    }
    row.resize(std::max<size_t>(row.size(), 6));
    rows.push_back(row);
  }
  EXPECT_FALSE(rows.empty()) << name;
  return rows;
}

}  // namespace krv::shelltest
