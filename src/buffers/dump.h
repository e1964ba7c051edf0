#pragma once
// Hex-dump text of the buffer views, line by line, so that a view can render only the
// lines it shows.
#include <string>

namespace krv {

struct Session;

enum class DumpArea { Code, Data, Exec };

int DumpLineCount(const Session& s, DumpArea area);
std::string DumpLine(Session& s, DumpArea area, int line);
// The whole dump, lines ended by '\n'.
std::string DumpText(Session& s, DumpArea area);

}  // namespace krv
