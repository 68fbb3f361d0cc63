// The Options dialog's keyword list commands: add, remove, clear, import and export of .kwd
// files, and the colour swatches.
#include "document/DocumentHost.h"
#include "platform/CommonDialog.h"
#include "platform/FileIO.h"
#include "platform/InputBox.h"
#include "platform/MsgBox.h"
#include "platform/TextLines.h"
#include "prefs/ColourSwatch.h"
#include "prefs/KwdFile.h"
#include "prefs/frmOptions.h"

#include <QListWidget>
#include <QTabWidget>

namespace kelvane {

namespace {

const QString kKwdFilter = QStringLiteral("Keyword Lists (*.kwd)|*.kwd|All Files (*.*)|*.*");
const QString kFileIOError = QStringLiteral("File I/O Error");

} // namespace

QListWidget* frmOptions::currentKeywordList() const {
    const int shown = tabKeywords->currentIndex();
    return lstKeywords[size_t(shown >= 0 && shown < 3 ? shown : 0)];
}

void frmOptions::cmdAdd_Click() {
    const QString keyword =
        InputBoxEx(QStringLiteral("Enter the Keyword or Phrase you wish to add to the list."),
                   QStringLiteral("Add Keyword"), QString());
    if (!keyword.isEmpty())
        currentKeywordList()->addItem(keyword);
}

void frmOptions::cmdRemove_Click() {
    QListWidget* list = currentKeywordList();
    QListWidgetItem* item = list->currentItem();
    if (!item || !item->isSelected())
        return;
    delete list->takeItem(list->row(item));
    list->clearSelection();
}

void frmOptions::lstKeyWords_dblClick() {
    cmdRemove_Click();
}

void frmOptions::cmdClear_Click() {
    if (MsgBox(QStringLiteral("Are you sure you want to clear this keyword list?"), vbYesNo,
               QStringLiteral("Confirm.")) == vbYes)
        currentKeywordList()->clear();
}

void frmOptions::cmdExportList_Click() {
    const QString path = host_.commonDialog().askSaveFile(QStringLiteral("Export Keyword List"),
                                                          kKwdFilter, QStringLiteral(".kwd"));
    if (path.isEmpty())
        return;
    KeywordLists lists;
    for (int i = 0; i < 3; ++i)
        for (int row = 0; row < lstKeywords[i]->count(); ++row)
            lists[i] << lstKeywords[i]->item(row)->text();
    QString error;
    if (!writeFileAtomically(path, encodeKwdFile(lists), error))
        MsgBox(QStringLiteral("There was an error when trying to export the keyword file.") +
                   kCrLf + error,
               vbOKCancel, kFileIOError);
}

void frmOptions::cmdImport_Click() {
    const QString path =
        host_.commonDialog().askOpenFile(QStringLiteral("Import Keyword List"), kKwdFilter);
    if (path.isEmpty())
        return;
    const QString message =
        QStringLiteral("There was an error when trying to open the keyword file.");
    QByteArray bytes;
    QString error;
    // The lists are emptied only once the file has been read.
    if (!readWholeFile(path, bytes, error)) {
        MsgBox(message + kCrLf + error, vbOKCancel, kFileIOError);
        return;
    }
    const KwdReadResult result = decodeKwdFile(bytes);
    for (int i = 0; i < 3; ++i) {
        lstKeywords[i]->clear();
        lstKeywords[i]->addItems(result.lists[size_t(i)]);
    }
    if (!result.ok)
        MsgBox(message + kCrLf + result.error, vbOKCancel, kFileIOError);
}

void frmOptions::pickColour(ColourSwatch* swatch) {
    CommonDialog& dialog = host_.commonDialog();
    dialog.CancelError = true;
    if (dialog.ShowColor())
        swatch->setBackColor(dialog.Color);
}

void frmOptions::lblKeywordColor_Click(int index) {
    if (index >= 0 && index < 3)
        pickColour(lblKeywordColor[size_t(index)]);
}

void frmOptions::lblBracerColor_Click() {
    pickColour(lblBracerColor);
}

} // namespace kelvane
