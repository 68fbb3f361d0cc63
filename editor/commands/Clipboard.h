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

/// The editor's private clipboard format: the RTF markup of text copied in the editor itself.
inline const QString kEditorRtfMimeType = QStringLiteral("application/x-kelvane-rtf");

/// Clipboard data for a selection: its plain text (platform line breaks) and its RTF markup,
/// for other programs and under the editor's own format.
QMimeData* selectionMimeData(const RichTextBox& box);

/// The RTF markup the clipboard data offers: a rich-text format, or plain text that is itself
/// RTF markup. Empty when it offers none.
QByteArray rtfFromMimeData(const QMimeData& data);

/// Replaces the selection with the clipboard's content: text the editor copied formatted, text
/// of other programs plain (their rich text without its formatting), plain text that is RTF
/// markup formatted. Does nothing when the clipboard holds no text.
void pasteInto(RichTextBox& box, const QMimeData* data);

} // namespace kelvane
