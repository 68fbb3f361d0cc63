// The text model under any sequence of edits, coded in bytes: replacements, batches (nested),
// moves, undo, redo and a save mark, checked after each one against a plain string with its
// own stack of undo states; the line index and the CR LF positions are checked with it.
#include "FuzzSupport.h"
#include "platform/text/CrLfPositions.h"
#include "platform/text/TextModel.h"

#include <QString>

#include <algorithm>
#include <iterator>
#include <vector>

using namespace kelvane;
using fuzz::require;

namespace {

/// Reads the input a byte at a time; past its end every byte is 0.
struct Bytes {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    bool done() const { return at >= size; }
    std::uint8_t next() { return at < size ? data[at++] : 0; }
    /// A number in [0, bound].
    qsizetype upTo(qsizetype bound) {
        const qsizetype raw = qsizetype(next()) << 8 | next();
        return bound <= 0 ? 0 : raw % (bound + 1);
    }
};

QString textFrom(Bytes& in) {
    static const char16_t alphabet[] = u"ab \t\n\u00e9\U0001F600";
    QString text;
    for (int length = in.next() % 12; length > 0; --length)
        text += QChar(alphabet[in.next() % (std::size(alphabet) - 1)]);
    return text; // may hold half a surrogate pair: the model keeps UTF-16 units as they come
}

void checkLines(const TextModel& model, const QString& expected) {
    const TextStore& text = model.text();
    qsizetype line = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= expected.size(); ++i) {
        require(text.lineOf(i) == line, "the line of each position");
        if (i < expected.size() && expected[i] == u'\n') {
            require(text.lineEnd(line) == i, "a line ends at its break");
            ++line;
            start = i + 1;
            require(text.lineStart(line) == start, "a line starts after the break before it");
        }
    }
    require(text.lineCount() == line + 1, "one line more than line breaks");
    for (qsizetype p = 0; p <= expected.size(); ++p)
        require(crlf::toStore(text, crlf::fromStore(text, p)) == p,
                "a position survives the trip through CR LF counting");
    require(crlf::length(text) == expected.size() + line, "CR LF length counts breaks twice");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes in{data, size};
    TextModel model;
    std::vector<QString> states{QString()}; // the text after each undo step
    std::size_t applied = 0;
    int depth = 0;
    bool batchHasStep = false;
    // An edit: the first one of a batch, or any outside one, is a step of its own.
    auto edit = [&](const QString& after) {
        if (depth == 0 || !batchHasStep) {
            states.resize(applied + 1);
            states.push_back(after);
            ++applied;
            batchHasStep = depth > 0;
        } else {
            states[applied] = after;
        }
    };
    for (int steps = 0; !in.done() && steps < 512; ++steps) {
        const QString before = states[applied];
        switch (in.next() % 8) {
        case 0:
        case 1: {
            const qsizetype from = in.upTo(before.size());
            const qsizetype removed = in.upTo(std::min<qsizetype>(before.size() - from, 16));
            const QString inserted = textFrom(in);
            model.replace(from, removed, inserted);
            if (removed > 0 || !inserted.isEmpty())
                edit(QString(before).replace(from, removed, inserted));
            break;
        }
        case 2:
            if (depth < 4) {
                if (depth++ == 0)
                    batchHasStep = false;
                model.beginBatch();
            }
            break;
        case 3:
            if (depth > 0) {
                --depth;
                model.endBatch();
            }
            break;
        case 4: {
            const bool undone = model.undo() >= 0;
            require(undone == (depth == 0 && applied > 0), "undo takes a step when one is there");
            if (undone)
                --applied;
            break;
        }
        case 5: {
            const bool redone = model.redo() >= 0;
            require(redone == (depth == 0 && applied + 1 < states.size()),
                    "redo takes a step when one is there");
            if (redone)
                ++applied;
            break;
        }
        case 6: {
            const qsizetype from = in.upTo(before.size());
            const qsizetype count = in.upTo(before.size() - from);
            qsizetype to = in.upTo(before.size());
            const qsizetype landed = model.moveText(from, count, to);
            if (count == 0 || (to >= from && to <= from + count)) {
                require(landed == from, "a move onto itself leaves the text");
                break;
            }
            QString after = before;
            const QString moved = after.mid(from, count);
            after.remove(from, count);
            if (to > from)
                to -= count;
            after.insert(to, moved);
            require(landed == to, "a move reports where the text landed");
            edit(after);
            break;
        }
        case 7:
            model.setModified(false);
            require(!model.isModified(), "the saved text is not modified");
            break;
        }
        require(model.text().text() == states[applied], "the text matches the plain string");
        require(model.styles().size() == model.size(), "one style per character");
        require(model.undoSteps() == int(applied), "undo depth");
        require(model.redoSteps() == int(states.size() - 1 - applied), "redo depth");
    }
    checkLines(model, states[applied]);
    return 0;
}
