#include "editors/declaration.h"

#include <algorithm>

namespace krv {

int32_t& WordOf(ConfigState& c, WordId w) {
  switch (w) {
    case WordId::ConfigWord:
      return c.ConfigWord;
    case WordId::CalibWord1:
      return c.CalibWord1;
    case WordId::CalibWord2:
      return c.CalibWord2;
    default:
      return c
          .Config[static_cast<size_t>(static_cast<int>(w) - static_cast<int>(WordId::Config1) + 1)];
  }
}

BoxDecl Box(std::string name, std::string caption, Bits bits, Sense sense) {
  return {std::move(name), std::move(caption), WordId::ConfigWord, bits, sense};
}

BoxDecl Box(std::string name, WordBit bit, Sense sense) {
  std::string caption = name.rfind("che", 0) == 0 ? name.substr(3) : name;
  return {std::move(name), std::move(caption), bit.word, bit.bits, sense};
}

BoxDecl Plain(std::string name, std::string caption, std::string frame) {
  return {std::move(name), std::move(caption), WordId::ConfigWord, Fixed(0), High,
          std::move(frame)};
}

ArrayDecl BoxArray(std::string name, std::string caption, WordId word, int first, int count,
                   Sense sense) {
  return {std::move(name), std::move(caption), word, first, count, sense};
}

int Field::Read(const DeviceRow& d, uint32_t w) const {
  if (read) return read(w);
  const uint32_t m = mask.Of(d);
  return m == 0 || unit == 0 ? 0 : static_cast<int>((w & m) / unit);
}

uint32_t Field::Write(const DeviceRow& d, uint32_t w, int index) const {
  if (write) return write(w, index);
  const uint32_t m = mask.Of(d);
  if (m == 0) return w;  // a field the device lacks: nothing to write
  return (w & ~m) | (static_cast<uint32_t>(index) * unit & m);
}

OptionsDecl Options(std::string name, std::string container, Field field,
                    std::vector<std::string> captions) {
  OptionsDecl o;
  o.name = std::move(name);
  o.container = std::move(container);
  o.field = field;
  o.captions = std::move(captions);
  return o;
}

SelectorDecl Selector(std::string field, std::string caption, WordId word, int shift, uint32_t mask,
                      std::vector<std::string> texts, int listTwips) {
  return {std::move(field), std::move(caption), word, shift, mask, std::move(texts), listTwips};
}

std::vector<ControlDecl> Controls(std::vector<ControlDecl> first,
                                  const std::vector<ControlDecl>& then) {
  first.insert(first.end(), then.begin(), then.end());
  return first;
}

bool Match::Matches(const DeviceParams& d) const {
  const std::string key = d.Key();
  const bool hit = std::find(keys.begin(), keys.end(), key) != keys.end() ||
                   std::find(names.begin(), names.end(), d.DeviceName) != names.end() ||
                   (test && test(d));
  return hit != negate;
}

Match Keys(std::initializer_list<const char*> keys) {
  Match m;
  m.keys.assign(keys.begin(), keys.end());
  return m;
}

Match Names(std::initializer_list<const char*> names) {
  Match m;
  m.names.assign(names.begin(), names.end());
  return m;
}

Match Where(bool (*test)(const DeviceParams&)) {
  Match m;
  m.test = test;
  return m;
}

Match Not(Match m) {
  m.negate = !m.negate;
  return m;
}

Match AnyDevice() {
  return Not(Match{});
}

Rule On(Match match) {
  Rule r;
  r.match = std::move(match);
  return r;
}

Rule Rule::Hide(std::initializer_list<const char*> names) const {
  Rule r = *this;
  r.hidden.insert(r.hidden.end(), names.begin(), names.end());
  return r;
}

Rule Rule::Hide(const std::vector<std::string>& names) const {
  Rule r = *this;
  r.hidden.insert(r.hidden.end(), names.begin(), names.end());
  return r;
}

Rule Rule::Disable(std::initializer_list<const char*> names) const {
  Rule r = *this;
  r.disabled.insert(r.disabled.end(), names.begin(), names.end());
  return r;
}

Rule Rule::Caption(std::string control, std::string caption) const {
  Rule r = *this;
  r.captions.emplace_back(std::move(control), std::move(caption));
  return r;
}

Rule Rule::Captions(const std::string& array, std::initializer_list<const char*> captions) const {
  Rule r = *this;
  int i = 0;
  for (const char* c : captions)
    r.captions.emplace_back(array + '(' + std::to_string(i++) + ')', c);
  return r;
}

Rule Rule::SetBits(std::string control, Bits b, Sense sense) const {
  Rule r = *this;
  r.bits.push_back({std::move(control), b, sense});
  return r;
}

Rule Rule::SetField(std::string options, Field field) const {
  Rule r = *this;
  r.fields.emplace_back(std::move(options), field);
  return r;
}

Rule Rule::Texts(std::string selector, std::vector<std::string> t) const {
  Rule r = *this;
  r.texts.emplace_back(std::move(selector), std::move(t));
  return r;
}

Rule Rule::ListTwips(std::string selector, int twips) const {
  Rule r = *this;
  r.listTwips.emplace_back(std::move(selector), twips);
  return r;
}

Rule Rule::Closed(std::string selector) const {
  Rule r = *this;
  r.closed.push_back(std::move(selector));
  return r;
}

}  // namespace krv
