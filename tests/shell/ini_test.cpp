#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "core/ini.h"
#include "support/test_session.h"

namespace krv {
namespace {

std::string WriteFile(const std::string& text) {
  const std::string path = test::TempDir() + "/t.ini";
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

TEST(ReadIni, FindsTheValueOrGivesTheDefault) {
  struct Case {
    const char* what;
    const char* file;  // nullptr: no file
    const char *section, *key, *expected;
  };
  const Case cases[] = {
      {"plain", "[Messages]\nMsg1=Hello\n", "Messages", "Msg1", "Hello"},
      {"section case", "[MESSAGES]\nMsg1=Hello\n", "messages", "Msg1", "Hello"},
      {"key case", "[Messages]\nMSG1=Hello\n", "Messages", "msg1", "Hello"},
      {"blanks trimmed", "  [ Messages ]  \n  Msg1  =   Hello world  \n", "Messages", "Msg1",
       "Hello world"},
      {"CRLF", "[Messages]\r\nMsg1=Hello\r\n", "Messages", "Msg1", "Hello"},
      {"quotes keep blanks", "[M]\nMsg28=\"CODE read: \"\n", "M", "Msg28", "CODE read: "},
      {"first key wins", "[M]\nA=1\nA=2\n", "M", "A", "1"},
      {"first section wins", "[M]\nA=1\n[M]\nA=2\nB=3\n", "M", "B", "DEF"},
      {"comment skipped", "[M]\n;A=1\nA=2\n", "M", "A", "2"},
      {"missing file", nullptr, "M", "A", "DEF"},
      {"missing section", "[X]\nA=1\n", "M", "A", "DEF"},
      {"missing key", "[M]\nB=1\n", "M", "A", "DEF"},
      {"empty value", "[M]\nA=\n", "M", "A", "DEF"},
      {"key of another section", "[X]\nA=1\n[M]\nB=2\n", "M", "A", "DEF"},
      {"value with equals", "[M]\nA=x=y\n", "M", "A", "x=y"},
      {"UTF-8 kept", "[M]\nA=Se\xC3\xB1\n", "M", "A", "Se\xC3\xB1"},
      {"Latin-1 read as such", "[M]\nA=Se\xF1\n", "M", "A", "Se\xC3\xB1"},
      {"BOM dropped", "\xEF\xBB\xBF[M]\nA=1\n", "M", "A", "1"}};
  for (const Case& c : cases) {
    const std::string path = c.file ? WriteFile(c.file) : test::TempDir() + "/missing.ini";
    EXPECT_EQ(ReadIni(path, c.section, c.key, "DEF"), c.expected) << c.what;
  }
}

TEST(SaveIni, ChangesOneLineKeepingEverythingElseOrRefuses) {
  struct Case {
    const char* what;
    const char* before;  // nullptr: no file
    const char *section, *key, *value;
    bool saved;
    const char* after;
  };
  const Case cases[] = {
      {"replaced in place",
       "; settings\n[Parameters]\nStartSel=1\n; keep me\nVWhile=1\n\n[O]\nX=1\n", "parameters",
       "VWHILE", "0", true,
       "; settings\n[Parameters]\nStartSel=1\n; keep me\nVWHILE=0\n\n[O]\nX=1\n"},
      {"added at the end of its section", "[Parameters]\nStartSel=1\n\n[O]\nX=1\n", "Parameters",
       "Language", "Spanish", true, "[Parameters]\nStartSel=1\nLanguage=Spanish\n\n[O]\nX=1\n"},
      {"file created", nullptr, "Parameters", "A", "1", true, "[Parameters]\nA=1\n"},
      {"section added", "[Parameters]\nA=1\n", "Other", "B", "2", true,
       "[Parameters]\nA=1\n\n[Other]\nB=2\n"},
      {"CRLF kept, blanks quoted", "[M]\r\nA=1\r\n", "M", "B", " padded ", true,
       "[M]\r\nA=1\r\nB=\" padded \"\r\n"},
      {"line break in a value", "[M]\nA=1\n", "M", "A", "2\n[Other]\nB=3", false, "[M]\nA=1\n"},
      {"line break in a key", "[M]\nA=1\n", "M", "A\rB", "2", false, "[M]\nA=1\n"},
      {"line break in a section", "[M]\nA=1\n", "M\n", "A", "2", false, "[M]\nA=1\n"}};
  for (const Case& c : cases) {
    const std::string path = c.before ? WriteFile(c.before) : test::TempDir() + "/new.ini";
    EXPECT_EQ(SaveIni(path, c.section, c.key, c.value), c.saved) << c.what;
    EXPECT_EQ(ReadAll(path), c.after) << c.what;
    if (c.saved) {
      EXPECT_EQ(ReadIni(path, c.section, c.key, ""), c.value) << c.what;
    }
  }
  EXPECT_FALSE(SaveIni("/nonexistent-dir/x.ini", "M", "A", "1"));
}

TEST(SaveIni, ValuesRoundTripWhateverTheirQuotes) {
  const std::string path = test::TempDir() + "/q.ini";
  for (const char* v : {"\"quoted\"", "'single'", "\"", "a \"b\" c", "x=y", "; not a comment"}) {
    ASSERT_TRUE(SaveIni(path, "M", "A", v));
    EXPECT_EQ(ReadIni(path, "M", "A", "DEF"), v);
  }
}

}  // namespace
}  // namespace krv
