#pragma once
// The simulated programmer: walks each report's command list as the firmware does,
// drives the chip in its socket and queues one answer per answer-producing command.
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "link/link.h"
#include "sim/chip.h"

namespace krv::sim {

class Programmer {
 public:
  explicit Programmer(std::unique_ptr<Chip> chip = nullptr);

  // Handles one output report (all nine bytes, byte 0 the report ID).
  void Receive(const Report& report);
  // Pops the next answer; false when none is queued or the programmer withholds it.
  bool TakeAnswer(Report& out);

  Chip* chip() { return chip_.get(); }
  void SetChip(std::unique_ptr<Chip> chip) { chip_ = std::move(chip); }

  // Plugged into USB; an unplugged programmer takes no report and gives no answer.
  bool plugged = true;

  // Every report received and every answer given, in order.
  std::vector<Report> reports;
  std::vector<sim::Answer> answers;
  // Protocol errors: what the real programmer would not have understood.
  std::vector<std::string> errors;
  size_t QueuedAnswers() const { return queue_.size(); }
  void ClearLog();

  // Fault injection (1-based counts; 0 = off).
  int withholdAnswer = 0;      // the n-th answer is never given (time-out)
  int vanishAfterReport = 0;   // unplugged once the n-th report has been handled
  int corruptAnswer = 0;       // the n-th answer has its byte 1 inverted
  bool stopAnswering = false;  // no answer at all from now on

 private:
  void Execute(const Report& report);
  std::unique_ptr<Chip> chip_;
  std::deque<sim::Answer> queue_;
  int answersQueued_ = 0;
};

// A Transport over a simulated programmer, shared with the test that made it.
class SimTransport final : public Transport {
 public:
  explicit SimTransport(std::shared_ptr<Programmer> programmer);
  bool Open(uint16_t vendorId, int productId) override;
  bool IsOpen() const override { return open_; }
  bool Write(const Report& report) override;
  ReadStatus Read(Report& report, int timeoutMs) override;
  void Close() override { open_ = false; }
  int opens = 0;  // how many times a handle was newly opened

 private:
  std::shared_ptr<Programmer> p_;
  bool open_ = false;
};

}  // namespace krv::sim
