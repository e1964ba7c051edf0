#include "core/texts.h"

#include "core/ini.h"

namespace krv {
namespace {

constexpr TextEntry kTexts[] = {
#define KRV_TEXT_ENTRY(id, section, key, def) {TextId::id, section, key, def},
    KRV_TEXTS(KRV_TEXT_ENTRY)
#undef KRV_TEXT_ENTRY
};
static_assert(sizeof(kTexts) / sizeof(kTexts[0]) == static_cast<size_t>(TextId::Count));

}  // namespace

const TextEntry* TextTable(int* count) {
  *count = static_cast<int>(TextId::Count);
  return kTexts;
}

const TextEntry& TextInfo(TextId id) {
  return kTexts[static_cast<int>(id)];
}

std::string Text(const std::string& langFile, TextId id) {
  const TextEntry& e = TextInfo(id);
  return ReadIni(langFile, e.section, e.key, e.english);
}

}  // namespace krv
