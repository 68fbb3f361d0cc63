// Whole-document and current-line colouring of a document window. The engine works out every
// character's colour from the text alone; the result is applied to the control piece by piece
// as the pass goes, as an overlay that is neither an edit nor an undo step.
#include "document/ColourDocumentPass.h"
#include "document/ColourEngineCache.h"
#include "document/DocumentHost.h"
#include "document/frmDocument.h"
#include "platform/richtext/RichTextBox.h"
#include "settings/EditorSettings.h"

#include <QApplication>
#include <QLabel>

namespace kelvane {

void frmDocument::ColorCode() {
    if (CodingBusy || !ChangedHighLight)
        return;
    QApplication::setOverrideCursor(Qt::BusyCursor);
    const qsizetype start = rtfText->SelStart();
    const qsizetype length = rtfText->SelLength();
    rtfText->setVisible(false); // lblColors behind it shows the progress
    const bool changed = Changed;
    CodingBusy = true;

    colourWholeDocument(*rtfText, colourEngineFor(EditorSettings),
                        colourClassColours(EditorSettings), [this](const ColourStage& stage) {
                            lblColors->setText(colourStageText(stage, EditorSettings.KeywordCount));
                            lblColors->adjustSize();
                            lblColors->move(width() / 2 - lblColors->width() / 2,
                                            height() / 2 - lblColors->height() / 2);
                            lblColors->repaint();
                        });

    ChangedHighLight = false;
    rtfText->setSelStart(start);
    rtfText->setSelLength(length);
    rtfText->setVisible(true);
    CodingBusy = false;
    Changed = changed;
    host_.setStatusText(1, QStringLiteral("Finished."));
    QApplication::restoreOverrideCursor();
}

void frmDocument::CodeLine() {
    if (CodingBusy || !ChangedHighLight)
        return;
    const bool changed = Changed;
    rtfText->setRedraw(false);
    const qsizetype start = rtfText->SelStart();
    const qsizetype length = rtfText->SelLength();

    const qsizetype line = rtfText->lineFromChar(start);
    const qsizetype lineStart = rtfText->lineIndex(line);
    const qsizetype lineLength = rtfText->lineLength(lineStart);
    // The line and the two characters after it (its CR LF, or the start of the next display
    // line): all the delimiter scan of a line pass can reach.
    const qsizetype from = rtfText->toDocumentPosition(lineStart);
    const QString window = rtfText->documentText(from, from + lineLength + 2);
    const LineColours colours = colourEngineFor(EditorSettings).colourLine(window, 0, lineLength);
    rtfText->colourByClass(from + colours.start, colours.colours.data(),
                           qsizetype(colours.colours.size()), colourClassColours(EditorSettings));

    ChangedHighLight = false;
    Changed = changed;
    rtfText->setSelStart(start);
    rtfText->setSelLength(length);
    rtfText->setRedraw(true);
    rtfText->Refresh();
}

} // namespace kelvane
