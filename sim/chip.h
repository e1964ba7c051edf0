#pragma once
// A chip in the simulated programmer's socket, driven command by command.
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace krv::sim {

// Something the host sent that the real programmer or chip would not accept.
class ProtocolError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

using Answer = std::array<uint8_t, 8>;

class Chip {
 public:
  virtual ~Chip() = default;
  virtual void EnterProgMode() = 0;
  virtual void ExitProgMode() = 0;
  virtual bool InProgMode() const = 0;
  // dsPIC30 serial execution. Each throws ProtocolError for what the chip cannot do.
  virtual void Six(uint32_t instruction) = 0;
  virtual Answer RegOut() = 0;
  virtual void Nop() = 0;
  virtual Answer ReadCode() = 0;
  virtual void WriteCode() = 0;
  virtual Answer ReadData() = 0;
  virtual void WriteData() = 0;
  virtual void StartNvm() = 0;
  virtual void ResetPC() = 0;
};

}  // namespace krv::sim
