#pragma once
// Read All, Verify All, Write All and Erase All: dispatch on CoreWidth.
namespace krv {

struct Session;

void ReadDevice(Session& s);
void VerifyDevice(Session& s);
void WriteDevice(Session& s);
void EraseDevice(Session& s);

}  // namespace krv
