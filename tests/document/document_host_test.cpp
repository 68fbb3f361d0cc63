// A document window with a host of its own: what it tells its frame (tab, status texts) and
// what it asks of it (saving, the right-click menu), without the main window.
#include "document/DocumentHost.h"
#include "document/frmDocument.h"
#include "platform/MsgBox.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/richtext/TextView.h"

#include <QMap>
#include <QTest>
#include <gtest/gtest.h>

namespace kelvane::test {
namespace {

class RecordingHost : public DocumentHost {
public:
    QWidget* hostWindow() override { return nullptr; }
    frmDocument* activeDocument() const override { return nullptr; }
    frmDocument* newDocument() override { return nullptr; }
    bool saveDocument(frmDocument* document) override {
        saved << document;
        return saveSucceeds;
    }
    CommonDialog& commonDialog() override { std::abort(); }
    void setStatusText(int panel, const QString& text) override { status[panel] = text; }
    void addDocumentTab(const QString& key, const QString& caption) override {
        tabs[key] = caption;
    }
    void selectDocumentTab(const QString& key) override { selectedTab = key; }
    void setDocumentTabCaption(const QString& key, const QString& caption) override {
        tabs[key] = caption;
    }
    void setDocumentTabToolTip(const QString& key, const QString& toolTip) override {
        toolTips[key] = toolTip;
    }
    void removeDocumentTab(const QString& key) override { tabs.remove(key); }
    void popupEditMenu(QPoint) override { ++editMenuPopups; }
    void focusActiveDocument() override {}

    QMap<int, QString> status;
    QMap<QString, QString> tabs;
    QMap<QString, QString> toolTips;
    QString selectedTab;
    QList<frmDocument*> saved;
    bool saveSucceeds = true;
    int editMenuPopups = 0;
};

class DocumentHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        document = new frmDocument(host);
        document->FormIndex = 3;
        document->setCaption(QStringLiteral("File 1"));
        document->resize(400, 300);
        document->Form_Load();
        document->show();
    }
    void TearDown() override {
        document->Changed = false;
        delete document;
    }

    RecordingHost host;
    ScriptedMsgBoxes boxes;
    frmDocument* document = nullptr;
};

TEST_F(DocumentHostTest, TheDocumentKeepsItsTabInTheHost) {
    EXPECT_EQ(host.tabs.value("Tab3"), "File 1");
    document->Tag = QStringLiteral("/tmp/a.c");
    document->Form_GotFocus();
    EXPECT_EQ(host.selectedTab, "Tab3");
    EXPECT_EQ(host.toolTips.value("Tab3"), "/tmp/a.c");
    document->setCaption(QStringLiteral("a.c"));
    document->RefreshDisplay();
    EXPECT_EQ(host.tabs.value("Tab3"), "a.c");
    document->Form_Unload();
    EXPECT_FALSE(host.tabs.contains("Tab3"));
}

TEST_F(DocumentHostTest, SelectionAndLineGoToTheHostsStatusPanels) {
    document->rtfText->setText(QStringLiteral("ab\r\ncd\r\nef"));
    document->rtfText->setSelStart(4);
    document->rtfText->setSelLength(2);
    EXPECT_EQ(host.status.value(2), "2 bytes selected.");
    EXPECT_EQ(host.status.value(3), "Line 2 of 3 ");
}

TEST_F(DocumentHostTest, ClosingAChangedDocumentAsksTheHostToSave) {
    document->Changed = true;
    boxes.answer(vbYes);
    host.saveSucceeds = false;
    EXPECT_FALSE(document->close()) << "a failed save keeps the window";
    ASSERT_EQ(host.saved.size(), 1);
    EXPECT_EQ(host.saved.front(), document);

    boxes.answer(vbYes);
    host.saveSucceeds = true;
    EXPECT_TRUE(document->close());
    EXPECT_EQ(host.saved.size(), 2);
    EXPECT_FALSE(host.tabs.contains("Tab3")) << "closing unloads the tab";
}

TEST_F(DocumentHostTest, RightClickPopsUpTheHostsEditMenu) {
    QWidget* view = document->rtfText->view()->viewport();
    QTest::mouseClick(view, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(host.editMenuPopups, 1);
}

} // namespace
} // namespace kelvane::test
