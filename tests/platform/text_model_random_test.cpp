// The text model and its undo history against a plain reference: thousands of random edits of
// every kind (typing runs, Backspace and Delete runs over mixed styles, nested batches, text
// moved both ways, undo, redo, a save mark), the room for edits now and then moved part of the
// way elsewhere between them, each checked against a stack of snapshots of text
// and styles, with the undo and redo depth, the modified state and the edit notifications.
#include "platform/text/TextModel.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include <vector>

using namespace kelvane;

namespace {

using kelvane::test::coloured;

/// What the text looks like after a number of undo steps: characters and their styles.
struct Snapshot {
    QString text;
    std::vector<CharStyle> styles;

    /// Replaces `removed` characters at `from`; the new ones take the style at the caret, or the
    /// given ones.
    void replace(qsizetype from, qsizetype removed, const QString& inserted,
                 const std::vector<CharStyle>* insertedStyles = nullptr) {
        CharStyle atCaret;
        if (!styles.empty())
            atCaret = styles[size_t(std::clamp<qsizetype>(from - 1, 0, text.size() - 1))];
        text.replace(from, removed, inserted);
        styles.erase(styles.begin() + from, styles.begin() + from + removed);
        if (insertedStyles)
            styles.insert(styles.begin() + from, insertedStyles->begin(), insertedStyles->end());
        else
            styles.insert(styles.begin() + from, size_t(inserted.size()), atCaret);
    }
};

/// The history as users see it: the state after each step, the number of steps applied and the
/// step count at which the text was saved (-1 once that state cannot come back).
struct Reference {
    std::vector<Snapshot> states{Snapshot{}};
    std::size_t applied = 0;
    qsizetype clean = 0;

    Snapshot& now() { return states[applied]; }
    /// Starts a step from the present state, dropping what could have been redone.
    Snapshot& beginStep() {
        states.resize(applied + 1);
        if (clean > qsizetype(applied))
            clean = -1;
        states.push_back(states[applied]);
        ++applied;
        return states[applied];
    }
    bool modified() const { return clean != qsizetype(applied); }
};

class ModelUnderTest {
public:
    ModelUnderTest() {
        QObject::connect(&model, &TextModel::contentsChanged,
                         [this](qsizetype from, qsizetype removed, qsizetype added) {
                             ASSERT_LE(from + removed, mirror.size());
                             mirror.replace(from, removed, model.text().text(from, from + added));
                         });
        QObject::connect(&model, &TextModel::reset, [this] { mirror = model.text().text(); });
        QObject::connect(&model, &TextModel::modificationChanged,
                         [this](bool modified) { announcedModified = modified; });
    }

