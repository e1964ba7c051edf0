// Intel HEX records, the three layouts, all-or-nothing loading and saving.
#include <gtest/gtest.h>

#include <filesystem>

#include "buffers/buffers.h"
#include "buffers/hexfile/hexfile.h"
#include "buffers/hexfile/intel_hex.h"
#include "hex_helpers.h"
#include "test_devices.h"

namespace krv::test {
namespace {

// ---- Records ----

TEST(IntelHexWriter, SixteenBytesPerRecordAlignedAndPagedUpperCaseCrLf) {
  std::string out;
  hex::Writer w(out);
  std::vector<uint8_t> bytes(20);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(0xA0 + i);
  w.Data(0xFFF8, bytes.data(), bytes.size());
  w.End();
  EXPECT_EQ(out,
            ":020000040000FA\r\n"
            ":08FFF800A0A1A2A3A4A5A6A7E5\r\n"
            ":020000040001F9\r\n"
            ":0C000000A8A9AAABACADAEAFB0B1B2B3D2\r\n"
            ":00000001FF\r\n");
}

TEST(IntelHexReader, ReadsLfCrLfLowerCaseSegmentsAndStopsAtTheEnd) {
  std::map<uint32_t, uint8_t> seen;
  const auto sink = [&seen](uint32_t a, const uint8_t* d, int n) {
    for (int i = 0; i < n; ++i) seen[a + i] = d[i];
    return true;
  };
  const std::string text = Rec(0x00, 0x0010, {0x01}) +         // CRLF
                           ":0100110002EC\r" +                 // CR alone
                           ":020000021000ec\n" +               // LF, lower case: 0x10000
                           Rec(0x00, 0x0002, {0x02}) + "\n" +  // a blank line
                           Rec(0x05, 0, {0, 0, 1, 0}) +        // start address: passed over
                           Rec(0x04, 0, {0x00, 0x30}) + Rec(0x00, 0x0001, {0x03}) + EndRec() +
                           " \r\n\n";
  const hex::ReadResult r = hex::ReadIntelHex(text, sink);
  EXPECT_EQ(r.error, hex::RecordError::None);
  EXPECT_EQ(seen, (std::map<uint32_t, uint8_t>{{0x10, 1}, {0x11, 2}, {0x10002, 2}, {0x300001, 3}}));
}

// ---- Layouts: round trips and addresses ----

TEST(Layout, SavedFileLoadsBackToTheSameBuffersAndConfiguration) {
  for (const auto& [device, ee] : {std::pair{"PIC12F508", 1},
                                   {"PIC16F88", 1},
                                   {"PIC18F452-4539", 1},
                                   {"PIC18F452-4539", 0},
                                   {"PIC30F6014A", 1}}) {
    SCOPED_TRACE(device + std::string(" ") + std::to_string(ee));
    TestSession t;
    t.s.settings.EEAddrFile18 = ee;
    SelectTestDevice(t, device);
    FillVaried(t.s, 7);
    const FileContents saved = ContentsOf(t.s);
    const int32_t csum = CalcDeviceCSum(t.s);
    const std::string path = TempDir() + "/out.hex";
    ASSERT_TRUE(ExportHexFile(t.s, path));
    SelectTestDevice(t, device);
    ASSERT_TRUE(ImportHexFile(t.s, path));
    EXPECT_TRUE(ContentsOf(t.s) == saved);
    EXPECT_EQ(CalcDeviceCSum(t.s), csum);
    EXPECT_TRUE(t.window.boxes.empty());
    EXPECT_EQ(t.s.hex.FileName, path);
  }
}

// The 12/14-bit and PIC18 layouts are read as gpasm writes them (interop_test.cpp), and
// every layout loads back what it saved; what neither shows is checked here.
int Word16(const std::map<uint32_t, uint8_t>& bytes, uint32_t a) {
  return bytes.at(a) | bytes.at(a + 1) << 8;
}

TEST(Layout, TwelveBitConfigurationWordAt1FFE) {
  TestSession t;
  SelectTestDevice(t, "PIC12F508");
  t.s.cfg.ConfigWord = 0xFEA;
  const auto bytes = SavedBytes(t.s);
  EXPECT_EQ(bytes.size(), 2u * 512 + 8 + 2);
  EXPECT_EQ(Word16(bytes, 0x1FFE), 0xFEA);
  EXPECT_EQ(Word16(bytes, 0x400), 0xFFF);  // ID words at 2 x 0x200
}

TEST(Layout, Pic18EepromAddressesDoubledOnRequest) {
  TestSession t;
  t.s.settings.EEAddrFile18 = 0;
  SelectTestDevice(t, "PIC18F452-4539");
  FillVaried(t.s, 5);
  const auto bytes = SavedBytes(t.s);
  EXPECT_EQ(bytes.size(), 32768u + 8 + 14 + 512);
  for (int k = 0; k < 256; ++k)
    ASSERT_EQ(Word16(bytes, 0xF00000 + 2 * k), t.s.buf.DataBuffer.Get(k));
}

TEST(Layout, DsPic30FourBytesPerInstructionAndTheHighSegments) {
  TestSession t;
  SelectTestDevice(t, "PIC30F2010");
  FillVaried(t.s, 9);
  const auto bytes = SavedBytes(t.s);
  EXPECT_EQ(bytes.size(), 4u * 4096 + 4 * 736 + 2 * 1024 + 28);
  for (int i = 0; i < 4 * 4096; ++i) ASSERT_EQ(bytes.at(i), t.s.buf.CodeBuffer.Get(i));
  for (int i = 0; i < 4 * 736; ++i) ASSERT_EQ(bytes.at(0x1000000 + i), t.s.buf.ExecBuffer.Get(i));
  // Chip 0x7FFC00 is file 0xFFF800.
  for (int i = 0; i < 2 * 1024; ++i) ASSERT_EQ(bytes.at(0xFFF800 + i), t.s.buf.DataBuffer.Get(i));
  for (int k = 1; k <= 7; ++k) {
    EXPECT_EQ(Word16(bytes, 0x1F00000 + 4 * (k - 1)), t.s.cfg.Config[k]);
    EXPECT_EQ(Word16(bytes, 0x1F00002 + 4 * (k - 1)), 0);
  }
}

TEST(Layout, DsPic30PaddingBytesOfAFileNeverReachTheBuffers) {
  TestSession t;
  SelectTestDevice(t, "PIC30F2010");
  const std::string text = Rec(0x00, 0, {0x11, 0x22, 0x33, 0x44}) + Rec(0x04, 0, {0x00, 0xFF}) +
                           Rec(0x00, 0xF800, {0x55, 0x66, 0x77, 0x88}) + EndRec();
  ASSERT_TRUE(ImportHexFile(t.s, WriteTempFile(text)));
  EXPECT_EQ(t.s.buf.CodeBuffer.Get(2), 0x33);
  EXPECT_EQ(t.s.buf.CodeBuffer.Get(3), 0);
  EXPECT_EQ(t.s.buf.DataBuffer.Get(1), 0x66);
  EXPECT_EQ(t.s.buf.DataBuffer.Get(2), 0);
  EXPECT_EQ(t.s.buf.DataBuffer.Get(3), 0);
  EXPECT_TRUE(t.window.boxes.empty());
}

TEST(Load, WhatTheFileDoesNotHoldIsBlankAndTheViewsFollow) {
  TestSession t, blank;
  SelectTestDevice(t, "PIC18F452-4539");
  SelectTestDevice(blank, "PIC18F452-4539");
  FillVaried(t.s, 1);
  t.s.cfg.CalibWord1 = 0x1234;  // not part of any file: kept
  // gpasm writes only the configuration bytes a source names.
  const std::string text = Rec(0x00, 0, {0x34, 0x12}) +
                           Rec(0x00, 1, {0x12}) +  // the same value twice
                           Rec(0x04, 0, {0x00, 0x30}) + Rec(0x00, 1, {0x22}) + EndRec();
  const std::string path = WriteTempFile(text);
  ASSERT_TRUE(ImportHexFile(t.s, path));
  FileContents want = ContentsOf(blank.s);
  want.code.Set(0, 0x34);
  want.code.Set(1, 0x12);
  want.config[0] = 0x22FF;  // CONFIG1L blank, CONFIG1H from the file
  const FileContents got = ContentsOf(t.s);
  EXPECT_EQ(got.config, want.config);
  EXPECT_TRUE(got == want);
  EXPECT_EQ(t.s.cfg.CalibWord1, 0x1234);
  EXPECT_EQ(t.s.hex.FileName, path);
  EXPECT_EQ(t.window.showWindows, 2);  // the selection's and the load's
  EXPECT_EQ(t.window.csum, "CSum: ----");
}

// The reader takes 0x1FFE as the configuration word on 12-bit parts only: on a 14-bit
// part of 4K words it is program word 0xFFF, on smaller ones it lies outside.
TEST(Load, ConfigurationWordAt1FFEOnlyOnTwelveBitParts) {
  struct Case {
    const char* device;
    uint16_t fileAddress;
    int32_t configWord;  // after the load
    int32_t word0xFFF;   // program word 0xFFF after the load, -1 where the part has none
    bool outside;
  };
  const Case cases[] = {{"PIC12F508", 0x1FFE, 0xFEA, -1, false},
                        {"PIC12F508", 0x400E, 0xFEA, -1, false},  // the reader accepts either
                        {"PIC16F88", 0x1FFE, 0x3FFF, 0x0FEA, false},
                        {"PIC16F84A", 0x1FFE, 0x3FFF, -1, true},
                        {"PIC16F84A", 0x400E, 0xFEA, -1, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.device + std::string(" ") + std::to_string(c.fileAddress));
    TestSession t;
    SelectTestDevice(t, c.device);
    ASSERT_TRUE(
        ImportHexFile(t.s, WriteTempFile(Rec(0x00, c.fileAddress, {0xEA, 0x0F}) + EndRec())));
    EXPECT_EQ(t.s.cfg.ConfigWord, c.configWord);
    if (c.word0xFFF >= 0) {
      EXPECT_EQ(t.s.buf.CodeBuffer.Get(0x1FFE) | t.s.buf.CodeBuffer.Get(0x1FFF) << 8, c.word0xFFF);
    }
    ASSERT_EQ(t.window.boxes.size(), c.outside ? 1u : 0u);
    if (c.outside) {
      EXPECT_NE(t.window.boxes[0].text.find("2 byte(s)"), std::string::npos);
      EXPECT_NE(t.window.boxes[0].text.find("0x00001FFE."), std::string::npos);
    }
  }
}

TEST(Load, DataOutsideEveryAreaIsCountedAndReportedOnce) {
  TestSession t;
  SelectTestDevice(t, "PIC16F84A");
  const std::string text = Rec(0x00, 0x07FE, {0x01, 0x02, 0x03, 0x04}) +  // 2 in, 2 out
                           Rec(0x00, 0x400E, {0xF1, 0x3F}) + Rec(0x00, 0x5000, {0x09, 0x08, 0x07}) +
                           Rec(0x00, 0x4280, {0xAA}) + EndRec();  // EEPROM ends at 0x427F
  ASSERT_TRUE(ImportHexFile(t.s, WriteTempFile(text)));
  EXPECT_EQ(t.s.buf.CodeBuffer.Get(0x7FE), 0x01);
  EXPECT_EQ(t.s.cfg.ConfigWord, 0x3FF1);
  ASSERT_EQ(t.window.boxes.size(), 1u);
  EXPECT_EQ(t.window.boxes[0].style, 48);
  EXPECT_EQ(t.window.boxes[0].text,
            "6 byte(s) of the file lie outside the memory of the selected device and were not "
            "loaded. The first one is at file address 0x00000800.");
}

// ---- Files that are malformed, cannot be read or written: nothing changes ----

class Rejected : public ::testing::Test {
 protected:
  void SetUp() override {
    SelectTestDevice(t, "PIC16F88");
    FillVaried(t.s, 11);
    t.s.hex.FileName = "/earlier/file.hex";
    t.window.csum = "CSum: 1234";
    before = SnapshotOf(t.s);
  }
  // The load fails with one error box and leaves everything as it was.
  void ExpectRejected(const std::string& path, const std::string& message) {
    t.window.boxes.clear();
    EXPECT_FALSE(ImportHexFile(t.s, path));
    EXPECT_TRUE(SnapshotOf(t.s) == before);
    EXPECT_EQ(t.window.showWindows, 1);
    EXPECT_EQ(t.window.csum, "CSum: 1234");
    ASSERT_EQ(t.window.boxes.size(), 1u);
    EXPECT_EQ(t.window.boxes[0].style, 16);
    EXPECT_EQ(t.window.boxes[0].text, message);
  }
  TestSession t;
  Snapshot before;
};

std::string LineError(int line, const std::string& reason) {
  return "HEX file error in line " + std::to_string(line) + ": " + reason + " Nothing was loaded.";
}

TEST_F(Rejected, MalformedFilesNameTheLine) {
  const std::string good = Rec(0x00, 0, {0x12, 0x30, 0x34, 0x12});
  const std::string notRecord = "the line is not an Intel HEX record.";
  const std::string count = "the byte count does not match the length of the record.";
  const std::string noEnd = "The HEX file has no end record. ";
  const std::pair<std::string, std::string> cases[] = {
      {good + "020000040000FA\r\n" + EndRec(), LineError(2, notRecord)},  // no colon
      {good + ":020000040000FA0\n" + EndRec(), LineError(2, notRecord)},  // odd digits
      {":02000000G2301C\n" + EndRec(), LineError(1, notRecord)},
      {":00000001F\n", LineError(1, notRecord)},  // too short
      {":0300000012345F\n" + EndRec(), LineError(1, count)},
      {":0100000012345F\n" + EndRec(), LineError(1, count)},
      {good + Rec(0x04, 0, {0x01}) + EndRec(), LineError(2, count)},  // segment of one byte
      {good + Rec(0x01, 0, {0x00}), LineError(2, count)},             // end record with data
      {good + good + ":0400000012303412AF\n" + EndRec(),
       LineError(3, "the record checksum is wrong.")},
      {good + Rec(0x06, 0, {0x00}) + EndRec(), LineError(2, "unknown record type.")},
      {good + EndRec() + "\r\n" + good + EndRec(),
       LineError(4, "the file goes on after its end record.")},
      {good + good + Rec(0x00, 2, {0x34, 0x13}) + EndRec(),
       LineError(
           3, "the record gives a different value to a byte that an earlier record already set.")},
      {":040000001230341274\r020000040000FA\r:00000001FF\r", LineError(2, notRecord)},
      {good + good, noEnd + "It ends after line 2. Nothing was loaded."},
      {good + "\n \n", noEnd + "It ends after line 3. Nothing was loaded."},
      {"", noEnd + "Nothing was loaded."}};
  for (const auto& [text, message] : cases) {
    SCOPED_TRACE(text);
    ExpectRejected(WriteTempFile(text), message);
  }
}

TEST_F(Rejected, MissingUnreadableOrHugeFiles) {
  const std::string dir = TempDir();
  ExpectRejected(dir + "/missing.hex", "The HEX file could not be read:\n" + dir + "/missing.hex");
  ExpectRejected(dir, "The HEX file could not be read:\n" + dir);
  const std::string path = WriteTempFile(":");
  std::filesystem::resize_file(path, (64u << 20) + 1);  // sparse: costs no disk space
  ExpectRejected(path, "The file is too large to be a HEX file:\n" + path);
}

TEST(Save, APlaceThatCannotBeWrittenSaysSo) {
  TestSession t;
  SelectTestDevice(t, "PIC16F84A");
  const std::string path = TempDir() + "/no/such/folder/out.hex";
  EXPECT_FALSE(ExportHexFile(t.s, path));
  ASSERT_EQ(t.window.boxes.size(), 1u);
  EXPECT_EQ(t.window.boxes[0].style, 16);
  EXPECT_EQ(t.window.boxes[0].text, "The HEX file could not be written:\n" + path);
}

}  // namespace
}  // namespace krv::test
