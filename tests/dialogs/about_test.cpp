// The About box and the System Information program.
#include "dialogs/SysInfo.h"
#include "dialogs/frmAbout.h"

#include "platform/MsgBox.h"
#include "platform/Version.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace kelvane::test {
namespace {

TEST(AboutVersionTest, NumbersAreShownWithoutLeadingZeros) {
    EXPECT_EQ(versionText(1, 2, 43), "Version 1.2 Build 43");
    // Version 1.02.0043 as the project writes it: the components are read as decimal text.
    static_assert(versionComponent("1") == 1);
    static_assert(versionComponent("02") == 2);
    static_assert(versionComponent("0043") == 43);
    static_assert(versionComponent("08") == 8, "not an octal literal");
    static_assert(versionComponent("") == 0, "a component left out");
    EXPECT_EQ(versionText(versionComponent("1"), versionComponent("02"), versionComponent("0043")),
              "Version 1.2 Build 43");
}

TEST(AboutBoxTest, ShowsTheProgramsOwnVersionAndTheFixedTexts) {
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), "About Kelvane");
    EXPECT_EQ(about.Label1->text(), "Kelvane");
    EXPECT_EQ(about.Label2->text(), "Programmer's Text Editor for Windows 95/98/NT");
    EXPECT_EQ(about.lblVersion->text(), versionText(kVersionMajor, kVersionMinor, kVersionBuild));
    EXPECT_TRUE(about.lblVersion->text().startsWith("Version ") &&
                !about.lblVersion->text().contains('?'));
    for (QLabel* notice : {about.Label4, about.Label3, about.lblDisclaimer})
        EXPECT_FALSE(notice->text().isEmpty());
    EXPECT_TRUE(about.lblDisclaimer->text().contains("warranty"));
    EXPECT_EQ(about.cmdSysInfo->text(), "&System Info...");
    about.show();
    about.cmdOK->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

/// Replaces PATH for one test with a scratch folder of its own.
class SysInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        oldPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(scratch.path()));
    }
    void TearDown() override { qputenv("PATH", oldPath); }

    /// A program on PATH that leaves a marker file when it runs.
    QString fakeProgram(const QString& name) {
        const QString path = scratch.write(
            name, ("#!/bin/sh\necho started > '" + scratch.file(name + ".ran") + "'\n").toUtf8());
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    bool ran(const QString& name) {
        return QTest::qWaitFor([&] { return QFile::exists(scratch.file(name + ".ran")); }, 10000);
    }

    QByteArray oldPath;
    ScratchDir scratch;
    ScriptedMsgBoxes boxes;
};

TEST_F(SysInfoTest, WithoutAnyProgramTheButtonShowsUnavailable) {
    EXPECT_EQ(findSystemInfoProgram(), "");
    frmAbout about;
    about.cmdSysInfo->click();
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].prompt, "System Information Is Unavailable At This Time");
    EXPECT_EQ(boxes.asked()[0].style, vbOKOnly) << "OK only, no icon";
    EXPECT_EQ(boxes.asked()[0].title, "Kelvane");
}

TEST_F(SysInfoTest, FirstKnownProgramOnPathIsStartedAndTheBoxStaysOpen) {
    fakeProgram("gnome-system-monitor");
    const QString preferred = fakeProgram("hardinfo");
    EXPECT_EQ(findSystemInfoProgram(), preferred);
    frmAbout about;
    about.show();
    about.cmdSysInfo->click();
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_TRUE(ran("hardinfo"));
    EXPECT_FALSE(QFile::exists(scratch.file("gnome-system-monitor.ran"))) << "only the first";
    EXPECT_TRUE(about.isVisible());
}

TEST_F(SysInfoTest, ProgramThatCannotStartShowsUnavailable) {
    // Found on PATH but not executable by the system: a folder carrying the name would not be
    // found, so use a program whose interpreter is missing.
    const QString broken = scratch.write("kinfocenter", "#!/nonexistent/interpreter\n");
    QFile::setPermissions(broken, QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_FALSE(StartSysInfo());
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].prompt, "System Information Is Unavailable At This Time");
}

} // namespace
} // namespace kelvane::test
