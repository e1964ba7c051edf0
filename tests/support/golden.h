#pragma once
// Golden report streams, kept as text files under tests/data/: what the programmer receives,
// where the host reads each answer and, in a transcript, what the user sees meanwhile.
//   20 20 20 20 20 20 20 20 +8
// is one report: its bytes 1..8 in hexadecimal up to its end byte (the bytes left out are
// 00, as SendToKRV sends them), then "+n" when the host reads n answers after it and before
// the next line. "k * " in front stands for the line written k times. Any other line is a
// note as the recording window and clock tell it ("info <text>", "vpp off", "box 16 <title>:
// <text>", "sleep 100", ...), with "+n" after it as after a report, compared as it stands. A
// line that starts with "#" is a comment.
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "sim/programmer.h"

namespace krv::test {

// Notes with the length of the programmer's log when each was made.
using Notes = std::vector<std::pair<size_t, std::string>>;

// The programmer's log in the same form, with the notes where they were made.
std::vector<std::string> TrafficLines(const sim::Programmer& p, const Notes& notes = {});
// The log holds exactly the golden stream, and the notes stand where it says when it holds
// any; otherwise the first difference.
::testing::AssertionResult MatchesGolden(const sim::Programmer& p, const std::string& name,
                                         const Notes& notes = {});

}  // namespace krv::test
