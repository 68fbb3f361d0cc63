// Per-character styles beside a QTextDocument, applied lazily as QTextLayout formats.
#include "platform/richtext/StyleOverlay.h"

#include <QAbstractTextDocumentLayout>
#include <QTextDocument>
#include <QTextLayout>

namespace kelvane {

namespace {
// Changes touching more blocks than this are applied lazily, when the blocks are shown.
constexpr int kEagerBlockLimit = 48;
} // namespace

StyleOverlay::StyleOverlay(QTextDocument* document, QObject* parent)
    : QObject(parent), document_(document) {
    buffer_.resize(document_->characterCount(), 0);
    connect(document_, &QTextDocument::contentsChange, this, &StyleOverlay::onContentsChange);
}

const CharStyle& StyleOverlay::styleAt(qsizetype position) const {
    if (position < 0 || position >= buffer_.size())
        return table_.at(0);
    return table_.at(buffer_.at(position));
}

void StyleOverlay::clear() {
    table_.reset();
    buffer_.fill(0, buffer_.size(), 0);
    changed(0, buffer_.size());
}

std::array<bool, 256> StyleOverlay::usedIndexes() const {
    std::array<bool, 256> used = buffer_.usedValues();
    for (std::size_t i = 0; i < used.size(); ++i)
        used[i] = used[i] || pinned_[i];
    return used;
}

std::uint8_t StyleOverlay::intern(const CharStyle& style) {
    const std::uint8_t index = table_.intern(style, [this] { return usedIndexes(); });
    pinned_[index] = true;
    return index;
}

void StyleOverlay::onContentsChange(int from, int removed, int added) {
    // Inserted characters take the style of the character before them (the one at the
    // caret), or of the first character when inserted at the start.
    const std::uint8_t inherited =
        buffer_.size() == 0 ? 0
                            : buffer_.at(std::clamp<qsizetype>(from - 1, 0, buffer_.size() - 1));
    buffer_.replace(from, removed, added, inherited);
    const qsizetype expected = document_->characterCount();
    if (buffer_.size() != expected)
        buffer_.resize(expected, inherited);
    inContentsChange_ = true;
    changed(from, added);
    inContentsChange_ = false;
}

void StyleOverlay::changed(qsizetype from, qsizetype count) {
    QTextBlock first = document_->findBlock(int(from));
    QTextBlock last = document_->findBlock(int(std::max<qsizetype>(from, from + count - 1)));
    if (!first.isValid())
        return;
    if (!last.isValid())
        last = document_->lastBlock();
    if (last.blockNumber() - first.blockNumber() > kEagerBlockLimit) {
        ++epoch_; // every block is out of date; the view catches up as it paints
        if (!inContentsChange_)
            emit repaintNeeded();
        return;
    }
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        refreshBlock(block);
        if (block == last)
            break;
    }
}

void StyleOverlay::applyFormats(const QTextBlock& block) {
    const qsizetype start = block.position();
    const qsizetype length = std::max(0, block.length() - 1); // without the line break
    QList<QTextLayout::FormatRange> ranges;
    qsizetype runStart = 0;
    while (runStart < length) {
        const std::uint8_t value = buffer_.at(start + runStart);
        qsizetype runEnd = runStart + 1;
        while (runEnd < length && buffer_.at(start + runEnd) == value)
            ++runEnd;
        if (value != 0 && !table_.format(value).properties().isEmpty())
            ranges.append({int(runStart), int(runEnd - runStart), table_.format(value)});
        runStart = runEnd;
    }
    QTextLayout* layout = block.layout();
    QTextBlock writable = block;
    writable.setUserState(epoch_);
    if (ranges.isEmpty() && layout->formats().isEmpty())
        return;
    layout->setFormats(ranges);
    // Tells the layout the block must be laid out again; outside a contents change this
    // also resets the pending change range that setFormats opened, so no change is reported.
    document_->markContentsDirty(int(start), block.length());
}

void StyleOverlay::refreshBlock(const QTextBlock& block) {
    if (block.isValid())
        applyFormats(block);
}

