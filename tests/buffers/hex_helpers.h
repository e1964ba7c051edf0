#pragma once
// Helpers of the HEX file tests.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/session.h"

namespace krv::test {

// One record line (with CRLF), its checksum computed here.
std::string Rec(uint8_t type, uint16_t offset, const std::vector<uint8_t>& data);
inline std::string EndRec() {
  return ":00000001FF\r\n";
}

// Writes `text` to a new file in a fresh folder; returns its path.
std::string WriteTempFile(const std::string& text, const std::string& name = "in.hex");
std::string ReadFile(const std::string& path);

// Every data byte of a HEX text by address (fails the test on a bad record).
std::map<uint32_t, uint8_t> HexBytes(const std::string& text);

// Saves the session's buffers to a new file and gives its bytes by address.
std::map<uint32_t, uint8_t> SavedBytes(Session& s);

// What a HEX file of the device holds of the session: the buffers, the configuration
// words the device's layout carries, and the user IDs where it has them.
struct FileContents {
  ByteBuffer code, data, exec;
  std::vector<int32_t> config;
  std::vector<uint8_t> ids;
  bool operator==(const FileContents&) const = default;
};
FileContents ContentsOf(const Session& s);

// Everything an import may change.
struct Snapshot {
  BufferState buf;
  int32_t configWord;
  std::array<int32_t, 8> config;
  std::array<uint8_t, 8> ids;
  int32_t calib1, calib2, oscLow, oscHigh;
  std::string fileName;
  bool operator==(const Snapshot&) const = default;
};
Snapshot SnapshotOf(const Session& s);

}  // namespace krv::test
