// File associations on the freedesktop stack, checked with the desktop's own tools in a
// scratch home.
#include "platform/FileAssociations.h"
#include "support/XdgScratch.h"

#include <QFile>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

namespace kelvane::test {
namespace {

TEST(FileAssociationTypes, ExtensionKeysAndTheirTypes) {
    EXPECT_EQ(FileAssociations::extensionsOf(".KPJ"), QStringList{"kpj"});
    EXPECT_EQ(FileAssociations::extensionsOf(".TXT"), QStringList{"txt"});
    EXPECT_EQ(FileAssociations::extensionsOf(".HTM?"), (QStringList{"htm", "html"}));
    EXPECT_EQ(FileAssociations::extensionsOf(".JAV?"), (QStringList{"jav", "java"}));
    EXPECT_EQ(FileAssociations::mimeTypeOf("TXT"), "text/plain");
    EXPECT_EQ(FileAssociations::mimeTypeOf("cpp"), "text/x-c++src");
    EXPECT_EQ(FileAssociations::mimeTypeOf("html"), "text/html");
    EXPECT_EQ(FileAssociations::mimeTypeOf("jav"), "text/x-java");
    EXPECT_EQ(FileAssociations::mimeTypeOf("kpj"), FileAssociations::kProjectMimeType);
    EXPECT_TRUE(FileAssociations::mimeTypeOf("exe").isEmpty());
}

TEST(FileAssociationTypes, StandardTypesAreTheOnesTheMachineKnows) {
    // Every type but the editor's own must be one the installed MIME database defines.
    for (const QString& type : FileAssociations::mimeTypes()) {
        if (type == FileAssociations::kProjectMimeType)
            continue;
        EXPECT_TRUE(QFile::exists("/usr/share/mime/" + type + ".xml")) << type.toStdString();
    }
}

TEST(FileAssociationTypes, InstalledFilesAgreeWithWhatRegistrationWrites) {
    // The installed MIME package is the one written for a user, and the installed desktop entry
    // offers the same types.
    const QString packaging = QStringLiteral(KELVANE_SOURCE_DIR "/packaging/");
    EXPECT_EQ(readAll(packaging + "kelvane.xml"), FileAssociations::mimePackage());
    const QString entry = QString::fromUtf8(readAll(packaging + "kelvane.desktop"));
    EXPECT_TRUE(entry.contains("\nMimeType=" + FileAssociations::mimeTypes().join(';') + ";\n"));
    // The installed command is typed in lower case, as every Linux program is.
    EXPECT_TRUE(entry.contains("\nExec=kelvane %f\n"));
}

TEST(DesktopExec, ProgramPathIsQuotedOnlyWhenItMustBe) {
    EXPECT_EQ(FileAssociations::desktopExec("/usr/bin/Kelvane"), "/usr/bin/Kelvane %f");
    EXPECT_EQ(FileAssociations::desktopExec("/opt/my apps/Kelvane"), "\"/opt/my apps/Kelvane\" %f");
    // $ and \ are escaped inside the quotes, the backslash doubled again by the key file; a
    // percent sign is doubled.
    EXPECT_EQ(FileAssociations::desktopExec("/a $b\\c/100%/K"), R"("/a \\$b\\\\c/100%%/K" %f)");
}

TEST(KeyFileValue, SetsOneKeyAndKeepsTheRest) {
    const QString before = "[Added Associations]\ntext/plain=other.desktop;\n\n"
                           "[Default Applications]\ntext/html=firefox.desktop\n"
                           "text/plain=gedit.desktop\n\n[Removed Associations]\nx/y=z\n";
    EXPECT_EQ(setKeyFileValue(before, "Default Applications", "text/plain", "kelvane.desktop"),
              "[Added Associations]\ntext/plain=other.desktop;\n\n"
              "[Default Applications]\ntext/html=firefox.desktop\n"
              "text/plain=kelvane.desktop\n\n[Removed Associations]\nx/y=z\n");
    EXPECT_EQ(setKeyFileValue(before, "Default Applications", "text/x-csrc", "kelvane.desktop"),
              "[Added Associations]\ntext/plain=other.desktop;\n\n"
              "[Default Applications]\ntext/html=firefox.desktop\n"
              "text/plain=gedit.desktop\ntext/x-csrc=kelvane.desktop\n\n"
              "[Removed Associations]\nx/y=z\n");
    EXPECT_EQ(setKeyFileValue("", "Default Applications", "text/plain", "k.desktop"),
              "[Default Applications]\ntext/plain=k.desktop\n");
    EXPECT_EQ(setKeyFileValue("[A]\nb=c", "Default Applications", "text/plain", "k.desktop"),
              "[A]\nb=c\n\n[Default Applications]\ntext/plain=k.desktop\n");
}

class FileAssociationsTest : public ::testing::Test {
protected:
    void SetUp() override {
        program = xdg.scratch.write("bin/kelvane-recorder",
                                    "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.args\"\n");
        QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner);
    }

    QString userEntry() const { return xdg.places.dataHome + "/applications/kelvane.desktop"; }

