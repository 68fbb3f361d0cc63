// The Format menu: indenting, case changes and trims of the selection, tabs to spaces.
#include "app/EditorSettings.h"
#include "app/frmMain.h"
#include "commands/DocumentEdits.h"
#include "commands/DocumentText.h"
#include "commands/FormatTransforms.h"
#include "commands/frmTabsToSpaces.h"
#include "document/frmDocument.h"
#include "platform/MsgBox.h"
#include "platform/richtext/RichTextBox.h"

#include <QMenu>
#include <QMenuBar>

namespace kelvane {

namespace {

/// Largest document, in characters, that Tabs to Spaces produces.
constexpr qsizetype kMaxConvertedLength = qsizetype(1) << 29;

/// Replaces the selection by a transform of it; the caret ends after the new text. A
/// transform that keeps the length keeps every character's formatting.
void transformSelection(frmDocument* document, QString (*transform)(const QString&)) {
    if (!document)
        return;
    RichTextBox& box = *document->rtfText;
    const qsizetype start = box.toDocumentPosition(box.SelStart());
    const qsizetype end = box.toDocumentPosition(box.SelStart() + box.SelLength());
    const QString& text = cachedDocumentText(box);
    const QString selected = text.mid(start, end - start);
    const QString result = transform(selected);
    if (result == selected) {
        placeCaretAtDocumentPosition(box, end);
        return;
    }
    TextEdits edits;
    if (result.size() == selected.size()) {
        for (qsizetype i = 0; i < result.size(); ++i)
            if (result[i] != selected[i])
                edits.push_back({start + i, 1, QString(result[i])});
    } else {
        edits.push_back({start, selected.size(), result});
    }
    applyDocumentEdits(box, edits);
    placeCaretAtDocumentPosition(box, start + result.size());
}

/// The lines of the selection, as Indent and Unindent see them.
SelectedLines linesOfSelection(RichTextBox& box, const QString& text) {
    const qsizetype start = box.toDocumentPosition(box.SelStart());
    const qsizetype end = box.toDocumentPosition(box.SelStart() + box.SelLength());
    return selectedLines(text, start, end);
}

} // namespace

void frmMain::buildFormatMenu() {
    mnuFormat = menuBar()->addMenu(QStringLiteral("&Format"));
    mnuFormat->addAction(QStringLiteral("Tabs to Spaces..."), this,
                         &frmMain::mnuFormatTabsToSapces_Click);
    mnuFormat->addSeparator();
    mnuFormat->addAction(QStringLiteral("Indent Selection"), QKeySequence(Qt::CTRL | Qt::Key_I),
                         this, &frmMain::mnuFormatIndent_Click);
    mnuFormat->addAction(QStringLiteral("Unindent Selection"), QKeySequence(Qt::CTRL | Qt::Key_U),
                         this, &frmMain::mnuFormatUnindent_Click);
    mnuFormat->addSeparator();
    mnuFormat->addAction(QStringLiteral("To Upper Case"), this, &frmMain::mnuFOrmatUpper_Click);
    mnuFormat->addAction(QStringLiteral("To Lower Case"), this, &frmMain::mnuFormatLower_Click);
    mnuFormat->addAction(QStringLiteral("Capitalize First Letter"), this,
                         &frmMain::mnuFormatCapSentence_Click);
    mnuFormat->addSeparator();
    mnuFormat->addAction(QStringLiteral("Trim Trailing Spaces"), this,
                         &frmMain::mnuFormatTrimTrailing_Click);
    mnuFormat->addAction(QStringLiteral("Trim Preceding Spaces"), this,
                         &frmMain::mnuFormatTrimPreceding_Click);
    mnuFormat->addAction(QStringLiteral("Trim Spaces"), QKeySequence(Qt::CTRL | Qt::Key_T), this,
                         &frmMain::mnuFOrmatTrim_Click);
}

void frmMain::mnuFOrmatUpper_Click() {
    transformSelection(activeDocument(), toUpperCase);
}

void frmMain::mnuFormatLower_Click() {
    transformSelection(activeDocument(), toLowerCase);
}

void frmMain::mnuFormatCapSentence_Click() {
    transformSelection(activeDocument(), capitalizeFirstLetter);
}

void frmMain::mnuFormatTrimTrailing_Click() {
    transformSelection(activeDocument(), trimTrailingBlanks);
}

void frmMain::mnuFormatTrimPreceding_Click() {
    transformSelection(activeDocument(), trimPrecedingBlanks);
}

void frmMain::mnuFOrmatTrim_Click() {
    transformSelection(activeDocument(), trimBlanks);
}

namespace {

/// Indent and Unindent: the edits of the selected lines, made as one edit, with the caret left
/// where the last line now begins (after the inserted blanks, or at its start).
template <typename EditsOf> void shiftSelectedLines(frmDocument* document, EditsOf editsOf) {
    if (!document)
        return;
    RichTextBox& box = *document->rtfText;
    const QString& text = cachedDocumentText(box);
    const SelectedLines lines = linesOfSelection(box, text);
    const TextEdits edits = editsOf(text, lines);
    applyDocumentEdits(box, edits);
    placeCaretAtDocumentPosition(box, positionAfterEdits(edits, lines.lastStart));
}

} // namespace

void frmMain::mnuFormatIndent_Click() { shiftSelectedLines(activeDocument(), indentEdits); }

void frmMain::mnuFormatUnindent_Click() { shiftSelectedLines(activeDocument(), unindentEdits); }

void frmMain::mnuFormatTabsToSapces_Click() {
    frmDocument* document = activeDocument();
    if (!document)
        return;
    int spaces = 0;
    {
        frmTabsToSpaces dialog(this);
        dialog.exec();
        if (!dialog.accepted())
            return;
        spaces = dialog.spaces();
    }
    RichTextBox& box = *document->rtfText;
    const QString& text = cachedDocumentText(box);
    const TextEdits edits = tabsToSpacesEdits(text, spaces);
    const qsizetype count = qsizetype(edits.size());
    if (text.size() + count * (spaces - 1) > kMaxConvertedLength) {
        MsgBox(QStringLiteral("The document would grow too large to convert its tabs."),
               vbExclamation);
        return;
    }
    if (applyDocumentEdits(box, edits))
        placeCaretAtDocumentPosition(box, positionAfterEdits(edits, edits.back().from + 1));
    if (EditorSettings.AutoCode) {
        document->ChangedHighLight = true; // a whole-document pass, even without a change
        document->ColorCode();
    }
    MsgBox(QString::number(count) + QStringLiteral(" Tabs converted into spaces."), vbOKOnly);
}

} // namespace kelvane
