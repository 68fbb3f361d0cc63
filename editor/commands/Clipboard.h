// The clipboard as the Edit commands use it: a selection goes out as plain text and as rich
// text, and comes back formatted when the clipboard offers rich text.
#pragma once

#include <QByteArray>
#include <QString>

class QMimeData;

namespace kelvane {

class RichTextBox;

/// The MIME type of rich text on the clipboard.
inline const QString kRtfMimeType = QStringLiteral("text/rtf");

/// Clipboard data for a selection: its plain text (platform line breaks) and its RTF markup.
QMimeData* selectionMimeData(const RichTextBox& box);

/// The RTF markup the clipboard data offers: a rich-text format, or plain text that is itself
/// RTF markup. Empty when it offers none.
QByteArray rtfFromMimeData(const QMimeData& data);

/// Replaces the selection with the clipboard's content: rich text formatted, plain text as it
/// is. Does nothing when the clipboard holds no text.
void pasteInto(RichTextBox& box, const QMimeData* data);

} // namespace kelvane
