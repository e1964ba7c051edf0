#include <cctype>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "shell/ini.h"
#include "support/test_session.h"

namespace krv {
namespace {

std::string WriteFile(const std::string& name, const std::string& text) {
  const std::string path = test::TempDir() + "/" + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

struct ReadCase {
  const char* what;
  const char* file;  // nullptr: no file
  const char* section;
  const char* key;
  const char* expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
  *os << c.what;
}

class ReadIniTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadIniTest, FindsValueOrDefault) {
  const ReadCase& c = GetParam();
  const std::string path = c.file ? WriteFile("t.ini", c.file) : test::TempDir() + "/missing.ini";
  EXPECT_EQ(ReadIni(path, c.section, c.key, "DEF"), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Semantics, ReadIniTest,
    ::testing::Values(
        ReadCase{"plain", "[Messages]\nMsg1=Hello\n", "Messages", "Msg1", "Hello"},
        ReadCase{"section case", "[MESSAGES]\nMsg1=Hello\n", "messages", "Msg1", "Hello"},
        ReadCase{"key case", "[Messages]\nMSG1=Hello\n", "Messages", "msg1", "Hello"},
        ReadCase{"blanks trimmed", "  [ Messages ]  \n  Msg1  =   Hello world  \n", "Messages",
                 "Msg1", "Hello world"},
        ReadCase{"CRLF", "[Messages]\r\nMsg1=Hello\r\n", "Messages", "Msg1", "Hello"},
        ReadCase{"quotes keep blanks", "[M]\nMsg28=\"CODE read: \"\n", "M", "Msg28", "CODE read: "},
        ReadCase{"first key wins", "[M]\nA=1\nA=2\n", "M", "A", "1"},
        ReadCase{"first section wins", "[M]\nA=1\n[M]\nA=2\nB=3\n", "M", "B", "DEF"},
        ReadCase{"comment skipped", "[M]\n;A=1\nA=2\n", "M", "A", "2"},
        ReadCase{"missing file", nullptr, "M", "A", "DEF"},
        ReadCase{"missing section", "[X]\nA=1\n", "M", "A", "DEF"},
        ReadCase{"missing key", "[M]\nB=1\n", "M", "A", "DEF"},
        ReadCase{"empty value", "[M]\nA=\n", "M", "A", "DEF"},
        ReadCase{"key of another section", "[X]\nA=1\n[M]\nB=2\n", "M", "A", "DEF"},
        ReadCase{"value with equals", "[M]\nA=x=y\n", "M", "A", "x=y"},
        ReadCase{"UTF-8 kept",
                 "[M]\nA=Se\xC3\xB1"
                 "al\n",
                 "M", "A",
                 "Se\xC3\xB1"
                 "al"},
        ReadCase{"Latin-1 read as such",
                 "[M]\nA=Se\xF1"
                 "al\n",
                 "M", "A",
                 "Se\xC3\xB1"
                 "al"},
        ReadCase{"BOM dropped", "\xEF\xBB\xBF[M]\nA=1\n", "M", "A", "1"}),
    [](const ::testing::TestParamInfo<ReadCase>& info) {
      std::string name = info.param.what;
      for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

TEST(SaveIni, ReplacesKeyInPlaceKeepingEverythingElse) {
  const std::string path = WriteFile(
      "s.ini", "; settings\n[Parameters]\nStartSel=1\n; keep me\nVWhile=1\n\n[Other]\nX=1\n");
  ASSERT_TRUE(SaveIni(path, "parameters", "VWHILE", "0"));
  EXPECT_EQ(ReadAll(path),
            "; settings\n[Parameters]\nStartSel=1\n; keep me\nVWHILE=0\n\n[Other]\nX=1\n");
}

TEST(SaveIni, AddsKeyAtEndOfSectionBeforeBlankLines) {
  const std::string path = WriteFile("s.ini", "[Parameters]\nStartSel=1\n\n[Other]\nX=1\n");
  ASSERT_TRUE(SaveIni(path, "Parameters", "Language", "Spanish"));
  EXPECT_EQ(ReadAll(path), "[Parameters]\nStartSel=1\nLanguage=Spanish\n\n[Other]\nX=1\n");
}

TEST(SaveIni, AddsSectionAndCreatesFile) {
  const std::string path = test::TempDir() + "/new.ini";
  ASSERT_TRUE(SaveIni(path, "Parameters", "A", "1"));
  ASSERT_TRUE(SaveIni(path, "Other", "B", "2"));
  EXPECT_EQ(ReadAll(path), "[Parameters]\nA=1\n\n[Other]\nB=2\n");
  EXPECT_EQ(ReadIni(path, "Other", "B", ""), "2");
}

TEST(SaveIni, KeepsCrlfAndRoundTripsBlanks) {
  const std::string path = WriteFile("s.ini", "[M]\r\nA=1\r\n");
  ASSERT_TRUE(SaveIni(path, "M", "B", " padded "));
  EXPECT_EQ(ReadAll(path), "[M]\r\nA=1\r\nB=\" padded \"\r\n");
  EXPECT_EQ(ReadIni(path, "M", "B", ""), " padded ");
}

TEST(SaveIni, UnwritableFileReportsFailureAndChangesNothing) {
  EXPECT_FALSE(SaveIni("/nonexistent-dir/x.ini", "M", "A", "1"));
}

TEST(SaveIni, LineBreaksAreRefusedAndChangeNothing) {
  const std::string path = WriteFile("s.ini", "[M]\nA=1\n");
  EXPECT_FALSE(SaveIni(path, "M", "A", "2\n[Other]\nB=3"));
  EXPECT_FALSE(SaveIni(path, "M", "A\rB", "2"));
  EXPECT_FALSE(SaveIni(path, "M\n", "A", "2"));
  EXPECT_EQ(ReadAll(path), "[M]\nA=1\n");
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
