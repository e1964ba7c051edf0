// Files no one here wrote: programs assembled by gpasm load with every byte in its place (the
// file saved again holds each of gpasm's bytes at its address); files saved here are read
// back by srec_cat with the same contents. Both tools come with scripts/setup.sh; a missing tool
// fails these tests.
#include <gtest/gtest.h>

#include <cstdlib>

#include "buffer_helpers.h"
#include "buffers/dump.h"
#include "buffers/hexfile/hexfile.h"
#include "devices/catalogue.h"
#include "support/files.h"
#include "support/test_session.h"

namespace krv::test {
namespace {

// Runs a shell command; its exit status, and its standard output and error in `output`.
int RunCommand(const std::string& command, std::string& output) {
  const std::string log = TempDir() + "/output";
  const int status = std::system((command + " >'" + log + "' 2>&1").c_str());
  output = ReadFile(log);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(Gpasm, AssembledProgramsLoadWithEveryByteInItsPlace) {
  const std::pair<const char*, const char*> cases[] = {{"pic12f508.asm", "PIC12F508"},
                                                       {"pic16f628a.asm", "PIC16F628A"},
                                                       {"pic16f88.asm", "PIC16F88"},
                                                       {"pic18f452.asm", "PIC18F452-4539"}};
  for (const auto& [source, device] : cases) {
    SCOPED_TRACE(source);
    const std::string path = TempDir() + "/prog.hex";
    std::string out;
    ASSERT_EQ(RunCommand("gpasm -o '" + path + "' '" + DataPath(source) + "'", out), 0) << out;
    TestSession t;
    SelectDevice(t.s, device);
    ASSERT_TRUE(ImportHexFile(t.s, path));
    EXPECT_TRUE(t.window.boxes.empty());
    const auto saved = SavedBytes(t.s);
    for (const auto& [address, value] : HexBytes(ReadFile(path)))
      ASSERT_EQ(saved.at(address), value) << std::hex << address;
  }
}

// srec_cat reads our file and writes it again in its own way: the same bytes at the same
// addresses, and not a word of complaint.
TEST(SrecCat, ReadsOurFilesWithoutComplaintAndTheSameContents) {
  for (const char* device : {"PIC12F508", "PIC16F88", "PIC18F452-4539", "PIC30F6014A"}) {
    SCOPED_TRACE(device);
    TestSession t;
    SelectDevice(t.s, device);
    FillVaried(t.s, 21);
    const std::string ours = TempDir() + "/ours.hex", back = TempDir() + "/back.hex";
    ASSERT_TRUE(ExportHexFile(t.s, ours));
    std::string out;
    ASSERT_EQ(RunCommand("srec_cat '" + ours + "' -intel -o '" + back + "' -intel", out), 0) << out;
    EXPECT_EQ(out, "") << "srec_cat complained";
    EXPECT_TRUE(HexBytes(ReadFile(back)) == HexBytes(ReadFile(ours)));
  }
}

}  // namespace
}  // namespace krv::test
