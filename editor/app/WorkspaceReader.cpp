// Line reading of workspace files: lines end in CR LF (LF or CR alone are accepted too).
#include "app/WorkspaceReader.h"

#include "platform/FileIO.h"
#include "platform/TextEncoding.h"

namespace kelvane {

bool WorkspaceReader::open(const QString& path, QString& error) {
    QByteArray bytes;
    if (!readWholeFile(path, bytes, error))
        return false;
    QString text = fromWindows1252(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lines_ = text.split(QLatin1Char('\n'));
    // A final line break ends the last line; it does not start another one.
    if (!lines_.isEmpty() && lines_.last().isEmpty())
        lines_.removeLast();
    next_ = 0;
    return true;
}

bool WorkspaceReader::readLine(QString& line, QString& error) {
    if (atEnd()) {
        error = QStringLiteral("Input past end of file");
        return false;
    }
    line = lines_[next_++];
    return true;
}

} // namespace kelvane
