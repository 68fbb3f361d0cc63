// The text of a document as one string, kept by its control until the content changes.
#include "document/DocumentText.h"

#include "platform/richtext/RichTextBox.h"

namespace kelvane {

const QString& cachedDocumentText(const RichTextBox& box) {
    return box.documentTextSnapshot();
}

} // namespace kelvane
