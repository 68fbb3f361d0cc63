// The Edit menu (undo, clipboard, select all) and the editor keys that run the same commands.
#include "commands/EditCommands.h"

#include "commands/Clipboard.h"
#include "commands/WordCount.h"
#include "document/DocumentEdits.h"
#include "document/DocumentHost.h"
#include "document/frmDocument.h"
#include "platform/MsgBox.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/richtext/TextView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>

namespace kelvane {

EditCommands::EditCommands(DocumentHost& host, QWidget* parent)
    : CommandGroup(QStringLiteral("&Edit"), parent), host_(host) {
    add({"mnuEditUndo", QStringLiteral("&Undo"), QKeySequence(Qt::ALT | Qt::Key_Backspace),
         QStringLiteral("toolbar/undo"), QStringLiteral("Undo"), true},
        [this] { mnuEditUndo_Click(); });
    addSeparator();
    add({"mnuEditCut", QStringLiteral("Cu&t"), QKeySequence(Qt::SHIFT | Qt::Key_Delete),
         QStringLiteral("toolbar/cut"), QStringLiteral("Cut"), true},
        [this] { mnuEditCut_Click(); });
    add({"mnuEditCopy", QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_Insert),
         QStringLiteral("toolbar/copy"), QStringLiteral("Copy"), true},
        [this] { mnuEditCopy_Click(); });
    add({"mnuEditPaste", QStringLiteral("&Paste"), QKeySequence(Qt::SHIFT | Qt::Key_Insert),
         QStringLiteral("toolbar/paste"), QStringLiteral("Paste"), true},
        [this] { mnuEditPaste_Click(); });
    add({"mnuEditPasteNew", QStringLiteral("Paste as &New Document")},
        [this] { mnuEditPasteNew_Click(); });
    addSeparator();
    add({"mnuEditSelectAll", QStringLiteral("Select All"), QKeySequence(Qt::CTRL | Qt::Key_A)},
        [this] { mnuEditSelectAll_Click(); });
    addUnlisted({"mnuEditWordCount", QStringLiteral("&Word Count")},
                [this] { mnuEditWordCount_Click(); });
}

void EditCommands::installEditKeys(frmDocument* document) {
    TextView* view = document->rtfText->view();
    // Ctrl+X is Exit in the main window, not Cut.
    view->keys().unbind(QKeyCombination(Qt::ControlModifier, Qt::Key_X));
    // The view's undo and clipboard keys run these commands, so every copy carries rich text.
    view->setKeyCommand(KeyAction::Undo, [this] { mnuEditUndo_Click(); });
    view->setKeyCommand(KeyAction::Redo, [this] {
        if (frmDocument* active = host_.activeDocument())
            active->Redo();
    });
    view->setKeyCommand(KeyAction::Cut, [this] { mnuEditCut_Click(); });
    view->setKeyCommand(KeyAction::Copy, [this] { mnuEditCopy_Click(); });
    view->setKeyCommand(KeyAction::Paste, [this] { mnuEditPaste_Click(); });
    view->setKeyCommand(KeyAction::SelectAll, [this] { mnuEditSelectAll_Click(); });
}

void EditCommands::mnuEditUndo_Click() {
    if (frmDocument* document = host_.activeDocument())
        document->Undo();
}

void EditCommands::mnuEditCopy_Click() {
    frmDocument* document = host_.activeDocument();
    // An empty selection leaves the clipboard as it is.
    if (!document || document->rtfText->SelLength() == 0)
        return;
    QApplication::clipboard()->setMimeData(selectionMimeData(*document->rtfText));
}

void EditCommands::mnuEditCut_Click() {
    frmDocument* document = host_.activeDocument();
    if (!document || document->rtfText->SelLength() == 0)
        return;
    mnuEditCopy_Click();
    const UndoStep step(*document->rtfText);
    document->rtfText->setSelText(QString());
}

void EditCommands::mnuEditPaste_Click() {
    if (frmDocument* document = host_.activeDocument()) {
        const UndoStep step(*document->rtfText);
        pasteInto(*document->rtfText, QApplication::clipboard()->mimeData());
    }
}

void EditCommands::mnuEditPasteNew_Click() {
    if (!host_.activeDocument())
        return;
    frmDocument* document = host_.newDocument();
    pasteInto(*document->rtfText, QApplication::clipboard()->mimeData());
}

void EditCommands::mnuEditSelectAll_Click() {
    frmDocument* document = host_.activeDocument();
    if (!document)
        return;
    document->rtfText->setSelStart(0);
    document->rtfText->setSelLength(document->rtfText->textLength());
}

void EditCommands::mnuEditWordCount_Click() {
    frmDocument* document = host_.activeDocument();
    if (!document)
        return;
    // Counted a piece at a time: a long document is not copied for it.
    const RichTextBox& box = *document->rtfText;
    const qsizetype count =
        countWords([&box](const auto& take) { box.forEachTextPiece(qsizetype(1) << 20, take); });
    MsgBox(wordCountMessage(count), vbOKOnly, QStringLiteral("Word Count"));
}

} // namespace kelvane
