// Row counts per line with running totals: rows of lines and lines of rows against a plain
// vector that takes the same changes, exact counts replacing estimates, and lines coming and
// going.
#include "platform/richtext/DisplayRows.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include <numeric>

using namespace kelvane;

namespace {

void expectMatches(const DisplayRows& rows, const std::vector<std::int32_t>& reference) {
    ASSERT_EQ(rows.lineCount(), qsizetype(reference.size()));
    qsizetype before = 0;
    for (std::size_t line = 0; line < reference.size(); ++line) {
        ASSERT_EQ(rows.rowOfLine(qsizetype(line)), before) << "line " << line;
        for (std::int32_t r = 0; r < reference[line]; ++r) {
            qsizetype inLine = -1;
            ASSERT_EQ(rows.lineOfRow(before + r, &inLine), qsizetype(line));
            ASSERT_EQ(inLine, r);
        }
        before += reference[line];
    }
    ASSERT_EQ(rows.totalRows(), before);
}

} // namespace

TEST(DisplayRowsTest, ExactCountsReplaceEstimates) {
    DisplayRows rows;
    rows.reset({1, 3, 0, 2}); // a line never has fewer than one row
    expectMatches(rows, {1, 3, 1, 2});
    EXPECT_FALSE(rows.isExact(1));
    rows.setExact(1, 5);
    EXPECT_TRUE(rows.isExact(1));
    expectMatches(rows, {1, 5, 1, 2});
    rows.setEstimate(1, 2);
    EXPECT_FALSE(rows.isExact(1)) << "a changed line is estimated again";
    expectMatches(rows, {1, 2, 1, 2});
}

TEST(DisplayRowsTest, RowPastTheEndIsTheLastRow) {
    DisplayRows rows;
    rows.reset({2, 2});
    qsizetype inLine = -1;
    EXPECT_EQ(rows.lineOfRow(99, &inLine), 1);
    EXPECT_EQ(inLine, 1);
}

TEST(DisplayRowsTest, RandomChangesMatchAPlainVector) {
    QRandomGenerator random(77);
    std::vector<std::int32_t> reference(50, 1);
    DisplayRows rows;
    rows.reset(reference);
    for (int round = 0; round < 400; ++round) {
        const qsizetype line = random.bounded(int(reference.size()));
        switch (random.bounded(3)) {
        case 0: {
            const auto count = std::int32_t(random.bounded(1, 6));
            rows.setExact(line, count);
            reference[size_t(line)] = count;
            break;
        }
        case 1: {
            const qsizetype removed =
                random.bounded(std::min<int>(int(reference.size() - line), 4) + 1);
            std::vector<std::int32_t> added(size_t(random.bounded(4)));
            for (auto& count : added)
                count = std::int32_t(random.bounded(1, 4));
            if (qsizetype(reference.size()) - removed + qsizetype(added.size()) < 1)
                continue;
            rows.replaceLines(line, removed, added);
            reference.erase(reference.begin() + line, reference.begin() + line + removed);
            reference.insert(reference.begin() + line, added.begin(), added.end());
            break;
        }
        default:
            rows.setEstimate(line, 2);
            reference[size_t(line)] = 2;
            break;
        }
        if (round % 20 == 0)
            expectMatches(rows, reference);
    }
    expectMatches(rows, reference);
}
