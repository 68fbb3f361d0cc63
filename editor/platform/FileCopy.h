// Copying a whole file's bytes onto the end of another, as cheaply for the processor as the
// system allows: large copies (a recovery file's base copy of a document as it was read) are
// written past the page cache where the file system takes that.
#pragma once

#include <QtGlobal>

class QFile;
class QFileDevice;

namespace kelvane {

/// Appends the rest of `source` (from its position) to `target`, whose position must be its
/// end and whose own buffer must be flushed. The number of bytes copied, or -1 on a read or
/// write error. `target`'s position is left where it was: its end is past the bytes copied.
qint64 appendFileBytes(QFile& source, QFileDevice& target);

} // namespace kelvane
