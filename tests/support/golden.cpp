#include "support/golden.h"

#include <algorithm>
#include <iterator>
#include <sstream>

#include "core/hex_text.h"
#include "support/files.h"

namespace krv::test {

namespace {

std::string Line(const Report& r) {
  std::string out, hex;
  for (size_t k = 1; k <= 8; ++k) {
    FormatHex(r[k], 2, hex);
    out += (k > 1 ? " " : "") + hex;
  }
  return out;
}

bool IsByte(const std::string& word) {
  return word.size() == 2 && ParseHex(word).has_value();
}

// The lines of tests/data/<name>, each written out whole: eight bytes and the answers.
std::vector<std::string> LoadGolden(const std::string& name) {
  const std::string path = DataPath(name);
  std::istringstream in(ReadFile(path));
  EXPECT_FALSE(in.str().empty()) << "cannot read " << path;
  std::vector<std::string> out;
  for (std::string text; std::getline(in, text);) {
    std::istringstream line(text);
    std::vector<std::string> words{std::istream_iterator<std::string>(line), {}};
    if (words.empty() || words[0][0] == '#') continue;
    size_t times = 1;
    if (words.size() > 2 && words[1] == "*") {
      times = std::stoul(words[0]);
      words.erase(words.begin(), words.begin() + 2);
    }
    if (!IsByte(words[0])) {  // a note, from its first word on
      text.erase(0, text.find(words[0]));
      out.insert(out.end(), times, text.erase(text.find_last_not_of(" \t\r") + 1));
      continue;
    }
    const std::string answers = words.back()[0] == '+' ? " " + words.back() : "";
    if (!answers.empty()) words.pop_back();
    Report r{};
    for (size_t k = 0; k < words.size(); ++k) {
      EXPECT_TRUE(IsByte(words[k]) && k < 8) << path << ": " << text;
      if (k < 8) r[k + 1] = static_cast<uint8_t>(ParseHex(words[k]).value_or(0));
    }
    out.insert(out.end(), times, Line(r) + answers);
  }
  return out;
}

}  // namespace

std::vector<std::string> TrafficLines(const sim::Programmer& p, const Notes& notes) {
  std::vector<std::string> out;
  size_t answers = 0;  // read since the last line, written at its end
  auto add = [&](const std::string& line) {
    if (answers > 0)
      (out.empty() ? out.emplace_back() : out.back()) += " +" + std::to_string(answers);
    answers = 0;
    if (!line.empty()) out.push_back(line);
  };
  auto note = notes.begin();
  for (size_t i = 0; i <= p.log.size(); ++i) {
    for (; note != notes.end() && note->first <= i; ++note) add(note->second);
    if (i == p.log.size()) break;
    answers += p.log[i].answer;
    if (!p.log[i].answer) add(Line(p.log[i].bytes));
  }
  add("");
  return out;
}

::testing::AssertionResult MatchesGolden(const sim::Programmer& p, const std::string& name,
                                         const Notes& notes) {
  const std::vector<std::string> want = LoadGolden(name);
  // A golden without notes states the traffic alone.
  const bool withNotes = std::any_of(
      want.begin(), want.end(), [](const std::string& line) { return !IsByte(line.substr(0, 2)); });
  const std::vector<std::string> got = TrafficLines(p, withNotes ? notes : Notes{});
  const auto [g, w] = std::mismatch(got.begin(), got.end(), want.begin(), want.end());
  if (g == got.end() && w == want.end()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << name << ", line " << (w - want.begin() + 1) << " of " << want.size() << ": wanted \""
         << (w == want.end() ? "(end)" : *w) << "\", got \"" << (g == got.end() ? "(end)" : *g)
         << "\"";
}

}  // namespace krv::test
