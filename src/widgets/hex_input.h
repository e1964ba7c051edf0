#pragma once
// Hexadecimal input: the key filter of every hexadecimal text box, and the reading of
// hexadecimal text.
#include <cstdint>
#include <optional>

#include <QChar>
#include <QStringView>

class QLineEdit;

namespace krv {

// The character that a typed character puts into a hexadecimal box: "0".."9" and
// "A".."F" (lower case made upper case); nothing for every other character.
std::optional<QChar> HexKey(QChar typed);

// Lets only hexadecimal digits (upper-cased) and Backspace be typed into `box`. Keys that
// type no character (arrows, Delete, Home, Tab, Enter, Escape ...) and the Ctrl shortcuts
// (copy, paste, select all) keep their usual meaning; space, other letters, other control
// characters and characters typed with Alt are dropped. Pasted text is upper-cased and
// refused unless it is made of hexadecimal digits only.
void InstallHexKeyFilter(QLineEdit* box);

// The value of the hexadecimal digits at the start of `text` (either case), read up to the
// first character that is not one, at most eight digits; 0 when there is none.
uint32_t HexValue(QStringView text);

}  // namespace krv
