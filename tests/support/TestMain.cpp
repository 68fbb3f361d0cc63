// Test entry point: a QApplication (offscreen unless a display is asked for) around GoogleTest.
#include <QApplication>
#include <gmock/gmock.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kelvane");
    QApplication::setOrganizationName("Kelvane");
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
