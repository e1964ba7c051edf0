#include "buffer_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

#include "buffers/area.h"
#include "buffers/hexfile/intel_hex.h"

namespace krv::test {

MemoryArea AreaNamed(const std::string& name) {
  const std::vector<std::string> names = {"Code", "Data", "Exec", "UserID", "Config"};
  return static_cast<MemoryArea>(std::find(names.begin(), names.end(), name) - names.begin());
}

std::vector<uint32_t> Numbers(const std::string& text) {
  std::istringstream in(text);
  std::vector<uint32_t> v;
  for (uint32_t x; in >> std::hex >> x;) v.push_back(x);
  return v;
}

void SetElements(Session& s, MemoryArea area, const std::string& pairs) {
  const std::vector<uint32_t> v = Numbers(pairs);
  for (size_t i = 0; i + 1 < v.size(); i += 2) {
    const auto e = static_cast<int32_t>(v[i]), value = static_cast<int32_t>(v[i + 1]);
    if (area == MemoryArea::UserID) s.cfg.UserID.at(v[i]) = static_cast<uint8_t>(value);
    if (area == MemoryArea::Config) (e ? s.cfg.Config.at(v[i]) : s.cfg.ConfigWord) = value;
    if (area < MemoryArea::UserID) AreaBuffer(s.buf, area).Set(e, v[i + 1]);
  }
}

std::map<uint32_t, uint8_t> HexBytes(const std::string& text) {
  std::map<uint32_t, uint8_t> bytes;
  const hex::ReadResult r = hex::ReadIntelHex(text, [&bytes](uint32_t a, const uint8_t* d, int n) {
    for (int i = 0; i < n; ++i) EXPECT_TRUE(bytes.emplace(a + i, d[i]).second);
    return true;
  });
  EXPECT_EQ(r.error, hex::RecordError::None) << "line " << r.line;
  return bytes;
}

void FillVaried(Session& s, unsigned seed) {
  std::minstd_rand next(seed);
  const bool ds = s.dev.IsDsPic30();
  for (ByteBuffer* b : {&s.buf.CodeBuffer, &s.buf.ExecBuffer, &s.buf.DataBuffer}) {
    const int used = !ds ? 4 : b == &s.buf.DataBuffer ? 2 : 3;  // of each group of four
    for (int32_t i = 0; i + 1 < b->Size(); ++i) b->Set(i, i % 4 < used ? next() & 0xFF : 0);
  }
  s.cfg.ConfigWord = static_cast<int32_t>(next() & 0xFFFF);
  for (int k = 1; k <= 7; ++k) s.cfg.Config[k] = static_cast<int32_t>(next() & 0xFFFF);
  for (auto& id : s.cfg.UserID) id = static_cast<uint8_t>(next());
}

}  // namespace krv::test
