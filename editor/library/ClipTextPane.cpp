// The cliptext pane.
#include "library/ClipTextPane.h"

#include "library/ClipLibrary.h"
#include "library/PaneLayout.h"

#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>

namespace kelvane {

ClipTextPane::ClipTextPane(QWidget* parent) : QFrame(parent), folder_(clipTextFolder()) {
    setObjectName(QStringLiteral("picClip"));
    lblClipFiles = new QLabel(QStringLiteral("Clip Text Libraries:"), this);
    lstClipFiles = new QListWidget(this);
    lstClipFiles->setObjectName(QStringLiteral("lstClipFiles"));
    lstClipFiles->setAccessibleName(QStringLiteral("Clip Text Libraries"));
    lblClipFiles->setBuddy(lstClipFiles);
    lstClip = new QListWidget(this);
    lstClip->setObjectName(QStringLiteral("lstClip"));
    lstClip->setAccessibleName(QStringLiteral("Clip Text Entries"));
    lstClip->setToolTip(QStringLiteral("Double-click an entry to insert it into the document"));
    lstClip->setUniformItemSizes(true);

    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    // Where the caption and lists start: the library list under the caption, room for about
    // six libraries; layoutLists keeps its corner and height and the entry list's left.
    const QRect inner = contentsRect();
    const int margin = twipsToPixels(60);
    lblClipFiles->move(inner.left() + margin, inner.top() + margin);
    lblClipFiles->adjustSize();
    lstClipFiles->setGeometry(inner.left() + margin, lblClipFiles->geometry().bottom() + 1, 1,
                              twipsToPixels(1500));
    lstClip->move(inner.left() + margin, 0);
    layoutLists();

    // A library is shown as soon as it is chosen, by mouse or by keyboard.
    connect(lstClipFiles, &QListWidget::currentTextChanged, this,
            &ClipTextPane::lstClipFiles_Click);
    connect(lstClip, &QListWidget::itemActivated, this, &ClipTextPane::lstClip_DblClick);
    refreshLibraries();
}

void ClipTextPane::layoutLists() {
    const ClipLists placed =
        layoutClipPane(paneSizesOf(*this),
                       {twipsBoxOf(lstClipFiles->geometry()), twipsBoxOf(lstClip->geometry())});
    placeInTwips(*lstClipFiles, placed.libraries);
    placeInTwips(*lstClip, placed.items);
}

void ClipTextPane::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    layoutLists();
}

void ClipTextPane::refreshLibraries() {
    const QString chosen = currentLibrary();
    {
        const QSignalBlocker quiet(lstClipFiles);
        lstClipFiles->clear();
        lstClipFiles->addItems(folder_.entries());
        const QList<QListWidgetItem*> found = lstClipFiles->findItems(chosen, Qt::MatchExactly);
        if (!chosen.isEmpty() && !found.isEmpty())
            lstClipFiles->setCurrentItem(found.first());
    }
    if (!chosen.isEmpty())
        lstClipFiles_Click(lstClipFiles->currentItem() ? lstClipFiles->currentItem()->text()
                                                       : QString());
}

QString ClipTextPane::currentLibrary() const {
    const QListWidgetItem* item = lstClipFiles->currentItem();
    return item ? item->text() : QString();
}

void ClipTextPane::lstClipFiles_Click(const QString& library) {
    lstClip->clear();
    if (library.isEmpty())
        return;
    QStringList entries;
    QString error;
    // A library that cannot be read simply shows nothing.
    if (readClipLibrary(folder_.pathOf(library), entries, error))
        lstClip->addItems(entries);
}

void ClipTextPane::lstClip_DblClick(QListWidgetItem* item) {
    if (item)
        emit entryChosen(item->text());
}

} // namespace kelvane
