#pragma once
// The device catalogue and device selection.
#include <string>
#include <string_view>
#include <vector>

#include "core/device.h"

namespace krv {

struct Session;

// Every row of the catalogue, the placeholder "PICunknown" first.
const std::vector<DeviceRow>& DeviceTable();

// The row of a device name, or nullptr.
const DeviceRow* FindDevice(std::string_view name);

// The placeholder row ("PICunknown": CoreWidth 14, CodeSize 1024, DataSize 64, frm16F54).
const DeviceRow& UnknownDevice();

// The family of a device name from its characters 4 and 5 ("10", "12", "16", "18", "30").
Family FamilyOf(std::string_view deviceName);

// Family box texts: "PIC10", "PIC12", "PIC16", "PIC18", "dsPIC30".
std::string_view FamilyCaption(Family f);
// Device list of a family, by part number ("PIC16F54" ... "PIC16F946"); {"PICunknown"} for
// Family::Unknown.
std::vector<std::string> FillDeviceList(Family f);

// Selects a device: every parameter from its row, ConfigForm included (the placeholder for
// a name outside the table or of no family), DeviceName; then the buffers sized anew
// (SizeBuffers), blank-filled and shown (InitWindows). Nothing is sent to the programmer.
void SelectDevice(Session& s, const std::string& deviceName);

// ConfigMask(0..6) (and CSumMask30 on dsPIC30 parts) for the key of DeviceName within its
// family, then Config1..Config7 And their masks. Only PIC18 and dsPIC30 keys are known; for
// any other key every mask is 0xFFFF (CSumMask30 too on a dsPIC30 name).
void SetConfigsDefaults(Session& s);

}  // namespace krv
