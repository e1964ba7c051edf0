// Placeholder until the hidapi transport lands: finds nothing.
#include "link/hid_transport.h"

namespace krv {
namespace {
class NoTransport final : public Transport {
 public:
  bool Open(uint16_t, int) override { return false; }
  bool IsOpen() const override { return false; }
  bool Write(const Report&) override { return false; }
  ReadStatus Read(Report&, int) override { return ReadStatus::Failed; }
  void Close() override {}
};
}  // namespace
std::unique_ptr<Transport> MakeHidTransport() {
  return std::make_unique<NoTransport>();
}
}  // namespace krv
