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

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string_view DropBom(std::string_view bytes) {
  if (bytes.substr(0, kBom.size()) == kBom) bytes.remove_prefix(kBom.size());
  return bytes;
}

std::string Latin1ToUtf8(std::string_view bytes) {
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

// Valid UTF-8 text in Latin-1; false when a character has no Latin-1 code.
bool Utf8ToLatin1(std::string_view text, std::string& out) {
  out.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < text.size()) {
      out += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(text[++i]) & 0x3F));
    } else {
      return false;
    }
  }
  return true;
}

// One line of a file: its text and its own line end ("\r\n", "\n", "\r", or none for a
// last line without one).
struct Line {
  std::string text, eol;
};

// CR, LF and CRLF each end a line.
std::vector<Line> SplitLines(std::string_view bytes) {
  std::vector<Line> lines;
  while (!bytes.empty()) {
    const size_t end = bytes.find_first_of("\r\n");
    if (end == std::string_view::npos) {
      lines.push_back({std::string(bytes), {}});
      break;
    }
    const size_t len = bytes.substr(end, 2) == "\r\n" ? 2 : 1;
    lines.push_back({std::string(bytes.substr(0, end)), std::string(bytes.substr(end, len))});
    bytes.remove_prefix(end + len);
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

// Names that a reader finds again as they were written: not empty, no blanks at their
// ends, no line break; a section name without ']'; a key that cannot be taken for a
// section header or a comment and holds no '='.
bool ReadsBack(std::string_view name) {
  return !name.empty() && Trim(name).size() == name.size() &&
         name.find_first_of("\r\n") == std::string_view::npos && ValidUtf8(name);
}
bool SectionReadsBack(std::string_view section) {
  return ReadsBack(section) && section.find(']') == std::string_view::npos;
}
bool KeyReadsBack(std::string_view key) {
  return ReadsBack(key) && key.front() != '[' && key.front() != ';' &&
         key.find('=') == std::string_view::npos;
}

bool WriteFile(const std::string& file, const std::string& bytes) {
  const std::string tmp = file + ".tmp";
  {
    std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    f << bytes;
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

}  // namespace

std::string DecodeText(std::string_view bytes) {
  bytes = DropBom(bytes);
  return ValidUtf8(bytes) ? std::string(bytes) : Latin1ToUtf8(bytes);
}

std::string ReadIni(const std::string& file, std::string_view section, std::string_view key,
                    std::string_view def) {
  std::string raw;
  if (!ReadFile(file, raw)) return std::string(def);
  bool inSection = false;
  bool sectionSeen = false;
  for (const Line& line : SplitLines(DecodeText(raw))) {
    std::string_view name;
    if (SectionName(line.text, name)) {
      // The first section of that name is the one that counts.
      if (inSection) break;
      inSection = !sectionSeen && SameName(name, section);
      sectionSeen = sectionSeen || inSection;
      continue;
    }
    if (!inSection) continue;
    std::string_view k, v;
    if (KeyValue(line.text, k, v) && SameName(k, key)) {
      v = Unquote(v);
      if (v.empty()) return std::string(def);
      return std::string(v);
    }
  }
  return std::string(def);
}

bool SaveIni(const std::string& file, std::string_view section, std::string_view key,
             std::string_view value) {
  if (!SectionReadsBack(section) || !KeyReadsBack(key) || !ValidUtf8(value) ||
      value.find_first_of("\r\n") != std::string_view::npos)
    return false;

  std::string raw;
  ReadFile(file, raw);
  const std::string_view body = DropBom(raw);
  const std::string_view bom(raw.data(), raw.size() - body.size());
  // The file keeps its one encoding: every other line stays byte for byte as it is, and
  // the new lines are written in the encoding the file is read in.
  const bool utf8 = ValidUtf8(body);
  const auto encode = [utf8](const std::string& text, std::string& out) {
    if (utf8) out = text;
    return utf8 || Utf8ToLatin1(text, out);
  };
  std::vector<Line> lines = SplitLines(body);
  const std::string eol = !lines.empty() && !lines.front().eol.empty() ? lines.front().eol : "\n";

  // Blanks at either end, or a pair of quotes around the whole value, would be lost on
  // reading: keep them inside quotes.
  std::string stored(value);
  if (!stored.empty() && (stored.front() == ' ' || stored.back() == ' ' || stored.front() == '\t' ||
                          stored.back() == '\t' || Unquote(stored).size() != stored.size()))
    stored = "\"" + stored + "\"";
  Line entry{{}, eol}, header{{}, eol};
  if (!encode(std::string(key) + "=" + stored, entry.text) ||
      !encode("[" + std::string(section) + "]", header.text))
    return false;

  int sectionStart = -1;  // line index of the section header
  int sectionEnd = -1;    // one past the last line that belongs to the section
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string text = utf8 ? lines[i].text : Latin1ToUtf8(lines[i].text);
    std::string_view name;
    if (SectionName(text, name)) {
      if (sectionStart >= 0) {
        sectionEnd = static_cast<int>(i);
        break;
      }
      if (SameName(name, section)) sectionStart = static_cast<int>(i);
      continue;
    }
    if (sectionStart < 0) continue;
    std::string_view k, v;
    if (KeyValue(text, k, v) && SameName(k, key)) {
      lines[i].text = entry.text;
      sectionEnd = -2;  // replaced in place
      break;
    }
  }
  size_t firstNew = lines.size(), lastNew = 0;  // the lines added, if any
  if (sectionStart < 0) {
    if (!lines.empty() && !Trim(lines.back().text).empty()) lines.push_back({{}, eol});
    lines.push_back(header);
    lines.push_back(entry);
    lastNew = lines.size();
  } else if (sectionEnd != -2) {
    int insertAt = sectionEnd < 0 ? static_cast<int>(lines.size()) : sectionEnd;
    // After the section's last non-blank line, so blank separators stay where they were.
    while (insertAt > sectionStart + 1 && Trim(lines[insertAt - 1].text).empty()) --insertAt;
    lines.insert(lines.begin() + insertAt, entry);
    firstNew = static_cast<size_t>(insertAt);
    lastNew = firstNew + 1;
  }
  // A CR followed by an empty line that ends in LF reads back as one CRLF, and the empty
  // line is lost: a new line whose end would so run into a neighbour's ends in CRLF.
  const auto runTogether = [&lines](size_t i) {
    return i + 1 < lines.size() && lines[i].eol == "\r" && lines[i + 1].text.empty() &&
           lines[i + 1].eol.starts_with('\n');
  };
  for (size_t i = firstNew; i < lastNew; ++i)
    if ((i > 0 && runTogether(i - 1)) || runTogether(i)) lines[i].eol = "\r\n";

  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    // A last line without a line end gets one when a line now follows it.
    const std::string& end = lines[i].eol.empty() && i + 1 < lines.size() ? eol : lines[i].eol;
    out += lines[i].text + end;
  }
  // The line that made the file Latin-1 is gone: read as UTF-8 now, its other non-ASCII
  // texts would change, so the file becomes UTF-8 with every text as it read before.
  if (!utf8 && ValidUtf8(out)) out = Latin1ToUtf8(out);
  return WriteFile(file, std::string(bom) + out);
}

}  // namespace krv
