// The view's layout cache without a view: after edits under word wrap, its rows are those of a
// fresh layout of the same text, on lines of every length (past the whole-line limit too) and
// with characters outside the basic plane.
#include "platform/richtext/LayoutCache.h"
#include "platform/text/TextModel.h"
#include "shown_text_view.h"

#include <gtest/gtest.h>

#include <random>

using namespace kelvane;

namespace {

constexpr int kWrap = 180;

void layOut(LayoutCache& cache, const TextModel& model) {
    cache.setModel(&model);
    cache.setMetrics(kelvane::testing::fixedFont(), 80, kWrap, 10000);
}

/// Every row start of a cache, all its lines laid out first.
std::vector<qsizetype> rowStarts(LayoutCache& cache) {
    cache.measureLines(cache.model()->text().lineCount(), std::numeric_limits<qsizetype>::max());
    std::vector<qsizetype> starts;
    for (qsizetype row = 0; row < cache.rowCount(); ++row)
        starts.push_back(cache.rowStart(row));
    return starts;
}

QString words(std::mt19937& random, qsizetype length) {
    static const QString kPieces[] = {QStringLiteral("alpha "),
                                      QStringLiteral("be "),
                                      QStringLiteral("\u00e9t\u00e9 "),
                                      QStringLiteral("😀"),
                                      QStringLiteral("x😀y "),
                                      QStringLiteral("\t"),
                                      QStringLiteral("longerwordwithoutbreaks ")};
    QString text;
    while (text.size() < length)
        text += kPieces[random() % std::size(kPieces)];
    return text;
}

TEST(LayoutCacheTest, RowsAfterEditsAreThoseOfAFreshLayout) {
    std::mt19937 random(25);
    QString text = words(random, 300) + u'\n' + words(random, 40) + u'\n' + u'\n' +
                   words(random, LayoutCache::kWrappedWholeLine + 3000) + u'\n' +
                   words(random, 2000) + u'\n' + words(random, 10);
    TextModel model;
    model.setText(text);
    LayoutCache edited;
    layOut(edited, model);
    QObject::connect(&model, &TextModel::contentsChanged,
                     [&edited](qsizetype from, qsizetype removed, qsizetype added) {
                         edited.contentsChanged(from, removed, added);
                     });
    rowStarts(edited); // everything laid out once, so the edits meet known rows

    for (int step = 0; step < 40; ++step) {
        const qsizetype size = model.size();
        const qsizetype at = qsizetype(random() % std::uint32_t(size + 1));
        switch (random() % 4) {
        case 0: // typing a few words
            model.replace(at, 0, words(random, 1 + random() % 30), EditKind::Typing);
            break;
        case 1: // a line break, joining or splitting lines
            model.replace(at, 0, u"\n");
            break;
        case 2: { // deleting a run, perhaps across lines
            const qsizetype count = std::min<qsizetype>(size - at, 1 + random() % 400);
            model.replace(at, count, u"");
            break;
        }
        default: // a paste of a long paragraph
            model.replace(at, 0, words(random, 600 + random() % 3000));
            break;
        }
        LayoutCache fresh;
        layOut(fresh, model);
        const std::vector<qsizetype> expected = rowStarts(fresh);
        const std::vector<qsizetype> actual = rowStarts(edited);
        ASSERT_EQ(actual.size(), expected.size()) << "step " << step;
        for (std::size_t row = 0; row < actual.size(); ++row)
            ASSERT_EQ(actual[row], expected[row]) << "step " << step << " row " << row << " line "
                                                  << model.text().lineOf(expected[row]);
        for (const qsizetype start : actual)
            ASSERT_FALSE(start > 0 && model.text().at(start).isLowSurrogate() &&
                         model.text().at(start - 1).isHighSurrogate())
                << "a row starts inside a pair at " << start;
    }
}

TEST(LayoutCacheTest, PositionsAndRowsMapBothWaysOnALongWrappedLine) {
    std::mt19937 random(7);
    TextModel model;
    model.setText(words(random, 2 * LayoutCache::kWrappedWholeLine) + QStringLiteral("\nend"));
    LayoutCache cache;
    layOut(cache, model);
    const std::vector<qsizetype> starts = rowStarts(cache);
    ASSERT_GT(starts.size(), 100u);
    for (std::size_t row = 0; row < starts.size(); ++row) {
        ASSERT_EQ(cache.rowOf(starts[row]), qsizetype(row)) << "row " << row;
        ASSERT_EQ(cache.positionOnRow(qsizetype(row), 0), starts[row]) << "row " << row;
        const qsizetype end = cache.rowEnd(qsizetype(row));
        ASSERT_GE(end, starts[row]);
        if (row + 1 < starts.size()) {
            ASSERT_LE(end, starts[row + 1]);
        }
    }
    EXPECT_EQ(cache.rowStart(qsizetype(starts.size())), -1);
}

TEST(LayoutCacheTest, TheWidestLineIsEstimatedFromTheLongestWhereverItIs) {
    const struct {
        const char16_t* text;
        qsizetype longest;
    } cases[] = {{u"", 0},
                 {u"abc", 3},
                 {u"a\nthe longest\nb", 11},
                 {u"a\nb\nthe last one is longest", 23},
                 {u"the first is longest\na\n", 20},
                 {u"\n\n", 0}};
    for (const auto& c : cases) {
        TextModel model;
        model.setText(QString::fromUtf16(c.text));
        LayoutCache cache;
        cache.setModel(&model);
        cache.setMetrics(kelvane::testing::fixedFont(), 80, 0, 10000);
        EXPECT_DOUBLE_EQ(cache.widestLine(), qreal(c.longest) * cache.averageCharWidth())
            << QString::fromUtf16(c.text).toStdString();
    }
}

TEST(LayoutCacheTest, ColouringLaysNothingOutAfreshButANewFontDoes) {
    TextModel model;
    model.setText(QStringLiteral("int x;\nreturn y;\n"));
    LayoutCache cache;
    layOut(cache, model);
    rowStarts(cache);
    const int rowHeight = cache.rowHeight();

    const std::vector<std::uint8_t> classes{1, 1, 1, 0, 2, 2, 0, 1};
    model.colourByClass(0, classes.data(), qsizetype(classes.size()),
                        {kWindowTextColour, 0xFF, 0xFF00});
    EXPECT_FALSE(cache.stylesChanged(0, qsizetype(classes.size())))
        << "colours change no letter's size";

    model.restyle(0, 3, [](CharStyle& s) { s.bold = true; });
    EXPECT_TRUE(cache.stylesChanged(0, 3)) << "bold letters are wider";

    model.restyle(7, 6, [](CharStyle& s) { s.pointSize = 40; });
    EXPECT_TRUE(cache.stylesChanged(7, 6));
    EXPECT_GT(cache.rowHeight(), rowHeight) << "every row is as tall as the tallest font";
}

} // namespace
