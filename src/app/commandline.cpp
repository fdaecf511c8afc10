#include "app/commandline.h"

#include <QTextStream>

#include <cstring>

namespace app {

std::optional<int> answerCommandLine(int argc, char** argv, QTextStream& out)
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--version") == 0) {
            out << "duredir " << DUREDIR_VERSION << "\n";
            return 0;
        }
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            out << "Usage: duredir [Qt options]\n"
                   "\n"
                   "Desktop stock keeping for one store or workshop, on the data source of the\n"
                   "alias varnok_public (see 'duredir-db show'; prepare a new one with\n"
                   "'duredir-db init').\n"
                   "\n"
                   "Options:\n"
                   "  --help      print this text and end\n"
                   "  --version   print the version of duredir and end\n"
                   "\n"
                   "Qt's own options (-platform NAME, -style NAME, -reverse ...) are accepted;\n"
                   "any other argument is ignored.\n";
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace app
