// The text of a document as one string ('\n' line breaks, document positions), kept until the
// document next changes, so that repeated searches do not copy the whole text again.
#pragma once

#include <QString>

namespace kelvane {

class RichTextBox;

/// The control's documentText(), built once per change of its content.
const QString& cachedDocumentText(const RichTextBox& box);

} // namespace kelvane
