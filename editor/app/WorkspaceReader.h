// Reads a workspace file line by line: pairs of caption and path, Windows-1252, CR LF.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace kelvane {

class WorkspaceReader {
public:
    /// Reads the whole file; false with the system's description on failure.
    bool open(const QString& path, QString& error);
    /// Takes the lines of a workspace file's bytes.
    void read(QByteArrayView bytes);
    bool atEnd() const { return next_ >= lines_.size(); }
    /// The next line; false with "Input past end of file" when there is none.
    bool readLine(QString& line, QString& error);

private:
    QStringList lines_;
    qsizetype next_ = 0;
};

} // namespace kelvane
