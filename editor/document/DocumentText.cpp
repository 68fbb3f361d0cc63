// A copy of a document's text that lives beside its QTextDocument and is dropped on change.
#include "document/DocumentText.h"

#include "platform/richtext/RichTextBox.h"

#include <QTextDocument>

namespace kelvane {

namespace {

class DocumentTextCache : public QObject {
public:
    explicit DocumentTextCache(QTextDocument* document) : QObject(document) {
        setObjectName(QStringLiteral("DocumentTextCache"));
        connect(document, &QTextDocument::contentsChange, this,
                [this](int, int removed, int added) {
                    if (removed || added) {
                        valid = false;
                        text.clear(); // no stale copy of a large document kept in memory
                    }
                });
    }
    QString text;
    bool valid = false;
};

} // namespace

const QString& cachedDocumentText(const RichTextBox& box) {
    QTextDocument* document = box.document();
    // The cache is the only child of this name; it carries no meta-object of its own.
    auto* cache = static_cast<DocumentTextCache*>(document->findChild<QObject*>(
        QStringLiteral("DocumentTextCache"), Qt::FindDirectChildrenOnly));
    if (!cache)
        cache = new DocumentTextCache(document);
    if (!cache->valid) {
        cache->text = box.documentText();
        cache->valid = true;
    }
    return cache->text;
}

} // namespace kelvane
