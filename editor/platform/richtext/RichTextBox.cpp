// The rich-text control: text, selection, files and line messages; formatting lives in the
// StyleOverlay and reaches the view lazily.
#include "platform/richtext/RichTextBox.h"

#include "platform/FileIO.h"
#include "platform/TextLines.h"
#include "platform/Twips.h"
#include "platform/richtext/RichTextView.h"
#include "platform/richtext/StyleOverlay.h"
#include "platform/rtf/RtfCodec.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QFontInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QVBoxLayout>

#include <algorithm>

namespace kelvane {

namespace {

constexpr QChar kParagraphSeparator(0x2029);

/// A line whose break on disk differs from the file's usual one.
class LineBreakData : public QTextBlockUserData {
public:
    explicit LineBreakData(LineBreak style) : style(style) {}
    LineBreak style;
};

} // namespace

RichTextBox::RichTextBox(QWidget* parent) : QWidget(parent), view_(new RichTextView(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setFocusProxy(view_);
    overlay_ = new StyleOverlay(view_->document(), this);
    view_->setOverlay(overlay_);
    fileFormat_.lineBreak = platformLineBreak();
    applyDefaultFont();

    connect(overlay_, &StyleOverlay::repaintNeeded, view_->viewport(),
            qOverload<>(&QWidget::update));
    connect(view_->document(), &QTextDocument::contentsChange, this,
            [this](int, int removed, int added) {
                if (removed || added) {
                    snapshotValid_ = false;
                    snapshot_.clear(); // no stale copy of a large document kept in memory
                    emit Change();
                }
            });
    connect(view_, &QPlainTextEdit::cursorPositionChanged, this,
            &RichTextBox::emitSelChangeIfMoved);
    connect(view_, &QPlainTextEdit::selectionChanged, this, &RichTextBox::emitSelChangeIfMoved);
    view_->onKeyDown = [this](int& keyCode, int shift) { emit KeyDown(keyCode, shift); };
    view_->onKeyUp = [this](int& keyCode, int shift) { emit KeyUp(keyCode, shift); };
    view_->onMouseUp = [this](int button, int shift, QPoint at) {
        emit MouseUp(button, shift, at);
    };
}

RichTextBox::~RichTextBox() = default;

QTextDocument* RichTextBox::document() const {
    return view_->document();
}

// --- positions ---

qsizetype RichTextBox::toDocumentPosition(qsizetype position) const {
    const QTextDocument* doc = document();
    if (position <= 0)
        return 0;
    // The block n holding a position is the last one whose start (its document position plus
    // one extra character for each earlier line break) is not past it.
    int low = 0;
    int high = doc->blockCount() - 1;
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        if (doc->findBlockByNumber(mid).position() + qsizetype(mid) <= position)
            low = mid;
        else
            high = mid - 1;
    }
    const QTextBlock block = doc->findBlockByNumber(low);
    const qsizetype offset = position - (block.position() + qsizetype(low));
    const qsizetype textLength = block.length() - 1;
    // A position inside the two characters of a line break stands for the break itself.
    return block.position() + std::min(offset, textLength);
}

qsizetype RichTextBox::fromDocumentPosition(qsizetype documentPosition) const {
    const QTextDocument* doc = document();
    documentPosition = std::clamp<qsizetype>(documentPosition, 0, doc->characterCount() - 1);
    return documentPosition + doc->findBlock(int(documentPosition)).blockNumber();
}

qsizetype RichTextBox::textLength() const {
    const QTextDocument* doc = document();
    return qsizetype(doc->characterCount() - 1) + qsizetype(doc->blockCount() - 1);
}

// --- text ---

QString RichTextBox::documentText() const {
    QString text = document()->toRawText();
    text.replace(kParagraphSeparator, QLatin1Char('\n'));
    return text;
}

QString RichTextBox::Text() const {
    QString text = document()->toRawText();
    text.replace(kParagraphSeparator, QLatin1String("\r\n"));
    return text;
}

void RichTextBox::setText(const QString& text) {
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(toLfLineBreaks(text));
    overlay_->clear();
    setSelStart(0);
}

QString RichTextBox::documentText(qsizetype from, qsizetype to) const {
    const qsizetype last = document()->characterCount() - 1;
    QString text =
        plainTextOf(std::clamp<qsizetype>(from, 0, last), std::clamp<qsizetype>(to, 0, last));
    text.replace(kParagraphSeparator, QLatin1Char('\n'));
    return text;
}

QString RichTextBox::plainTextOf(qsizetype from, qsizetype to) const {
    QTextCursor cursor(document());
    cursor.setPosition(int(from));
    cursor.setPosition(int(to), QTextCursor::KeepAnchor);
    return cursor.selectedText();
}

qsizetype RichTextBox::documentLength() const {
    return document()->characterCount() - 1;
}

void RichTextBox::forEachTextPiece(qsizetype pieceLength,
                                   const std::function<void(QStringView piece)>& take) const {
    QString piece;
    piece.reserve(pieceLength + 1024);
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        piece += block.text();
        // Document positions count a block's break as one character, '\n'.
        if (block.next().isValid())
            piece += QLatin1Char('\n');
        if (piece.size() >= pieceLength) {
            take(piece);
            piece.clear();
        }
    }
    if (!piece.isEmpty())
        take(piece);
}

