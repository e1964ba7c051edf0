#include "link/hid_transport.h"

#include <hidapi.h>

#include <algorithm>

namespace krv {

namespace {

bool ValidProductId(int productId) {
  return productId >= 0 && productId <= 0xFFFF;
}

// hid_init once for the first transport, hid_exit after the last one.
int gLibraryUsers = 0;
bool gLibraryReady = false;

void AcquireLibrary() {
  if (gLibraryUsers++ == 0) gLibraryReady = hid_init() == 0;
}

void ReleaseLibrary() {
  if (--gLibraryUsers == 0) {
    if (gLibraryReady) hid_exit();
    gLibraryReady = false;
  }
}

// Every interface the system lists for this vendor and product. The filter is repeated on
// our side: hidapi reads a product ID of 0 as "any product".
std::vector<HidCandidate> Enumerate(uint16_t vendorId, int productId) {
  std::vector<HidCandidate> out;
  if (!gLibraryReady || !ValidProductId(productId)) return out;
  hid_device_info* list = hid_enumerate(vendorId, static_cast<uint16_t>(productId));
  for (const hid_device_info* d = list; d; d = d->next)
    if (d->path) out.push_back({d->vendor_id, d->product_id, d->path});
  hid_free_enumeration(list);
  return out;
}

class HidTransport final : public Transport {
 public:
  HidTransport() { AcquireLibrary(); }
  ~HidTransport() override {
    Close();
    ReleaseLibrary();
  }

  bool Open(uint16_t vendorId, int productId) override {
    if (!ValidProductId(productId)) {
      Close();
      return false;
    }
    const std::string keep = Works() ? path_ : std::string();
    const std::string path =
        ChooseProgrammerPath(Enumerate(vendorId, productId), vendorId, productId, keep);
    if (!keep.empty() && path == keep) return true;
    Close();
    if (path.empty()) return false;
    dev_ = hid_open_path(path.c_str());
    if (!dev_) return false;
    path_ = path;
    vendorId_ = vendorId;
    productId_ = productId;
    failed_ = false;
    return true;
  }

  bool IsOpen() const override { return dev_ != nullptr; }

  bool StillPresent() override {
    if (!dev_ || failed_) return false;
    const std::vector<HidCandidate> listed = Enumerate(vendorId_, productId_);
    return std::any_of(listed.begin(), listed.end(),
                       [&](const HidCandidate& c) { return c.path == path_; });
  }

  bool Write(const Report& report) override {
    if (!dev_) return false;
    const int n = hid_write(dev_, report.data(), report.size());
    if (n != static_cast<int>(report.size())) failed_ = true;
    return !failed_;
  }

  ReadStatus Read(Report& report, int timeoutMs) override {
    if (!dev_) return ReadStatus::Failed;
    // The programmer uses no numbered reports: hidraw hands over the eight answer bytes
    // without a report ID.
    uint8_t buf[64];
    const int n = hid_read_timeout(dev_, buf, sizeof buf, timeoutMs);
    if (n < 0) {
      failed_ = true;
      return ReadStatus::Failed;
    }
    if (n == 0) return ReadStatus::TimedOut;
    report.fill(0);
    std::copy_n(buf, std::min(n, 8), report.begin() + 1);
    return ReadStatus::Ok;
  }

  void Close() override {
    if (dev_) hid_close(dev_);
    dev_ = nullptr;
    path_.clear();
    failed_ = false;
  }

 private:
  // The open handle still works: no I/O failed on it and the device behind it did not go
  // away (a node that was unplugged reports an error at once, even when a new device has
  // taken its name). Searches run only between operations, so an input report that is
  // waiting here is stale and may be dropped.
  bool Works() {
    if (!dev_ || failed_) return false;
    uint8_t buf[64];
    if (hid_read_timeout(dev_, buf, sizeof buf, 0) < 0) failed_ = true;
    return !failed_;
  }

  hid_device* dev_ = nullptr;
  std::string path_;
  uint16_t vendorId_ = 0;
  int productId_ = -1;
  bool failed_ = false;
};

}  // namespace

std::string ChooseProgrammerPath(const std::vector<HidCandidate>& listed, uint16_t vendorId,
                                 int productId, const std::string& current) {
  if (!ValidProductId(productId)) return std::string();
  std::string first;
  for (const HidCandidate& c : listed) {
    if (c.vendorId != vendorId || c.productId != productId || c.path.empty()) continue;
    if (c.path == current) return current;
    if (first.empty()) first = c.path;
  }
  return first;
}

std::unique_ptr<Transport> MakeHidTransport() {
  return std::make_unique<HidTransport>();
}

}  // namespace krv
