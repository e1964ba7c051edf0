#pragma once
// Helpers of the catalogue tests: key lists as the dialogs give them, names, rows.
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "devices/catalogue.h"

namespace krv::test {

// "F200 F202" -> {"F200", "F202"}.
inline std::vector<std::string> Keys(const std::string& list) {
  std::istringstream in(list);
  std::vector<std::string> out;
  for (std::string k; in >> k;) out.push_back(k);
  return out;
}

// "16", "F628A" -> "PIC16F628A".
inline std::string NameOf(const std::string& family, const std::string& key) {
  return "PIC" + family + key;
}

// The row of a name; a failure (and the placeholder) when there is none.
inline const DeviceRow& RowOf(const std::string& name) {
  if (const DeviceRow* r = FindDevice(name)) return *r;
  ADD_FAILURE() << "no row for " << name;
  return UnknownDevice();
}

// Every dsPIC30 key, the two groups of the FOSC layouts.
inline std::vector<std::string> DsPic30KeysA() {
  return Keys("F2010 F4011 F4012 F5011 F5013 F6010 F6011 F6012 F6013 F6014");
}
inline std::vector<std::string> DsPic30KeysB() {
  return Keys(
      "F2011 F2012 F3010 F3011 F3012 F3013 F3014 F4013 F5015 F5016 F6010A F6011A F6012A "
      "F6013A F6014A F6015");
}
inline std::vector<std::string> DsPic30Keys() {
  std::vector<std::string> all = DsPic30KeysA();
  for (const std::string& k : DsPic30KeysB()) all.push_back(k);
  return all;
}

}  // namespace krv::test