const QString& RichTextBox::documentTextSnapshot() const {
    if (!snapshotValid_) {
        snapshot_ = documentText();
        snapshotValid_ = true;
    }
    return snapshot_;
}

// --- edits made by commands ---

void RichTextBox::beginEditBatch() {
    if (batchDepth_++ == 0) {
        batchCursor_ = std::make_unique<QTextCursor>(document());
        batchCursor_->beginEditBlock();
    }
}

void RichTextBox::endEditBatch() {
    if (batchDepth_ == 0)
        return;
    if (--batchDepth_ == 0) {
        batchCursor_->endEditBlock();
        batchCursor_.reset();
    }
}

void RichTextBox::replaceDocumentRange(qsizetype from, qsizetype removed, const QString& text) {
    const qsizetype last = document()->characterCount() - 1;
    from = std::clamp<qsizetype>(from, 0, last);
    removed = std::clamp<qsizetype>(removed, 0, last - from);
    QTextCursor single(document());
    QTextCursor& cursor = batchCursor_ ? *batchCursor_ : single;
    cursor.setPosition(int(from));
    cursor.setPosition(int(from + removed), QTextCursor::KeepAnchor);
    if (text.isEmpty())
        cursor.removeSelectedText();
    else
        cursor.insertText(toLfLineBreaks(text));
}

void RichTextBox::sealUndoStep() {
    // The text document merges adjacent insertions into one step only while it counts itself
    // modified; the editor keeps its own Changed flag, so clearing this one costs nothing.
    document()->setModified(false);
}

int RichTextBox::undoSteps() const {
    return document()->availableUndoSteps();
}

// --- selection ---

qsizetype RichTextBox::SelStart() const {
    return fromDocumentPosition(view_->textCursor().selectionStart());
}

qsizetype RichTextBox::SelLength() const {
    const QTextCursor cursor = view_->textCursor();
    return fromDocumentPosition(cursor.selectionEnd()) -
           fromDocumentPosition(cursor.selectionStart());
}

void RichTextBox::selectDocumentRange(qsizetype from, qsizetype to) {
    const qsizetype last = document()->characterCount() - 1;
    QTextCursor cursor = view_->textCursor();
    cursor.setPosition(int(std::clamp<qsizetype>(from, 0, last)));
    cursor.setPosition(int(std::clamp<qsizetype>(to, 0, last)), QTextCursor::KeepAnchor);
    view_->setTextCursor(cursor);
}

void RichTextBox::setSelStart(qsizetype position) {
    const qsizetype at = toDocumentPosition(std::clamp<qsizetype>(position, 0, textLength()));
    selectDocumentRange(at, at);
}

