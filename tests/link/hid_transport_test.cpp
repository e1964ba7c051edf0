// Which USB HID interface is taken for the programmer. Nothing here opens a real device:
// the choice is tested on made-up lists, and the transport only with product IDs that
// can never match.
#include <gtest/gtest.h>

#include "link/hid_transport.h"
#include "link/link.h"
#include "support/test_session.h"

namespace krv {
namespace {

constexpr int kPid = 0x00AB;

TEST(ChooseProgrammerPath, MatchesVendorAndProductExactly) {
  const std::vector<HidCandidate> listed = {
      {0x04D8, 0x000A, "/dev/hidraw0"},  // another product of the same vendor
      {0x1234, kPid, "/dev/hidraw1"},    // another vendor with the same product ID
      {0x04D8, kPid, "/dev/hidraw2"},
      {0x04D8, kPid, "/dev/hidraw3"},
  };
  const struct {
    const char* what;
    int productId;
    std::string current, chosen;
  } cases[] = {
      {"first exact match", kPid, "", "/dev/hidraw2"},
      {"the open one is kept while listed", kPid, "/dev/hidraw3", "/dev/hidraw3"},
      {"the open one is gone", kPid, "/dev/hidraw7", "/dev/hidraw2"},
      {"an open handle of another product is not kept", kPid, "/dev/hidraw0", "/dev/hidraw2"},
      {"no product ID in the build", -1, "", ""},
      {"no product ID, even with a handle", -1, "/dev/hidraw2", ""},
      {"product 0 is not a wildcard", 0, "", ""},
      {"out of range", 0x100AB, "", ""},
      {"nothing of that product", 0x00AC, "", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ChooseProgrammerPath(listed, 0x04D8, c.productId, c.current), c.chosen) << c.what;
  EXPECT_EQ(ChooseProgrammerPath({}, 0x04D8, kPid, ""), "");
  EXPECT_EQ(ChooseProgrammerPath({{0x04D8, kPid, ""}}, 0x04D8, kPid, ""), "");
}

TEST(HidTransport, WithoutAProductIdNothingIsOpened) {
  auto tr = MakeHidTransport();
  auto other = MakeHidTransport();
  other.reset();  // the two share the library: closing one leaves it to the other
  for (int pid : {-1, 0x10000}) {
    EXPECT_FALSE(tr->Open(kVendorId, pid));
    EXPECT_FALSE(tr->IsOpen());
  }
  Report r{};
  EXPECT_FALSE(tr->Write(r));
  EXPECT_EQ(tr->Read(r, 0), Transport::ReadStatus::Failed);
  EXPECT_FALSE(tr->StillPresent());
  tr->Close();
}

TEST(HidTransport, ABuildWithoutTheProductIdNeverFindsAProgrammer) {
  if (ProductId() >= 0) GTEST_SKIP() << "this build was given a product ID";
  test::TestSession t;
  t.s.link.transport = MakeHidTransport();
  EXPECT_FALSE(BuscaHID(t.s));
  EXPECT_FALSE(SendToKRV(t.s, {kCmdExitProgMode}));
}

}  // namespace
}  // namespace krv
