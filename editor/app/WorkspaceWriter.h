// The bytes of a workspace file: a caption line and a path line per document, CR LF.
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace kelvane {

/// One open document as a workspace records it.
struct WorkspaceRecord {
    QString caption;
    QString path; ///< empty for an untitled document
};

/// The whole workspace file in Windows-1252 with CR LF line ends. When a caption or path has
/// a character that Windows-1252 lacks, the file is written as UTF-8 with a byte-order mark
/// instead, so no path is lost.
QByteArray workspaceBytes(const std::vector<WorkspaceRecord>& records);

} // namespace kelvane
