#pragma once
// Read All, Verify All, Write All and Erase All: dispatch on CoreWidth.
#include <string>
#include <vector>

namespace krv {

struct Session;

void ReadDevice(Session& s);
void VerifyDevice(Session& s);
void WriteDevice(Session& s);
void EraseDevice(Session& s);

// Every text that the operations and the link show on the status line, in the session's
// language and with the largest figures and longest names of the catalogue: the status line
// keeps room for the widest.
std::vector<std::string> StatusTexts(const Session& s);

}  // namespace krv
