// The Search menu: the Find and Replace dialogs, the menu's Find Next, and where the dialogs
// live between uses.
#include "app/frmMain.h"
#include "document/frmDocument.h"
#include "platform/richtext/RichTextBox.h"
#include "search/DocumentSearch.h"
#include "search/FindDialogs.h"
#include "search/ReplaceDialogs.h"

#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace kelvane {

namespace {

// The loaded dialogs. frmFind stays loaded once created; the others are unloaded when they
// close or finish a pass, and a pass that stopped early leaves them loaded with their texts.
QPointer<frmFind> findDialog;
QPointer<frmFindEx> findExDialog;
QPointer<frmReplace> replaceDialog;
QPointer<frmReplaceEx> replaceExDialog;

template <typename Dialog> Dialog* loaded(QPointer<Dialog>& dialog, QWidget* owner) {
    if (!dialog) {
        dialog = new Dialog(owner);
        // A dialog without an owner still goes when the main window goes.
        if (!owner)
            QObject::connect(frmMain::instance(), &QObject::destroyed, dialog.data(),
                             &QObject::deleteLater);
    }
    return dialog;
}

} // namespace

void frmMain::buildSearchMenu() {
    mnuSearch = menuBar()->addMenu(QStringLiteral("&Search"));
    mnuSearch->addAction(QStringLiteral("&Find..."), QKeySequence(Qt::CTRL | Qt::Key_F), this,
                         &frmMain::mnuSearchFind_Click);
    mnuSearch->addAction(QStringLiteral("Find &Next"), QKeySequence(Qt::Key_F3), this,
                         &frmMain::mnuSearchFindNext_Click);
    mnuSearch->addAction(QStringLiteral("&Replace..."), QKeySequence(Qt::CTRL | Qt::Key_R), this,
                         &frmMain::mnuSearchReplace_Click);
    mnuSearch->addSeparator();
    mnuSearch->addAction(QStringLiteral("Extended Find"), this, &frmMain::mnuSearchFindEx_Click);
    mnuSearch->addAction(QStringLiteral("Extended Replace"), this,
                         &frmMain::mnuSearchReplaceEx_Click);
    mnuSearch->addSeparator();
    mnuSearch->addAction(QStringLiteral("&Word Count"), this, &frmMain::mnuEditWordCount_Click);
    mnuSearch->addSeparator();
    mnuSearch->addAction(QStringLiteral("&Go to Line"), this, &frmMain::mnuSearchGotoLine_Click);
    mnuSearch->addAction(QStringLiteral("Go to Character"), this,
                         &frmMain::mnuSearchGotoChar_Click);
}

void frmMain::mnuSearchFind_Click() {
    if (activeDocument())
        loaded(findDialog, this)->exec();
}

void frmMain::mnuSearchFindEx_Click() {
    if (activeDocument())
        loaded(findExDialog, this)->exec();
}

void frmMain::mnuSearchReplace_Click() {
    if (activeDocument())
        loaded(replaceDialog, static_cast<QWidget*>(nullptr))->exec();
}

void frmMain::mnuSearchReplaceEx_Click() {
    if (activeDocument())
        loaded(replaceExDialog, this)->exec();
}

void frmMain::mnuSearchFindNext_Click() {
    frmDocument* document = activeDocument();
    if (!document)
        return;
    RichTextBox& box = *document->rtfText;
    // Always without regard to case, from the second character of the selection.
    const qsizetype found =
        findInDocument(box, box.SelText(), box.SelStart() + 2, Qt::CaseInsensitive);
    SearchStart = found ? found + 1 : 1;
}

} // namespace kelvane
