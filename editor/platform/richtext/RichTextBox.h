// The rich-text control of a document window: the text, its per-character formatting and undo
// history in a TextModel, shown by a TextView. Every public position and length counts a line
// break as two characters (CR LF), as the editor's commands expect.
#pragma once

#include "platform/TextEncoding.h"
#include "platform/text/RichText.h"
#include "platform/text/SpreadPiece.h"

#include <QByteArray>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QPainter;

namespace kelvane {

class GapMover;
class PageFormatter;
class TextFile;
class TextModel;
class TextView;
struct TwipsRect;

/// Wrap width meaning "do not wrap".
inline constexpr double kNoWrapTwips = 524288;

class RichTextBox : public QWidget {
    Q_OBJECT
public:
    explicit RichTextBox(QWidget* parent = nullptr);
    ~RichTextBox() override;

    // --- Text and selection (positions count CR LF as two) ---
    /// The whole content, lines joined by CR LF.
    QString Text() const;
    /// Replaces the whole content with plain text (CR LF, LF or CR line breaks).
    void setText(const QString& text);
    /// Length of Text() without building it.
    qsizetype textLength() const;
    qsizetype SelStart() const;
    /// Puts the caret at a position, with nothing selected.
    void setSelStart(qsizetype position);
    qsizetype SelLength() const;
    /// Selects this many characters from SelStart.
    void setSelLength(qsizetype length);
    QString SelText() const;
    /// Replaces the selection with plain text; one step of the undo history.
    void setSelText(const QString& text);
    /// The selection as RTF markup, with its formatting.
    QByteArray SelRTF() const;
    /// Replaces the selection with RTF markup, formatted; one step of the undo history.
    void setSelRTF(const QByteArray& rtf);
    /// Replaces the selection with formatted text ('\n' line breaks); one step of the undo
    /// history.
    void setSelRichText(const RichText& rich);

    // --- Formatting (not edits: no undo step, no change event) ---
    void setSelColor(WinColour colour);
    void setSelFontName(const QString& name);
    void setSelFontSize(float points);
    void setSelBold(bool on);
    void setSelItalic(bool on);
    void setSelUnderline(bool on);
    /// The control's own font, used where characters name none.
    void setDefaultFontName(const QString& name);
    void setDefaultFontSize(float points);
    QString defaultFontName() const { return defaultFontName_; }
    float defaultFontSize() const { return defaultFontSize_; }
    /// Lines wrap at this width in twips; kNoWrapTwips or more means no wrapping.
    void setRightMargin(double twips);
    double rightMargin() const { return wrapTwips_; }

    // --- Files ---
    /// Replaces the content with a file: RTF files formatted, other files as plain text
    /// (encoding and line breaks remembered for saving). Returns false and the system's
    /// description of the failure in `error`. `plainText` (when given) tells whether the text is
    /// the file's bytes decoded as a plain text file.
    bool LoadFile(const QString& path, QString& error, bool* plainText = nullptr);
    /// Reads the file again as LoadFile does, but as one edit: Undo brings back the text it
    /// replaced. The caret goes to the start. False with the system's description in `error`.
    bool ReloadFile(const QString& path, QString& error);
    /// Writes the whole content: format 0 RTF, 1 plain text in the file's own encoding and line
    /// breaks. The file on disk is replaced atomically.
    bool SaveFile(const QString& path, int format, QString& error);
    /// The layout the plain-text file is saved with (encoding, line breaks).
    TextFileFormat fileFormat() const;

    // --- Selection spanning and line messages ---
    /// Extends the selection forward from its end or backward from its start over the
    /// characters of `set` (with `negate`, over the characters not in it).
    void Span(const QString& set, bool forward, bool negate);
    /// Stops (false) or resumes (true) painting.
    void setRedraw(bool on);
    /// Line holding a position (display lines when wrapping).
    qsizetype lineFromChar(qsizetype position) const;
    /// Position of a line's first character, -1 past the last line.
    qsizetype lineIndex(qsizetype line) const;
    /// Length of the line holding a position, without its line break.
    qsizetype lineLength(qsizetype position) const;
    qsizetype lineCount() const;
    void undo();
    void redo();
    /// Document range [from, to) of what an undo or redo step changed; from < 0: nothing.
    struct ChangedRange {
        qsizetype from = -1;
        qsizetype to = -1;
    };
    /// Undo (or, with `redo`, Redo) that reports the range the step changed.
    ChangedRange undoStep(bool redo);
    /// A locked control takes no typing, pasting or dropped text from the user; commands
    /// still edit it.
    void setLocked(bool locked);
    bool Locked() const;
    /// Repaints the control.
    void Refresh();
    void SetFocus();

