// Moving the room for edits in slices: whatever edits, undos and redos come between the slices,
// and wherever the room stands when they come, the text, its styles and its lines are exactly
// those of a plain reference. And the mover that makes the slices on idle turns of the event
// loop gets there and then stops.
#include "platform/text/GapMover.h"
#include "platform/text/TextModel.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include <vector>

using namespace kelvane;

namespace {

using kelvane::test::coloured;

/// One thing done to the model: a slice of a move, an edit, undo or redo.
struct Step {
    enum Kind { Slice, Edit, Undo, Redo } kind;
    qsizetype at = 0;
    qsizetype count = 0; ///< the slice's limit, or the characters an edit removes
    QString inserted;
};

Step slice(qsizetype toward, qsizetype limit) {
    return {Step::Slice, toward, limit, {}};
}
Step edit(qsizetype at, qsizetype removed, const QString& inserted) {
    return {Step::Edit, at, removed, inserted};
}
const Step undo{Step::Undo, 0, 0, {}};
const Step redo{Step::Redo, 0, 0, {}};

/// The text and the colour of each character, as they should be.
struct Expected {
    QString text;
    std::vector<CharStyle> styles;

    void replace(qsizetype from, qsizetype removed, const QString& inserted) {
        const CharStyle atCaret =
            styles.empty() ? CharStyle{}
                           : styles[size_t(std::clamp<qsizetype>(from - 1, 0, text.size() - 1))];
        text.replace(from, removed, inserted);
        styles.erase(styles.begin() + from, styles.begin() + from + removed);
        styles.insert(styles.begin() + from, size_t(inserted.size()), atCaret);
    }
};

void expectSame(const TextModel& model, const Expected& expected, const QString& where) {
    ASSERT_EQ(model.text().text(), expected.text) << where.toStdString();
    for (qsizetype i = 0; i < expected.text.size(); ++i)
        ASSERT_EQ(model.styles().styleAt(i), expected.styles[size_t(i)])
            << "style of " << i << ", " << where.toStdString();
    // The line index: every line starts after a break, and every position is on its line.
    std::vector<qsizetype> starts{0};
    for (qsizetype i = 0; i < expected.text.size(); ++i)
        if (expected.text[i] == QLatin1Char('\n'))
            starts.push_back(i + 1);
    ASSERT_EQ(model.text().lineCount(), qsizetype(starts.size())) << where.toStdString();
    for (std::size_t line = 0; line < starts.size(); ++line)
        ASSERT_EQ(model.text().lineStart(qsizetype(line)), starts[line])
            << "line " << line << ", " << where.toStdString();
    qsizetype line = 0;
    for (qsizetype i = 0; i <= expected.text.size(); ++i) {
        while (line + 1 < qsizetype(starts.size()) && starts[size_t(line + 1)] <= i)
            ++line;
        ASSERT_EQ(model.text().lineOf(i), line) << "position " << i << ", " << where.toStdString();
    }
}

struct Case {
    const char* name;
    QString text;
    std::vector<Step> steps;
};

/// Three lines of forty characters, coloured in stripes so that styles moved the wrong way show.
const QString kLines = QStringLiteral("int first(void) { return 1; } // one..\n"
                                      "int second(void) { return 2; } // two.\n"
                                      "int third(void) { return 3; } // three");

const std::vector<Case> kCases = {
    {"typing at the start while the room is half way from the end",
     kLines,
     {slice(0, 30), edit(0, 0, "x"), edit(1, 0, "y"), slice(60, 5), edit(2, 0, "z")}},
    {"typing at the end while the room is half way to the start",
     kLines,
     {slice(0, 50), slice(kLines.size(), 7), edit(kLines.size(), 0, "!")}},
    {"an edit between the room and where it heads",
     kLines,
     {slice(5, 40), edit(70, 3, "abc\ndef"), slice(5, 9), edit(60, 0, "q")}},
    {"an edit beyond where the room heads",
     kLines,
     {slice(50, 20), edit(10, 4, "WORD"), slice(50, 20), edit(100, 1, "")}},
    {"line breaks typed and removed while the lines are half moved",
     kLines,
     {edit(kLines.size(), 0, "\n\n"), slice(3, 2), edit(3, 0, "\n"), slice(100, 1), edit(38, 2, ""),
      slice(0, 1), edit(80, 0, "\nx\n")}},
    {"undo and redo across moves",
     kLines,
     {edit(0, 3, "long"), slice(kLines.size(), 1000), edit(kLines.size() + 1, 0, "end\n"),
      slice(40, 11), edit(40, 1, "M"), slice(0, 6), undo, slice(kLines.size(), 3), undo, undo,
      slice(20, 4), redo, redo, slice(90, 2), redo, undo}},
    {"the empty document",
     QString(),
     {slice(0, 5), slice(10, 5), edit(0, 0, "a\nb"), slice(0, 1), edit(0, 0, "c"), undo, undo,
      slice(3, 1), redo}},
    {"the room at either end",
     kLines,
     {slice(0, 100000), edit(0, 0, "<"), slice(kLines.size() + 1, 100000),
      edit(kLines.size() + 1, 0, ">"), slice(0, 100000), edit(0, 1, ""), undo, undo}},
    {"slices toward places past the end of the text",
     kLines,
     {slice(100000, 10), edit(kLines.size(), 0, "."), slice(-5, 10), edit(0, 0, ".")}},
};

TEST(GapMoverTest, EditsBetweenSlicesKeepTextStylesAndLines) {
    for (const Case& c : kCases) {
        TextModel model;
        model.setText(c.text);
        Expected expected{c.text, std::vector<CharStyle>(size_t(c.text.size()))};
        // Stripes of colour: characters 0-9 red, 10-19 plain, 20-29 green, ...
        for (qsizetype from = 0; from < c.text.size(); from += 20) {
            const CharStyle stripe = coloured(from % 40 == 0 ? 0xFF : 0xFF00);
            model.restyle(from, 10, [&stripe](CharStyle& s) { s = stripe; });
            for (qsizetype i = from; i < std::min(from + 10, c.text.size()); ++i)
                expected.styles[size_t(i)] = stripe;
        }
        std::vector<Expected> history{expected};
        std::size_t applied = 0;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const Step& step = c.steps[i];
            switch (step.kind) {
            case Step::Slice:
                model.prepareEditAt(step.at, step.count);
                break;
            case Step::Edit:
                model.sealUndoStep();
                model.replace(step.at, step.count, step.inserted);
                history.resize(++applied);
                history.push_back(history.back());
                history.back().replace(step.at, step.count, step.inserted);
                break;
            case Step::Undo:
                ASSERT_GE(model.undo(), 0) << c.name;
                --applied;
                break;
            case Step::Redo:
                ASSERT_GE(model.redo(), 0) << c.name;
                ++applied;
                break;
            }
            expectSame(model, history[applied], QStringLiteral("%1, step %2").arg(c.name).arg(i));
        }
    }
}