    TextModel model;
    QString mirror; ///< the text as rebuilt from the edit notifications alone
    bool announcedModified = false;
};

/// How often characters beyond U+00FF come: a text held one byte per character widens the
/// first time one does.
int wideOneIn = 1;

QString randomText(QRandomGenerator& random, int maxLength, bool lineBreaks) {
    static const QString alphabet = QStringLiteral("abc xyz_\t\u00e9\U0001F600\u20ac");
    static const qsizetype latin = alphabet.indexOf(QChar(0xD83D));
    QString text;
    const int length = random.bounded(maxLength) + 1;
    while (text.size() < length) {
        const bool wide = random.bounded(wideOneIn) == 0;
        const qsizetype at =
            wide ? random.bounded(int(alphabet.size())) : random.bounded(int(latin));
        if (alphabet[at].isHighSurrogate())
            text += alphabet.mid(at, 2);
        else if (!alphabet[at].isLowSurrogate())
            text += alphabet[at];
        if (lineBreaks && random.bounded(6) == 0)
            text += QLatin1Char('\n');
    }
    return text;
}

void expectSame(const ModelUnderTest& under, Reference& reference, int round) {
    const Snapshot& expected = reference.now();
    ASSERT_EQ(under.model.text().text(), expected.text) << "round " << round;
    ASSERT_EQ(under.mirror, expected.text) << "notifications, round " << round;
    for (qsizetype i = 0; i < expected.text.size(); ++i)
        ASSERT_EQ(under.model.styles().styleAt(i), expected.styles[size_t(i)])
            << "style of " << i << ", round " << round;
    ASSERT_EQ(under.model.undoSteps(), int(reference.applied)) << "round " << round;
    ASSERT_EQ(under.model.redoSteps(), int(reference.states.size() - 1 - reference.applied))
        << "round " << round;
    ASSERT_EQ(under.model.isModified(), reference.modified()) << "round " << round;
    ASSERT_EQ(under.announcedModified, reference.modified()) << "round " << round;
}

/// Runs random actions, each of them one undo step (or an undo, a redo or a save).
void runRandomEdits(quint32 seed, int rounds) {
    QRandomGenerator random(seed);
    ModelUnderTest under;
    TextModel& model = under.model;
    Reference reference;
    qsizetype typingEnd = -1; // where the open typing run ends, -1 when there is none

    auto position = [&](qsizetype extra = 0) {
        return qsizetype(random.bounded(int(reference.now().text.size() - extra) + 1));
    };
    // The room for edits is moved part of the way toward a random place now and then, as it is
    // while the program idles, from a generator of its own so the edits stay those of the seed.
    QRandomGenerator idle(seed + 1000);
    for (int round = 0; round < rounds; ++round) {
        if (idle.bounded(3) == 0)
            model.prepareEditAt(idle.bounded(int(reference.now().text.size()) + 1),
                                idle.bounded(12));
        const qsizetype size = reference.now().text.size();
        const int action = random.bounded(11);
        if (action != 0)
            typingEnd = -1;
        switch (action) {
        case 0: { // typing, continuing the open run or starting another
            const bool continues = typingEnd >= 0 && random.bounded(2) == 0;
            const qsizetype at = continues ? typingEnd : position();
            if (!continues)
                model.sealUndoStep();
            Snapshot& state = continues ? reference.now() : reference.beginStep();
            const QString typed = randomText(random, 6, false);
            for (qsizetype i = 0; i < typed.size(); ++i) {
                model.replace(at + i, 0, QStringView(typed).mid(i, 1), EditKind::Typing);
                state.replace(at + i, 0, typed.mid(i, 1));
            }
            typingEnd = at + typed.size();
            break;
        }
        case 1: { // a Backspace run
            if (size == 0)
                continue;
            const qsizetype at = position(1) + 1;
            const qsizetype count = std::min<qsizetype>(at, random.bounded(8) + 1);
            model.sealUndoStep();
            Snapshot& state = reference.beginStep();
            for (qsizetype k = 0; k < count; ++k) {
                model.replace(at - k - 1, 1, u"", EditKind::DeleteBack);
                state.replace(at - k - 1, 1, QString());
            }
            break;
        }
        case 2: { // a Delete run
            if (size == 0)
                continue;
            const qsizetype at = position(1);
            const qsizetype count = std::min<qsizetype>(size - at, random.bounded(8) + 1);
            model.sealUndoStep();
            Snapshot& state = reference.beginStep();
            for (qsizetype k = 0; k < count; ++k) {
                model.replace(at, 1, u"", EditKind::DeleteForward);
                state.replace(at, 1, QString());
            }
            break;
        }
        case 3: { // a command replacing a range
            const qsizetype at = position();
            const qsizetype removed = random.bounded(int(std::min<qsizetype>(size - at, 20)) + 1);
            const QString inserted = random.bounded(4) ? randomText(random, 12, true) : QString();
            if (removed == 0 && inserted.isEmpty())
                continue;
            model.replace(at, removed, inserted);
            reference.beginStep().replace(at, removed, inserted);
            break;
        }
        case 4: { // pasted rich text in several colours
            const qsizetype at = position();
            const qsizetype removed = random.bounded(int(std::min<qsizetype>(size - at, 5)) + 1);
            const QString inserted = randomText(random, 10, true);
            std::vector<CharStyle> palette{CharStyle{}, coloured(0xFF), coloured(0xFF00)};
            palette[2].bold = random.bounded(2) == 0;
            std::vector<std::uint8_t> indexes;
            std::vector<CharStyle> styles;
            for (qsizetype i = 0; i < inserted.size(); ++i) {
                indexes.push_back(std::uint8_t(random.bounded(3)));
                styles.push_back(palette[indexes.back()]);
            }
            model.replaceStyled(at, removed, inserted, indexes, palette);
            reference.beginStep().replace(at, removed, inserted, &styles);
            break;
        }
        case 5: { // a batch of commands with a nested batch inside: one step
            model.beginBatch();
            Snapshot& state = reference.beginStep();
            const int edits = random.bounded(4) + 1;
            for (int e = 0; e < edits; ++e) {
                const bool nested = random.bounded(3) == 0;
                if (nested)
                    model.beginBatch();
                const qsizetype at = qsizetype(random.bounded(int(state.text.size()) + 1));
                const QString inserted = randomText(random, 5, true);
                const qsizetype removed =
                    random.bounded(int(std::min<qsizetype>(state.text.size() - at, 4)) + 1);
                model.replace(at, removed, inserted, EditKind::Typing);
                state.replace(at, removed, inserted);
                if (nested)
                    model.endBatch();
                ASSERT_TRUE(model.inBatch());
            }
            model.endBatch();
            ASSERT_FALSE(model.inBatch());
            break;
        }
        case 6: { // text moved forwards or backwards, keeping its styles
            if (size < 2)
                continue;
            const qsizetype from = position(1);
            const qsizetype count = random.bounded(int(std::min<qsizetype>(size - from, 8))) + 1;
            qsizetype to = position();
            if (to >= from && to <= from + count)
                continue;
            const qsizetype landed = model.moveText(from, count, to);
            Snapshot& state = reference.beginStep();
            const QString moved = state.text.mid(from, count);
            const std::vector<CharStyle> movedStyles(state.styles.begin() + from,
                                                     state.styles.begin() + from + count);
            state.replace(from, count, QString());
            if (to > from)
                to -= count;
            ASSERT_EQ(landed, to) << "round " << round;
            state.replace(to, 0, moved, &movedStyles);
            break;
        }
        case 7:
        case 8: { // undo, up to three steps
            for (int k = random.bounded(3) + 1; k > 0; --k) {
                const qsizetype caret = model.undo();
                ASSERT_EQ(caret < 0, reference.applied == 0) << "round " << round;
                if (reference.applied > 0)
                    --reference.applied;
            }
            break;
        }
        case 9: { // redo, up to two steps
            for (int k = random.bounded(2) + 1; k > 0; --k) {
                const qsizetype caret = model.redo();
                const bool canRedo = reference.applied + 1 < reference.states.size();
                ASSERT_EQ(caret >= 0, canRedo) << "round " << round;
                if (canRedo)
                    ++reference.applied;
            }
            break;
        }
        case 10: // saved: the present text is the one on disk
            model.setModified(false);
            reference.clean = qsizetype(reference.applied);
            break;
        }
        if (wideOneIn > 1 && random.bounded(300) == 0) { // a file opened: plain, no history
            QString text = reference.now().text;
            text.removeIf([](QChar c) { return c.unicode() > 0xFF; });
            model.setText(text);
            reference = Reference{{Snapshot{text, std::vector<CharStyle>(size_t(text.size()))}}};
            typingEnd = -1;
            ASSERT_TRUE(model.text().isNarrow());
        }
        expectSame(under, reference, round);
        // Held one byte per character until a wider character came, whatever took it away.
        const QString& now = reference.now().text;
        if (std::any_of(now.begin(), now.end(), [](QChar c) { return c.unicode() > 0xFF; })) {
            ASSERT_FALSE(model.text().isNarrow()) << "round " << round;
        }
        if (reference.now().text.size() > 400) { // keep the text short: checks are per character
            typingEnd = -1;
            model.replace(0, reference.now().text.size() - 100, u"");
            reference.beginStep().replace(0, reference.now().text.size() - 100, QString());
            expectSame(under, reference, round);
        }
    }
}

TEST(TextModelRandomTest, RandomEditsUndoAndRedoMatchTheSnapshots) {
    wideOneIn = 1;
    for (quint32 seed : {1u, 2u, 3u})
        runRandomEdits(seed, 1500);
}

TEST(TextModelRandomTest, MostlyLatinTextWidensAnywhereAndUndoAndRedoCrossIt) {
    // Wider characters are rare, so the text is held one byte per character for long
    // stretches and widens by any kind of edit, undo and redo included; reopened now and then.
    wideOneIn = 150;
    for (quint32 seed : {11u, 12u, 13u, 14u})
        runRandomEdits(seed, 1500);
    wideOneIn = 1;
}

} // namespace
