#pragma once
// The simulated programmer: walks each report's command list as the firmware does,
// drives the chip in its socket and queues one answer per answer-producing command.
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/link.h"
#include "sim/chip.h"

namespace krv::sim {

class Programmer {
 public:
  explicit Programmer(std::unique_ptr<Chip> chip = nullptr);

  // Handles one output report (all nine bytes, byte 0 the report ID). Byte 0 must be 0;
  // bytes 1..8 are commands back to back, each a code and its fixed argument bytes; a 0x00
  // where a code is expected ends the list, and a full list has no end byte. An unknown
  // code or arguments running past byte 8 end the walk with a protocol error.
  void Receive(const Report& report);
  // Pops the next answer; false when none is queued, or the programmer is unplugged or
  // silent.
  bool TakeAnswer(Report& out);

  Chip* chip() { return chip_.get(); }
  void SetChip(std::unique_ptr<Chip> chip) { chip_ = std::move(chip); }

  // Programming mode as the programmer holds it (CmdEnterProgMode .. CmdExitProgMode).
  bool InProgMode() const { return progMode_; }

  // Plugged into USB; an unplugged programmer takes no report and gives no answer.
  // Prefer Unplug()/Plug(), which also model the power cycle.
  bool plugged = true;
  // Pulled out: the chip loses programming mode and queued answers are lost.
  void Unplug();
  // Plugged in again: a new connection, on which handles opened before are dead.
  void Plug();
  int connection() const { return connection_; }
  // Called whenever the programmer is plugged or unplugged (the simulated udev event).
  std::function<void()> onPlugChange;

  // The traffic in the order it crossed the link: every report received (all nine bytes)
  // and every answer the host read (bytes 1..8 after a 0 report ID).
  struct Traffic {
    bool answer;
    Report bytes;
  };
  std::vector<Traffic> log;
  std::vector<Report> Reports() const;  // the reports of the log
  size_t AnswersRead() const;
  // Protocol errors: what the real programmer would not have understood, or what leaves it
  // out of step with the host:
  // - report ID other than 0, an unknown code, arguments running past byte 8;
  // - a command other than CmdEnterProgMode and CmdExitProgMode outside programming mode;
  // - what the chip refuses (sim::ProtocolError);
  // - CmdExitProgMode while answers are still unread. A period in programming mode reads
  //   every answer it asks for, so that no later read can take a stale answer. A period
  //   that ends without CmdExitProgMode (the programmer unplugged, or silent so that the
  //   host gave up) is not counted: the host could not read.
  std::vector<std::string> errors;
  size_t QueuedAnswers() const { return queue_.size(); }
  void ClearLog();

  // The link goes once the n-th report of the whole run has been handled (0 = never): the
  // programmer is unplugged, or it stays plugged and gives no answer any more, so that every
  // read times out.
  int vanishAfterReport = 0;
  int ReportsReceived() const { return reportsReceived_; }
  int silentAfterReport = 0;

 private:
  void Execute(const Report& report);
  void Run(uint8_t code, const Report& report, int k, sim::Answer& answer);
  std::unique_ptr<Chip> chip_;
  std::deque<sim::Answer> queue_;
  int reportsReceived_ = 0;
  bool silent_ = false;
  bool progMode_ = false;
  int connection_ = 0;
};

// A Transport over a simulated programmer, shared with the test that made it. It stands
// for the programmer whatever the build's product ID.
class SimTransport final : public Transport {
 public:
  explicit SimTransport(std::shared_ptr<Programmer> programmer);
  bool Open(uint16_t vendorId, int productId) override;
  bool IsOpen() const override { return open_; }
  bool StillPresent() override { return Alive(); }
  bool Write(const Report& report) override;
  ReadStatus Read(Report& report, int timeoutMs) override;
  void Close() override { open_ = false; }

  Programmer& programmer() { return *p_; }
  int opens = 0;           // how many times a handle was newly opened
  int lastTimeoutMs = -1;  // the time-out of the last read

 private:
  bool Alive() const { return open_ && p_->plugged && connection_ == p_->connection(); }
  std::shared_ptr<Programmer> p_;
  bool open_ = false;
  int connection_ = -1;
};

}  // namespace krv::sim
