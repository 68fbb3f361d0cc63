// The table of open document windows.
#include "document/DocumentRegistry.h"

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

int DocumentTable::registerUntitled(frmDocument* document) {
    ++UntitledCounter;
    const int slot = FindFreeIndex();
    Document[size_t(slot)] = document;
    document->FormIndex = slot;
    document->setCaption(QStringLiteral("File ") + QString::number(UntitledCounter));
    return slot;
}

int DocumentTable::slotOfTabKey(QStringView key) {
    const QStringView prefix = u"Tab";
    if (!key.startsWith(prefix))
        return 0;
    const QStringView digits = key.mid(prefix.size());
    // Only the decimal text tabKeyOf writes: no sign, no spaces.
    for (QChar c : digits)
        if (c < u'0' || c > u'9')
            return 0;
    bool ok = false;
    const int slot = digits.toInt(&ok);
    return ok ? slot : 0;
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
