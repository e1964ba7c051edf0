#pragma once
// Run-time errors of a procedure. Each procedure that does a piece of work catches them
// and hands its own name to ShowError; they never cross the Qt event loop.
#include <stdexcept>
#include <string>

namespace krv {

class RuntimeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace krv
