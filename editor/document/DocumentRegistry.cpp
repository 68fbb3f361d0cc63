// The table of open document windows.
#include "document/DocumentRegistry.h"


namespace kelvane {

int DocumentTable::FindFreeIndex() {
    for (int i = 1; i <= upperBound(); ++i) {
        if (SlotFree[size_t(i)]) {
            SlotFree[size_t(i)] = false;
            return i;
        }
    }
    Document.push_back(nullptr);
    SlotFree.push_back(false);
    return upperBound();
}

void DocumentTable::reset() {
    Document.assign(2, nullptr);
    SlotFree.assign(2, false);
    SlotFree[1] = true;
    UntitledCounter = 0;
}

frmDocument* DocumentTable::openDocument(int slot) const {
    if (slot < 1 || slot > upperBound() || SlotFree[size_t(slot)])
        return nullptr;
    return Document[size_t(slot)];
}

void DocumentTable::release(int slot) {
    if (slot < 1 || slot > upperBound())
        return;
    SlotFree[size_t(slot)] = true;
    Document[size_t(slot)] = nullptr;
}

std::vector<frmDocument*> DocumentTable::openDocuments() const {
    std::vector<frmDocument*> open;
    for (int i = 1; i <= upperBound(); ++i)
        if (frmDocument* document = openDocument(i))
            open.push_back(document);
    return open;
}

QString tabKeyOf(int slot) {
    return QStringLiteral("Tab") + QString::number(slot);
}

} // namespace kelvane
