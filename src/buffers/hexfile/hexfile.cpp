#include "buffers/hexfile/hexfile.h"

#include <algorithm>
#include <array>
#include <exception>
#include <filesystem>
#include <fstream>
#include <span>
#include <system_error>
#include <utility>
#include <vector>

#include "buffers/area.h"
#include "buffers/buffers.h"
#include "buffers/hexfile/intel_hex.h"
#include "buffers/hexfile/layout.h"
#include "core/helpers.h"
#include "core/session.h"
#include "core/window.h"

namespace krv {

namespace {

using hex::Area;

// Larger than any HEX image of a PIC device by far.
constexpr uintmax_t kMaxFileSize = 64u << 20;

bool HasWordConfig(const DeviceParams& d) {
  return d.CoreWidth == 12 || d.CoreWidth == 14;
}

// The configuration words as the file holds them, low byte first: ConfigWord and the
// second configuration word (12/14-bit), or Config1..Config7 (PIC18, dsPIC30).
using ConfigBytes = std::array<uint8_t, 14>;

ConfigBytes ToBytes(const DeviceParams& d, const ConfigState& c) {
  ConfigBytes b{};
  const auto put = [&b](int i, int32_t v) {
    b[2 * i] = static_cast<uint8_t>(v & 0xFF);
    b[2 * i + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
  };
  if (HasWordConfig(d)) {
    put(0, c.ConfigWord);
    put(1, c.Config[1]);
  } else {
    for (int k = 1; k <= 7; ++k) put(k - 1, c.Config[k]);
  }
  return b;
}

void FromBytes(const DeviceParams& d, const ConfigBytes& b, ConfigState& c) {
  const auto word = [&b](int i) { return static_cast<int32_t>(b[2 * i] | b[2 * i + 1] << 8); };
  if (HasWordConfig(d)) {
    c.ConfigWord = word(0);
    if (d.Config1Address != 0) c.Config[1] = word(1);
  } else {
    for (int k = 1; k <= 7; ++k) c.Config[k] = word(k - 1);
  }
}

// The five places the file's bytes go to.
struct Image {
  BufferState& buf;
  std::array<uint8_t, 8>& id;
  ConfigBytes& config;

  std::span<uint8_t> Of(MemoryArea area) const {
    if (area == MemoryArea::UserID) return id;
    if (area == MemoryArea::Config) return config;
    ByteBuffer& b = AreaBuffer(buf, area);
    return {b.data(), static_cast<size_t>(b.Size())};
  }
};

// Puts the file's bytes into the image, counts those outside every area and refuses a
// byte that gives a place another value than an earlier byte did (also through the two
// places of the 12-bit configuration word).
class Placer {
 public:
  Placer(const std::vector<Area>& areas, const Image& image) : areas_(areas) {
    for (const Area& a : areas) {
      const auto i = static_cast<size_t>(a.target);
      target_[i] = image.Of(a.target);
      given_[i].assign(target_[i].size(), 0);
    }
  }

  // The bytes of one record from `address` on, which may run from one area into another
  // or out of every area. False when a byte contradicts an earlier one.
  bool Put(uint64_t address, std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
      const Area* a = AreaAt(address);
      uint64_t n = 1;  // a byte outside every area
      if (a == nullptr) {
        Outside(address);
      } else {
        n = std::min<uint64_t>(bytes.size(), a->fileBase + uint64_t{a->fileLength} - address);
        if (!PutInto(*a, static_cast<uint32_t>(address), bytes.first(n))) return false;
      }
      address += n;
      bytes = bytes.subspan(n);
    }
    return true;
  }

  uint64_t outside = 0;
  uint64_t firstOutside = 0;

 private:
  // The first area that holds the address.
  const Area* AreaAt(uint64_t address) const {
    for (const Area& a : areas_)
      if (address >= a.fileBase && address < uint64_t{a.fileBase} + a.fileLength) return &a;
    return nullptr;
  }

  // Bytes that all lie in area `a`; those beyond the end of its target are outside.
  bool PutInto(const Area& a, uint32_t address, std::span<const uint8_t> bytes) {
    const auto t = static_cast<size_t>(a.target);
    const std::span<uint8_t> target = target_[t];
    std::vector<uint8_t>& given = given_[t];
    return a.ForEachElement(address, static_cast<uint32_t>(bytes.size()),
                            [&](uint32_t i, size_t e) {
                              if (e >= target.size()) {
                                Outside(address + i);
                              } else {
                                if (given[e] && target[e] != bytes[i]) return false;
                                target[e] = bytes[i];
                                given[e] = 1;
                              }
                              return true;
                            });
  }

  void Outside(uint64_t address) {
    if (outside == 0) firstOutside = address;
    ++outside;
  }

  static constexpr size_t kAreas = static_cast<size_t>(MemoryArea::Config) + 1;
  const std::vector<Area>& areas_;
  std::array<std::span<uint8_t>, kAreas> target_;
  std::array<std::vector<uint8_t>, kAreas> given_;  // 1 where a record has set the place
};

// What is wrong with the line of a record error (any other: not a record).
constexpr std::pair<hex::RecordError, TextId> kLineErrors[] = {
    {hex::RecordError::ByteCount, TextId::HexBadByteCount},
    {hex::RecordError::Checksum, TextId::HexBadChecksum},
    {hex::RecordError::UnknownType, TextId::HexUnknownType},
    {hex::RecordError::Conflict, TextId::HexConflict},
    {hex::RecordError::AfterEnd, TextId::HexAfterEnd}};

std::string LineErrorText(Session& s, const hex::ReadResult& r) {
  const std::string nothing = Text(s, TextId::HexNothingLoaded);
  if (r.error == hex::RecordError::NoEndRecord) {
    const std::string where =
        r.line > 0 ? Text(s, TextId::HexEndsAfterLine) + " " + std::to_string(r.line) + ". " : "";
    return Text(s, TextId::HexNoEndRecord) + " " + where + nothing;
  }
  TextId reason = TextId::HexBadRecord;
  for (const auto& [error, text] : kLineErrors)
    if (error == r.error) reason = text;
  return Text(s, TextId::HexErrorInLine) + " " + std::to_string(r.line) + ": " + Text(s, reason) +
         " " + nothing;
}

void Fail(Session& s, const std::string& text) {
  s.window->MsgBox(text, mb::kCritical, kAppTitle);
}

// The whole file, or false when it cannot be read.
bool ReadWholeFile(Session& s, const std::string& path, std::string& text) {
  std::error_code ec;
  const bool regular = std::filesystem::is_regular_file(path, ec);
  const uintmax_t size = regular ? std::filesystem::file_size(path, ec) : 0;
  if (!regular || ec) {
    Fail(s, Text(s, TextId::HexCannotRead) + "\n" + path);
    return false;
  }
  if (size > kMaxFileSize) {
    Fail(s, Text(s, TextId::HexTooLarge) + "\n" + path);
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  text.resize(static_cast<size_t>(size));
  if (!in || !in.read(text.data(), static_cast<std::streamsize>(size))) {
    Fail(s, Text(s, TextId::HexCannotRead) + "\n" + path);
    return false;
  }
  return true;
}

bool Import(Session& s, const std::string& path) {
  std::string text;
  if (!ReadWholeFile(s, path, text)) return false;

  // Scratch state: blank, as a chip the file is written into.
  BufferState buf;
  BlankBuffers(s.dev, buf);
  ConfigState cfg = s.cfg;
  BlankConfigWords(s.dev, cfg);
  std::array<uint8_t, 8> id = cfg.UserID;
  ConfigBytes config = ToBytes(s.dev, cfg);
  const Image image{buf, id, config};
  const std::vector<Area> areas = hex::Layout(s.dev, s.settings.EEAddrFile18);
  Placer placer(areas, image);

  const hex::ReadResult r =
      hex::ReadIntelHex(text, [&placer](uint32_t address, const uint8_t* data, int count) {
        return placer.Put(address, {data, static_cast<size_t>(count)});
      });
  if (r.error != hex::RecordError::None) {
    Fail(s, LineErrorText(s, r));
    return false;
  }

  s.buf = std::move(buf);
  cfg.UserID = id;
  FromBytes(s.dev, config, cfg);
  s.cfg = cfg;
  s.hex.FileName = path;
  CalcDeviceCSum(s);
  ShowWindows(s);
  if (placer.outside > 0) {
    s.window->MsgBox(std::to_string(placer.outside) + " " + Text(s, TextId::HexOutsideData) +
                         " 0x" + Dec2Hex(s, static_cast<uint32_t>(placer.firstOutside), 8) + ".",
                     mb::kWarning, kAppTitle);
  }
  return true;
}

bool Export(Session& s, const std::string& path) {
  std::array<uint8_t, 8> id = s.cfg.UserID;
  ConfigBytes config = ToBytes(s.dev, s.cfg);
  const Image image{s.buf, id, config};
  std::vector<Area> areas = hex::Layout(s.dev, s.settings.EEAddrFile18);
  std::stable_sort(areas.begin(), areas.end(),
                   [](const Area& a, const Area& b) { return a.fileBase < b.fileBase; });

  std::string text;
  hex::Writer w(text);
  std::vector<uint8_t> bytes;
  for (const Area& a : areas) {
    if (a.loadOnly) continue;
    const std::span<const uint8_t> t = image.Of(a.target);
    bytes.assign(a.fileLength, 0);
    a.ForEachElement(a.fileBase, a.fileLength, [&](uint32_t i, size_t e) {
      if (e < t.size()) bytes[i] = t[e];
      return true;
    });
    w.Data(a.fileBase, bytes.data(), bytes.size());
  }
  w.End();

  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (out) out.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (out) out.close();
  if (!out) {
    Fail(s, Text(s, TextId::HexCannotWrite) + "\n" + path);
    return false;
  }
  return true;
}

}  // namespace

bool ImportHexFile(Session& s, const std::string& path) {
  try {
    return Import(s, path);
  } catch (const std::exception& e) {
    ShowError(s, "ImportHexFile", e.what());
    return false;
  }
}

bool ExportHexFile(Session& s, const std::string& path) {
  try {
    return Export(s, path);
  } catch (const std::exception& e) {
    ShowError(s, "ExportHexFile", e.what());
    return false;
  }
}

}  // namespace krv
