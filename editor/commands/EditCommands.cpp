// The Edit menu (undo, clipboard, select all) and the editor keys that run the same commands.
#include "app/DocumentRegistry.h"
#include "app/frmMain.h"
#include "commands/Clipboard.h"
#include "commands/DocumentEdits.h"
#include "commands/DocumentText.h"
#include "commands/EditKeyFilter.h"
#include "commands/WordCount.h"
#include "document/frmDocument.h"
#include "platform/MsgBox.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/richtext/RichTextView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>

namespace kelvane {

void frmMain::buildEditMenu() {
    mnuEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
    mnuEdit->addAction(QStringLiteral("&Undo"), QKeySequence(Qt::ALT | Qt::Key_Backspace), this,
                       &frmMain::mnuEditUndo_Click);
    mnuEdit->addSeparator();
    mnuEdit->addAction(QStringLiteral("Cu&t"), QKeySequence(Qt::SHIFT | Qt::Key_Delete), this,
                       &frmMain::mnuEditCut_Click);
    mnuEdit->addAction(QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_Insert), this,
                       &frmMain::mnuEditCopy_Click);
    mnuEdit->addAction(QStringLiteral("&Paste"), QKeySequence(Qt::SHIFT | Qt::Key_Insert), this,
                       &frmMain::mnuEditPaste_Click);
    mnuEdit->addAction(QStringLiteral("Paste as &New Document"), this,
                       &frmMain::mnuEditPasteNew_Click);
    mnuEdit->addSeparator();
    mnuEdit->addAction(QStringLiteral("Select All"), QKeySequence(Qt::CTRL | Qt::Key_A), this,
                       &frmMain::mnuEditSelectAll_Click);
}

void frmMain::installEditKeys(frmDocument* document) {
    auto* filter = new EditKeyFilter(document->rtfText->view());
    filter->onCommand = [this](EditKeyFilter::Command command) {
        switch (command) {
        case EditKeyFilter::Command::Undo:
            mnuEditUndo_Click();
            break;
        case EditKeyFilter::Command::Cut:
            mnuEditCut_Click();
            break;
        case EditKeyFilter::Command::Copy:
            mnuEditCopy_Click();
            break;
        case EditKeyFilter::Command::Paste:
            mnuEditPaste_Click();
            break;
        case EditKeyFilter::Command::SelectAll:
            mnuEditSelectAll_Click();
            break;
        }
    };
    document->rtfText->view()->installEventFilter(filter);
}

void frmMain::mnuEditUndo_Click() {
    if (frmDocument* document = activeDocument())
        document->rtfText->undo();
}

void frmMain::mnuEditCopy_Click() {
    frmDocument* document = activeDocument();
    // An empty selection leaves the clipboard as it is.
    if (!document || document->rtfText->SelLength() == 0)
        return;
    QApplication::clipboard()->setMimeData(selectionMimeData(*document->rtfText));
}

void frmMain::mnuEditCut_Click() {
    frmDocument* document = activeDocument();
    if (!document || document->rtfText->SelLength() == 0)
        return;
    mnuEditCopy_Click();
    const UndoStep step(*document->rtfText);
    document->rtfText->setSelText(QString());
}

void frmMain::mnuEditPaste_Click() {
    if (frmDocument* document = activeDocument()) {
        const UndoStep step(*document->rtfText);
        pasteInto(*document->rtfText, QApplication::clipboard()->mimeData());
    }
}

void frmMain::mnuEditPasteNew_Click() {
    if (!activeDocument())
        return;
    frmDocument* document = NewDocument();
    pasteInto(*document->rtfText, QApplication::clipboard()->mimeData());
}

void frmMain::mnuEditSelectAll_Click() {
    frmDocument* document = activeDocument();
    if (!document)
        return;
    document->rtfText->setSelStart(0);
    document->rtfText->setSelLength(document->rtfText->textLength());
}

void frmMain::mnuEditWordCount_Click() {
    frmDocument* document = activeDocument();
    if (!document)
        return;
    const qsizetype count = countWords(cachedDocumentText(*document->rtfText));
    MsgBox(wordCountMessage(count), vbOKOnly, QStringLiteral("Word Count"));
}

} // namespace kelvane
