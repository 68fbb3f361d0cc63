// Encoding of workspace files.
#include "app/WorkspaceWriter.h"

#include "platform/TextEncoding.h"

namespace kelvane {

QByteArray workspaceBytes(const std::vector<WorkspaceRecord>& records) {
    QString text;
    for (const WorkspaceRecord& record : records)
        text += record.caption + QLatin1String("\r\n") + record.path + QLatin1String("\r\n");
    if (fitsWindows1252(text))
        return toWindows1252(text);
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace kelvane
