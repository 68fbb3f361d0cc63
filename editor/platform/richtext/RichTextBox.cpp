// The rich-text control: text, selection, files and line messages over a TextModel shown by a
// TextView (the formatting calls are in RichTextBoxFormat.cpp). Positions count CR LF as two here
// and only here; the model counts a break as one.
#include "platform/richtext/RichTextBox.h"

#include "platform/FileIO.h"
#include "platform/TextLines.h"
#include "platform/richtext/TextView.h"
#include "platform/rtf/RtfCodec.h"
#include "platform/text/CrLfPositions.h"
#include "platform/text/GapMover.h"
#include "platform/text/TextFile.h"
#include "platform/text/TextModel.h"

#include <QFile>
#include <QVBoxLayout>

#include <algorithm>
#include <span>
#include <vector>

namespace kelvane {

namespace {

/// Documents up to this many characters are laid out whole for the line messages when wrapped,
/// once, so their display-line numbers are exact; larger ones answer from the rows measured so
/// far and estimates for the rest, and never wait for the whole document to be laid out.
constexpr qsizetype kMeasuredDocument = 256 * 1024;

} // namespace

RichTextBox::RichTextBox(QWidget* parent)
    : QWidget(parent), model_(std::make_unique<TextModel>()),
      textFile_(std::make_unique<TextFile>(*model_)),
      gapMover_(std::make_unique<GapMover>(*model_)), view_(new TextView(this)) {
    view_->setModel(model_.get());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setFocusProxy(view_);
    applyDefaultFont();

    connect(model_.get(), &TextModel::contentsChanged, this, &RichTextBox::onContentsChanged);
    connect(model_.get(), &TextModel::reset, this, [this] {
        snapshotValid_ = false;
        snapshot_.clear();
        emit Change();
    });
    connect(model_.get(), &TextModel::batchEnded, this, &RichTextBox::onBatchEnded);
    connect(view_, &TextView::cursorPositionChanged, this, &RichTextBox::emitSelChangeIfMoved);
    connect(view_, &TextView::selectionChanged, this, &RichTextBox::emitSelChangeIfMoved);
    // The next edit replaces the selection (or types at the caret): its room heads there while
    // the program idles, wherever the caret jumped to, and after loading.
    const auto followCaret = [this] { gapMover_->follow(view_->selectionStart()); };
    connect(view_, &TextView::cursorPositionChanged, this, followCaret);
    connect(view_, &TextView::selectionChanged, this, followCaret);
    connect(model_.get(), &TextModel::reset, this, followCaret);
    view_->onKeyDown = [this](int& keyCode, int shift) { emit KeyDown(keyCode, shift); };
    view_->onKeyUp = [this](int& keyCode, int shift) { emit KeyUp(keyCode, shift); };
    view_->onMouseUp = [this](int button, int shift, QPoint at) {
        emit MouseUp(button, shift, at);
    };
}

RichTextBox::~RichTextBox() {
    // The view goes before the text it shows.
    delete view_;
}

void RichTextBox::onContentsChanged() {
    snapshotValid_ = false;
    snapshot_.clear();      // no stale copy of a large document kept in memory
    if (!model_->inBatch()) // else one Change for the whole batch, when it ends
        emit Change();
}

// --- positions ---

qsizetype RichTextBox::toDocumentPosition(qsizetype position) const {
    return crlf::toStore(model_->text(), position);
}

qsizetype RichTextBox::fromDocumentPosition(qsizetype documentPosition) const {
    return crlf::fromStore(model_->text(), documentPosition);
}

qsizetype RichTextBox::textLength() const {
    return crlf::length(model_->text());
}

// --- text ---

QString RichTextBox::documentText() const {
    return model_->text().text();
}

QString RichTextBox::Text() const {
    return crlf::text(model_->text(), 0, model_->size());
}

void RichTextBox::setText(const QString& text) {
    // One step of the undo history, as any other replacement of the whole text.
    model_->replace(0, model_->size(), toLfLineBreaks(text));
    model_->clearStyles();
    textFile_->forgetBreakStyles();
    setSelStart(0);
}

QString RichTextBox::documentText(qsizetype from, qsizetype to) const {
    return model_->text().text(from, to);
}

QString RichTextBox::plainTextOf(qsizetype from, qsizetype to) const {
    return model_->text().text(from, to);
}

qsizetype RichTextBox::documentLength() const {
    return model_->size();
}

void RichTextBox::forEachTextPiece(qsizetype pieceLength,
                                   const std::function<void(QStringView piece)>& take) const {
    pieceLength = std::max<qsizetype>(pieceLength, 1);
    const TextStore& text = model_->text();
    if (text.isNarrow()) {
        // Text held one byte per character is converted a piece at a time into one buffer,
        // the pieces as long as asked: a reader such as colouring pays for each piece it takes.
        const qsizetype length = std::min(pieceLength, std::max<qsizetype>(text.size(), 1));
        std::vector<char16_t> buffer(static_cast<size_t>(length));
        for (qsizetype at = 0; at < text.size(); at += length) {
            const qsizetype count = text.read(at, at + length, buffer.data());
            take(QStringView(buffer.data(), count));
        }
        return;
    }
    // Text held in UTF-16 is handed over in the store's runs, views for the time of one call.
    text.forPieces(0, text.size(), [&](QStringView run) {
        for (qsizetype at = 0; at < run.size(); at += pieceLength)
            take(run.sliced(at, std::min(pieceLength, run.size() - at)));
    });
}

void RichTextBox::withDocumentLines(
    qsizetype from, qsizetype to,
    const std::function<void(QStringView lines, qsizetype start)>& read) {
    const TextStore& text = model_->text();
    from = std::clamp<qsizetype>(from, 0, text.size());
    to = std::clamp<qsizetype>(to, from, text.size());
    const qsizetype start = text.lineStart(text.lineOf(from));
    const qsizetype end = std::min(text.size(), text.lineEnd(text.lineOf(to)) + 1);
    model_->withText(start, end, [&](QStringView lines) { read(lines, start); });
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
    model_->beginBatch();
}

void RichTextBox::endEditBatch() {
    model_->endBatch();
}

void RichTextBox::setLocked(bool locked) {
    view_->setReadOnly(locked);
}

bool RichTextBox::Locked() const {
    return view_->isReadOnly();
}

void RichTextBox::onBatchEnded(bool textChanged) {
    // The window hears of a batch once, as of any other edit: not once per range. Batches
    // come from the commands and from the view itself (text moved by dragging).
    if (textChanged)
        emit Change();
    emitSelChangeIfMoved();
}

void RichTextBox::replaceDocumentRange(qsizetype from, qsizetype removed, const QString& text) {
    model_->replace(from, removed, toLfLineBreaks(text));
}

bool RichTextBox::replaceEach(std::vector<SpreadPiece> pieces, QString allInserted) {
    return model_->replaceEach(std::move(pieces), std::move(allInserted));
}

void RichTextBox::sealUndoStep() {
    model_->sealUndoStep();
}

int RichTextBox::undoSteps() const {
    return model_->undoSteps();
}

// --- selection ---

qsizetype RichTextBox::SelStart() const {
    return fromDocumentPosition(view_->selectionStart());
}

qsizetype RichTextBox::SelLength() const {
    return fromDocumentPosition(view_->selectionEnd()) -
           fromDocumentPosition(view_->selectionStart());
}

void RichTextBox::selectDocumentRange(qsizetype from, qsizetype to) {
    view_->setSelection(from, to);
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
    return crlf::text(model_->text(), view_->selectionStart(), view_->selectionEnd());
}

void RichTextBox::setSelText(const QString& text) {
    view_->insertText(toLfLineBreaks(text));
}

QByteArray RichTextBox::rtfOf(qsizetype from, qsizetype to) const {
    const CharStyles& styles = model_->styles();
    return rtf::write(plainTextOf(from, to), styles.buffer().read(from, to - from),
                      styles.table().styles(),
                      rtf::WriteOptions{defaultFontName_, defaultFontSize_});
}

QByteArray RichTextBox::SelRTF() const {
    return rtfOf(view_->selectionStart(), view_->selectionEnd());
}

void RichTextBox::insertRich(const RichText& rich) {
    const qsizetype from = view_->selectionStart();
    const QString text = toLfLineBreaks(rich.text);
    model_->replaceStyled(from, view_->selectionEnd() - from, text, rich.styleOfChar, rich.styles);
    view_->setCaret(from + text.size());
    view_->ensureCaretVisible();
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
    rich.styles = model_->styles().table().styles();
    rich.styleOfChar = model_->styles().buffer().read(0, rich.text.size());
    return rich;
}

// --- files ---

bool RichTextBox::LoadFile(const QString& path, QString& error, bool* plainText) {
    QFile file(path);
    if (!openForReading(file, error))
        return false;
    const bool rich = rtf::looksLikeRtf(file.peek(16));
    if (plainText)
        *plainText = !rich;
    if (!rich) {
        // A text file is decoded as it is read, straight into the document's text.
        if (!textFile_->load(file, error))
            return false;
    } else {
        QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            error = file.errorString();
            return false;
        }
        RichText rich = rtf::read(bytes, rtf::WriteOptions{defaultFontName_, defaultFontSize_});
        bytes = QByteArray();
        model_->beginLoad(rich.text.size());
        model_->appendLoaded(toLfLineBreaks(std::move(rich.text)));
        model_->endLoad();
        model_->assignStyles(0, rich.styleOfChar, rich.styles);
        textFile_->startNew();
    }
    setSelStart(0);
    return true;
}