void RichTextBox::setSelLength(qsizetype length) {
    const qsizetype start = SelStart();
    const qsizetype end =
        std::clamp<qsizetype>(start + std::max<qsizetype>(length, 0), 0, textLength());
    selectDocumentRange(toDocumentPosition(start), toDocumentPosition(end));
}

QString RichTextBox::SelText() const {
    QString text = view_->textCursor().selectedText();
    text.replace(kParagraphSeparator, QLatin1String("\r\n"));
    return text;
}

void RichTextBox::setSelText(const QString& text) {
    QTextCursor cursor = view_->textCursor();
    cursor.insertText(toLfLineBreaks(text));
    view_->setTextCursor(cursor);
}

QByteArray RichTextBox::rtfOf(qsizetype from, qsizetype to) const {
    QString text = plainTextOf(from, to);
    text.replace(kParagraphSeparator, QLatin1Char('\n'));
    const std::vector<std::uint8_t> styles = overlay_->buffer().read(from, to - from);
    return rtf::write(text, styles, overlay_->table().styles(),
                      rtf::WriteOptions{defaultFontName_, defaultFontSize_});
}

QByteArray RichTextBox::SelRTF() const {
    const QTextCursor cursor = view_->textCursor();
    return rtfOf(cursor.selectionStart(), cursor.selectionEnd());
}

void RichTextBox::insertRich(const RichText& rich) {
    QTextCursor cursor = view_->textCursor();
    const qsizetype from = cursor.selectionStart();
    cursor.insertText(rich.text);
    view_->setTextCursor(cursor);
    overlay_->assign(from, rich.styleOfChar, rich.styles);
}

void RichTextBox::setSelRTF(const QByteArray& rtf) {
    insertRich(rtf::read(rtf));
}

void RichTextBox::setSelRichText(const RichText& rich) {
    insertRich(rich);
}

RichText RichTextBox::richText() const {
    RichText rich;
    rich.text = documentText();
    rich.styles = overlay_->table().styles();
    rich.styleOfChar = overlay_->buffer().read(0, rich.text.size());
    return rich;
}

// --- formatting ---

void RichTextBox::restyleSelection(const std::function<void(CharStyle&)>& change) {
    const QTextCursor cursor = view_->textCursor();
    overlay_->restyle(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart(),
                      change);
}

void RichTextBox::setSelColor(WinColour colour) {
    restyleSelection([colour](CharStyle& style) {
        style.hasColour = colour != kWindowTextColour;
        style.colour = style.hasColour ? colour : 0;
    });
}

void RichTextBox::setSelFontName(const QString& name) {
    // The control's own font needs no explicit name: such characters follow the control.
    const QString stored = name == defaultFontName_ ? QString() : name;
    restyleSelection([&stored](CharStyle& style) { style.fontName = stored; });
}

void RichTextBox::setSelFontSize(float points) {
    const float stored = points == defaultFontSize_ ? 0.0f : points;
    restyleSelection([stored](CharStyle& style) { style.pointSize = stored; });
}

void RichTextBox::setSelBold(bool on) {
    restyleSelection([on](CharStyle& style) { style.bold = on; });
}

void RichTextBox::setSelItalic(bool on) {
    restyleSelection([on](CharStyle& style) { style.italic = on; });
}

void RichTextBox::setSelUnderline(bool on) {
    restyleSelection([on](CharStyle& style) { style.underline = on; });
}

void RichTextBox::colourByClass(qsizetype from, const std::uint8_t* classes, qsizetype count,
                                const std::vector<WinColour>& classColours) {
    overlay_->colourByClass(from, classes, count, classColours);
}

void RichTextBox::assignStyles(qsizetype from, const std::vector<std::uint8_t>& styleOfChar,
                               const std::vector<CharStyle>& styles) {
    overlay_->assign(from, styleOfChar, styles);
}

CharStyle RichTextBox::styleAt(qsizetype position) const {
    return overlay_->styleAt(toDocumentPosition(position));
}

