// The real common dialogs: each shows its own title and only the choices its flags allow.
#include "platform/CommonDialog.h"

#include "support/TestSupport.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>

#include <optional>

using namespace kelvane;
using kelvane::test::ScratchDir;
using kelvane::test::whenShown;

namespace {

/// A shared dialog whose last file dialog was File > Open's (a scripted answer: cancelled).
class SharedCommonDialog : public ::testing::Test {
protected:
    SharedCommonDialog() {
        ScriptedCommonDialogs script;
        dialog.askOpenFile(QStringLiteral("Open"), QStringLiteral("All Files (*.*)|*.*"));
    }

    /// The title a real printer dialog shows for the flags.
    QString printerTitle(int flags) {
        dialog.Flags = flags;
        QString title;
        whenShown<QPrintDialog>([&title](QPrintDialog* shown) {
            title = shown->windowTitle();
            shown->reject();
        });
        dialog.ShowPrinter();
        return title;
    }

    CommonDialog dialog;
};

/// The choices a shown printer dialog offers: its visible option buttons and its printers.
QStringList choicesOf(QDialog* dialog) {
    QStringList choices;
    for (const QRadioButton* button : dialog->findChildren<QRadioButton*>())
        if (button->isVisibleTo(dialog))
            choices << QStringLiteral("option ") + button->text().remove(QLatin1Char('&'));
    for (const QComboBox* box : dialog->findChildren<QComboBox*>())
        for (int i = 0; i < box->count(); ++i)
            choices << box->itemText(i);
    return choices;
}

QStringList printerChoices(int flags) {
    CommonDialog dialog;
    dialog.Flags = flags;
    QStringList choices;
    whenShown<QPrintDialog>([&choices](QPrintDialog* shown) {
        choices = choicesOf(shown);
        shown->reject();
    });
    dialog.ShowPrinter();
    return choices;
}

} // namespace

TEST(PrinterDialogs, PrinterSetupOffersNoPrintingChoices) {
    const QStringList setup = printerChoices(cdlPDPrintSetup);
    for (const QString& choice : setup) {
        EXPECT_FALSE(choice.contains("Selection")) << choice.toStdString();
        EXPECT_FALSE(choice.startsWith("option Pages")) << choice.toStdString();
        EXPECT_FALSE(choice.contains("Current Page")) << choice.toStdString();
        EXPECT_FALSE(choice.contains("Print to File")) << choice.toStdString();
    }
    // Printing itself still prints to a file (a PDF) when asked to.
    const QStringList print = printerChoices(cdlPDNoSelection | cdlPDNoPageNums);
    EXPECT_TRUE(print.filter("Print to File").size() == 1) << print.join(", ").toStdString();
    EXPECT_TRUE(print.filter("Selection").isEmpty());
}

TEST_F(SharedCommonDialog, PrinterDialogsShowTheirOwnTitleAfterAFileDialog) {
    ASSERT_EQ(dialog.DialogTitle, "Open");
    EXPECT_EQ(printerTitle(cdlPDPrintSetup), "Printer Setup");
    QPrinter printer;
    const QString platformTitle = QPrintDialog(&printer).windowTitle();
    EXPECT_EQ(printerTitle(cdlPDNoSelection | cdlPDNoPageNums), platformTitle);
    EXPECT_NE(platformTitle, "Open");
}

TEST_F(SharedCommonDialog, ColourDialogShowsThePlatformTitleAfterAFileDialog) {
    ScriptedCommonDialogs script;
    dialog.askSaveFile(QStringLiteral("Import Keyword List"),
                       QStringLiteral("Keyword Lists|*.kwd"));
    setCommonDialogBackend(nullptr); // the real colour dialog from here on
    QString title;
    whenShown<QColorDialog>([&title](QColorDialog* shown) {
        title = shown->windowTitle();
        shown->reject();
    });
    EXPECT_FALSE(dialog.ShowColor());
    EXPECT_EQ(title, QColorDialog().windowTitle());
    EXPECT_NE(title, "Import Keyword List");
}

TEST(FileDialogs, FileTypesShowTheirNamesAsWrittenAndStillFilter) {
    ScratchDir folder;
    folder.write("page.html", "x");
    folder.write("notes.txt", "x");
    CommonDialog dialog;
    dialog.DialogTitle = QStringLiteral("Open");
    dialog.InitDir = folder.path();
    dialog.Filter = QStringLiteral(
        "All Files (*.*)|*.*|Text Files (*.txt, *.rtf)|*.txt;*.rtf|HTML Files|*.htm;*.html|"
        "Kelvane Project Files (*.kpj)|*.kpj");
    QStringList shown;
    QStringList patterns;
    whenShown<QFileDialog>([&](QFileDialog* files) {
        if (const auto* types = files->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
            for (int i = 0; i < types->count(); ++i)
                shown << types->itemText(i);
        patterns = files->nameFilters();
        files->reject();
    });
    EXPECT_FALSE(dialog.ShowOpen());
    EXPECT_EQ(shown, (QStringList{"All Files (*.*)", "Text Files (*.txt, *.rtf)", "HTML Files",
                                  "Kelvane Project Files (*.kpj)"}));
    EXPECT_EQ(patterns.value(2), "HTML Files (*.htm *.html)") << "and still filters by them";
}
