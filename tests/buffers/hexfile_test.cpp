// Intel HEX records, the three layouts, all-or-nothing loading and saving, and files of
// other tools.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "buffer_helpers.h"
#include "buffers/buffers.h"
#include "buffers/hexfile/hexfile.h"
#include "buffers/hexfile/intel_hex.h"
#include "devices/catalogue.h"
#include "support/files.h"
#include "support/test_session.h"

namespace krv::test {
namespace {

// Records never cross a 16-byte boundary, so neither a 64 KB page.
TEST(IntelHex, WriterPagesAndAlignsRecords) {
  std::string out;
  hex::Writer w(out);
  std::vector<uint8_t> bytes(20);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(0xA0 + i);
  w.Data(0xFFF8, bytes.data(), bytes.size());
  w.End();
  EXPECT_EQ(out,
            ":020000040000FA\r\n:08FFF800A0A1A2A3A4A5A6A7E5\r\n:020000040001F9\r\n"
            ":0C000000A8A9AAABACADAEAFB0B1B2B3D2\r\n:00000001FF\r\n");
}

// Every layout (rows of hex_layouts.txt) loads back what it saved: varied values, or a
// program assembled by gpasm (from scripts/setup.sh), each of whose bytes the saved file
// holds at its address. srec_cat (from scripts/setup.sh) reads the file without a word of
// complaint and writes the same bytes at the same addresses in its own way.
TEST(Layout, SavedFileLoadsBackAsSavedAndOtherToolsAgree) {
  for (const auto& row : ReadTable("hex_layouts.txt")) {
    SCOPED_TRACE(row[0] + row[1] + row[2]);
    TestSession t;
    t.s.settings.EEAddrFile18 = std::stoi(row[1]);
    SelectDevice(t.s, row[0]);
    const std::string path = TempDir() + "/out.hex", gpasm = TempDir() + "/gpasm.hex";
    std::string out;
    if (!row[2].empty()) {
      ASSERT_EQ(RunCommand("gpasm -o '" + gpasm + "' '" + DataPath(row[2]) + "'", out), 0) << out;
      ASSERT_TRUE(ImportHexFile(t.s, gpasm));
      EXPECT_TRUE(t.window.boxes.empty());
    } else {
      FillVaried(t.s, 7);
    }
    const BufferState buf = t.s.buf;
    ASSERT_TRUE(ExportHexFile(t.s, path));
    const std::map<uint32_t, uint8_t> saved = HexBytes(ReadFile(path));
    EXPECT_EQ(saved.size(), std::stoul(row[3]));
    if (!row[2].empty()) {
      for (const auto& [address, value] : HexBytes(ReadFile(gpasm)))
        ASSERT_EQ(saved.at(address), value) << std::hex << address;
    }
    ASSERT_EQ(RunCommand("srec_cat '" + path + "' -intel -o '" + path + ".srec' -intel", out), 0)
        << out;
    EXPECT_EQ(out, "") << "srec_cat complained";
    EXPECT_TRUE(HexBytes(ReadFile(path + ".srec")) == saved);
    SelectDevice(t.s, row[0]);
    ASSERT_TRUE(ImportHexFile(t.s, path));
    EXPECT_TRUE(t.s.buf == buf);
    ASSERT_TRUE(ExportHexFile(t.s, path + ".again"));
    EXPECT_TRUE(HexBytes(ReadFile(path + ".again")) == saved);
  }
}

TEST(Load, TheFileGivesTheStateAndWhatItDoesNotHoldIsBlank) {
  for (const auto& row : ReadTable("hex_loads.txt", 5)) {
    SCOPED_TRACE(row[0] + " " + row[2]);
    TestSession t, want;
    for (TestSession* x : {&t, &want}) {
      x->s.settings.EEAddrFile18 = std::stoi(row[1]);
      SelectDevice(x->s, row[0]);
      x->s.cfg.CalibWord1 = 0x1234;  // part of no file: kept
    }
    FillVaried(t.s, 1);
    std::istringstream changes(row[3]);
    for (std::string area, pairs; changes >> area && std::getline(changes, pairs, ';');)
      SetElements(want.s, AreaNamed(area), pairs);
    const std::string path = WriteFile(TempDir() + "/file.hex", row[2]);
    ASSERT_TRUE(ImportHexFile(t.s, path));
    EXPECT_TRUE(t.s.buf == want.s.buf);
    EXPECT_TRUE(t.s.cfg == want.s.cfg);
    EXPECT_EQ(t.s.hex.FileName, path);
    EXPECT_EQ(t.window.showWindows, 2);  // the selection's and the load's
    CalcDeviceCSum(want.s);
    EXPECT_EQ(t.window.csum, want.window.csum);
    ASSERT_EQ(t.window.boxes.size(), row[4].empty() ? 0u : 1u);
    for (const MsgBoxCall& box : t.window.boxes)
      EXPECT_EQ(std::to_string(box.style) + " " + box.text, row[4]);
  }
}

// Malformed, missing, unreadable or huge files: the load fails with one error box and
// changes nothing. A place that cannot be written says so.
TEST(Rejected, FilesThatCannotBeLoadedChangeNothingAndSayWhy) {
  const std::string dir = TempDir(), huge = WriteFile(dir + "/huge.hex", ":");
  std::filesystem::resize_file(huge, (64u << 20) + 1);  // sparse: costs no disk space
  std::vector<std::array<std::string, 3>> cases = {
      {"PIC16F88", dir + "/missing.hex",
       "The HEX file could not be read:\n" + dir + "/missing.hex"},
      {"PIC16F88", dir, "The HEX file could not be read:\n" + dir},
      {"PIC16F88", huge, "The file is too large to be a HEX file:\n" + huge}};
  for (const auto& row : ReadTable("malformed_hex.txt"))
    cases.push_back({row.at(0), WriteFile(TempDir() + "/file.hex", row.at(1)), row.at(2)});
  for (const auto& [device, path, message] : cases) {
    SCOPED_TRACE(message);
    TestSession t(device);
    FillVaried(t.s, 11);
    t.s.hex.FileName = "/earlier/file.hex";
    t.window.csum = "CSum: 1234";
    const std::pair before(t.s.buf, t.s.cfg);
    EXPECT_FALSE(ImportHexFile(t.s, path));
    EXPECT_TRUE(std::pair(t.s.buf, t.s.cfg) == before);
    EXPECT_EQ(t.s.hex.FileName, "/earlier/file.hex");
    EXPECT_EQ(t.window.csum, "CSum: 1234");
    EXPECT_EQ(t.window.showWindows, 1);  // the selection's
    ASSERT_EQ(t.window.boxes.size(), 1u);
    EXPECT_EQ(std::to_string(t.window.boxes[0].style) + " " + t.window.boxes[0].text,
              "16 " + message);
  }
  TestSession t("PIC16F84A");
  EXPECT_FALSE(ExportHexFile(t.s, dir + "/no/such/folder/out.hex"));
  EXPECT_EQ(t.window.boxes.at(0).text,
            "The HEX file could not be written:\n" + dir + "/no/such/folder/out.hex");
}

}  // namespace
}  // namespace krv::test
