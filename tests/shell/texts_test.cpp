// The text table and the language files shipped with the program.
#include <map>
#include <set>
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

// Each section and key once, with the default of its first entry (Msg51 has a second
// default, for the configuration texts, under the same key).
std::map<std::pair<std::string, std::string>, std::string> Keys() {
  int n = 0;
  const TextEntry* table = TextTable(&n);
  std::map<std::pair<std::string, std::string>, std::string> keys;
  for (int i = 0; i < n; ++i)
    keys.emplace(std::make_pair(table[i].section, table[i].key), table[i].english);
  return keys;
}

TEST(Texts, TableKeysAreUniqueButForMsg51) {
  int n = 0;
  const TextEntry* table = TextTable(&n);
  ASSERT_EQ(n, static_cast<int>(TextId::Count));
  std::set<std::pair<std::string, std::string>> seen;
  for (int i = 0; i < n; ++i) {
    EXPECT_EQ(table[i].id, static_cast<TextId>(i));
    EXPECT_STRNE(table[i].english, "") << table[i].key;
    const bool fresh = seen.emplace(table[i].section, table[i].key).second;
    if (!fresh) {
      EXPECT_EQ(table[i].id, TextId::Msg51Config) << table[i].key;
    }
  }
}

// English holds every key with its default; Spanish translates every key, and texts that
// are joined to others keep their blanks.
TEST(Texts, LanguageFilesHoldEveryKey) {
  for (const auto& [where, english] : Keys()) {
    const std::string at = where.first + "/" + where.second;
    EXPECT_EQ(ReadIni(kEnglish, where.first, where.second, kMissing), english) << at;
    const std::string spanish = ReadIni(kSpanish, where.first, where.second, kMissing);
    EXPECT_NE(spanish, kMissing) << at;
    EXPECT_EQ(spanish.front() == ' ', english.front() == ' ') << at;
    EXPECT_EQ(spanish.back() == ' ', english.back() == ' ') << at;
  }
  EXPECT_EQ(ReadIni(kSpanish, "Messages", "Msg2", ""), "La aplicación ya está en ejecución");
}

// The memories are named alike in the messages and in the fill dialog: a message that
// names CODE or DATA in English names them as the Spanish fill dialog does.
TEST(Texts, SpanishNamesTheMemoriesAsItsFillDialogDoes) {
  for (const auto& [area, fillKey] : {std::pair{"CODE", "Code"}, std::pair{"DATA", "Data"}}) {
    const std::string spanishName = ReadIni(kSpanish, "Fill", fillKey, kMissing);
    ASSERT_NE(spanishName, area);
    for (const auto& [where, english] : Keys()) {
      if (where.first != "Messages" || english.find(area) == std::string::npos) continue;
      const std::string spanish = ReadIni(kSpanish, where.first, where.second, kMissing);
      EXPECT_NE(spanish.find(spanishName), std::string::npos) << where.second << ": " << spanish;
      EXPECT_EQ(spanish.find(area), std::string::npos) << where.second << ": " << spanish;
    }
  }
}

TEST(Texts, LanguageFileIsReadAtTheMomentOfUseWithEnglishDefaults) {
  test::TestSession t;
  t.s.LangFile = test::TempDir() + "/Custom.ini";
  EXPECT_EQ(Text(t.s, TextId::Msg3), "Do you want cancel the actual action?");
  EXPECT_EQ(Text(t.s, TextId::Msg28), "CODE read: ");
  EXPECT_EQ(Text(t.s, TextId::Msg51Config), "->Read: 0x");
  EXPECT_EQ(Text(t.s, TextId::MenuDeviceRead), "&Read All");
  EXPECT_EQ(Text(t.s, TextId::Msg8), "User was cancel the action!");
  ASSERT_TRUE(SaveIni(t.s.LangFile, "Messages", "Msg8", "Cancelled"));
  EXPECT_EQ(Text(t.s, TextId::Msg8), "Cancelled");
  ASSERT_TRUE(SaveIni(t.s.LangFile, "Messages", "Msg8", ""));
  EXPECT_EQ(Text(t.s, TextId::Msg8), "User was cancel the action!") << "empty value";
}

}  // namespace
}  // namespace krv
