// The Page Setup dialog driven with real keys: the key filter, the selection on focus, what OK
// stores (read back as start-up reads it) and what Cancel leaves alone.
#include "platform/AppPaths.h"
#include "platform/SettingsStore.h"
#include "print/MarginText.h"
#include "print/frmPageSetup.h"
#include "settings/EditorSettings.h"
#include "support/TestSupport.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace kelvane::test {
namespace {

class PageSetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        setSettingsFileOverride(scratch.file(QStringLiteral("settings.ini")));
        saved = PageMargins;
        PageMargins = PageMarginsRecord{2.5f, 2.0f, 1.5f, 0.75f};
        dialog = std::make_unique<frmPageSetup>();
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
    }
    void TearDown() override {
        dialog.reset();
        PageMargins = saved;
        setSettingsFileOverride(QString());
    }
    QString stored(const char* key) {
        return GetSetting(kAppTitle, QStringLiteral("Printer Settings"), QLatin1String(key),
                          QStringLiteral("<absent>"));
    }
    /// Empties a field and types into it key by key.
    static void retype(QLineEdit* field, const QString& keys) {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, keys);
    }

    ScratchDir scratch;
    PageMarginsRecord saved;
    std::unique_ptr<frmPageSetup> dialog;
};

TEST_F(PageSetupTest, FieldsShowTheMarginsInTheirShortestForm) {
    EXPECT_EQ(dialog->txtTop->text(), QStringLiteral("2.5"));
    EXPECT_EQ(dialog->txtBottom->text(), QStringLiteral("2"));
    EXPECT_EQ(dialog->txtLeft->text(), QStringLiteral("1.5"));
    EXPECT_EQ(dialog->txtRight->text(), QStringLiteral("0.75"));
    EXPECT_EQ(dialog->Frame1->title(), QStringLiteral("Margins"));
    EXPECT_EQ(dialog->Label1->buddy(), dialog->txtTop) << "the label names the field";
}

TEST_F(PageSetupTest, OpensWithTheTopFieldFocusedAndSelected) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get(), 2000));
    EXPECT_EQ(QApplication::focusWidget(), dialog->txtTop);
    EXPECT_EQ(dialog->txtTop->selectedText(), QStringLiteral("2.5"));
    // Tabbing on selects the next field's text from its caret onwards.
    QTest::keyClick(dialog->txtTop, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog->txtBottom);
    EXPECT_EQ(dialog->txtBottom->selectedText(), QStringLiteral("2"));
}

TEST_F(PageSetupTest, KeyFilterTakesDigitsOnePointAndBackspace) {
    retype(dialog->txtTop, QStringLiteral("2.5.0"));
    EXPECT_EQ(dialog->txtTop->text(), QStringLiteral("2.50")) << "the second point is swallowed";
    retype(dialog->txtBottom, QStringLiteral("-1a,b 3"));
    EXPECT_EQ(dialog->txtBottom->text(), QStringLiteral("13"))
        << "minus, letters, blanks swallowed";
    QTest::keyClick(dialog->txtBottom, Qt::Key_Backspace);
    EXPECT_EQ(dialog->txtBottom->text(), QStringLiteral("1"));
}