bool RichTextBox::ReloadFile(const QString& path, QString& error) {
    QByteArray bytes;
    if (!readWholeFile(path, bytes, error))
        return false;
    model_->sealUndoStep(); // typing before the reload is a step of its own
    if (rtf::looksLikeRtf(bytes)) {
        const RichText rich =
            rtf::read(bytes, rtf::WriteOptions{defaultFontName_, defaultFontSize_});
        model_->replaceStyled(0, model_->size(), toLfLineBreaks(rich.text), rich.styleOfChar,
                              rich.styles);
        textFile_->startNew();
    } else {
        QString text;
        TextFileFormat format =
            decodeTextPieces(bytes, [&text](QStringView piece) { text += piece; });
        bytes = QByteArray();
        model_->replace(0, model_->size(), text);
        textFile_->adopt(std::move(format));
    }
    model_->sealUndoStep();
    setSelStart(0);
    return true;
}

bool RichTextBox::SaveFile(const QString& path, int format, QString& error) {
    if (format == 1)
        return textFile_->save(path, error);
    // The backup copy of a long file is written as it is made, never whole in memory.
    const CharStyles& styles = model_->styles();
    const TextStore& text = model_->text();
    const rtf::StyledPieces pieces = [&](const rtf::StyledPieceSink& take) {
        constexpr qsizetype PieceLength = 1 << 16;
        std::vector<std::uint8_t> styleOfChar;
        for (qsizetype from = 0; from < text.size(); from += PieceLength) {
            const qsizetype to = std::min(text.size(), from + PieceLength);
            // Styles are read in place, and copied only where the piece spans their gap.
            std::span<const std::uint8_t> styleSpan = styles.buffer().inPlace(from, to - from);
            if (styleSpan.empty()) {
                styleOfChar.resize(std::size_t(to - from));
                styles.buffer().read(from, to - from, styleOfChar.data());
                styleSpan = styleOfChar;
            }
            qsizetype at = 0;
            text.forPieces(from, to, [&](QStringView run) {
                take(run, styleSpan.subspan(std::size_t(at), std::size_t(run.size())));
                at += run.size();
            });
        }
    };
    return writeFileAtomically(
        path,
        [&](const std::function<bool(QByteArrayView)>& write) {
            // The styles used are known without a walk over the text, which is then walked once.
            return rtf::writeTo(pieces, styles.buffer().usedValues(), styles.table().styles(),
                                rtf::WriteOptions{defaultFontName_, defaultFontSize_}, write);
        },
        error);
}

