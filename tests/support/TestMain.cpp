// Test entry point: a QApplication (offscreen unless a display is asked for) around GoogleTest.
#include "platform/FileIO.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gmock/gmock.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kelvane");
    QApplication::setOrganizationName("Kelvane");
    if (int exitCode = 0; kelvane::test::runTestChild(exitCode))
        return exitCode;
    // The editor's own working files (recovery files, copies kept while saving) stay out of
    // the user's real data folder.
    QTemporaryDir userData;
    kelvane::setUserDataFolderOverride(userData.path());
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
