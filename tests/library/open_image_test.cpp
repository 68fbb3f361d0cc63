// Open Image: the picture goes to the desktop's default program for its type, here a test
// script made the default for PNG in a scratch freedesktop configuration.
#include "LibraryFixture.h"

#include "platform/Shell.h"

#include <QFile>
#include <QImage>
#include <QStandardPaths>

namespace kelvane::test {
namespace {

class OpenImageTest : public LibraryFixture {
protected:
    void SetUp() override {
        LibraryFixture::SetUp();
        for (const char* name :
             {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "DISPLAY", "XDG_CURRENT_DESKTOP",
              "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
            saved.emplace_back(name, qgetenv(name));
        QDir().mkpath(scratch.file("xdg/config"));
        QDir().mkpath(scratch.file("xdg/data/applications"));
        const QString viewer = scratch.write(
            "viewer.sh", "#!/bin/sh\nprintf '%s' \"$1\" > '" + scratch.file("received").toUtf8() +
                             ".part' && mv '" + scratch.file("received").toUtf8() + ".part' '" +
                             scratch.file("received").toUtf8() + "'\n");
        QFile::setPermissions(viewer, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        scratch.write("xdg/data/applications/kelvane-test-viewer.desktop",
                      "[Desktop Entry]\nType=Application\nName=Test viewer\nExec=" +
                          viewer.toUtf8() + " %f\nMimeType=image/png;\n");
        scratch.write("xdg/config/mimeapps.list",
                      "[Default Applications]\nimage/png=kelvane-test-viewer.desktop\n");
        qputenv("XDG_CONFIG_HOME", scratch.file("xdg/config").toUtf8());
        qputenv("XDG_DATA_HOME", scratch.file("xdg/data").toUtf8());
        // xdg-open looks for a desktop's own opener first, and for the MIME defaults only
        // when there is a display to show the picture on. The display named has no server, so
        // the tools xdg-open runs to look at the desktop never touch another test's screen.
        for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID"})
            qunsetenv(name);
        qputenv("DISPLAY", ":32767");
        start();
    }
    void TearDown() override {
        LibraryFixture::TearDown();
        for (const auto& [name, value] : saved) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
    }
    std::vector<std::pair<const char*, QByteArray>> saved;
};

TEST_F(OpenImageTest, ChosenPictureReachesTheDefaultViewerAndDocumentsStayAsTheyWere) {
    ASSERT_FALSE(QStandardPaths::findExecutable("xdg-open").isEmpty())
        << "xdg-open not found: install xdg-utils";
    const QString picture = scratch.file("a picture.png");
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(picture));
    frmDocument* document = main->activeDocument();
    document->rtfText->setText("unchanged");
    document->Changed = false;
    const auto open = DocumentRegistry.openDocuments().size();

    dialogs.answerFile(picture);
    main->library->mnuFileOpenImage_Click();
    ASSERT_EQ(dialogs.fileRequests().size(), 1u);
    EXPECT_EQ(dialogs.fileRequests()[0].kind, FileDialogRequest::Open);
    EXPECT_EQ(dialogs.fileRequests()[0].title, "Open");
    EXPECT_TRUE(
        dialogs.fileRequests()[0].filter.startsWith("Standard Format Images|*.bmp;*.gif;*.jpg|"));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(scratch.file("received")), 30000);
    EXPECT_EQ(QString::fromUtf8(readAll(scratch.file("received"))), picture);
    EXPECT_EQ(DocumentRegistry.openDocuments().size(), open);
    EXPECT_EQ(document->rtfText->Text(), "unchanged");
    EXPECT_FALSE(document->Changed);
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(OpenImageTest, CancelEndsQuietly) {
    const RecordingShell shell;
    dialogs.answerFile(std::nullopt);
    main->library->mnuFileOpenImage_Click();
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_TRUE(shell.opened.isEmpty()) << "nothing handed to the desktop";
    EXPECT_TRUE(shell.starts.empty());
}

} // namespace
} // namespace kelvane::test
