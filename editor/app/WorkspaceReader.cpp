// Line reading of workspace files: lines end in CR LF (LF or CR alone are accepted too).
// The files are Windows-1252; one written with a byte-order mark (a path Windows-1252 cannot
// hold) is read as UTF-8.
#include "app/WorkspaceReader.h"

#include "platform/FileIO.h"
#include "platform/TextEncoding.h"

namespace kelvane {

namespace {
QString normalisedLines(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}
} // namespace

bool WorkspaceReader::open(const QString& path, QString& error) {
    QByteArray bytes;
    if (!readWholeFile(path, bytes, error))
        return false;
    const QString text = bytes.startsWith("\xEF\xBB\xBF") ? decodeText(bytes).text
                                                          : normalisedLines(fromWindows1252(bytes));
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
