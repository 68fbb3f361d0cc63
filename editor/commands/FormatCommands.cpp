// The Format menu: indenting, case changes and trims of the selection, tabs to spaces.
#include "commands/FormatCommands.h"

#include "commands/FormatTransforms.h"
#include "commands/frmTabsToSpaces.h"
#include "document/DocumentEdits.h"
#include "document/DocumentHost.h"
#include "document/frmDocument.h"
#include "platform/MsgBox.h"
#include "platform/richtext/RichTextBox.h"
#include "settings/EditorSettings.h"

namespace kelvane {

namespace {

/// Largest document, in characters, that Tabs to Spaces produces.
constexpr qsizetype kMaxConvertedLength = qsizetype(1) << 29;

/// The edits that turn the selection [start, start + selected.size()) into its transform: one
/// per changed character when the length is kept (every character keeps its formatting), else
/// one replacement of the whole selection.
TextEdits transformEdits(qsizetype start, const QString& selected, QString result) {
    TextEdits edits;
    if (result == selected)
        return edits;
    if (result.size() == selected.size()) {
        for (qsizetype i = 0; i < result.size(); ++i)
            if (result[i] != selected[i])
                edits.push_back({start + i, 1, QString(result[i])});
    } else {
        edits.push_back({start, selected.size(), std::move(result)});
    }
    return edits;
}

/// Replaces the selection by a transform of it; the caret ends after the new text.
void transformSelection(frmDocument* document, QString (*transform)(const QString&)) {
    if (!document)
        return;
    RichTextBox& box = *document->rtfText;
    const qsizetype start = box.toDocumentPosition(box.SelStart());
    const qsizetype end = box.toDocumentPosition(box.SelStart() + box.SelLength());
    qsizetype caret = end;
    TextEdits edits;
    {
        // The selection and its transform are copies as long as the selection: they are gone
        // before the edit is made, so that their pages are given back with the edits'.
        const QString selected = box.documentText(start, end);
        QString result = transform(selected);
        if (result != selected)
            caret = start + result.size();
        edits = transformEdits(start, selected, std::move(result));
    }
    applyDocumentEdits(box, std::move(edits));
    placeCaretAtDocumentPosition(box, caret);
}

} // namespace

FormatCommands::FormatCommands(DocumentHost& host, QWidget* parent)
    : CommandGroup(QStringLiteral("&Format"), parent), host_(host) {
    add({"mnuFormatTabsToSapces", QStringLiteral("Tabs to Spaces...")},
        [this] { mnuFormatTabsToSapces_Click(); });
    addSeparator();
    add({"mnuFormatIndent", QStringLiteral("Indent Selection"), QKeySequence(Qt::CTRL | Qt::Key_I),
         QStringLiteral("toolbar/indent"), QStringLiteral("Indent Selection"), true},
        [this] { mnuFormatIndent_Click(); });
    add({"mnuFormatUnindent", QStringLiteral("Unindent Selection"),
         QKeySequence(Qt::CTRL | Qt::Key_U), QStringLiteral("toolbar/unindent"),
         QStringLiteral("Unindent Selection"), true},
        [this] { mnuFormatUnindent_Click(); });
    addSeparator();
    add({"mnuFOrmatUpper",
         QStringLiteral("To Upper Case"),
         {},
         QStringLiteral("toolbar/capall"),
         QStringLiteral("Raise to Upper Case"),
         true},
        [this] { mnuFOrmatUpper_Click(); });
    add({"mnuFormatLower",
         QStringLiteral("To Lower Case"),
         {},
         QStringLiteral("toolbar/capnone"),
         QStringLiteral("Change to Lower Case"),
         true},
        [this] { mnuFormatLower_Click(); });
    add({"mnuFormatCapSentence",
         QStringLiteral("Capitalize First Letter"),
         {},
         QStringLiteral("toolbar/capfirst"),
         QStringLiteral("Capitalize first letter"),
         true},
        [this] { mnuFormatCapSentence_Click(); });
    addSeparator();
    add({"mnuFormatTrimTrailing", QStringLiteral("Trim Trailing Spaces")},
        [this] { mnuFormatTrimTrailing_Click(); });
    add({"mnuFormatTrimPreceding", QStringLiteral("Trim Preceding Spaces")},
        [this] { mnuFormatTrimPreceding_Click(); });
    add({"mnuFOrmatTrim", QStringLiteral("Trim Spaces"), QKeySequence(Qt::CTRL | Qt::Key_T)},
        [this] { mnuFOrmatTrim_Click(); });
}

void FormatCommands::mnuFOrmatUpper_Click() {
    transformSelection(host_.activeDocument(), toUpperCase);
}

void FormatCommands::mnuFormatLower_Click() {
    transformSelection(host_.activeDocument(), toLowerCase);
}

void FormatCommands::mnuFormatCapSentence_Click() {
    transformSelection(host_.activeDocument(), capitalizeFirstLetter);
}

void FormatCommands::mnuFormatTrimTrailing_Click() {
    transformSelection(host_.activeDocument(), trimTrailingBlanks);
}

void FormatCommands::mnuFormatTrimPreceding_Click() {
    transformSelection(host_.activeDocument(), trimPrecedingBlanks);
}

void FormatCommands::mnuFOrmatTrim_Click() {
    transformSelection(host_.activeDocument(), trimBlanks);
}

namespace {

/// Indent and Unindent: the edits of the selected lines, made as one edit, with the caret left
/// where the last line now begins (after the inserted blanks, or at its start).
template <typename EditsOf> void shiftSelectedLines(frmDocument* document, EditsOf editsOf) {
    if (!document)
        return;
    RichTextBox& box = *document->rtfText;
    // Only the lines of the selection are read: a long document is not copied for it.
    const qsizetype from = box.toDocumentPosition(box.SelStart());
    const qsizetype to = box.toDocumentPosition(box.SelStart() + box.SelLength());
    TextEdits edits;
    qsizetype caret = 0;
    box.withDocumentLines(from, to, [&](QStringView text, qsizetype start) {
        const SelectedLines lines = selectedLines(text, from - start, to - start);
        edits = editsOf(text, lines);
        for (TextEdit& edit : edits)
            edit.from += start;
        caret = positionAfterEdits(edits, lines.lastStart + start);
    });
    applyDocumentEdits(box, std::move(edits));
    placeCaretAtDocumentPosition(box, caret);
}

} // namespace

void FormatCommands::mnuFormatIndent_Click() {
    shiftSelectedLines(host_.activeDocument(), indentEdits);
}

void FormatCommands::mnuFormatUnindent_Click() {
    shiftSelectedLines(host_.activeDocument(), unindentEdits);
}

void FormatCommands::mnuFormatTabsToSapces_Click() {
    frmDocument* document = host_.activeDocument();
    if (!document)
        return;
    int spaces = 0;
    {
        frmTabsToSpaces dialog(host_.hostWindow());
        dialog.exec();
        if (!dialog.accepted())
            return;
        spaces = dialog.spaces();
    }
    RichTextBox& box = *document->rtfText;
    // Read a piece at a time: a long document is not copied for it.
    TextEdits edits;
    qsizetype at = 0;
    box.forEachTextPiece(qsizetype(1) << 20, [&](QStringView piece) {
        for (TextEdit& edit : tabsToSpacesEdits(piece, spaces)) {
            edit.from += at;
            edits.push_back(std::move(edit));
        }
        at += piece.size();
    });
    const qsizetype count = qsizetype(edits.size());
    if (box.documentLength() + count * (spaces - 1) > kMaxConvertedLength) {
        MsgBox(QStringLiteral("The document would grow too large to convert its tabs."),
               vbExclamation);
        return;
    }
    // The caret ends after the spaces of the last tab.
    const qsizetype caret = edits.empty() ? 0 : positionAfterEdits(edits, edits.back().from + 1);
    if (applyDocumentEdits(box, std::move(edits)))
        placeCaretAtDocumentPosition(box, caret);
    if (EditorSettings.AutoCode) {
        document->ChangedHighLight = true; // a whole-document pass, even without a change
        document->ColorCode();
    }
    MsgBox(QString::number(count) + QStringLiteral(" Tabs converted into spaces."), vbOKOnly);
}

} // namespace kelvane
