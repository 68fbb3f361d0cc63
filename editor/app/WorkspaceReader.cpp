// Line reading of workspace files: lines end in CR LF (LF or CR alone are accepted too).
// The files are Windows-1252; one written with a byte-order mark (a path Windows-1252 cannot
// hold) is read as UTF-8.
#include "app/WorkspaceReader.h"

#include "platform/FileIO.h"
#include "platform/TextEncoding.h"
#include "platform/TextLines.h"

namespace kelvane {

bool WorkspaceReader::open(const QString& path, QString& error) {
    QByteArray bytes;
    if (!readWholeFile(path, bytes, error))
        return false;
    read(bytes);
    return true;
}

void WorkspaceReader::read(QByteArrayView bytes) {
    lines_ = bytes.startsWith("\xEF\xBB\xBF") ? splitTextLines(decodeText(bytes).text)
                                              : linesOf8BitFile(bytes);
    next_ = 0;
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
