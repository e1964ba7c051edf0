#include "buffers/hexfile/intel_hex.h"

#include <array>

#include "core/hex_text.h"

namespace krv::hex {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

// One record line without its line end.
RecordError ReadRecord(std::string_view line, uint32_t& base, bool& end, const DataSink& sink) {
  // 1 colon, then byte count, address (2), type and checksum at least, all in hexadecimal
  // digits: a line of other characters is no record, however long. The digits are read
  // as they are checked.
  if (line.size() < 11 || line[0] != ':' || line.size() % 2 == 0) return RecordError::Syntax;
  std::array<uint8_t, 261> bytes;  // at most 5 + 255 bytes
  const size_t n = (line.size() - 1) / 2;
  uint8_t sum = 0;
  for (size_t i = 0; i < n; ++i) {
    const uint8_t high = kHexValue[static_cast<uint8_t>(line[1 + 2 * i])];
    const uint8_t low = kHexValue[static_cast<uint8_t>(line[2 + 2 * i])];
    if ((high | low) > 0xF) return RecordError::Syntax;
    const auto b = static_cast<uint8_t>(high << 4 | low);
    if (i < bytes.size()) bytes[i] = b;  // a longer line fails on its byte count below
    sum = static_cast<uint8_t>(sum + b);
  }
  const int count = bytes[0];
  if (n != static_cast<size_t>(count) + 5) return RecordError::ByteCount;
  if (sum != 0) return RecordError::Checksum;
  const uint32_t offset = static_cast<uint32_t>(bytes[1]) << 8 | bytes[2];
  const uint8_t* data = &bytes[4];
  switch (bytes[3]) {
    case 0x00:
      if (count > 0 && !sink(base + offset, data, count)) return RecordError::Conflict;
      return RecordError::None;
    case 0x01:
      if (count != 0) return RecordError::ByteCount;
      end = true;
      return RecordError::None;
    case 0x02:
    case 0x04: {
      if (count != 2) return RecordError::ByteCount;
      const uint32_t v = static_cast<uint32_t>(data[0]) << 8 | data[1];
      base = bytes[3] == 0x02 ? v << 4 : v << 16;
      return RecordError::None;
    }
    case 0x03:
    case 0x05:
      return count == 4 ? RecordError::None : RecordError::ByteCount;
    default:
      return RecordError::UnknownType;
  }
}

// The line that starts at `pos`, without its line end (LF, CRLF or CR) and trailing blanks;
// `pos` moves past the line end.
std::string_view NextLine(std::string_view text, size_t& pos) {
  const size_t start = pos;
  while (pos < text.size() && text[pos] != '\n' && text[pos] != '\r') ++pos;
  std::string_view line = text.substr(start, pos - start);
  if (pos < text.size() && text[pos++] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  return line;
}

}  // namespace

ReadResult ReadIntelHex(std::string_view text, const DataSink& sink) {
  uint32_t base = 0;
  bool end = false;
  int lineNo = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    const std::string_view line = NextLine(text, pos);
    ++lineNo;
    if (line.empty()) continue;
    // A concatenated or damaged file: what follows the end record would be lost.
    if (end) return {RecordError::AfterEnd, lineNo};
    const RecordError e = ReadRecord(line, base, end, sink);
    if (e != RecordError::None) return {e, lineNo};
  }
  if (end) return {};
  return {RecordError::NoEndRecord, lineNo};
}

void Writer::Record(uint8_t type, uint16_t offset, const uint8_t* data, int count) {
  char line[1 + 2 * (5 + 255) + 2];
  char* p = line;
  const auto put = [&p](uint8_t b) {
    *p++ = kHex[b >> 4];
    *p++ = kHex[b & 0xF];
  };
  uint8_t sum = static_cast<uint8_t>(count + (offset >> 8) + (offset & 0xFF) + type);
  *p++ = ':';
  put(static_cast<uint8_t>(count));
  put(static_cast<uint8_t>(offset >> 8));
  put(static_cast<uint8_t>(offset & 0xFF));
  put(type);
  for (int i = 0; i < count; ++i) {
    put(data[i]);
    sum = static_cast<uint8_t>(sum + data[i]);
  }
  put(static_cast<uint8_t>(-sum));
  *p++ = '\r';
  *p++ = '\n';
  out_.append(line, static_cast<size_t>(p - line));
}

void Writer::Data(uint32_t address, const uint8_t* data, size_t count) {
  // 16 data bytes take 45 characters.
  out_.reserve(out_.size() + count / 16 * 45 + 64);
  while (count > 0) {
    const uint32_t page = address >> 16;
    if (page != page_) {
      const uint8_t v[2] = {static_cast<uint8_t>(page >> 8), static_cast<uint8_t>(page & 0xFF)};
      Record(0x04, 0, v, 2);
      page_ = page;
    }
    // Up to the next 16-byte boundary, which also ends every 64 KB page.
    const size_t room = 16 - (address & 0xF);
    const size_t n = count < room ? count : room;
    Record(0x00, static_cast<uint16_t>(address & 0xFFFF), data, static_cast<int>(n));
    address += static_cast<uint32_t>(n);
    data += n;
    count -= n;
  }
}

void Writer::End() {
  Record(0x01, 0, nullptr, 0);
}

}  // namespace krv::hex
