// The table of open document windows: numbered slots, reused lowest first, and the running
// number of untitled documents.
#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

namespace kelvane {

class frmDocument;

class DocumentTable {
public:
    /// Slot i (1-based) holds Document[i]; index 0 is unused.
    std::vector<frmDocument*> Document{nullptr};
    /// True while slot i holds no open document.
    std::vector<bool> SlotFree{false};
    /// Numbers untitled captions; never reset during a run.
    qint32 UntitledCounter = 0;

    int upperBound() const { return int(Document.size()) - 1; }
    /// The lowest free slot, now taken; grows the table by one when every slot is in use.
    int FindFreeIndex();
    /// Counts a new untitled document and puts it in the lowest free slot: it gets the slot as
    /// its FormIndex and the caption "File " and the count. Returns the slot.
    int registerUntitled(frmDocument* document);
    /// The slot that a tab key names ("Tab12" names 12), or 0 when it names none.
    static int slotOfTabKey(QStringView key);
    /// One free slot and no documents (the start state).
    void reset();
    /// The open document in a slot, or nullptr.
    frmDocument* openDocument(int slot) const;
    /// Marks a slot free (its document unloaded).
    void release(int slot);
    /// Open documents in slot order.
    std::vector<frmDocument*> openDocuments() const;
};

/// The one table of open documents.
inline DocumentTable DocumentRegistry;

/// The key of a slot's tab in the open-files strip: "Tab" and the slot number.
QString tabKeyOf(int slot);

} // namespace kelvane
