// The text table and the language files shipped with the program.
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "core/helpers.h"
#include "core/ini.h"
#include "core/texts.h"
#include "support/test_session.h"

namespace krv {
namespace {

const std::string kEnglish = std::string(KRV330_LANG_DIR) + "/English.ini";
const std::string kSpanish = std::string(KRV330_LANG_DIR) + "/Spanish.ini";
constexpr const char* kMissing = "\x01missing";

// Keys are unique but for Msg51, which has a second default for the configuration texts.
// English holds every key with its default; Spanish translates every key, and texts that
// are joined to others keep their blanks.
TEST(Texts, KeysAreUniqueAndTheLanguageFilesHoldEveryKey) {
  int n = 0;
  const TextEntry* table = TextTable(&n);
  ASSERT_EQ(n, static_cast<int>(TextId::Count));
  std::map<std::pair<std::string, std::string>, TextId> seen;
  for (int i = 0; i < n; ++i) {
    const TextEntry& e = table[i];
    const std::string at = std::string(e.section) + "/" + e.key;
    EXPECT_EQ(e.id, static_cast<TextId>(i)) << at;
    if (!seen.emplace(std::pair(e.section, e.key), e.id).second) {
      EXPECT_EQ(e.id, TextId::Msg51Config) << at;
      continue;
    }
    EXPECT_EQ(ReadIni(kEnglish, e.section, e.key, kMissing), e.english) << at;
    const std::string spanish = ReadIni(kSpanish, e.section, e.key, kMissing);
    EXPECT_NE(spanish, kMissing) << at;
    EXPECT_EQ(spanish.front() == ' ', e.english[0] == ' ') << at;
    EXPECT_EQ(spanish.back() == ' ', std::string(e.english).back() == ' ') << at;
  }
}

TEST(Texts, LanguageFileIsReadAtTheMomentOfUseWithEnglishDefaults) {
  test::TestSession t;
  t.s.LangFile = test::TempDir() + "/Custom.ini";
  EXPECT_EQ(Text(t.s, TextId::Msg8), "User was cancel the action!");
  ASSERT_TRUE(SaveIni(t.s.LangFile, "Messages", "Msg8", "Cancelled"));
  EXPECT_EQ(Text(t.s, TextId::Msg8), "Cancelled");
  ASSERT_TRUE(SaveIni(t.s.LangFile, "Messages", "Msg8", ""));
  EXPECT_EQ(Text(t.s, TextId::Msg8), "User was cancel the action!") << "empty value";
  EXPECT_EQ(Text(t.s, TextId::Msg51Config), "->Read: 0x");
}

}  // namespace
}  // namespace krv
