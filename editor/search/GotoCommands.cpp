// Go to Line and Go to Character of the Search menu.
#include "document/DocumentHost.h"
#include "document/frmDocument.h"
#include "platform/InputBox.h"
#include "platform/MsgBox.h"
#include "platform/richtext/RichTextBox.h"
#include "search/NumberReading.h"
#include "search/SearchCommands.h"

namespace kelvane {

void SearchCommands::mnuSearchGotoLine_Click() {
    frmDocument* document = host_.activeDocument();
    if (!document)
        return;
    RichTextBox& box = *document->rtfText;
    const qsizetype lines = box.lineCount();
    const QString answer = InputBoxEx(
        QStringLiteral("Enter the number of the line you wish to jump to. There are currently ") +
            QString::number(lines) + QStringLiteral(" lines displayed."),
        QStringLiteral("Go To Line"), QString());
    const std::optional<qint64> line = readWholeNumber(answer);
    const qsizetype start = line && *line >= 1 && *line <= lines ? box.lineIndex(*line - 1) : -1;
    if (start < 0) {
        MsgBox(QStringLiteral("That line does not exist in the current file."), vbOKOnly,
               QStringLiteral("Error"));
        return;
    }
    box.setSelStart(start);
    box.setSelLength(box.lineLength(start));
    box.SetFocus();
}

void SearchCommands::mnuSearchGotoChar_Click() {
    frmDocument* document = host_.activeDocument();
    if (!document)
        return;
    RichTextBox& box = *document->rtfText;
    const QString answer =
        InputBoxEx(QStringLiteral("Enter the index of the character you want to jump to."),
                   QStringLiteral("Go To Character"), QString());
    const std::optional<qint64> index = readWholeNumber(answer);
    if (!index || *index < 1 || *index > box.textLength()) {
        MsgBox(QStringLiteral("That character does not exist in the current file."), vbOKOnly,
               QStringLiteral("Error"));
        return;
    }
    box.setSelStart(*index - 1);
    box.setSelLength(1);
    box.SetFocus();
}

} // namespace kelvane
