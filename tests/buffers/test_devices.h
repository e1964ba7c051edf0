#pragma once
// Device rows for the buffer tests: the catalogue's rows where it has them, otherwise a
// copy of one with the datasheet sizes and masks of the part.
#include <string>

#include "core/device.h"
#include "support/test_session.h"

namespace krv::test {

// "PIC12F508", "PIC16F84A", "PIC16F628A", "PIC16F88", "PIC12F629", "PIC18F452-4539",
// "PIC30F2010", "PIC30F4013", "PIC30F6014A".
DeviceParams TestDevice(const std::string& name);

// A session with the device selected and its buffers blank (InitWindows).
void SelectTestDevice(TestSession& t, const std::string& name);

// Fills every buffer, the configuration words and the user IDs with varied values of the
// device's width (dsPIC30 fourth bytes and padding stay 0).
void FillVaried(Session& s, unsigned seed);

}  // namespace krv::test
