// The Search menu: the Find and Replace dialogs, the menu's Find Next, and where the dialogs
// live between uses.
#include "search/SearchCommands.h"

#include "document/DocumentHost.h"
#include "document/frmDocument.h"
#include "platform/richtext/RichTextBox.h"
#include "search/DocumentSearch.h"
#include "search/FindDialogs.h"
#include "search/ReplaceDialogs.h"

#include <QPointer>

namespace kelvane {

namespace {

// The loaded dialogs. frmFind stays loaded once created; the others are unloaded when they
// close or finish a pass, and a pass that stopped early leaves them loaded with their texts.
QPointer<frmFind> findDialog;
QPointer<frmFindEx> findExDialog;
QPointer<frmReplace> replaceDialog;
QPointer<frmReplaceEx> replaceExDialog;

template <typename Dialog>
Dialog* loaded(QPointer<Dialog>& dialog, DocumentHost& host, QWidget* owner) {
    if (!dialog) {
        dialog = new Dialog(host, owner);
        // A dialog without an owner still goes when the main window goes.
        if (!owner)
            QObject::connect(host.hostWindow(), &QObject::destroyed, dialog.data(),
                             &QObject::deleteLater);
    }
    return dialog;
}

} // namespace

SearchCommands::SearchCommands(DocumentHost& host, QAction* wordCount, QWidget* parent)
    : CommandGroup(QStringLiteral("&Search"), parent), host_(host) {
    add({"mnuSearchFind", QStringLiteral("&Find..."), QKeySequence(Qt::CTRL | Qt::Key_F),
         QStringLiteral("toolbar/find"), QStringLiteral("Find"), true},
        [this] { mnuSearchFind_Click(); });
    add({"mnuSearchFindNext", QStringLiteral("Find &Next"), QKeySequence(Qt::Key_F3)},
        [this] { mnuSearchFindNext_Click(); });
    add({"mnuSearchReplace", QStringLiteral("&Replace..."), QKeySequence(Qt::CTRL | Qt::Key_R),
         QStringLiteral("toolbar/replace"), QStringLiteral("Replace"), true},
        [this] { mnuSearchReplace_Click(); });
    addSeparator();
    add({"mnuSearchFindEx", QStringLiteral("Extended Find")}, [this] { mnuSearchFindEx_Click(); });
    add({"mnuSearchReplaceEx", QStringLiteral("Extended Replace")},
        [this] { mnuSearchReplaceEx_Click(); });
    addSeparator();
    addToMenu(wordCount);
    addSeparator();
    add({"mnuSearchGotoLine", QStringLiteral("&Go to Line")},
        [this] { mnuSearchGotoLine_Click(); });
    add({"mnuSearchGotoChar", QStringLiteral("Go to Character")},
        [this] { mnuSearchGotoChar_Click(); });
}

void SearchCommands::mnuSearchFind_Click() {
    if (host_.activeDocument())
        loaded(findDialog, host_, host_.hostWindow())->exec();
}

void SearchCommands::mnuSearchFindEx_Click() {
    if (host_.activeDocument())
        loaded(findExDialog, host_, host_.hostWindow())->exec();
}

void SearchCommands::mnuSearchReplace_Click() {
    if (host_.activeDocument())
        loaded(replaceDialog, host_, nullptr)->exec();
}

void SearchCommands::mnuSearchReplaceEx_Click() {
    if (host_.activeDocument())
        loaded(replaceExDialog, host_, host_.hostWindow())->exec();
}

void SearchCommands::mnuSearchFindNext_Click() {
    frmDocument* document = host_.activeDocument();
    if (!document)
        return;
    RichTextBox& box = *document->rtfText;
    // Always without regard to case, from the second character of the selection.
    const qsizetype found =
        findInDocument(box, box.SelText(), box.SelStart() + 2, Qt::CaseInsensitive);
    SearchStart = found ? found + 1 : 1;
}

} // namespace kelvane
