#pragma once
// A chip for the link tests: records every command it is given and answers from a script.
#include <cstdio>
#include <deque>
#include <string>

#include "sim/chip.h"

namespace krv::test {

class ScriptedChip final : public sim::Chip {
 public:
  void EnterProgMode() override { Log("enter"); }
  void ExitProgMode() override { Log("exit"); }
  bool InProgMode() const override { return true; }
  void Six(uint32_t instruction) override {
    if (instruction == kRejected) throw sim::ProtocolError("instruction not understood");
    char text[16];
    std::snprintf(text, sizeof text, "six%06X", static_cast<unsigned>(instruction));
    Log(text);
  }
  sim::Answer RegOut() override { return Next("regout"); }
  void Nop() override { Log("nop"); }
  sim::Answer ReadCode() override { return Next("readcode"); }
  void WriteCode() override { Log("writecode"); }
  sim::Answer ReadData() override { return Next("readdata"); }
  void WriteData() override { Log("writedata"); }
  void StartNvm() override { Log("startnvm"); }
  void ResetPC() override { Log("resetpc"); }

  static constexpr uint32_t kRejected = 0xFFFFFF;
  // Every command, space-separated: "enter six880190 nop".
  std::string calls;
  // Answers given in order; when the script is empty each answer is {n, n, ...} with n the
  // answer's 1-based number.
  std::deque<sim::Answer> script;

 private:
  void Log(const std::string& call) { calls += (calls.empty() ? "" : " ") + call; }
  sim::Answer Next(const std::string& call) {
    Log(call);
    sim::Answer a;
    a.fill(static_cast<uint8_t>(++given_));
    if (!script.empty()) {
      a = script.front();
      script.pop_front();
    }
    return a;
  }
  int given_ = 0;
};

}  // namespace krv::test
