#include "support/files.h"

#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "support/test_session.h"

namespace krv::test {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::string DataPath(const std::string& name) {
  return KRV330_TEST_DATA_DIR "/" + name;
}

std::vector<std::vector<std::string>> ReadTable(const std::string& name, size_t fields,
                                                Blanks blanks) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream in(ReadFile(DataPath(name)));
  const std::string sep = blanks == Blanks::Keep ? " | " : "|";
  for (std::string line; std::getline(in, line);) {
    if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') continue;
    std::vector<std::string> row(1);
    for (size_t i = 0; i < line.size(); ++i) {
      if (line.compare(i, sep.size(), sep) == 0) {
        row.emplace_back();
        i += sep.size() - 1;
      } else if (line[i] != '\\' || i + 1 >= line.size() || !std::strchr("rnt\\x", line[i + 1])) {
        row.back() += line[i];
      } else if (line[++i] == 'x') {
        row.back() += static_cast<char>(std::stoi(line.substr(i + 1, 2), nullptr, 16));
        i += 2;
      } else {
        row.back() += line[i] == 'r' ? '\r' : line[i] == 'n' ? '\n' : line[i] == 't' ? '\t' : '\\';
      }
    }
    if (blanks == Blanks::Trim)
      for (std::string& f : row)
        f.erase(0, f.find_first_not_of(' ')).erase(f.find_last_not_of(' ') + 1);
    EXPECT_TRUE(fields == 0 || row.size() == fields) << DataPath(name) << ": " << line;
    if (fields > 0) row.resize(fields);
    rows.push_back(row);
  }
  EXPECT_FALSE(rows.empty()) << "no cases in " << DataPath(name);
  return rows;
}

int RunCommand(const std::string& command, std::string& output) {
  const std::string log = TempDir() + "/output";
  const int status = std::system((command + " >'" + log + "' 2>&1").c_str());
  output = ReadFile(log);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

}  // namespace krv::test
