// The rich-text control's formatting calls: each attribute reaches the selected characters
// only, the control's own font and size are kept as "none" so those characters follow the
// control, and the wrap width switches wrapping on and off.
#include "platform/richtext/RichTextBox.h"
#include "platform/richtext/TextView.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <functional>

namespace kelvane {
namespace {

TEST(RichTextBoxFormatTest, EachAttributeReachesTheSelectionOnlyAndIsNoEdit) {
    struct Case {
        const char* name;
        std::function<void(RichTextBox&)> set;
        std::function<bool(const CharStyle&)> has;
    };
    const Case cases[] = {
        {"bold", [](RichTextBox& b) { b.setSelBold(true); }, [](auto& s) { return s.bold; }},
        {"italic", [](RichTextBox& b) { b.setSelItalic(true); }, [](auto& s) { return s.italic; }},
        {"underline", [](RichTextBox& b) { b.setSelUnderline(true); },
         [](auto& s) { return s.underline; }},
        {"colour", [](RichTextBox& b) { b.setSelColor(0x345678); },
         [](auto& s) { return s.hasColour && s.colour == 0x345678u; }},
        {"font", [](RichTextBox& b) { b.setSelFontName("DejaVu Serif"); },
         [](auto& s) { return s.fontName == "DejaVu Serif"; }},
        {"size", [](RichTextBox& b) { b.setSelFontSize(14); },
         [](auto& s) { return s.pointSize == 14.0f; }},
    };
    for (const Case& c : cases) {
        RichTextBox box;
        box.setText("ab\r\ncd");
        box.setSelStart(1);
        box.setSelLength(4); // "b", the line break and "c"
        QSignalSpy changes(&box, &RichTextBox::Change);
        const int steps = box.undoSteps();
        c.set(box);
        EXPECT_EQ(changes.count(), 0) << c.name << ": formatting is no change of the text";
        EXPECT_EQ(box.undoSteps(), steps) << c.name << ": nor an undo step";
        EXPECT_FALSE(c.has(box.styleAt(0))) << c.name;
        EXPECT_TRUE(c.has(box.styleAt(1))) << c.name;
        EXPECT_TRUE(c.has(box.styleAt(4))) << c.name;
        EXPECT_FALSE(c.has(box.styleAt(5))) << c.name;
    }
}

TEST(RichTextBoxFormatTest, TheControlsOwnFontAndSizeAreKeptAsNone) {
    RichTextBox box;
    box.setDefaultFontName("DejaVu Sans Mono");
    box.setDefaultFontSize(10);
    box.setText("abc");
    box.setSelStart(0);
    box.setSelLength(3);
    box.setSelFontName("DejaVu Serif");
    box.setSelFontSize(12);
    box.setSelFontName("DejaVu Sans Mono");
    box.setSelFontSize(10);
    EXPECT_EQ(box.styleAt(1), CharStyle{}) << "back to the control's own: plain again";
}

TEST(RichTextBoxFormatTest, TheWrapWidthTurnsWrappingOnAndOff) {
    RichTextBox box;
    EXPECT_FALSE(box.view()->wrapping()) << "a new control does not wrap";
    box.setRightMargin(1440);
    EXPECT_TRUE(box.view()->wrapping());
    EXPECT_EQ(box.rightMargin(), 1440);
    EXPECT_GT(box.view()->wrapWidth(), 0);
    box.setRightMargin(kNoWrapTwips);
    EXPECT_FALSE(box.view()->wrapping()) << "the no-wrap width";
    box.setRightMargin(1);
    EXPECT_TRUE(box.view()->wrapping()) << "a width under a pixel still wraps, at one pixel";
    EXPECT_EQ(box.view()->wrapWidth(), 1);
}

} // namespace
} // namespace kelvane
