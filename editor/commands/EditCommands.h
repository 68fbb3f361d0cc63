// The Edit menu's commands (undo, clipboard, select all), Word Count, and the editor keys of a
// document that run the same commands.
#pragma once

#include "platform/CommandGroup.h"

namespace kelvane {

class DocumentHost;
class frmDocument;

class EditCommands : public CommandGroup {
    Q_OBJECT
public:
    EditCommands(DocumentHost& host, QWidget* parent);

    /// Routes the editor's own clipboard and undo keys of a document to these commands.
    void installEditKeys(frmDocument* document);

    void mnuEditUndo_Click();
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void mnuEditPasteNew_Click();
    void mnuEditSelectAll_Click();
    /// Its item stands in the Search menu.
    void mnuEditWordCount_Click();

private:
    DocumentHost& host_;
};

} // namespace kelvane
