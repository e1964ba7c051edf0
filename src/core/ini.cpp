#include "core/ini.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

namespace krv {
namespace {

bool ValidUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    int extra = 0;
    uint32_t cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3;
      cp = c & 0x07;
    } else {
      return false;
    }
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= s.size()) return false;
      const auto cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    static constexpr uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool ReadFile(const std::string& file, std::string& out) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::ostringstream ss;
  ss << in.rdbuf();
  out = ss.str();
  return true;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}

// "[name]" gives name; anything else gives nothing.
bool SectionName(std::string_view line, std::string_view& name) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != '[') return false;
  const size_t close = line.find(']');
  if (close == std::string_view::npos) return false;
  name = Trim(line.substr(1, close - 1));
  return true;
}

bool KeyValue(std::string_view line, std::string_view& key, std::string_view& value) {
  const std::string_view t = Trim(line);
  if (t.empty() || t.front() == ';') return false;
  const size_t eq = t.find('=');
  if (eq == std::string_view::npos) return false;
  key = Trim(t.substr(0, eq));
  value = Trim(t.substr(eq + 1));
  return !key.empty();
}

std::string_view Unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

}  // namespace

std::string DecodeText(std::string_view bytes) {
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  if (ValidUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      out += ch;
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string ReadIni(const std::string& file, std::string_view section, std::string_view key,
                    std::string_view def) {
  std::string raw;
  if (!ReadFile(file, raw)) return std::string(def);
  const std::string text = DecodeText(raw);
  bool inSection = false;
  bool sectionSeen = false;
  for (const std::string& line : SplitLines(text)) {
    std::string_view name;
    if (SectionName(line, name)) {
      // The first section of that name is the one that counts.
      if (inSection) break;
      inSection = !sectionSeen && SameName(name, section);
      sectionSeen = sectionSeen || inSection;
      continue;
    }
    if (!inSection) continue;
    std::string_view k, v;
    if (KeyValue(line, k, v) && SameName(k, key)) {
      v = Unquote(v);
      if (v.empty()) return std::string(def);
      return std::string(v);
    }
  }
  return std::string(def);
}

bool SaveIni(const std::string& file, std::string_view section, std::string_view key,
             std::string_view value) {
  std::string raw;
  const bool exists = ReadFile(file, raw);
  const std::string text = exists ? DecodeText(raw) : std::string();
  const bool crlf = text.find("\r\n") != std::string::npos;
  std::vector<std::string> lines = SplitLines(text);

  // A line break would split the line and let the value write keys of its own.
  const auto breaks = [](std::string_view t) { return t.find_first_of("\r\n") != t.npos; };
  if (breaks(section) || breaks(key) || breaks(value)) return false;

  // Blanks at either end, or a pair of quotes around the whole value, would be lost on
  // reading: keep them inside quotes.
  std::string stored(value);
  if (!stored.empty() && (stored.front() == ' ' || stored.back() == ' ' || stored.front() == '\t' ||
                          stored.back() == '\t' || Unquote(stored).size() != stored.size()))
    stored = "\"" + stored + "\"";
  const std::string newLine = std::string(key) + "=" + stored;

  int sectionStart = -1;  // line index of the section header
  int sectionEnd = -1;    // one past the last line that belongs to the section
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string_view name;
    if (SectionName(lines[i], name)) {
      if (sectionStart >= 0) {
        sectionEnd = static_cast<int>(i);
        break;
      }
      if (SameName(name, section)) sectionStart = static_cast<int>(i);
      continue;
    }
    if (sectionStart < 0) continue;
    std::string_view k, v;
    if (KeyValue(lines[i], k, v) && SameName(k, key)) {
      lines[i] = newLine;
      sectionEnd = -2;  // replaced in place
      break;
    }
  }
  if (sectionStart < 0) {
    if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
    std::string header = "[";
    header.append(section).append("]");
    lines.push_back(std::move(header));
    lines.push_back(newLine);
  } else if (sectionEnd != -2) {
    int insertAt = sectionEnd < 0 ? static_cast<int>(lines.size()) : sectionEnd;
    // After the section's last non-blank line, so blank separators stay where they were.
    while (insertAt > sectionStart + 1 && Trim(lines[insertAt - 1]).empty()) --insertAt;
    lines.insert(lines.begin() + insertAt, newLine);
  }

  std::string out;
  const char* eol = crlf ? "\r\n" : "\n";
  for (const std::string& l : lines) out += l + eol;

  const std::string tmp = file + ".tmp";
  {
    std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    f << out;
    f.flush();
    if (!f) {
      std::remove(tmp.c_str());
      return false;
    }
  }
  if (std::rename(tmp.c_str(), file.c_str()) != 0) {
    std::remove(tmp.c_str());
    return false;
  }
  return true;
}

}  // namespace krv
