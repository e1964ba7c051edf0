#pragma once
// Shared helpers of the application shell.
#include <cstdint>
#include <string>

#include "core/texts.h"

namespace krv {

struct Session;

inline constexpr const char* kAppTitle = "KRV330 - V1.25";

// Upper-case hexadecimal text of `value`, left-padded with zeros to `digits` (at most 8).
// A value that needs more digits is reported through ShowError("Dec2Hex") and gives "".
std::string Dec2Hex(Session& s, uint32_t value, int digits);

// Waits `ms` milliseconds, yielding to the event loop in between.
void WaitMs(Session& s, int ms);

// Blocking wait without yielding.
void SleepMs(Session& s, int ms);

// The common run-time error reporter: default pointer, a beep, a critical message box
// with `description`, titled AppTitle & " [" & procName & "]".
void ShowError(Session& s, const std::string& procName, const std::string& description);

// A text of the language file named by the settings.
std::string Text(const Session& s, TextId id);

}  // namespace krv
