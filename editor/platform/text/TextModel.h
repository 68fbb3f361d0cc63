// A document's content for the rich-text control: its text, the style of each character and
// the undo history. Edits go through replace(); formatting calls change styles only and are no
// edits. Positions count a line break as one character ('\n').
//
// What it tells its listeners (the view, the control, a journal of edits), in this order:
// - contentsChanged(from, removed, added) after every change of the text, whatever made it (an
//   edit, each edit of a batch, undo, redo, a move), with the text already changed: replaying
//   the notifications on a copy of the text before them gives the text after them;
// - stylesChanged(from, count) after formatting, and after undo, redo or a move gave characters
//   their styles back; never for a change of the text alone;
// - reset() when the whole content was replaced by loading (no contentsChanged for it);
// - modificationChanged(modified) whenever isModified() changes;
// - batchEnded(textChanged) once, when the outermost batch ends.
#pragma once

#include "platform/text/CharStyles.h"
#include "platform/text/EditHistory.h"
#include "platform/text/TextStore.h"

#include <QObject>

namespace kelvane {

class TextModel : public QObject {
    Q_OBJECT
public:
    explicit TextModel(QObject* parent = nullptr);

    const TextStore& text() const { return text_; }
    /// Calls f(QStringView) with [from, to) as one view, valid during the call only (see
    /// TextStore::withView), and returns what f returns.
    template <typename F> decltype(auto) withText(qsizetype from, qsizetype to, F&& f) {
        return text_.withView(from, to, std::forward<F>(f));
    }
    const CharStyles& styles() const { return styles_; }
    qsizetype size() const { return text_.size(); }

    /// Replaces `removed` characters at `from` with `inserted` as one edit; inserted
    /// characters take the style at the caret (of the character before them).
    void replace(qsizetype from, qsizetype removed, QStringView inserted,
                 EditKind kind = EditKind::Command);
    /// As replace(), the inserted characters taking the given styles (indexes into `styles`).
    void replaceStyled(qsizetype from, qsizetype removed, QStringView inserted,
                       const std::vector<std::uint8_t>& styleOfChar,
                       const std::vector<CharStyle>& styles);
    /// Makes every replacement of `pieces` (ascending, not overlapping, positions in the text
    /// before them) as one edit and one undo step, in one pass over the text; the inserted
    /// characters are `allInserted`, piece after piece, each taking the style of the first
    /// character it replaces (of the one before it when it replaces none). Announced as one
    /// change of the range the pieces span. False, changing nothing, inside a batch or when
    /// the pieces do not fit the text.
    bool replaceEach(std::vector<SpreadPiece> pieces, QString allInserted);
    /// Replaces everything with plain text; the history starts afresh.
    void setText(QStringView text);
    /// Loading in pieces: beginLoad(expected size and line breaks), append pieces, endLoad().
    /// The history starts afresh and the content counts as unmodified.
    void beginLoad(qsizetype expectedSize, qsizetype expectedBreaks = 0);
    void appendLoaded(QStringView piece);
    /// Loading in place: room for at least `count` characters, then how many were written.
    char16_t* loadRoom(qsizetype count) { return text_.appendRoom(count); }
    /// The same one byte per character (U+0000-U+00FF); null once the text is held in UTF-16.
    char* loadNarrowRoom(qsizetype count) { return text_.appendNarrowRoom(count); }
    void loadedInRoom(qsizetype count) { text_.appended(count); }
    void endLoad();

    /// Edits between these calls are one undo step; calls may nest. The outermost end
    /// announces batchEnded().
    void beginBatch();
    void endBatch();
    bool inBatch() const { return batchDepth_ > 0; }
    /// Moves `count` characters at `from` to `to` (a position of the text before the move,
    /// outside the moved range) as one undo step; they keep their styles. Returns where the
    /// moved characters start afterwards.
    qsizetype moveText(qsizetype from, qsizetype count, qsizetype to);
    /// Takes back the last step; returns the caret position after it, or -1 when nothing was
    /// there to undo.
    qsizetype undo();
    qsizetype redo();
    int undoSteps() const { return history_.undoSteps(); }
    int redoSteps() const { return history_.redoSteps(); }
    /// Moves the room for edits of the text, its styles and its lines at most `limit`
    /// characters toward `position`, changing nothing that can be seen; true once an edit
    /// there has nothing left to move (GapMover does this in slices while the program idles).
    bool prepareEditAt(qsizetype position, qsizetype limit) {
        const bool styles = styles_.prepareEditAt(position, limit);
        return text_.prepareEditAt(position, limit) && styles;
    }
    /// Ends the current typing run.
    void sealUndoStep() { history_.seal(); }

    bool isModified() const { return !history_.isClean(); }
    void setModified(bool modified);

    // --- Formatting: not edits ---
    void restyle(qsizetype from, qsizetype count, const std::function<void(CharStyle&)>& change);
    void assignStyles(qsizetype from, const std::vector<std::uint8_t>& styleOfChar,
                      const std::vector<CharStyle>& styles);
    void colourByClass(qsizetype from, const std::uint8_t* classes, qsizetype count,
                       const std::vector<WinColour>& classColours);
    /// Makes every character plain.
    void clearStyles();

signals:
    /// The text changed: `removed` characters at `from` became `added` characters.
    void contentsChanged(qsizetype from, qsizetype removed, qsizetype added);
    /// The styles of [from, from + count) changed.
    void stylesChanged(qsizetype from, qsizetype count);
    /// Everything was replaced (setText, loading).
    void reset();
    void modificationChanged(bool modified);
    /// The outermost batch of edits ended; `textChanged` when an edit inside it changed the
    /// text.
    void batchEnded(bool textChanged);

private:
    void apply(qsizetype from, qsizetype removed, QStringView inserted);
    /// Carries out spread pieces; `inserted` and `styles` are given to their ranges.
    void applySpread(const std::vector<SpreadPiece>& pieces, QStringView inserted,
                     const SavedStyles& styles);
    qsizetype undoSpread(SpreadEdit& edit);
    qsizetype redoSpread(SpreadEdit& edit);
    void noteModification(bool before);

    TextStore text_;
    CharStyles styles_;
    EditHistory history_;
    int batchDepth_ = 0; ///< nesting of beginBatch(): the only count of batches
    bool changedInBatch_ = false;
};

} // namespace kelvane
