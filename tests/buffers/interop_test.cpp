// Files no one here wrote: programs assembled by gpasm load as their sources say; files
// saved here are read back by srec_cat with the same contents. Both tools come with
// scripts/setup.sh; a missing tool fails these tests.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

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

constexpr const char* kSetUp = " (gpasm and srec_cat come with scripts/setup.sh)";

TEST(Gpasm, AssembledProgramsLoadAsTheirSourcesSay) {
  struct Assembled {
    const char* source;
    const char* device;
    std::vector<std::pair<int, uint8_t>> bytes;  // of the code buffer, not blank
    std::vector<int32_t> config;                 // ConfigWord[, Config1] or Config1..Config7
    std::vector<uint8_t> ids;                    // empty: blank
    std::vector<uint8_t> eeprom;                 // from EEPROM byte 0
  };
  const Assembled cases[] = {
      {"pic12f508.asm",
       "PIC12F508",
       {{0, 0x55}, {1, 0x0C}, {2, 0x00}, {3, 0x0A}, {0x3FE, 0x42}, {0x3FF, 0x0C}},
       {0xFEA},
       {0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 0x04, 0x00},
       {}},
      {"pic16f628a.asm",
       "PIC16F628A",
       {{0, 0x12}, {1, 0x30}, {0xFFE, 0x34}, {0xFFF, 0x34}},
       {0x3F18},
       {},
       {0x41, 0x42}},
      {"pic16f88.asm",
       "PIC16F88",
       {{0, 0x12}, {1, 0x30}, {0x1FFE, 0x34}, {0x1FFF, 0x34}},
       {0x3F10, 0x3FFC},
       {0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 0x04, 0x00},
       {0x11, 0x22}},
      // CONFIG OSC = HS, WDT = OFF, LVP = OFF: CONFIG1H 0x22, CONFIG2H 0x0E, CONFIG4L
      // 0x81; gpasm writes the erased values of the other settings it knows and leaves
      // the bytes it has no settings for (CONFIG1L, CONFIG3L, CONFIG4H) out: blank.
      {"pic18f452.asm",
       "PIC18F452-4539",
       {{0, 0x34}, {1, 0x12}, {0x7FFE, 0xEF}, {0x7FFF, 0xBE}},
       {0x22FF, 0x0E0F, 0x01FF, 0xFF81, 0xC00F, 0xE00F, 0x400F},
       {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88},
       {1, 2, 3}}};
  const char* dataDir = std::getenv("KRV330_TEST_DATA");
  for (const Assembled& c : cases) {
    SCOPED_TRACE(c.source);
    const std::string hexPath = TempDir() + "/prog.hex";
    std::string out;
    ASSERT_EQ(RunCommand(
                  "gpasm -o " + Quote(hexPath) + " " +
                      Quote(std::string(dataDir ? dataDir : KRV330_TEST_DATA_DIR) + "/" + c.source),
                  &out),
              0)
        << out << kSetUp;
    TestSession t;
    SelectTestDevice(t, c.device);
    FileContents want = ContentsOf(t.s);  // blank but for what the source says
    for (const auto& [i, v] : c.bytes) want.code.Set(i, v);
    want.config = c.config;
    if (!c.ids.empty()) want.ids = c.ids;
    for (size_t k = 0; k < c.eeprom.size(); ++k)
      want.data.Set(static_cast<int32_t>(k), c.eeprom[k]);

    ASSERT_TRUE(ImportHexFile(t.s, hexPath));
    EXPECT_TRUE(t.window.boxes.empty());
    const FileContents got = ContentsOf(t.s);
    EXPECT_EQ(got.config, want.config);
    EXPECT_EQ(got.ids, want.ids);
    EXPECT_TRUE(got == want);
  }
}

// srec_cat reads our file and writes it again in its own way: the same bytes at the same
// addresses, and not a word of complaint.
TEST(SrecCat, ReadsOurFilesWithoutComplaintAndTheSameContents) {
  for (const char* device : {"PIC12F508", "PIC16F88", "PIC18F452-4539", "PIC30F6014A"}) {
    SCOPED_TRACE(device);
    TestSession t;
    SelectTestDevice(t, device);
    FillVaried(t.s, 21);
    const std::string ours = TempDir() + "/ours.hex", back = TempDir() + "/back.hex";
    ASSERT_TRUE(ExportHexFile(t.s, ours));
    std::string out;
    ASSERT_EQ(RunCommand("srec_cat " + Quote(ours) + " -intel -o " + Quote(back) + " -intel", &out),
              0)
        << out << kSetUp;
    EXPECT_EQ(out, "") << "srec_cat complained";
    EXPECT_TRUE(HexBytes(ReadFile(back)) == HexBytes(ReadFile(ours)));
  }
}

}  // namespace
}  // namespace krv::test