void StyleOverlay::refreshBlocks(QTextBlock firstBlock, qreal bottom,
                                 const std::function<qreal(const QTextBlock&)>& blockTop) {
    for (QTextBlock block = firstBlock; block.isValid(); block = block.next()) {
        if (block.isVisible() && blockTop(block) > bottom)
            break;
        if (block.userState() != epoch_)
            applyFormats(block);
    }
}

void StyleOverlay::restyle(qsizetype from, qsizetype count,
                           const std::function<void(CharStyle&)>& change) {
    from = std::clamp<qsizetype>(from, 0, buffer_.size());
    count = std::clamp<qsizetype>(count, 0, buffer_.size() - from);
    if (count == 0)
        return;
    // When the change leaves every style as it is (re-applying the editor font on each
    // activation, say) nothing needs to be scanned or repainted.
    bool changesSomething = false;
    for (std::size_t i = 0; i < table_.count() && !changesSomething; ++i) {
        CharStyle style = table_.at(std::uint8_t(i));
        change(style);
        changesSomething = !(style == table_.at(std::uint8_t(i)));
    }
    if (!changesSomething)
        return;
    const std::array<bool, 256> inRange = buffer_.usedValues(from, count);
    pinned_ = {};
    StyleBuffer::Lut lut{};
    for (std::size_t i = 0; i < lut.size(); ++i) {
        lut[i] = std::uint8_t(i);
        if (!inRange[i])
            continue;
        CharStyle style = table_.at(std::uint8_t(i));
        change(style);
        lut[i] = intern(style);
    }
    pinned_ = {};
    buffer_.map(from, count, lut);
    changed(from, count);
}

void StyleOverlay::assign(qsizetype from, const std::vector<std::uint8_t>& styleOfChar,
                          const std::vector<CharStyle>& styles) {
    from = std::clamp<qsizetype>(from, 0, buffer_.size());
    const qsizetype count =
        std::min<qsizetype>(qsizetype(styleOfChar.size()), buffer_.size() - from);
    if (count <= 0)
        return;
    std::array<bool, 256> inUse{};
    for (qsizetype i = 0; i < count; ++i)
        inUse[styleOfChar[size_t(i)]] = true;
    pinned_ = {};
    StyleBuffer::Lut lut{};
    for (std::size_t i = 0; i < styles.size() && i < lut.size(); ++i)
        if (inUse[i])
            lut[i] = intern(styles[i]);
    pinned_ = {};
    std::vector<std::uint8_t> mapped(static_cast<size_t>(count));
    for (qsizetype i = 0; i < count; ++i)
        mapped[size_t(i)] = lut[styleOfChar[size_t(i)]];
    buffer_.write(from, mapped.data(), count);
    changed(from, count);
}

void StyleOverlay::colourByClass(qsizetype from, const std::uint8_t* classes, qsizetype count,
                                 const std::vector<WinColour>& classColours) {
    from = std::clamp<qsizetype>(from, 0, buffer_.size());
    count = std::clamp<qsizetype>(count, 0, buffer_.size() - from);
    if (count == 0)
        return;
    // Resulting index for each (class, current index) pair, worked out on first use. The
    // buffer is changed in place, so a pass needs no copy of the styles.
    constexpr std::uint16_t kUnknown = 0xFFFF;
    std::vector<std::uint16_t> result(classColours.size() * 256, kUnknown);
    pinned_ = {};
    buffer_.transform(from, count, [&](qsizetype i, std::uint8_t current) -> std::uint8_t {
        const std::uint8_t cls = classes[i];
        if (cls >= classColours.size())
            return current; // untouched by this pass
        std::uint16_t& slot = result[cls * 256u + current];
        if (slot == kUnknown) {
            CharStyle style = table_.at(current);
            const WinColour colour = classColours[cls];
            style.hasColour = colour != kWindowTextColour;
            style.colour = style.hasColour ? colour : 0;
            slot = intern(style);
        }
        return std::uint8_t(slot);
    });
    pinned_ = {};
    changed(from, count);
}

} // namespace kelvane
