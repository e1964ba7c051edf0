// Files no one here wrote: programs assembled by gpasm load as their sources say; files
// saved here are read back by srec_cat with the same contents. Both tools come with
// scripts/setup.sh; a missing tool fails these tests.
#include <cstdlib>

#include <gtest/gtest.h>

#include <cstdio>

#include "buffers/hexfile/hexfile.h"
#include "hex_helpers.h"
#include "test_devices.h"

namespace krv::test {
namespace {

// Runs a shell command; its exit status, standard output and error in `output`.
int RunCommand(const std::string& command, std::string* output) {
  FILE* p = popen((command + " 2>&1").c_str(), "r");
  if (!p) return -1;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) output->append(buf, n);
  const int status = pclose(p);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Quote(const std::string& s) {
  return "'" + s + "'";
}

void RequireTool(const char* tool) {
  std::string out;
  ASSERT_EQ(RunCommand(std::string("command -v ") + tool, &out), 0)
      << tool << " is missing: run scripts/setup.sh (packages gputils and srecord)";
}

// The assembler sources in tests/data.
std::string DataDir() {
  const char* dir = std::getenv("KRV330_TEST_DATA");
  return dir ? dir : KRV330_TEST_DATA_DIR;
}

uint32_t Word(const Session& s, int n) {
  return s.buf.CodeBuffer.Get(2 * n) | s.buf.CodeBuffer.Get(2 * n + 1) << 8;
}

// ---- gpasm ----

struct Assembled {
  const char* source;
  const char* device;
  bool dosNewlines;
  std::vector<std::pair<int, uint32_t>> words;  // program words (PIC18: bytes) not blank
  std::vector<int32_t> config;                  // ConfigWord[, Config1] or Config1..Config7
  std::vector<uint8_t> ids;
  std::vector<uint8_t> eeprom;  // from EEPROM byte 0
};
void PrintTo(const Assembled& c, std::ostream* os) {
  *os << c.device;
}

class GpasmTest : public ::testing::TestWithParam<Assembled> {};

TEST_P(GpasmTest, LoadsWhatTheSourceSays) {
  const Assembled& c = GetParam();
  RequireTool("gpasm");
  const std::string dir = TempDir();
  const std::string hexPath = dir + "/prog.hex";
  std::string out;
  ASSERT_EQ(RunCommand("gpasm " + std::string(c.dosNewlines ? "-n " : "") + "-o " + Quote(hexPath) +
                           " " + Quote(DataDir() + "/" + c.source),
                       &out),
            0)
      << out;

  TestSession t;
  SelectTestDevice(t, c.device);
  TestSession blank;
  SelectTestDevice(blank, c.device);
  ASSERT_TRUE(ImportHexFile(t.s, hexPath));
  EXPECT_TRUE(t.window.boxes.empty()) << t.window.boxes[0].text;

  // Program memory: the words of the source, blank elsewhere.
  ByteBuffer expected = blank.s.buf.CodeBuffer;
  const bool bytes = t.s.dev.CoreWidth == 16;
  for (const auto& [n, v] : c.words) {
    if (bytes) {
      expected.Set(n, v);
    } else {
      expected.Set(2 * n, v & 0xFF);
      expected.Set(2 * n + 1, v >> 8);
    }
  }
  EXPECT_EQ(t.s.buf.CodeBuffer, expected);
  if (!bytes) {
    for (const auto& [n, v] : c.words) EXPECT_EQ(Word(t.s, n), v);
  }

  std::vector<int32_t> config;
  if (bytes) {
    config.assign(t.s.cfg.Config.begin() + 1, t.s.cfg.Config.end());
  } else {
    config.push_back(t.s.cfg.ConfigWord);
    if (t.s.dev.Config1Address != 0) config.push_back(t.s.cfg.Config[1]);
  }
  EXPECT_EQ(config, c.config);
  EXPECT_EQ(std::vector<uint8_t>(t.s.cfg.UserID.begin(), t.s.cfg.UserID.end()), c.ids);
  for (int32_t k = 0; k < t.s.dev.DataSize; ++k) {
    const uint8_t want = static_cast<size_t>(k) < c.eeprom.size() ? c.eeprom[k] : 0xFF;
    ASSERT_EQ(t.s.buf.DataBuffer.Get(k), want) << "EEPROM byte " << k;
  }
}

const std::vector<uint8_t> kBlankIds14 = {0xFF, 0x3F, 0xFF, 0x3F, 0xFF, 0x3F, 0xFF, 0x3F};

INSTANTIATE_TEST_SUITE_P(
    Sources, GpasmTest,
    ::testing::Values(
        Assembled{"pic12f508.asm",
                  "PIC12F508",
                  false,
                  {{0, 0x0C55}, {1, 0x0A00}, {0x1FF, 0x0C42}},
                  {0xFEA},
                  {0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 0x04, 0x00},
                  {}},
        Assembled{"pic16f628a.asm",
                  "PIC16F628A",
                  false,
                  {{0, 0x3012}, {0x7FF, 0x3434}},
                  {0x3F18},
                  kBlankIds14,
                  {0x41, 0x42}},
        Assembled{"pic16f628a.asm",
                  "PIC16F628A",
                  true,
                  {{0, 0x3012}, {0x7FF, 0x3434}},
                  {0x3F18},
                  kBlankIds14,
                  {0x41, 0x42}},
        Assembled{"pic16f88.asm",
                  "PIC16F88",
                  false,
                  {{0, 0x3012}, {0xFFF, 0x3434}},
                  {0x3F10, 0x3FFC},
                  {0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 0x04, 0x00},
                  {0x11, 0x22}},
        // CONFIG OSC = HS, WDT = OFF, LVP = OFF: CONFIG1H 0x22, CONFIG2H 0x0E, CONFIG4L
        // 0x81; gpasm writes the erased values of the other settings it knows and leaves
        // the bytes it has no settings for (CONFIG1L, CONFIG3L, CONFIG4H) out: blank.
        Assembled{"pic18f452.asm",
                  "PIC18F452-4539",
                  false,
                  {{0, 0x34}, {1, 0x12}, {0x7FFE, 0xEF}, {0x7FFF, 0xBE}},
                  {0x22FF, 0x0E0F, 0x01FF, 0xFF81, 0xC00F, 0xE00F, 0x400F},
                  {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88},
                  {1, 2, 3}}),
    [](const ::testing::TestParamInfo<Assembled>& i) {
      return std::string(i.param.device).substr(3, 6) + (i.param.dosNewlines ? "_CRLF" : "");
    });

// ---- srec_cat ----

struct Window {
  uint32_t address, length;
};

struct Saved {
  const char* device;
  int eeAddrFile18;
  std::vector<Window> windows;  // compared byte by byte through srec_cat's binary output
};
void PrintTo(const Saved& c, std::ostream* os) {
  *os << c.device;
}

class SrecCatTest : public ::testing::TestWithParam<Saved> {};

TEST_P(SrecCatTest, ReadsOurFilesWithoutComplaintAndTheSameContents) {
  const Saved& c = GetParam();
  RequireTool("srec_cat");
  const std::string dir = TempDir();
  TestSession t;
  t.s.settings.EEAddrFile18 = c.eeAddrFile18;
  SelectTestDevice(t, c.device);
  FillVaried(t.s, 21);
  const std::string ours = dir + "/ours.hex";
  ASSERT_TRUE(ExportHexFile(t.s, ours));
  const auto bytes = HexBytes(ReadFile(ours));

  // srec_cat reads the file and writes it again in its own way; that file loads back to
  // the same contents.
  const std::string back = dir + "/back.hex";
  std::string out;
  ASSERT_EQ(RunCommand("srec_cat " + Quote(ours) + " -intel -o " + Quote(back) + " -intel", &out),
            0);
  EXPECT_EQ(out, "") << "srec_cat complained";
  TestSession u;
  u.s.settings.EEAddrFile18 = c.eeAddrFile18;
  SelectTestDevice(u, c.device);
  ASSERT_TRUE(ImportHexFile(u.s, back));
  EXPECT_TRUE(u.window.boxes.empty());
  EXPECT_TRUE(ContentsOf(u.s) == ContentsOf(t.s));

  // The bytes srec_cat sees at chosen addresses are ours.
  for (const Window& w : c.windows) {
    const std::string bin = dir + "/window.bin";
    out.clear();
    ASSERT_EQ(RunCommand("srec_cat " + Quote(ours) + " -intel -crop " + std::to_string(w.address) +
                             " " + std::to_string(w.address + w.length) + " -offset -" +
                             std::to_string(w.address) + " -o " + Quote(bin) + " -binary",
                         &out),
              0)
        << out;
    const std::string got = ReadFile(bin);
    ASSERT_EQ(got.size(), w.length);
    for (uint32_t i = 0; i < w.length; ++i)
      EXPECT_EQ(static_cast<uint8_t>(got[i]), bytes.at(w.address + i)) << w.address + i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Families, SrecCatTest,
    ::testing::Values(
        Saved{"PIC12F508", 1, {{0, 16}, {0x400, 8}, {0x1FFE, 2}}},
        Saved{"PIC16F88", 1, {{0x1FF0, 16}, {0x4000, 8}, {0x400E, 4}, {0x4200, 32}}},
        Saved{"PIC18F452-4539", 1, {{0x200000, 8}, {0x300000, 14}, {0xF00000, 16}}},
        Saved{"PIC18F452-4539", 0, {{0xF00000, 32}}},
        Saved{"PIC30F6014A", 1, {{0, 64}, {0x1000000, 64}, {0xFFE000, 64}, {0x1F00000, 28}}}),
    [](const ::testing::TestParamInfo<Saved>& i) {
      return std::string(i.param.device).substr(3, 6) + "_EE" +
             std::to_string(i.param.eeAddrFile18);
    });

}  // namespace
}  // namespace krv::test
