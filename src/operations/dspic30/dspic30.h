#pragma once
// The dsPIC30F operations: read, erase, verify and write of program memory, the
// programming-executive area, data EEPROM and the seven configuration registers.
namespace krv {

struct Session;

// Reads the whole chip into the buffers and Config1..Config7, then the checksum and views.
void ReadPIC30(Session& s);
// Bulk erase, the executive area when DelICSP is 1, and 0xFFFF into each configuration
// register. No progress, no cancel.
void ErasePIC30(Session& s);
// Reads the chip back and compares it with the buffers; the first difference ends the
// comparison. Result in OperationOK and LastErrorText.
void VerifyPIC30(Session& s);
// Erases the chip and writes the buffers into it, reading each area back when VWhile is 1
// and verifying the whole when VAfter is 1.
void WritePIC30(Session& s);

}  // namespace krv
