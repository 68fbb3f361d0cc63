// Program entry of Kelvane: answers --help and --version in the terminal, or hands over to the
// start-up sequence and runs the event loop.
#include "app/CommandLineAnswer.h"
#include "app/Startup.h"
#include "app/frmMain.h"

#include <QApplication>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    // Before any window or display connection: these work in a terminal without one. A write
    // that fails (a full disk) is reported in the exit status.
    if (const auto answer = kelvane::commandLineAnswer(argc, argv))
        return std::fputs(answer->c_str(), stdout) < 0 || std::fflush(stdout) != 0 ? 1 : 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvane"));
    QApplication::setOrganizationName(QStringLiteral("Kelvane"));
    std::unique_ptr<kelvane::frmMain> main(
        kelvane::StartupSequence(kelvane::commandLineOf(QApplication::arguments())));
    return QApplication::exec();
}