TEST(GapMoverTest, ALimitOfNothingOnlyTellsWhetherTheRoomIsThere) {
    TextModel model;
    model.setText(kLines);
    EXPECT_TRUE(model.prepareEditAt(kLines.size(), 0)) << "loading leaves the room at the end";
    EXPECT_FALSE(model.prepareEditAt(0, 0));
    EXPECT_FALSE(model.prepareEditAt(0, 0)) << "a look moves nothing";
    EXPECT_FALSE(model.prepareEditAt(0, kLines.size() - 1));
    EXPECT_TRUE(model.prepareEditAt(0, 1));
    EXPECT_TRUE(model.prepareEditAt(0, 0));
}

/// A text far longer than one step of the mover, so that heading across it takes slices.
QString longText() {
    return QStringLiteral("line of text\n").repeated(GapMover::kStep / 4);
}

TEST(GapMoverTest, ALongWayIsGoneInSlicesAndTheMoverStops) {
    TextModel model;
    model.setText(longText());
    GapMover mover(model);
    mover.follow(0);
    ASSERT_TRUE(mover.moving()) << "more than one step away: left to the event loop";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !mover.moving(); }));
    EXPECT_TRUE(model.prepareEditAt(0, 0));
    // Following a caret that moves only a little is done at once.
    mover.follow(20);
    EXPECT_FALSE(mover.moving());
    EXPECT_TRUE(model.prepareEditAt(20, 0));
}

TEST(GapMoverTest, EditsAndNewPlacesWhileMovingEndWhereTheCaretIs) {
    TextModel model;
    const QString text = longText();
    model.setText(text);
    Expected expected{text, std::vector<CharStyle>(size_t(text.size()))};
    GapMover mover(model);
    mover.follow(0);
    QCoreApplication::processEvents(); // a slice or so
    // A key typed before the room arrived, then the caret jumps again.
    model.replace(5, 0, u"typed");
    expected.replace(5, 0, QStringLiteral("typed"));
    mover.follow(text.size() / 2);
    model.replace(text.size(), 1, u"");
    expected.replace(text.size(), 1, QString());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !mover.moving(); }));
    EXPECT_EQ(mover.target(), text.size() / 2);
    EXPECT_TRUE(model.prepareEditAt(text.size() / 2, 0));
    EXPECT_EQ(model.text().text(), expected.text);
    EXPECT_EQ(model.text().lineCount(), expected.text.count(QLatin1Char('\n')) + 1);
}

} // namespace