    XdgScratch xdg;
    QString program;
};

TEST_F(FileAssociationsTest, TextTypeBecomesTheDesktopDefaultAsXdgMimeWouldWriteIt) {
    FileAssociations associations(program, xdg.places);
    QString error;
    ASSERT_TRUE(associations.registerType(".TXT", &error)) << error.toStdString();
    EXPECT_EQ(xdg.run("xdg-mime", {"query", "default", "text/plain"}), "kelvane.desktop");
    EXPECT_TRUE(readAll(userEntry()).contains("Exec=" + program.toUtf8() + " %f\n"));

    // The same entries that `xdg-mime default` leaves in an empty configuration (it starts the
    // file with a blank line).
    XdgScratch reference;
    reference.run("xdg-mime", {"default", "kelvane.desktop", "text/plain"});
    EXPECT_EQ(readAll(xdg.places.configHome + "/mimeapps.list"),
              readAll(reference.places.configHome + "/mimeapps.list").trimmed() + "\n");
}

TEST_F(FileAssociationsTest, WorkspaceFilesGetTheEditorsOwnType) {
    FileAssociations associations(program, xdg.places);
    QString error;
    ASSERT_TRUE(associations.registerType(".KPJ", &error)) << error.toStdString();
    const QString workspace = xdg.scratch.write("my work/Project.KPJ", "a\r\nb\r\n");
    EXPECT_EQ(xdg.run("xdg-mime", {"query", "filetype", workspace}),
              FileAssociations::kProjectMimeType);
    EXPECT_EQ(xdg.run("xdg-mime", {"query", "default", FileAssociations::kProjectMimeType}),
              "kelvane.desktop");
}

TEST_F(FileAssociationsTest, BothSpellingsOfHtmlAndJavaRows) {
    FileAssociations associations(program, xdg.places);
    ASSERT_TRUE(associations.registerType(".HTM?"));
    ASSERT_TRUE(associations.registerType(".JAV?"));
    for (const char* name : {"a.htm", "a.html", "A.java", "A.jav"}) {
        const QString file = xdg.scratch.write(name, "x\n");
        const QString type = xdg.run("xdg-mime", {"query", "filetype", file});
        EXPECT_EQ(xdg.run("xdg-mime", {"query", "default", type}), "kelvane.desktop") << name;
    }
}

TEST_F(FileAssociationsTest, TwiceIsTheSameAsOnce) {
    FileAssociations associations(program, xdg.places);
    for (const char* key : {".KPJ", ".TXT", ".C"})
        ASSERT_TRUE(associations.registerType(key));
    const auto once = xdg.snapshot();
    for (const char* key : {".KPJ", ".TXT", ".C"})
        ASSERT_TRUE(associations.registerType(key));
    EXPECT_EQ(xdg.snapshot(), once);
}

TEST_F(FileAssociationsTest, KeepsOtherDefaultsOfTheUser) {
    QDir().mkpath(xdg.places.configHome);
    QFile list(xdg.places.configHome + "/mimeapps.list");
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("[Default Applications]\nimage/png=viewer.desktop\ntext/plain=gedit.desktop\n");
    list.close();
    ASSERT_TRUE(FileAssociations(program, xdg.places).registerType(".TXT"));
    EXPECT_EQ(readAll(list.fileName()),
              "[Default Applications]\nimage/png=viewer.desktop\ntext/plain=kelvane.desktop\n");
}

TEST_F(FileAssociationsTest, UserEntryValidatesEvenForAnAwkwardProgramPath) {
    if (QStandardPaths::findExecutable("desktop-file-validate").isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed";
    FileAssociations associations("/opt/my $tools/100%/Kelvane", xdg.places);
    const QString entry = xdg.scratch.write("kelvane.desktop", associations.userDesktopEntry());
    QProcess validate;
    validate.start("desktop-file-validate", {entry});
    ASSERT_TRUE(validate.waitForFinished(30000));
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAll().toStdString();
}

TEST_F(FileAssociationsTest, XdgOpenStartsTheProgramWithTheFileAsOneArgument) {
    ASSERT_TRUE(FileAssociations(program, xdg.places).registerType(".TXT"));
    const QString document = xdg.scratch.write("my notes/to do; now.txt", "hello\n");
    QProcess open;
    QProcessEnvironment env = xdg.environment();
    // xdg-open asks the desktop only when there is a display; this one has no server, so the
    // tools it runs to look at the desktop never touch a virtual screen of another test.
    env.insert("DISPLAY", ":32767");
    env.remove("BROWSER");
    open.setProcessEnvironment(env);
    open.start("xdg-open", {document});
    ASSERT_TRUE(open.waitForFinished(30000));
    EXPECT_EQ(open.exitCode(), 0) << open.readAll().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(program + ".args"); }, 10000));
    EXPECT_EQ(readAll(program + ".args"), document.toUtf8() + "\n");
}

TEST_F(FileAssociationsTest, InstalledEntryForThisProgramIsUsedInsteadOfAUserCopy) {
    ASSERT_TRUE(FileAssociations(program, xdg.places).registerType(".TXT"));
    ASSERT_TRUE(QFile::exists(userEntry()));
    // Now the program is installed: its entry in a system folder names it.
    xdg.scratch.write("system/applications/kelvane.desktop",
                      "[Desktop Entry]\nType=Application\nName=Kelvane\nExec=" + program.toUtf8() +
                          " %f\n");
    FileAssociations installed(program, xdg.places);
    EXPECT_TRUE(installed.installedSystemWide());
    ASSERT_TRUE(installed.registerType(".TXT"));
    EXPECT_FALSE(QFile::exists(userEntry()));
    EXPECT_EQ(xdg.run("xdg-mime", {"query", "default", "text/plain"}), "kelvane.desktop");
    // An entry for another program of the same name does not count.
    EXPECT_FALSE(
        FileAssociations(xdg.scratch.file("elsewhere/Kelvane"), xdg.places).installedSystemWide());
}

TEST_F(FileAssociationsTest, UnwritableConfigurationIsReported) {
    // A file where the configuration folder should be.
    xdg.places.configHome = xdg.scratch.write("not a folder", "x");
    QString error;
    EXPECT_FALSE(FileAssociations(program, xdg.places).registerType(".TXT", &error));
    EXPECT_TRUE(error.contains("mimeapps.list")) << error.toStdString();
}

} // namespace
} // namespace kelvane::test
