// Which USB HID interface is taken for the programmer. Nothing here opens a real device:
// the choice is tested on made-up lists, and the transport only with product IDs that
// can never match.
#include <tuple>

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
  // clang-format off
  const std::tuple<const char*, int, std::string, std::string> cases[] = {
      // what, product ID, the open interface, the one chosen
      {"first exact match", kPid, "", "/dev/hidraw2"},
      {"the open one is kept while listed", kPid, "/dev/hidraw3", "/dev/hidraw3"},
      {"the open one is gone", kPid, "/dev/hidraw7", "/dev/hidraw2"},
      {"an open handle of another product is not kept", kPid, "/dev/hidraw0", "/dev/hidraw2"},
      {"no product ID in the build", -1, "", ""},
      {"product 0 is not a wildcard", 0, "", ""},
  };
  // clang-format on
  for (const auto& [what, productId, current, chosen] : cases)
    EXPECT_EQ(ChooseProgrammerPath(listed, 0x04D8, productId, current), chosen) << what;
  EXPECT_EQ(ChooseProgrammerPath({}, 0x04D8, kPid, ""), "");
  EXPECT_EQ(ChooseProgrammerPath({{0x04D8, kPid, ""}, {0x04D8, kPid, "/x"}}, 0x04D8, kPid, ""),
            "/x");  // an interface without a path is passed over
}

// Without a valid product ID nothing is opened, and a build without one never finds a
// programmer.
TEST(HidTransport, WithoutAValidProductIdNothingIsOpened) {
  test::TestSession t;
  t.s.link.transport = MakeHidTransport();
  MakeHidTransport().reset();  // the two share the library: closing one leaves it to the other
  Transport& tr = *t.s.link.transport;
  for (int pid : {-1, 0x10000}) EXPECT_FALSE(tr.Open(kVendorId, pid) || tr.IsOpen());
  Report r{};
  EXPECT_FALSE(tr.Write(r) || tr.StillPresent());
  EXPECT_EQ(tr.Read(r, 0), Transport::ReadStatus::Failed);
  EXPECT_TRUE(ProductId() >= 0 || !(BuscaHID(t.s) || SendToKRV(t.s, {kCmdExitProgMode})));
}

}  // namespace
}  // namespace krv
