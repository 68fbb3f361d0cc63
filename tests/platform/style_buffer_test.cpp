// The gap buffer of per-character styles against a plain vector under random edits.
#include "platform/text/StyleBuffer.h"

#include <gtest/gtest.h>

#include <random>

namespace kelvane {
namespace {

TEST(StyleBufferTest, RandomEditsMatchAPlainVector) {
    std::mt19937 random(7);
    StyleBuffer buffer;
    std::vector<std::uint8_t> model;
    for (int step = 0; step < 4000; ++step) {
        const qsizetype size = qsizetype(model.size());
        const qsizetype from = size ? qsizetype(random() % (size + 1)) : 0;
        const qsizetype count = qsizetype(random() % 300);
        const auto value = std::uint8_t(random() % 256);
        switch (random() % 5) {
        case 0:
        case 1: {
            const qsizetype removed = std::min<qsizetype>(count / 2, size - from);
            buffer.replace(from, removed, count, value);
            model.erase(model.begin() + from, model.begin() + from + removed);
            model.insert(model.begin() + from, size_t(count), value);
            break;
        }
        case 2: {
            buffer.fill(from, count, value);
            const qsizetype n = std::min<qsizetype>(count, size - from);
            std::fill(model.begin() + from, model.begin() + from + n, value);
            break;
        }
        case 3: {
            StyleBuffer::Lut lut{};
            for (std::size_t i = 0; i < lut.size(); ++i)
                lut[i] = std::uint8_t(i * 7 + 3);
            buffer.map(from, count, lut);
            const qsizetype n = std::min<qsizetype>(count, size - from);
            for (qsizetype i = from; i < from + n; ++i)
                model[size_t(i)] = lut[model[size_t(i)]];
            break;
        }
        default: {
            std::vector<std::uint8_t> values(size_t(std::min<qsizetype>(count, size - from)));
            for (auto& v : values)
                v = std::uint8_t(random());
            buffer.write(from, values.data(), qsizetype(values.size()));
            std::copy(values.begin(), values.end(), model.begin() + from);
            break;
        }
        }
        ASSERT_EQ(buffer.size(), qsizetype(model.size()));
        if (step % 97 == 0) {
            ASSERT_EQ(buffer.read(0, buffer.size()), model) << "after step " << step;
        }
    }
    EXPECT_EQ(buffer.read(0, buffer.size()), model);
    std::array<bool, 256> used{};
    for (std::uint8_t v : model)
        used[v] = true;
    EXPECT_EQ(buffer.usedValues(), used);
}

TEST(StyleBufferTest, OutOfRangeRequestsAreClamped) {
    StyleBuffer buffer;
    buffer.replace(5, 3, 4, 9); // from past the end appends
    EXPECT_EQ(buffer.read(0, 100), std::vector<std::uint8_t>(4, 9));
    buffer.fill(-3, 100, 1);
    EXPECT_EQ(buffer.read(0, 4), std::vector<std::uint8_t>(4, 1));
    buffer.resize(2, 0);
    EXPECT_EQ(buffer.size(), 2);
}

TEST(StyleBufferTest, AResetBufferTakesAnEditWithoutGrowing) {
    StyleBuffer buffer;
    buffer.replace(0, 0, 10, 3);
    buffer.reset(1'000'000, 0);
    EXPECT_EQ(buffer.read(0, 1'000'000), std::vector<std::uint8_t>(1'000'000, 0));
    const qsizetype held = buffer.memoryBytes();
    EXPECT_LT(held, 1'000'000 + 1'000'000 / 32) << "only a little room to spare";
    buffer.replace(0, 0, 1, 7); // the first key, at the far end from the room
    buffer.replace(500'000, 2, 100, 8);
    EXPECT_EQ(buffer.memoryBytes(), held) << "edits of a typical size fit the room";
    EXPECT_EQ(buffer.size(), 1'000'099);
    EXPECT_EQ(buffer.at(0), 7);
    EXPECT_EQ(buffer.at(500'000), 8);
}

TEST(StyleBufferTest, UsedValuesFindOneOddEntryAnywhereInALongRun) {
    // A run is passed over in blocks: a value that differs from its run must still be seen
    // wherever it sits against a block, at either end of the range, or just past it.
    for (qsizetype odd = 0; odd < 100; ++odd) {
        StyleBuffer buffer;
        buffer.replace(0, 0, 100, 4);
        buffer.fill(odd, 1, 9);
        std::array<bool, 256> expected{};
        expected[4] = true;
        expected[9] = true;
        ASSERT_EQ(buffer.usedValues(), expected) << "odd entry at " << odd;
        std::array<bool, 256> before{};
        before[odd == 0 ? 9 : 4] = true;
        ASSERT_EQ(buffer.usedValues(0, std::max<qsizetype>(odd, 1)), before)
            << "range ending at " << odd;
    }
}

TEST(StyleBufferTest, InPlaceGivesARangeOnOneSideOfTheGapAndNothingAcrossIt) {
    StyleBuffer buffer;
    buffer.replace(0, 0, 1000, 0);
    buffer.fill(0, 1000, 1);
    buffer.replace(500, 0, 1, 2); // the gap now follows position 500
    const std::span<const std::uint8_t> before = buffer.inPlace(10, 400);
    ASSERT_EQ(before.size(), 400u);
    EXPECT_EQ(std::vector<std::uint8_t>(before.begin(), before.end()), buffer.read(10, 400));
    const std::span<const std::uint8_t> after = buffer.inPlace(600, 300);
    ASSERT_EQ(after.size(), 300u);
    EXPECT_EQ(std::vector<std::uint8_t>(after.begin(), after.end()), buffer.read(600, 300));
    EXPECT_TRUE(buffer.inPlace(400, 200).empty()) << "a range across the gap is copied instead";
}

} // namespace
} // namespace kelvane
