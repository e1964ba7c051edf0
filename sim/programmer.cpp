#include "sim/programmer.h"

#include "link/commands.h"

namespace krv::sim {

Programmer::Programmer(std::unique_ptr<Chip> chip) : chip_(std::move(chip)) {}

void Programmer::ClearLog() {
  log.clear();
  errors.clear();
}

std::vector<Report> Programmer::Reports() const {
  std::vector<Report> out;
  for (const Traffic& t : log)
    if (!t.answer) out.push_back(t.bytes);
  return out;
}

size_t Programmer::AnswersRead() const {
  size_t n = 0;
  for (const Traffic& t : log) n += t.answer;
  return n;
}

void Programmer::Unplug() {
  if (!plugged) return;
  plugged = false;
  if (progMode_ && chip_) chip_->ExitProgMode();
  progMode_ = false;
  queue_.clear();
  if (onPlugChange) onPlugChange();
}

void Programmer::Plug() {
  if (plugged) return;
  plugged = true;
  ++connection_;
  if (onPlugChange) onPlugChange();
}

void Programmer::Receive(const Report& report) {
  log.push_back({false, report});
  ++reportsReceived_;
  if (report[0] != 0) {
    errors.push_back("report ID is not 0");
  } else {
    Execute(report);
  }
  if (silentAfterReport > 0 && reportsReceived_ >= silentAfterReport) silent_ = true;
  if (vanishAfterReport > 0 && reportsReceived_ >= vanishAfterReport) Unplug();
}

void Programmer::Execute(const Report& report) {
  int k = 1;
  while (k <= 8) {
    const uint8_t code = report[k];
    if (code == 0) return;  // end of the list
    const std::optional<CommandInfo> cmd = FindCommand(code);
    if (!cmd) {
      errors.push_back("unknown command code " + std::to_string(code) + " at byte " +
                       std::to_string(k));
      return;
    }
    if (k + cmd->argBytes > 8) {
      errors.push_back(std::string(cmd->name) + " arguments run past byte 8");
      return;
    }
    sim::Answer answer{};
    try {
      Run(code, report, k, answer);
    } catch (const ProtocolError& e) {
      errors.push_back(std::string(cmd->name) + ": " + e.what());
      answer = sim::Answer{};  // the reads stay in step; the error is logged
    }
    if (cmd->answers) queue_.push_back(answer);
    k += 1 + cmd->argBytes;
  }
}

void Programmer::Run(uint8_t code, const Report& report, int k, sim::Answer& answer) {
  if (code == kCmdEnterProgMode) {
    progMode_ = true;
    if (chip_) chip_->EnterProgMode();
    return;
  }
  if (code == kCmdExitProgMode) {
    if (!queue_.empty())
      errors.push_back("programming mode left with " + std::to_string(queue_.size()) +
                       " answers unread");
    progMode_ = false;
    if (chip_) chip_->ExitProgMode();
    return;
  }
  if (!progMode_) throw ProtocolError("sent outside programming mode");
  if (!chip_) throw ProtocolError("no chip in the socket");
  switch (code) {
    case kCmdSix30:
      chip_->Six(static_cast<uint32_t>(report[k + 1]) << 16 |
                 static_cast<uint32_t>(report[k + 2]) << 8 | report[k + 3]);
      break;
    case kCmdRegOut30:
      answer = chip_->RegOut();
      break;
    case kCmdNop30:
      chip_->Nop();
      break;
    case kCmdReadCode30:
      answer = chip_->ReadCode();
      break;
    case kCmdWriteCode30:
      chip_->WriteCode();
      break;
    case kCmdReadData30:
      answer = chip_->ReadData();
      break;
    case kCmdWriteData30:
      chip_->WriteData();
      break;
    case kCmdStartNvm30:
      chip_->StartNvm();
      break;
    case kCmdResetPC30:
      chip_->ResetPC();
      break;
  }
}

bool Programmer::TakeAnswer(Report& out) {
  if (!plugged || silent_ || queue_.empty()) return false;
  out[0] = 0;
  for (int i = 0; i < 8; ++i) out[i + 1] = queue_.front()[i];
  queue_.pop_front();
  log.push_back({true, out});
  return true;
}

SimTransport::SimTransport(std::shared_ptr<Programmer> programmer) : p_(std::move(programmer)) {}

bool SimTransport::Open(uint16_t vendorId, int) {
  if (vendorId != kVendorId || !p_->plugged) {
    open_ = false;
    return false;
  }
  if (Alive()) return true;  // the handle still works: keep it
  open_ = true;
  connection_ = p_->connection();
  ++opens;
  return true;
}

bool SimTransport::Write(const Report& report) {
  if (!Alive()) return false;
  p_->Receive(report);
  return true;
}

Transport::ReadStatus SimTransport::Read(Report& report, int timeoutMs) {
  if (!Alive()) return ReadStatus::Failed;
  lastTimeoutMs = timeoutMs;
  return p_->TakeAnswer(report) ? ReadStatus::Ok : ReadStatus::TimedOut;
}

}  // namespace krv::sim
