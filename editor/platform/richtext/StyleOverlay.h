// The formatting of a document kept beside its text: one style per character, handed to the
// view as layout formats only for blocks about to be shown. Changing it is not an edit: it
// adds nothing to the undo history and raises no change event.
#pragma once

#include "platform/richtext/StyleBuffer.h"
#include "platform/richtext/StyleTable.h"

#include <QObject>
#include <QTextBlock>

#include <functional>

class QTextDocument;

namespace kelvane {

class StyleOverlay : public QObject {
    Q_OBJECT
public:
    explicit StyleOverlay(QTextDocument* document, QObject* parent = nullptr);

    const StyleBuffer& buffer() const { return buffer_; }
    const StyleTable& table() const { return table_; }
    const CharStyle& styleAt(qsizetype position) const;

    /// Forgets every style: the whole text becomes plain.
    void clear();

    /// Changes the style of every character of [from, from + count) with `change`.
    void restyle(qsizetype from, qsizetype count, const std::function<void(CharStyle&)>& change);

    /// Gives the characters of [from, from + count) the given styles (indexes into `styles`).
    void assign(qsizetype from, const std::vector<std::uint8_t>& styleOfChar,
                const std::vector<CharStyle>& styles);

    /// Sets the colour of characters from a class per character: class k takes
    /// classColours[k]; class 255 leaves the character as it is.
    void colourByClass(qsizetype from, const std::uint8_t* classes, qsizetype count,
                       const std::vector<WinColour>& classColours);

    /// Hands formats to every block in the vertical band [top, bottom) of the view whose
    /// formats are out of date. `firstBlock` is the first visible block; `blockTop` gives a
    /// block's top in viewport coordinates.
    void refreshBlocks(QTextBlock firstBlock, qreal bottom,
                       const std::function<qreal(const QTextBlock&)>& blockTop);

    /// Brings the formats of one block up to date now.
    void refreshBlock(const QTextBlock& block);

signals:
    /// Styles changed somewhere outside the view's knowledge; the view should repaint.
    void repaintNeeded();

private:
    void onContentsChange(int from, int removed, int added);
    void changed(qsizetype from, qsizetype count);
    std::array<bool, 256> usedIndexes() const;
    std::uint8_t intern(const CharStyle& style);
    void applyFormats(const QTextBlock& block);

    QTextDocument* document_;
    StyleBuffer buffer_;
    StyleTable table_;
    int epoch_ = 0;                  ///< blocks whose user state equals this are up to date
    std::array<bool, 256> pinned_{}; ///< indexes an operation is about to write
    bool inContentsChange_ = false;
};

} // namespace kelvane
