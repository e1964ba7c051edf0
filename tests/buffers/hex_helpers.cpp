#include "hex_helpers.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "buffers/hexfile/hexfile.h"
#include "buffers/hexfile/intel_hex.h"
#include "support/test_session.h"

namespace krv::test {

std::string Rec(uint8_t type, uint16_t offset, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> b = {static_cast<uint8_t>(data.size()), static_cast<uint8_t>(offset >> 8),
                            static_cast<uint8_t>(offset), type};
  b.insert(b.end(), data.begin(), data.end());
  unsigned sum = 0;
  for (uint8_t v : b) sum += v;
  b.push_back(static_cast<uint8_t>(0x100 - (sum & 0xFF)));
  std::string out = ":";
  char buf[3];
  for (uint8_t v : b) {
    snprintf(buf, sizeof buf, "%02X", v);
    out += buf;
  }
  return out + "\r\n";
}

std::string WriteTempFile(const std::string& text, const std::string& name) {
  const std::string path = TempDir() + "/" + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::map<uint32_t, uint8_t> HexBytes(const std::string& text) {
  std::map<uint32_t, uint8_t> bytes;
  const hex::ReadResult r =
      hex::ReadIntelHex(text, [&bytes](uint32_t address, const uint8_t* data, int n) {
        for (int i = 0; i < n; ++i) EXPECT_TRUE(bytes.emplace(address + i, data[i]).second);
        return true;
      });
  EXPECT_EQ(r.error, hex::RecordError::None) << "line " << r.line;
  return bytes;
}

std::map<uint32_t, uint8_t> SavedBytes(Session& s) {
  const std::string path = TempDir() + "/saved.hex";
  EXPECT_TRUE(ExportHexFile(s, path));
  return HexBytes(ReadFile(path));
}

FileContents ContentsOf(const Session& s) {
  FileContents c{s.buf.CodeBuffer, s.buf.DataBuffer, s.buf.ExecBuffer, {}, {}};
  if (s.dev.CoreWidth == 16 || s.dev.CoreWidth == 24) {
    c.config.assign(s.cfg.Config.begin() + 1, s.cfg.Config.end());
  } else {
    c.config.push_back(s.cfg.ConfigWord);
    if (s.dev.Config1Address != 0) c.config.push_back(s.cfg.Config[1]);
  }
  if (s.dev.CoreWidth != 24) c.ids.assign(s.cfg.UserID.begin(), s.cfg.UserID.end());
  return c;
}

Snapshot SnapshotOf(const Session& s) {
  return {s.buf,           s.cfg.ConfigWord, s.cfg.Config,
          s.cfg.UserID,    s.cfg.CalibWord1, s.cfg.CalibWord2,
          s.cfg.OscCalLow, s.cfg.OscCalHigh, s.hex.FileName};
}

}  // namespace krv::test
