// The workspace file reader on any bytes: it hands out its lines one by one without a line
// break inside any, and reports the end of the file once they are all read.
#include "FuzzSupport.h"
#include "app/WorkspaceReader.h"

using namespace kelvane;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WorkspaceReader reader;
    reader.read(fuzz::bytesOf(data, size));
    QString line;
    QString error;
    std::size_t lines = 0;
    while (!reader.atEnd()) {
        require(reader.readLine(line, error), "a line is there until the end");
        require(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')),
                "no line break inside a line");
        require(++lines <= size, "no more lines than bytes");
    }
    require(!reader.readLine(line, error) && error == QStringLiteral("Input past end of file"),
            "reading past the end fails with its message");
    return 0;
}