void RichTextBox::applyDefaultFont() {
    QFont font(defaultFontName_);
    font.setPointSizeF(defaultFontSize_ > 0 ? defaultFontSize_ : 10);
    // Courier New and other fixed-width names fall back to the system's fixed-width face.
    if (defaultFontName_.contains(QLatin1String("Courier"), Qt::CaseInsensitive) ||
        defaultFontName_.contains(QLatin1String("Mono"), Qt::CaseInsensitive)) {
        font.setStyleHint(QFont::TypeWriter);
        if (!QFontInfo(font).fixedPitch())
            font.setFamily(QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    }
    view_->setFont(font);
}

void RichTextBox::setDefaultFontName(const QString& name) {
    if (name == defaultFontName_)
        return; // setting the font again would lay the whole document out again
    defaultFontName_ = name;
    applyDefaultFont();
}

void RichTextBox::setDefaultFontSize(float points) {
    if (points == defaultFontSize_)
        return;
    defaultFontSize_ = points;
    applyDefaultFont();
}

void RichTextBox::setRightMargin(double twips) {
    wrapTwips_ = twips;
    view_->setWrapWidth(twips >= kNoWrapTwips ? 0 : std::max(1, twipsToPixels(twips)));
}

bool RichTextBox::wrapping() const {
    return view_->lineWrapMode() != QPlainTextEdit::NoWrap;
}

// --- files ---

void RichTextBox::loadPlain(const DecodedText& decoded) {
    view_->setPlainText(decoded.text);
    fileFormat_ = decoded.format;
    for (const auto& [lineIndex, style] : fileFormat_.exceptions) {
        QTextBlock block = document()->findBlockByNumber(int(lineIndex));
        if (block.isValid())
            block.setUserData(new LineBreakData(style));
    }
    fileFormat_.exceptions.clear(); // the blocks carry them from now on
}

bool RichTextBox::LoadFile(const QString& path, QString& error) {
    QByteArray bytes;
    if (!readWholeFile(path, bytes, error))
        return false;
    if (rtf::looksLikeRtf(bytes)) {
        const RichText rich =
            rtf::read(bytes, rtf::WriteOptions{defaultFontName_, defaultFontSize_});
        bytes = QByteArray();
        view_->setPlainText(rich.text);
        overlay_->clear();
        overlay_->assign(0, rich.styleOfChar, rich.styles);
        fileFormat_ = TextFileFormat{};
        fileFormat_.lineBreak = platformLineBreak();
    } else {
        DecodedText decoded = decodeText(bytes);
        bytes = QByteArray(); // the file's bytes are not needed while the text is laid out
        loadPlain(decoded);
        overlay_->clear();
    }
    document()->setModified(false);
    setSelStart(0);
    return true;
}

bool RichTextBox::SaveFile(const QString& path, int format, QString& error) {
    QByteArray bytes;
    if (format == 1) {
        TextFileFormat layout = fileFormat_;
        layout.exceptions.clear();
        int number = 0;
        for (QTextBlock block = document()->begin(); block.isValid();
             block = block.next(), ++number)
            if (auto* data = dynamic_cast<LineBreakData*>(block.userData()))
                layout.exceptions.emplace_back(number, data->style);
        TextEncoding written = layout.encoding;
        bytes = encodeText(documentText(), layout, &written);
        if (!writeFileAtomically(path, bytes, error))
            return false;
        fileFormat_.encoding = written; // a text that outgrew its 8-bit encoding stays UTF-8
        return true;
    }
    bytes = rtfOf(0, document()->characterCount() - 1);
    return writeFileAtomically(path, bytes, error);
}

// --- spanning, painting, lines ---

void RichTextBox::Span(const QString& set, bool forward, bool negate) {
    const QTextCursor cursor = view_->textCursor();
    const QTextDocument* doc = document();
    qsizetype start = cursor.selectionStart();
    qsizetype end = cursor.selectionEnd();
    const qsizetype last = doc->characterCount() - 1;
    auto spans = [&](qsizetype at) { return set.contains(doc->characterAt(int(at))) != negate; };
    if (forward) {
        while (end < last && spans(end))
            ++end;
    } else {
        while (start > 0 && spans(start - 1))
            --start;
    }
    selectDocumentRange(start, end);
}

void RichTextBox::setRedraw(bool on) {
    view_->setUpdatesEnabled(on);
    view_->viewport()->setUpdatesEnabled(on);
}

void RichTextBox::Refresh() {
    view_->refreshVisibleFormats();
    view_->viewport()->update();
}

void RichTextBox::SetFocus() {
    view_->setFocus(Qt::OtherFocusReason);
}

void RichTextBox::undo() {
    view_->undo();
}

void RichTextBox::redo() {
    view_->redo();
}

RichTextBox::ChangedRange RichTextBox::undoStep(bool redo) {
    ChangedRange range;
    const QMetaObject::Connection watch =
        connect(document(), &QTextDocument::contentsChange, this, [&range](int at, int, int added) {
            range.from = range.from < 0 ? at : std::min<qsizetype>(range.from, at);
            range.to = std::max<qsizetype>(range.to, qsizetype(at) + added);
        });
    if (redo)
        view_->redo();
    else
        view_->undo();
    disconnect(watch);
    return range;
}

void RichTextBox::layOutUpTo(int blockNumber) const {
    // Blocks not yet laid out count as one line; lay out what a line number depends on.
    QAbstractTextDocumentLayout* layout = document()->documentLayout();
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.layout()->lineCount() == 0)
            layout->blockBoundingRect(block);
        if (block.blockNumber() >= blockNumber)
            break;
    }
}

