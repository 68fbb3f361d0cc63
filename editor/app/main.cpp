// Program entry of Kelvane: hands over to the start-up sequence and runs the event loop.
#include "app/Startup.h"
#include "app/frmMain.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvane"));
    QApplication::setOrganizationName(QStringLiteral("Kelvane"));
    std::unique_ptr<kelvane::frmMain> main(
        kelvane::StartupSequence(kelvane::commandLineOf(QApplication::arguments())));
    return QApplication::exec();
}
