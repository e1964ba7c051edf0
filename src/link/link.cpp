#include "link/link.h"

#include "core/errors.h"
#include "core/helpers.h"
#include "core/session.h"
#include "core/window.h"

namespace krv {

int ProductId() {
  return KRV330_PRODUCT_ID;
}

namespace {

// A failure while an operation holds the link: it stops at once, reported once.
[[noreturn]] void LoseLink(Session& s) {
  if (!s.link.lost) {
    s.link.lost = true;
    CloseLink(s);
    s.link.deviceChangePending = true;
    s.run.OperationOK = false;
    s.run.LastErrorText = Text(s, TextId::Msg9);
    ShowVppOff(s);
    s.window->MsgBox(s.run.LastErrorText, mb::kCritical, kAppTitle);
    s.link.absenceTold = true;
  }
  throw LinkLost();
}

}  // namespace

void CloseLink(Session& s) {
  if (s.link.transport) s.link.transport->Close();
  s.link.present = false;
}

bool SendToKRV(Session& s, std::initializer_list<int32_t> bytes) {
  if (bytes.size() > 8) throw RuntimeError("A command report holds at most eight bytes");
  Report report{};  // byte 0: report ID 0
  int k = 1;
  for (int32_t b : bytes) report[k++] = static_cast<uint8_t>(b & 255);
  if (s.link.inOperation) {
    if (s.link.lost || !s.link.present || !s.link.transport->Write(report)) LoseLink(s);
    return true;
  }
  if (!s.link.present) return false;
  if (s.link.transport->Write(report)) return true;
  // Outside an operation a failed write may be a stale handle: search again, retry once.
  if (BuscaHID(s) && s.link.transport->Write(report)) return true;
  CloseLink(s);
  return false;
}

bool ReadReport(Session& s) {
  if (s.link.inOperation && (s.link.lost || !s.link.present)) LoseLink(s);
  if (!s.link.present) return false;
  Report report{};
  if (s.link.transport->Read(report, kAnswerTimeoutMs) == Transport::ReadStatus::Ok) {
    for (int k = 1; k <= 8; ++k) s.link.InReport[k] = report[k];
    return true;
  }
  if (s.link.inOperation) LoseLink(s);
  CloseLink(s);
  s.window->MsgBox(Text(s, TextId::Msg9), mb::kCritical, kAppTitle);
  s.link.absenceTold = true;
  return false;
}

bool Usb_HIDopen(Session& s, uint16_t vendorId, int productId) {
  if (s.link.inOperation) return s.link.present;
  s.link.present = s.link.transport && s.link.transport->Open(vendorId, productId);
  return s.link.present;
}

bool BuscaHID(Session& s) {
  return Usb_HIDopen(s, kVendorId, ProductId());
}

void KRVconnected(Session& s) {
  s.link.absenceTold = false;
  s.window->ShowConnection("Hw.:KRV330", "Ver.:" + s.link.FirmwareVersion, true);
  if (s.window->Info() == Text(s, TextId::Msg1)) s.window->SetInfo("");
}

void KRVdisconnected(Session& s) {
  s.window->ShowConnection("Hw.: Unknown", "Ver.:", false);
  const std::string msg1 = Text(s, TextId::Msg1);
  s.window->SetInfo(msg1);
  if (!s.link.absenceTold) {
    s.link.absenceTold = true;
    s.window->MsgBox(msg1, mb::kWarning, kAppTitle);
  }
}

void ShowConnectionState(Session& s) {
  if (s.link.present) {
    KRVconnected(s);
  } else {
    KRVdisconnected(s);
  }
}

void ShowVppOn(Session& s) {
  s.window->SetVppPicture(true);
  s.window->DoEvents();
}

void ShowVppOff(Session& s) {
  s.window->SetVppPicture(false);
  s.window->DoEvents();
}

void DrainInput(Session& s) {
  if (!s.link.present) return;
  Report report{};
  while (s.link.transport->Read(report, 0) == Transport::ReadStatus::Ok) {
  }
}

OperationScope::OperationScope(Session& s) : s_(s), outer_(s.link.inOperation) {
  if (outer_) return;
  DrainInput(s_);
  s_.link.lost = false;
  s_.link.inOperation = true;
}

OperationScope::~OperationScope() {
  if (!outer_) s_.link.inOperation = false;
}

bool CheckCancel(Session& s) {
  if (!s.run.CancelRequested) return false;
  s.window->SetProgress(0);
  s.window->SetInfo(Text(s, TextId::Msg8));
  s.run.CancelRequested = false;
  SendToKRV(s, {kCmdExitProgMode});
  return true;
}

}  // namespace krv
