// Key codes, shift states and button numbers as the editor's key and mouse handlers get them.
#include "platform/richtext/KeyCodes.h"

#include <gtest/gtest.h>

using namespace kelvane;

namespace {

TEST(KeyCodesTest, KeysHaveTheCodesTheHandlersTest) {
    const struct {
        int qtKey;
        int code;
    } cases[] = {
        {Qt::Key_A, 'A'},      {Qt::Key_Z, 'Z'},       {Qt::Key_0, '0'},       {Qt::Key_9, '9'},
        {Qt::Key_F1, 112},     {Qt::Key_F12, 123},     {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},
        {Qt::Key_Backtab, 9},  {Qt::Key_Return, 13},   {Qt::Key_Enter, 13},    {Qt::Key_Shift, 16},
        {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},      {Qt::Key_Escape, 27},   {Qt::Key_Space, 32},
        {Qt::Key_PageUp, 33},  {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},      {Qt::Key_Home, 36},
        {Qt::Key_Left, 37},    {Qt::Key_Up, 38},       {Qt::Key_Right, 39},    {Qt::Key_Down, 40},
        {Qt::Key_Insert, 45},  {Qt::Key_Delete, 46},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vbKeyCode(c.qtKey), c.code) << "Qt key " << c.qtKey;
}

TEST(KeyCodesTest, ShiftStatesAddUpAndButtonsHaveTheirNumbers) {
    EXPECT_EQ(vbShiftState(Qt::NoModifier), 0);
    EXPECT_EQ(vbShiftState(Qt::ShiftModifier), 1);
    EXPECT_EQ(vbShiftState(Qt::ControlModifier), 2);
    EXPECT_EQ(vbShiftState(Qt::AltModifier), 4);
    EXPECT_EQ(vbShiftState(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier), 7);
    EXPECT_EQ(vbShiftState(Qt::MetaModifier | Qt::KeypadModifier), 0);
    EXPECT_EQ(vbButton(Qt::LeftButton), 1);
    EXPECT_EQ(vbButton(Qt::RightButton), 2);
    EXPECT_EQ(vbButton(Qt::MiddleButton), 4);
    EXPECT_EQ(vbButton(Qt::BackButton), 0);
}

} // namespace
