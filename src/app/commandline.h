#pragma once

#include <optional>

class QTextStream;

namespace app {

// The two requests the program answers on its command line before it opens anything (no
// display, no data source): --version and --help (-h), each printed to `out`; the exit
// code to end with. Every other argument is left to Qt's own options or ignored: the
// program itself reads none.
std::optional<int> answerCommandLine(int argc, char** argv, QTextStream& out);

} // namespace app
