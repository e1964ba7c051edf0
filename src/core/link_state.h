#pragma once
// The programmer as the session holds it: the report transport and the connection state.
// The procedures that use them are in link/.
#include <array>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>

namespace krv {

// A report as it travels: byte 0 is the report ID (0), bytes 1..8 the command list or the
// answer bytes.
using Report = std::array<uint8_t, 9>;

// One report transport to the programmer: the hidapi device, or the simulator.
class Transport {
 public:
  enum class ReadStatus { Ok, TimedOut, Failed };
  virtual ~Transport() = default;
  // Finds and opens the programmer by vendor and product ID. A handle that is open and
  // still works is kept; a dead one is closed first. True when a programmer is open.
  virtual bool Open(uint16_t vendorId, int productId) = 0;
  virtual bool IsOpen() const = 0;
  // The open handle's device is still plugged in. Touches no report, so it may be asked
  // while an operation runs.
  virtual bool StillPresent() { return IsOpen(); }
  // Writes one output report (all nine bytes) synchronously.
  virtual bool Write(const Report& report) = 0;
  // Reads the next input report into report[1..8] (report[0] = 0), waiting at most
  // timeoutMs.
  virtual ReadStatus Read(Report& report, int timeoutMs) = 0;
  virtual void Close() = 0;
};

// Thrown inside a running operation when the programmer stops answering or goes away; the
// operation stops at once (see OperationScope).
class LinkLost : public std::exception {
 public:
  const char* what() const noexcept override { return "programmer link lost"; }
};

struct LinkState {
  std::unique_ptr<Transport> transport;
  bool present = false;               // a programmer was found and is open
  std::array<uint8_t, 9> InReport{};  // bytes 1..8 of the last answer
  // Shown after "Ver.:". The command that reads it from the programmer is unknown, so it
  // stays empty.
  std::string FirmwareVersion;

  bool inOperation = false;  // an operation holds the link (OperationScope)
  bool lost = false;         // the link failed during the running operation
  // The programmer's absence was told in a box (Msg1, or Msg9 for a link lost): not again
  // until it has been found.
  bool absenceTold = false;
  // A plug or unplug seen while a command ran, or a link lost under an operation: search
  // again once the command has ended (AfterCommand).
  bool deviceChangePending = false;
};

}  // namespace krv