    // --- For the colouring engine, printing and export ---
    /// The content with each line break as one '\n' (document positions).
    QString documentText() const;
    /// The characters of [from, to) in document positions, line breaks as '\n'.
    QString documentText(qsizetype from, qsizetype to) const;
    qsizetype toDocumentPosition(qsizetype position) const;
    qsizetype fromDocumentPosition(qsizetype documentPosition) const;
    /// Colours characters from document position `from` by class (see CharStyles).
    void colourByClass(qsizetype from, const std::uint8_t* classes, qsizetype count,
                       const std::vector<WinColour>& classColours);
    /// Gives the characters from document position `from` on the given styles (indexes into
    /// `styles`); formatting only, not an edit.
    void assignStyles(qsizetype from, const std::vector<std::uint8_t>& styleOfChar,
                      const std::vector<CharStyle>& styles);
    /// The style of the character at a position (CR LF counting).
    CharStyle styleAt(qsizetype position) const;
    /// The whole content with its formatting.
    RichText richText() const;
    /// Length of the content in document positions (each line break one character).
    qsizetype documentLength() const;
    /// Hands the content over in consecutive pieces of at most `pieceLength` characters
    /// (document positions, '\n' line breaks), in order, without a copy of the whole text.
    /// Pieces may be shorter; a piece is valid only during its call (keep no view of it).
    void forEachTextPiece(qsizetype pieceLength,
                          const std::function<void(QStringView piece)>& take) const;
    /// Calls `read` with the whole lines that hold the document positions [from, to] ('\n'
    /// line breaks, the last line's break included) and the document position of their first
    /// character, as one view valid during the call only: read in place where the text is held
    /// in UTF-16, else a copy of just those lines.
    void withDocumentLines(qsizetype from, qsizetype to,
                           const std::function<void(QStringView lines, qsizetype start)>& read);
    /// The content as documentText() gives it, built once per change of the content.
    const QString& documentTextSnapshot() const;

    // --- Edits made by commands ---
    /// Edits between these calls are one step of the undo history, announced by one Change
    /// and one SelChange when the outermost batch ends; calls may nest.
    void beginEditBatch();
    void endEditBatch();
    /// Replaces `removed` characters at document position `from` with text ('\n' line
    /// breaks); the new characters take the style of the character before them.
    void replaceDocumentRange(qsizetype from, qsizetype removed, const QString& text);
    /// Makes many replacements (document positions, '\n' line breaks; see
    /// TextModel::replaceEach) as one edit in one pass over the text. False, changing nothing,
    /// inside an edit batch.
    bool replaceEach(std::vector<SpreadPiece> pieces, QString allInserted);
    /// Ends the current undo step: the next edit starts a step of its own.
    void sealUndoStep();
    /// Steps the undo history holds.
    int undoSteps() const;

    // --- Printing (RichTextFormatRange.cpp) ---
    /// Lays out and paints the text from position `first` into `rc` of the painter's device
    /// (twips, relative to the printable area; nothing is painted outside `rcPage`), in the
    /// document's own fonts and colours, wrapping at the width of `rc`. Returns the position
    /// of the first character that did not fit, or textLength() when the rest fitted; `first`
    /// itself when not one line fits. The layout is kept for the next page until
    /// releaseFormatRange() or an edit.
    qsizetype formatRange(QPainter* painter, const TwipsRect& rc, const TwipsRect& rcPage,
                          qsizetype first);
    /// Lets go of the layout kept between formatRange calls.
    void releaseFormatRange();

    /// The view that shows the text and takes the keyboard and mouse.
    TextView* view() const { return view_; }

signals:
    void Change();
    void SelChange();
    /// Before the key acts; setting keyCode to 0 swallows the key.
    void KeyDown(int& keyCode, int shift);
    void KeyUp(int& keyCode, int shift);
    void MouseUp(int button, int shift, QPoint globalPosition);

private:
    void selectDocumentRange(qsizetype from, qsizetype to);
    void restyleSelection(const std::function<void(CharStyle&)>& change);
    QByteArray rtfOf(qsizetype from, qsizetype to) const;
    void insertRich(const RichText& rich);
    QString plainTextOf(qsizetype from, qsizetype to) const;
    void applyDefaultFont();
    void emitSelChangeIfMoved();
    bool wrapping() const;
    void onContentsChanged();
    void onBatchEnded(bool textChanged);
    /// Lays out the display lines up to text line `line` when the document is small enough
    /// for that to be cheap, so its display-line numbers are exact.
    void measureUpTo(qsizetype line) const;

    std::unique_ptr<TextModel> model_; ///< the text, shown by the view, which goes first
    std::unique_ptr<TextFile> textFile_;
    std::unique_ptr<GapMover> gapMover_; ///< keeps the room for edits at the caret
    TextView* view_;
    QString defaultFontName_ = QStringLiteral("Courier New");
    float defaultFontSize_ = 10;
    double wrapTwips_ = kNoWrapTwips;
    qsizetype lastSelStart_ = -1;
    qsizetype lastSelLength_ = -1;
    mutable QString snapshot_;
    mutable bool snapshotValid_ = false;
    std::shared_ptr<PageFormatter> pageFormatter_; ///< the text being printed, while it prints
    QMetaObject::Connection pageFormatterReset_;   ///< drops pageFormatter_ on the next edit
};

} // namespace kelvane
