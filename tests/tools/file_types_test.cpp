// The "File Assocaitions" dialog: its boxes, and what OK and Cancel leave in a scratch home.
#include "ToolsFixture.h"
#include "support/XdgScratch.h"
#include "tools/frmFileTypes.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace kelvane::test {
namespace {

/// Points this process's HOME and XDG folders at a scratch home while it lives.
class ScratchEnvironment {
public:
    explicit ScratchEnvironment(const XdgScratch& xdg) {
        const QProcessEnvironment env = xdg.environment();
        for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS"}) {
            saved_.emplace_back(name, qgetenv(name));
            qputenv(name, env.value(QString::fromLatin1(name)).toUtf8());
        }
    }
    ~ScratchEnvironment() {
        for (const auto& [name, value] : saved_)
            qputenv(name, value);
    }

private:
    std::vector<std::pair<const char*, QByteArray>> saved_;
};

class FileTypesTest : public ToolsFixture {
protected:
    void SetUp() override {
        ToolsFixture::SetUp();
        program = xdg.scratch.write("bin/Kelvane", "#!/bin/sh\n");
        QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner);
    }
    /// Opens the dialog, lets `act` set it up and press a button.
    void runDialog(const std::function<void(frmFileTypes*)>& act) {
        frmFileTypes dialog(nullptr, program);
        QTimer::singleShot(0, [&] { act(&dialog); });
        dialog.exec();
    }
    QString defaultFor(const QString& type) {
        return xdg.run("xdg-mime", {"query", "default", type});
    }

    XdgScratch xdg;
    ScratchEnvironment environment{xdg};
    QString program;
};

TEST_F(FileTypesTest, BoxesStartFromTheirInitialStatesEveryTime) {
    const char* captions[] = {"Kelvane Project Files (*.KPJ)",
                              "Plain Text Files (*.TXT)",
                              "C Source Files (*.C)",
                              "C++ Source Files (*.CPP)",
                              "HTML Files (*.HTM?)",
                              "Perl Files (*.PL)",
                              "Java Files (*.JAV?)"};
    const char* tags[] = {".KPJ", ".TXT", ".C", ".CPP", ".HTM?", ".PL", ".JAV?"};
    for (int round = 0; round < 2; ++round) {
        runDialog([&](frmFileTypes* dialog) {
            EXPECT_EQ(dialog->windowTitle(), "File Assocaitions");
            EXPECT_TRUE(
                dialog->Label1->text().startsWith("    This dialog lets you setup Kelvane"));
            EXPECT_TRUE(dialog->Label1->text().endsWith(
                "\"File Associations\" menu item from the 'Preferences\" menu. "));
            ASSERT_EQ(dialog->chkTypes.size(), 7);
            for (int i = 0; i < 7; ++i) {
                EXPECT_EQ(dialog->chkTypes[i]->text(), captions[i]);
                EXPECT_EQ(dialog->tagOf(i), tags[i]);
                EXPECT_EQ(dialog->chkTypes[i]->isChecked(), i < 2) << i;
                if (i > 0) { // top to bottom in index order
                    EXPECT_GT(dialog->chkTypes[i]->y(), dialog->chkTypes[i - 1]->y());
                }
                dialog->chkTypes[i]->setChecked(true);
            }
            EXPECT_EQ(dialog->focusWidget(), dialog->chkTypes[0]);
            QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton);
        });
    }
}

TEST_F(FileTypesTest, OkWithTheInitialBoxesRegistersTextAndWorkspaces) {
    runDialog([](frmFileTypes* dialog) { QTest::mouseClick(dialog->cmdOK, Qt::LeftButton); });
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_EQ(defaultFor("text/plain"), "kelvane.desktop");
    EXPECT_EQ(defaultFor("application/x-kelvane-project"), "kelvane.desktop");
    EXPECT_NE(defaultFor("text/x-csrc"), "kelvane.desktop");
    const QString workspace = xdg.scratch.write("w.kpj", "File 1\r\n\r\n");
    EXPECT_EQ(xdg.run("xdg-mime", {"query", "filetype", workspace}),
              "application/x-kelvane-project");
}

TEST_F(FileTypesTest, EnterPressesOkAndTwiceIsTheSameAsOnce) {
    auto checkAllAndPressEnter = [](frmFileTypes* dialog) {
        for (QCheckBox* box : dialog->chkTypes)
            box->setChecked(true);
        QTest::keyClick(dialog->chkTypes[0], Qt::Key_Return);
    };
    runDialog(checkAllAndPressEnter);
    const auto once = xdg.snapshot();
    for (const char* type : {"text/x-c++src", "text/html", "application/x-perl", "text/x-java"})
        EXPECT_EQ(defaultFor(type), "kelvane.desktop") << type;
    runDialog(checkAllAndPressEnter);
    EXPECT_EQ(xdg.snapshot(), once);
}

TEST_F(FileTypesTest, NoBoxOrCancelWritesNothing) {
    runDialog([](frmFileTypes* dialog) {
        for (QCheckBox* box : dialog->chkTypes)
            box->setChecked(false);
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
    });
    EXPECT_TRUE(xdg.snapshot().empty());
    runDialog([](frmFileTypes* dialog) { QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton); });
    EXPECT_TRUE(xdg.snapshot().empty());
    runDialog([](frmFileTypes* dialog) { dialog->close(); });
    EXPECT_TRUE(xdg.snapshot().empty());
}

TEST_F(FileTypesTest, FailureIsReportedAndTheOtherTypesStillRegistered) {
    // The MIME package cannot be written (a file stands where its folder belongs), so the
    // workspace row fails; the text row still registers.
    xdg.scratch.write("data/mime", "not a folder");
    runDialog([](frmFileTypes* dialog) { QTest::mouseClick(dialog->cmdOK, Qt::LeftButton); });
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_TRUE(boxes.asked()[0].prompt.contains("Kelvane Project Files (*.KPJ)"));
    EXPECT_FALSE(boxes.asked()[0].prompt.contains("Plain Text"));
    EXPECT_EQ(defaultFor("text/plain"), "kelvane.desktop");
}

} // namespace
} // namespace kelvane::test
