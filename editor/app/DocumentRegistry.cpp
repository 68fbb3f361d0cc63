// The table of open document windows.
#include "app/DocumentRegistry.h"

#include "app/frmMain.h"
#include "document/frmDocument.h"

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

frmDocument* NewDocument() {
    ++DocumentRegistry.UntitledCounter;
    const int slot = DocumentRegistry.FindFreeIndex();
    frmDocument* document = frmMain::instance()->createDocumentWindow();
    DocumentRegistry.Document[size_t(slot)] = document;
    document->FormIndex = slot;
    document->setCaption(QStringLiteral("File ") +
                         QString::number(DocumentRegistry.UntitledCounter));
    frmMain::instance()->showDocumentWindow(document);
    document->Changed = false;
    return document;
}

} // namespace kelvane
