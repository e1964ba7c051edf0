#pragma once
// Files of the tests: written and read back whole, and the case tables under tests/data/.
#include <string>
#include <vector>

namespace krv::test {

// The whole file; "" when it cannot be read.
std::string ReadFile(const std::string& path);

// The path of a file of tests/data/.
std::string DataPath(const std::string& name);

// The rows of a case table of tests/data/: one row a line, fields separated by '|' with the
// blanks around them dropped, or with Blanks::Keep by " | " with every other blank kept; with
// `fields`, a row of another number of fields fails the test (and is cut or filled up with
// empty ones). Blank lines and lines starting with '#' are passed over. In a field, \r, \n,
// \t, \\ and \xHH stand for those characters.
enum class Blanks { Trim, Keep };
std::vector<std::vector<std::string>> ReadTable(const std::string& name, size_t fields = 0,
                                                Blanks blanks = Blanks::Trim);
// Runs a shell command; its exit status, and its standard output and error in `output`.
int RunCommand(const std::string& command, std::string& output);
// Writes `bytes` to `path`, byte for byte; returns the path.
std::string WriteFile(const std::string& path, const std::string& bytes);

}  // namespace krv::test