TextFileFormat RichTextBox::fileFormat() const {
    return textFile_->format();
}

// --- spanning, painting, lines ---

void RichTextBox::Span(const QString& set, bool forward, bool negate) {
    const TextStore& text = model_->text();
    qsizetype start = view_->selectionStart();
    qsizetype end = view_->selectionEnd();
    auto spans = [&](qsizetype at) { return set.contains(text.at(at)) != negate; };
    if (forward) {
        while (end < text.size() && spans(end))
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
        connect(model_.get(), &TextModel::contentsChanged, this,
                [&range](qsizetype at, qsizetype, qsizetype added) {
                    range.from = range.from < 0 ? at : std::min(range.from, at);
                    range.to = std::max(range.to, at + added);
                });
    if (redo)
        view_->redo();
    else
        view_->undo();
    disconnect(watch);
    return range;
}

void RichTextBox::measureUpTo(qsizetype line) const {
    if (model_->size() <= kMeasuredDocument)
        view_->measureLines(line, kMeasuredDocument + model_->text().lineCount());
}

qsizetype RichTextBox::lineFromChar(qsizetype position) const {
    const qsizetype at = toDocumentPosition(std::clamp<qsizetype>(position, 0, textLength()));
    if (!wrapping())
        return model_->text().lineOf(at);
    measureUpTo(model_->text().lineOf(at));
    return view_->rowOf(at);
}

qsizetype RichTextBox::lineIndex(qsizetype line) const {
    if (line < 0)
        return -1;
    if (!wrapping()) {
        const qsizetype start = model_->text().lineStart(line);
        return start < 0 ? -1 : fromDocumentPosition(start);
    }
    // Every text line takes at least one display line: the line holding display line n is
    // not after text line n.
    measureUpTo(line);
    const qsizetype start = view_->rowStart(line);
    return start < 0 ? -1 : fromDocumentPosition(start);
}

qsizetype RichTextBox::lineLength(qsizetype position) const {
    const qsizetype at = toDocumentPosition(std::clamp<qsizetype>(position, 0, textLength()));
    const TextStore& text = model_->text();
    if (!wrapping())
        return text.lineLength(text.lineOf(at));
    measureUpTo(text.lineOf(at));
    // A wrapped line's length runs to the next line's start; the last line ends at the break.
    const qsizetype row = view_->rowOf(at);
    const qsizetype start = view_->rowStart(row);
    const qsizetype end = view_->rowEnd(row);
    return start < 0 || end < start ? text.lineLength(text.lineOf(at)) : end - start;
}

qsizetype RichTextBox::lineCount() const {
    if (!wrapping())
        return model_->text().lineCount();
    measureUpTo(model_->text().lineCount() - 1);
    return view_->rowCount();
}

void RichTextBox::emitSelChangeIfMoved() {
    if (model_->inBatch())
        return; // told when the batch ends
    const qsizetype start = SelStart();
    const qsizetype length = SelLength();
    if (start == lastSelStart_ && length == lastSelLength_)
        return;
    lastSelStart_ = start;
    lastSelLength_ = length;
    emit SelChange();
}

} // namespace kelvane
