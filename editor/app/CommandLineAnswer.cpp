// `kelvane --help` and `kelvane --version`: answered before Qt is started, so that they work in a
// terminal without a display.
#include "app/CommandLineAnswer.h"

#include "dialogs/frmAbout.h"
#include "platform/Version.h"

#include <cstring>

namespace kelvane {

namespace {

constexpr const char* kUsage =
    "Usage: kelvane [FILE]\n"
    "       kelvane WORKSPACE.kpj\n"
    "       kelvane --help | --version\n"
    "\n"
    "Kelvane is a programmer's text editor. It opens FILE in its main window, or every\n"
    "document of a workspace when the name ends in .kpj; without FILE it starts with an\n"
    "empty document. The words after the program's name make one file name, blanks\n"
    "included, so a name with blanks needs no quotes.\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "See kelvane(1) for the files it reads and writes.\n";

} // namespace

std::optional<std::string> commandLineAnswer(int argc, const char* const* argv) {
    if (argc < 2 || argv[1] == nullptr)
        return std::nullopt;
    if (std::strcmp(argv[1], "--help") == 0)
        return std::string(kUsage);
    if (std::strcmp(argv[1], "--version") == 0)
        return "Kelvane " + versionText(kVersionMajor, kVersionMinor, kVersionBuild).toStdString() +
               '\n';
    return std::nullopt;
}

} // namespace kelvane
