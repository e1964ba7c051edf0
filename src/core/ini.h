#pragma once
// Private-profile (INI) files with the semantics the stored settings and language files
// rely on: section and key names are case-insensitive and trimmed, the first match wins,
// lines starting with ';' are comments, a value in a matching pair of quotes keeps its
// blanks, and CR, LF and CRLF each end a line. Files may be UTF-8; a file that is not
// valid UTF-8 is read as Latin-1. Every text handed over and back is UTF-8.
#include <string>
#include <string_view>

namespace krv {

// The value of Key in Section of File, or Default when the file, the section or the key
// is missing or the value is empty.
std::string ReadIni(const std::string& file, std::string_view section, std::string_view key,
                    std::string_view def);

// Writes Key=Value into Section of File: the key's line is replaced in place, every other
// line stays byte for byte as it was (a last line without a line end gets one when a line
// now follows it); the key, the section or the file are added when missing. A value with
// blanks or tabs at its ends, or in a matching pair of quotes, is written in double
// quotes, so that it reads back as it was. New lines take the file's encoding (a Latin-1
// file stays Latin-1) and the line end of its first line (LF when it has none), except
// where a new line's end and a neighbour's would read back as one CRLF (a line that ends
// in CR before an empty line that ends in LF): that new line ends in CRLF. Returns false
// (and leaves the file as it was) when the file cannot be written, when a name would not
// read back as itself (empty, blanks at its ends, a line break; a section name with ']';
// a key with '=' or beginning with '[' or ';'), when the value holds a line break or is
// not valid UTF-8, or when a text has no Latin-1 code for a Latin-1 file.
bool SaveIni(const std::string& file, std::string_view section, std::string_view key,
             std::string_view value);

// Decodes file contents: UTF-8 as it stands (a BOM is dropped), anything else as Latin-1.
std::string DecodeText(std::string_view bytes);

}  // namespace krv