/// Sends a key as X11 gives it: Delete carries the text "\x7f", Ctrl+A the text "\x01".
void pressAsX11(QWidget* field, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(field, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(field, &release);
}

TEST_F(PageSetupTest, EditingKeysEditTheFieldsWhateverTextTheyCarry) {
    QLineEdit* top = dialog->txtTop;
    top->setFocus();
    top->setCursorPosition(0);
    pressAsX11(top, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
    EXPECT_EQ(top->text(), QStringLiteral(".5")) << "Delete removes the character after the caret";
    pressAsX11(top, Qt::Key_End, Qt::NoModifier, QString());
    pressAsX11(top, Qt::Key_Left, Qt::NoModifier, QString());
    pressAsX11(top, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    EXPECT_EQ(top->text(), QStringLiteral("5"));

    pressAsX11(top, Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"));
    EXPECT_EQ(top->selectedText(), QStringLiteral("5")) << "Ctrl+A selects all";
    pressAsX11(top, Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"));
    pressAsX11(top, Qt::Key_End, Qt::NoModifier, QString());
    pressAsX11(top, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    EXPECT_EQ(top->text(), QStringLiteral("55")) << "Ctrl+C and Ctrl+V copy and paste";
    pressAsX11(top, Qt::Key_Z, Qt::ControlModifier, QStringLiteral("\x1a"));
    EXPECT_EQ(top->text(), QStringLiteral("5")) << "Ctrl+Z undoes";
    pressAsX11(top, Qt::Key_Home, Qt::ShiftModifier, QString());
    pressAsX11(top, Qt::Key_X, Qt::ControlModifier, QStringLiteral("\x18"));
    EXPECT_EQ(top->text(), QString()) << "Shift+Home selects, Ctrl+X cuts";

    // Typed characters are still filtered.
    pressAsX11(top, Qt::Key_Minus, Qt::NoModifier, QStringLiteral("-"));
    pressAsX11(top, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
    EXPECT_EQ(top->text(), QStringLiteral("7"));
}

TEST_F(PageSetupTest, OkStoresWhatStartUpReadsBackAndSetsTheMargins) {
    retype(dialog->txtTop, QStringLiteral("2.5.0"));
    retype(dialog->txtBottom, QString()); // emptied
    retype(dialog->txtLeft, QStringLiteral(".5"));
    retype(dialog->txtRight, QStringLiteral("3."));
    QTest::keyClick(dialog->txtRight, Qt::Key_Return); // Enter presses OK
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);

    EXPECT_EQ(stored("TopMargin"), QStringLiteral("2.5"));
    EXPECT_EQ(stored("BottomMargin"), QStringLiteral("0"));
    EXPECT_EQ(stored("LeftMargin"), QStringLiteral("0.5"));
    EXPECT_EQ(stored("RightMargin"), QStringLiteral("3"));
    EXPECT_FLOAT_EQ(PageMargins.TopMargin, 2.5f);
    EXPECT_FLOAT_EQ(PageMargins.BottomMargin, 0.0f);
    EXPECT_FLOAT_EQ(PageMargins.LeftMargin, 0.5f);
    EXPECT_FLOAT_EQ(PageMargins.RightMargin, 3.0f);

    PageMarginsRecord reread{9, 9, 9, 9};
    readPrinterMargins(reread);
    EXPECT_FLOAT_EQ(reread.TopMargin, 2.5f);
    EXPECT_FLOAT_EQ(reread.BottomMargin, 0.0f);
    EXPECT_FLOAT_EQ(reread.LeftMargin, 0.5f);
    EXPECT_FLOAT_EQ(reread.RightMargin, 3.0f);
}

TEST_F(PageSetupTest, CancelAfterEditingChangesNothing) {
    retype(dialog->txtTop, QStringLiteral("9"));
    retype(dialog->txtLeft, QString());
    QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(stored("TopMargin"), QStringLiteral("<absent>"));
    EXPECT_EQ(stored("LeftMargin"), QStringLiteral("<absent>"));
    EXPECT_FLOAT_EQ(PageMargins.TopMargin, 2.5f);
    EXPECT_FLOAT_EQ(PageMargins.LeftMargin, 1.5f);
}

TEST_F(PageSetupTest, EscapeCancels) {
    retype(dialog->txtTop, QStringLiteral("7"));
    QTest::keyClick(dialog->txtTop, Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FLOAT_EQ(PageMargins.TopMargin, 2.5f);
}

struct MarginCase {
    const char* name;
    const char* text;
    float value;
};

class MarginValueTest : public ::testing::TestWithParam<MarginCase> {};

TEST_P(MarginValueTest, ReadsTheLeadingNumber) {
    EXPECT_FLOAT_EQ(marginValue(QString::fromLatin1(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MarginValueTest,
    ::testing::Values(MarginCase{"Empty", "", 0}, MarginCase{"PointOnly", ".", 0},
                      MarginCase{"LeadingPoint", ".5", 0.5f}, MarginCase{"TrailingPoint", "3.", 3},
                      MarginCase{"TrailingZero", "2.50", 2.5f},
                      MarginCase{"StopsAtTheFirstNonNumber", "1.5cm", 1.5f},
                      MarginCase{"SecondPointEndsTheNumber", "1.2.3", 1.2f},
                      MarginCase{"LeadingBlanks", "  4", 4}, MarginCase{"Letters", "abc", 0},
                      MarginCase{"Exponent", "1e1", 10}, MarginCase{"BareExponent", "2e", 2},
                      MarginCase{"CommaIsNotAPoint", "2,5", 2},
                      MarginCase{"HugeIsZero", "1e99", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MarginTextTest, ShortestFormReadsBackTheSameNumber) {
    EXPECT_EQ(marginText(2.5f), QStringLiteral("2.5"));
    EXPECT_EQ(marginText(2.0f), QStringLiteral("2"));
    EXPECT_EQ(marginText(0.1f), QStringLiteral("0.1"));
    EXPECT_FLOAT_EQ(marginValue(marginText(1.2345f)), 1.2345f);
}

TEST(MarginFieldAcceptsTest, DigitsOnePointAndBackspace) {
    EXPECT_TRUE(marginFieldAccepts(QLatin1Char('7'), QString()));
    EXPECT_TRUE(marginFieldAccepts(QLatin1Char('.'), QStringLiteral("2")));
    EXPECT_FALSE(marginFieldAccepts(QLatin1Char('.'), QStringLiteral("2.5")));
    EXPECT_TRUE(marginFieldAccepts(QChar(8), QStringLiteral("2.5")));
    EXPECT_FALSE(marginFieldAccepts(QLatin1Char('-'), QString()));
    EXPECT_FALSE(marginFieldAccepts(QChar(0x0663), QString())) << "only ASCII digits";
}

} // namespace
} // namespace kelvane::test
