#include "sim/programmer.h"

#include "link/commands.h"

namespace krv::sim {

Programmer::Programmer(std::unique_ptr<Chip> chip) : chip_(std::move(chip)) {}

void Programmer::ClearLog() {
  reports.clear();
  answers.clear();
  errors.clear();
}

void Programmer::Receive(const Report& report) {
  reports.push_back(report);
  if (report[0] != 0) {
    errors.push_back("report ID is not 0");
  } else {
    Execute(report);
  }
  if (vanishAfterReport > 0 && static_cast<int>(reports.size()) >= vanishAfterReport)
    plugged = false;
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
    try {
      if (!chip_) throw ProtocolError("no chip in the socket");
      if (code != kCmdEnterProgMode && code != kCmdExitProgMode && !chip_->InProgMode())
        throw ProtocolError(std::string(cmd->name) + " outside programming mode");
      sim::Answer a{};
      switch (code) {
        case kCmdEnterProgMode:
          chip_->EnterProgMode();
          break;
        case kCmdExitProgMode:
          chip_->ExitProgMode();
          break;
        case kCmdSix30:
          chip_->Six(static_cast<uint32_t>(report[k + 1]) << 16 |
                     static_cast<uint32_t>(report[k + 2]) << 8 | report[k + 3]);
          break;
        case kCmdRegOut30:
          a = chip_->RegOut();
          break;
        case kCmdNop30:
          chip_->Nop();
          break;
        case kCmdReadCode30:
          a = chip_->ReadCode();
          break;
        case kCmdWriteCode30:
          chip_->WriteCode();
          break;
        case kCmdReadData30:
          a = chip_->ReadData();
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
      if (cmd->answers) {
        ++answersQueued_;
        if (corruptAnswer == answersQueued_) a[0] = static_cast<uint8_t>(~a[0]);
        if (withholdAnswer != answersQueued_) queue_.push_back(a);
      }
    } catch (const ProtocolError& e) {
      errors.push_back(e.what());
      if (cmd->answers) queue_.push_back(sim::Answer{});
    }
    k += 1 + cmd->argBytes;
  }
}

bool Programmer::TakeAnswer(Report& out) {
  if (!plugged || stopAnswering || queue_.empty()) return false;
  out[0] = 0;
  const sim::Answer a = queue_.front();
  queue_.pop_front();
  for (int i = 0; i < 8; ++i) out[i + 1] = a[i];
  answers.push_back(a);
  return true;
}

SimTransport::SimTransport(std::shared_ptr<Programmer> programmer) : p_(std::move(programmer)) {}

bool SimTransport::Open(uint16_t vendorId, int productId) {
  (void)productId;  // the simulator stands for the programmer whatever the build's ID
  if (vendorId != kVendorId || !p_->plugged) {
    open_ = false;
    return false;
  }
  if (!open_) ++opens;
  open_ = true;
  return true;
}

bool SimTransport::Write(const Report& report) {
  if (!open_ || !p_->plugged) return false;
  p_->Receive(report);
  return true;
}

Transport::ReadStatus SimTransport::Read(Report& report, int) {
  if (!open_ || !p_->plugged) return ReadStatus::Failed;
  return p_->TakeAnswer(report) ? ReadStatus::Ok : ReadStatus::TimedOut;
}

}  // namespace krv::sim
