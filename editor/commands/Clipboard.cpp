// Clipboard formats of the Edit commands.
#include "commands/Clipboard.h"

#include "platform/richtext/RichTextBox.h"
#include "platform/rtf/RtfCodec.h"

#include <QMimeData>

namespace kelvane {

namespace {

// Names the platforms give rich text: X11 programs offer "text/rtf" (some "application/rtf"
// or "text/richtext"); on Windows Qt names the registered "Rich Text Format" this way.
const QStringList& rtfMimeTypes() {
    static const QStringList types{
        kRtfMimeType,
        QStringLiteral("application/rtf"),
        QStringLiteral("text/richtext"),
        QStringLiteral("application/x-qt-windows-mime;value=\"Rich Text Format\""),
    };
    return types;
}

} // namespace

QMimeData* selectionMimeData(const RichTextBox& box) {
    auto* data = new QMimeData;
    QString plain = box.SelText();
#ifndef Q_OS_WIN
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
#endif
    data->setText(plain);
    const QByteArray rtf = box.SelRTF();
    data->setData(kRtfMimeType, rtf);
#ifdef Q_OS_WIN
    data->setData(rtfMimeTypes().last(), rtf);
#endif
    // The editor's own mark: only text copied here comes back with its colours.
    data->setData(kEditorRtfMimeType, rtf);
    return data;
}

QByteArray rtfFromMimeData(const QMimeData& data) {
    for (const QString& type : rtfMimeTypes()) {
        if (!data.hasFormat(type))
            continue;
        const QByteArray bytes = data.data(type);
        if (rtf::looksLikeRtf(bytes))
            return bytes;
    }
    if (data.hasText()) {
        const QString text = data.text();
        if (text.startsWith(QLatin1String("{\\rtf")))
            return text.toUtf8();
    }
    return QByteArray();
}

void pasteInto(RichTextBox& box, const QMimeData* data) {
    if (!data)
        return;
    // Text the editor copied keeps its colours and fonts.
    if (data->hasFormat(kEditorRtfMimeType)) {
        const QByteArray own = data->data(kEditorRtfMimeType);
        if (rtf::looksLikeRtf(own)) {
            box.setSelRTF(own);
            return;
        }
    }
    // From other programs the text comes plain: a word processor's fonts, sizes and bold do
    // not belong in a programmer's editor. Plain text that is itself rich-text markup is
    // still read as markup.
    if (data->hasText()) {
        const QString text = data->text();
        if (text.startsWith(QLatin1String("{\\rtf")))
            box.setSelRTF(text.toUtf8());
        else
            box.setSelText(text);
        return;
    }
    // Rich text alone, without a plain form: its words, without their formatting.
    const QByteArray rich = rtfFromMimeData(*data);
    if (!rich.isEmpty())
        box.setSelText(rtf::read(rich).text);
}

} // namespace kelvane
