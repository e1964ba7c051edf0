#include <gtest/gtest.h>

#include "core/ini.h"
#include "shell/files.h"
#include "support/test_session.h"

namespace krv {
namespace {

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
      {"CR alone ends a line", "[M]\rA=1\rB=2\r", "M", "B", "2"},
      {"line ends mixed", "[M]\r\nA=1\rB=2\nC=3", "M", "C", "3"},
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
      {"overlong 2-byte UTF-8 is Latin-1", "[M]\nA=\xC0\xAF\n", "M", "A", "\xC3\x80\xC2\xAF"},
      {"overlong 3-byte UTF-8 is Latin-1", "[M]\nA=\xE0\x80\xAF\n", "M", "A",
       "\xC3\xA0\xC2\x80\xC2\xAF"},
      {"overlong 4-byte UTF-8 is Latin-1", "[M]\nA=\xF0\x80\x80\xAF\n", "M", "A",
       "\xC3\xB0\xC2\x80\xC2\x80\xC2\xAF"},
      {"surrogate is Latin-1", "[M]\nA=\xED\xA0\x80\n", "M", "A", "\xC3\xAD\xC2\xA0\xC2\x80"},
      {"BOM dropped", "\xEF\xBB\xBF[M]\nA=1\n", "M", "A", "1"}};
  for (const Case& c : cases) {
    const std::string path = test::TempDir() + "/t.ini";
    if (c.file) shelltest::WriteFile(path, c.file);
    EXPECT_EQ(ReadIni(path, c.section, c.key, "DEF"), c.expected) << c.what;
  }
}

// One save changes one entry: every other line stays byte for byte as it was, new lines
// take the file's line end and encoding; what cannot be written so is refused.
TEST(SaveIni, ChangesOneLineKeepingEverythingElseOrRefuses) {
  struct Case {
    const char* what;
    const char* before;  // nullptr: no file
    const char *section, *key, *value;
    const char* after;  // nullptr: refused, the file as it was
  };
  const Case cases[] = {
      {"replaced in place",
       "; settings\n[Parameters]\nStartSel=1\n; keep me\nVWhile=1\n\n[O]\nX=1\n", "parameters",
       "VWHILE", "0", "; settings\n[Parameters]\nStartSel=1\n; keep me\nVWHILE=0\n\n[O]\nX=1\n"},
      {"added at the end of its section", "[Parameters]\nStartSel=1\n\n[O]\nX=1\n", "Parameters",
       "Language", "Spanish", "[Parameters]\nStartSel=1\nLanguage=Spanish\n\n[O]\nX=1\n"},
      {"file created", nullptr, "Parameters", "A", "1", "[Parameters]\nA=1\n"},
      {"section added", "[Parameters]\nA=1\n", "Other", "B", "2",
       "[Parameters]\nA=1\n\n[Other]\nB=2\n"},
      {"CRLF kept, blanks quoted", "[M]\r\nA=1\r\n", "M", "B", " padded ",
       "[M]\r\nA=1\r\nB=\" padded \"\r\n"},
      {"CR kept", "[M]\rA=1\rC=3\r", "M", "A", "2", "[M]\rA=2\rC=3\r"},
      {"each line keeps its end", "[M]\r\nA=1\nB=2\r", "M", "C", "3", "[M]\r\nA=1\nB=2\rC=3\r\n"},
      {"last line without an end", "[M]\nA=1", "M", "B", "2", "[M]\nA=1\nB=2\n"},
      {"BOM kept", "\xEF\xBB\xBF[M]\nA=1\n", "M", "A", "2", "\xEF\xBB\xBF[M]\nA=2\n"},
      {"UTF-8 file", "[M]\nB=\xC3\xB1\n", "M", "A", "A\xC3\xB1o",
       "[M]\nB=\xC3\xB1\nA=A\xC3\xB1o\n"},
      {"Latin-1 file stays Latin-1", "[M]\nB=\xF1\n", "M", "A", "A\xC3\xB1o",
       "[M]\nB=\xF1\nA=A\xF1o\n"},
      {"Latin-1 line replaced by ASCII", "[M]\nB=\xC3\xB1\nA=\xF1\n", "M", "A", "x",
       "[M]\nB=\xC3\x83\xC2\xB1\nA=x\n"},
      {"no Latin-1 code", "[M]\nB=\xF1\n", "M", "A", "\xE2\x82\xAC", nullptr},
      {"value not UTF-8", "[M]\nB=\xC3\xB1\n", "M", "A", "\xF1", nullptr},
      {"line break in a value", "[M]\nA=1\n", "M", "A", "2\n[Other]\nB=3", nullptr},
      {"line break in a key", "[M]\nA=1\n", "M", "A\rB", "2", nullptr},
      {"line break in a section", "[M]\nA=1\n", "M\n", "A", "2", nullptr},
      {"key read as a section", "[M]\nA=1\n", "M", "[Messages]", "2", nullptr},
      {"key with '='", "[M]\nA=1\n", "M", "A=B", "2", nullptr},
      {"key read as a comment", "[M]\nA=1\n", "M", ";A", "2", nullptr},
      {"key with blanks at its ends", "[M]\nA=1\n", "M", " A", "2", nullptr},
      {"empty key", "[M]\nA=1\n", "M", "", "2", nullptr},
      {"section with ']'", "[M]\nA=1\n", "M]x", "A", "2", nullptr},
      {"section with blanks at its ends", "[M]\nA=1\n", "M\t", "A", "2", nullptr},
      {"empty section", "[M]\nA=1\n", "", "A", "2", nullptr}};
  for (const Case& c : cases) {
    const std::string path = test::TempDir() + "/t.ini";
    if (c.before) shelltest::WriteFile(path, c.before);
    EXPECT_EQ(SaveIni(path, c.section, c.key, c.value), c.after != nullptr) << c.what;
    EXPECT_EQ(shelltest::ReadFile(path), c.after ? c.after : c.before ? c.before : "") << c.what;
    if (c.after) {
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