qsizetype RichTextBox::lineFromChar(qsizetype position) const {
    const qsizetype at = toDocumentPosition(std::clamp<qsizetype>(position, 0, textLength()));
    const QTextBlock block = document()->findBlock(int(at));
    if (!wrapping())
        return block.blockNumber();
    layOutUpTo(block.blockNumber());
    const QTextLine line = block.layout()->lineForTextPosition(int(at - block.position()));
    return block.firstLineNumber() + (line.isValid() ? line.lineNumber() : 0);
}

qsizetype RichTextBox::lineIndex(qsizetype line) const {
    if (line < 0)
        return -1;
    if (!wrapping()) {
        const QTextBlock block = document()->findBlockByNumber(int(line));
        return block.isValid() ? fromDocumentPosition(block.position()) : -1;
    }
    layOutUpTo(document()->blockCount());
    const QTextBlock block = document()->findBlockByLineNumber(int(line));
    if (!block.isValid() || line >= block.firstLineNumber() + block.layout()->lineCount())
        return -1;
    const QTextLine textLine = block.layout()->lineAt(int(line - block.firstLineNumber()));
    return fromDocumentPosition(block.position() + textLine.textStart());
}

qsizetype RichTextBox::lineLength(qsizetype position) const {
    const qsizetype at = toDocumentPosition(std::clamp<qsizetype>(position, 0, textLength()));
    const QTextBlock block = document()->findBlock(int(at));
    if (!wrapping())
        return block.length() - 1;
    layOutUpTo(block.blockNumber());
    const QTextLine line = block.layout()->lineForTextPosition(int(at - block.position()));
    if (!line.isValid())
        return block.length() - 1;
    // A wrapped line's length runs to the next line's start; the last line ends at the break.
    const bool lastLine = line.lineNumber() == block.layout()->lineCount() - 1;
    return lastLine ? (block.length() - 1) - line.textStart() : line.textLength();
}

qsizetype RichTextBox::lineCount() const {
    if (!wrapping())
        return document()->blockCount();
    layOutUpTo(document()->blockCount());
    return document()->lineCount();
}

void RichTextBox::emitSelChangeIfMoved() {
    const qsizetype start = SelStart();
    const qsizetype length = SelLength();
    if (start == lastSelStart_ && length == lastSelLength_)
        return;
    lastSelStart_ = start;
    lastSelLength_ = length;
    emit SelChange();
}

} // namespace kelvane
