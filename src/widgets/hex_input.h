#pragma once
// Hexadecimal input: the key filter of every hexadecimal text box.
class QLineEdit;

namespace krv {

// Lets only hexadecimal digits (upper-cased) and Backspace be typed into `box`. Keys that
// type no character (arrows, Delete, Home, Tab, Enter, Escape ...) and the Ctrl shortcuts
// (copy, paste, select all) keep their usual meaning; space, other letters, other control
// characters and characters typed with Alt are dropped. Pasted text is upper-cased and
// refused unless it is made of hexadecimal digits only.
void InstallHexKeyFilter(QLineEdit* box);

}  // namespace krv
