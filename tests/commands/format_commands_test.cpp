// The Format menu on a real document window: line ranges, caret, undo, formatting kept, and
// the Tabs to Spaces dialog driven as a user would.
#include "commands/DocumentFixture.h"

#include "commands/frmTabsToSpaces.h"
#include "platform/text/SystemPages.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <QAction>

#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>

namespace kelvane::test {
namespace {

using FormatCommandsTest = DocumentFixture;

constexpr WinColour kRed = 0x0000FF;

TEST_F(FormatCommandsTest, IndentAndUnindentEditTheSelectedLinesAndUndoInOneStep) {
    const struct {
        const char* name;
        bool indent;
        QString text;
        qsizetype start, length;
        QString result;
        qsizetype caret;
    } rows[] = {
        {"an empty selection indents the caret's line only, the caret after the blanks", true,
         "one\r\ntwo\r\nthree", 7, 0, "one\r\n    two\r\nthree", 9},
        {"indent stops before the line a selection ends at", true, "l1\r\nl2\r\nl3\r\nl4\r\nl5", 4,
         12, "l1\r\n    l2\r\n    l3\r\n    l4\r\nl5", 24},
        {"unindent removes four blanks where there are four, the caret at the last line's start",
         false, "   three\r\n      six\r\n\tTab\r\n    four", 0, 34,
         "   three\r\n  six\r\n\tTab\r\nfour", 23},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        load(row.text, row.start, row.length);
        if (row.indent)
            main->formatCommands->mnuFormatIndent_Click();
        else
            main->formatCommands->mnuFormatUnindent_Click();
        EXPECT_EQ(box->Text(), row.result);
        EXPECT_EQ(box->SelStart(), row.caret);
        EXPECT_EQ(box->SelLength(), 0);
        EXPECT_TRUE(document->Changed);
        EXPECT_TRUE(document->ChangedHighLight);
        box->undo();
        EXPECT_EQ(box->Text(), row.text) << "one Undo takes back the whole command";
    }
}

TEST_F(FormatCommandsTest, IndentKeepsTheColoursOfTheText) {
    load("ab\r\ncd");
    select(5, 1);
    box->setSelColor(kRed);
    select(0, 6);
    main->formatCommands->mnuFormatIndent_Click();
    ASSERT_EQ(box->Text(), "    ab\r\n    cd");
    EXPECT_EQ(box->styleAt(13).colour, kRed);
    EXPECT_TRUE(box->styleAt(13).hasColour);
    EXPECT_FALSE(box->styleAt(12).hasColour);
}

TEST_F(FormatCommandsTest, CaseChangesReplaceTheSelectionAndKeepItsColours) {
    load("say hELLO there", 4, 5);
    box->setSelColor(kRed);
    main->formatCommands->mnuFOrmatUpper_Click();
    EXPECT_EQ(box->Text(), "say HELLO there");
    EXPECT_EQ(box->SelStart(), 9) << "the caret ends after the new text";
    EXPECT_EQ(box->styleAt(5).colour, kRed);
    select(4, 5);
    main->formatCommands->mnuFormatLower_Click();
    EXPECT_EQ(box->Text(), "say hello there");
    select(0, 9);
    main->formatCommands->mnuFormatCapSentence_Click();
    EXPECT_EQ(box->Text(), "Say hello there");
    box->undo();
    EXPECT_EQ(box->Text(), "say hello there");
}

TEST_F(FormatCommandsTest, TrimsWorkOnTheSelectionAsOneString) {
    load("  a  \r\n  b  ", 0, 12);
    main->formatCommands->mnuFOrmatTrim_Click();
    EXPECT_EQ(box->Text(), "a  \r\n  b");
    select(0, 8);
    main->formatCommands->mnuFormatTrimPreceding_Click();
    EXPECT_EQ(box->Text(), "a  \r\n  b");
    load("x   ", 0, 4);
    main->formatCommands->mnuFormatTrimTrailing_Click();
    EXPECT_EQ(box->Text(), "x");
}

TEST_F(FormatCommandsTest, TabsToSpacesDialogAcceptsDigitsOnlyAndConvertsEveryTab) {
    load("\t\t\tx\r\n\ty");
    whenShown<frmTabsToSpaces>([](frmTabsToSpaces* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Convert Tabs to Spaces");
        EXPECT_EQ(dialog->txtSpaces->text(), "4");
        dialog->txtSpaces->selectAll();
        QTest::keyClicks(dialog->txtSpaces, "a2. b");
        EXPECT_EQ(dialog->txtSpaces->text(), "2");
        QTest::keyClick(dialog->txtSpaces, Qt::Key_Backspace);
        QTest::keyClicks(dialog->txtSpaces, "4");
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
    });
    main->formatCommands->mnuFormatTabsToSapces_Click();
    EXPECT_EQ(box->Text(), QString(12, ' ') + "x\r\n    y");
    EXPECT_EQ(prompts(), QStringList{"4 Tabs converted into spaces."});
    EXPECT_TRUE(document->Changed);
    EXPECT_FALSE(document->ChangedHighLight) << "coloured again afterwards (AutoCode)";
    EXPECT_EQ(boxes.asked()[0].title, kAppTitle);
    box->undo();
    EXPECT_EQ(box->Text(), "\t\t\tx\r\n\ty") << "one Undo";
}

TEST_F(FormatCommandsTest, TabsToSpacesWithNoTabsOrZeroOrCancel) {
    load("plain");
    whenShown<frmTabsToSpaces>(
        [](frmTabsToSpaces* dialog) { QTest::mouseClick(dialog->cmdOK, Qt::LeftButton); });
    main->formatCommands->mnuFormatTabsToSapces_Click();
    EXPECT_EQ(prompts(), QStringList{"0 Tabs converted into spaces."});
    EXPECT_FALSE(document->Changed);

    boxes.clear();
    load("a\t\tb");
    whenShown<frmTabsToSpaces>([](frmTabsToSpaces* dialog) {
        dialog->txtSpaces->clear(); // an empty field counts as 0
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
    });
    main->formatCommands->mnuFormatTabsToSapces_Click();
    EXPECT_EQ(box->Text(), "ab") << "0 removes every tab, adjacent ones included";
    EXPECT_EQ(prompts(), QStringList{"2 Tabs converted into spaces."});

    boxes.clear();
    load("a\tb");
    whenShown<frmTabsToSpaces>(
        [](frmTabsToSpaces* dialog) { QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton); });
    main->formatCommands->mnuFormatTabsToSapces_Click();
    whenShown<frmTabsToSpaces>([](frmTabsToSpaces* dialog) { dialog->close(); });
    main->formatCommands->mnuFormatTabsToSapces_Click();
    EXPECT_EQ(box->Text(), "a\tb");
    EXPECT_TRUE(prompts().isEmpty()) << "Cancel and the close box change nothing";
}

TEST_F(FormatCommandsTest, FormatCommandsDoNothingWithoutADocument) {
    document->subWindow()->close();
    ASSERT_EQ(main->activeDocument(), nullptr);
    main->formatCommands->mnuFormatIndent_Click();
    main->formatCommands->mnuFormatUnindent_Click();
    main->formatCommands->mnuFOrmatUpper_Click();
    main->formatCommands->mnuFOrmatTrim_Click();
    main->formatCommands->mnuFormatTabsToSapces_Click(); // would block on the dialog if it opened
    EXPECT_TRUE(prompts().isEmpty());
}

// Resident memory of this process, from the kernel's own count.
long residentKb() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

TEST_F(FormatCommandsTest, CommandsOnALongDocumentGiveTheirFreedMemoryBack) {
#if !defined(__GLIBC__) || defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "freed heap pages are given back through glibc's allocator";
#endif
    // A million lines: each command makes a million edits (a character each for the case
    // change), whose lists and copies are dropped once the edit is made.
    QString tabbed;
    QString indented;
    for (int i = 0; i < 1000000; ++i) {
        tabbed += QStringLiteral("\tx\r\n");
        indented += QStringLiteral("    x\r\n");
    }
    const struct {
        const char* name;
        const QString& text;
        std::function<void()> command;
        QString firstLine;
    } rows[] = {
        {"indent", tabbed, [this] { main->formatCommands->mnuFormatIndent_Click(); }, "    \tx"},
        {"unindent", indented, [this] { main->formatCommands->mnuFormatUnindent_Click(); }, "x"},
        {"upper case", tabbed, [this] { main->formatCommands->mnuFOrmatUpper_Click(); }, "\tX"},
        {"tabs to spaces", tabbed,
         [this] {
             whenShown<frmTabsToSpaces>(
                 [](frmTabsToSpaces* dialog) { QTest::mouseClick(dialog->cmdOK, Qt::LeftButton); });
             main->formatCommands->mnuFormatTabsToSapces_Click();
         },
         "    x"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        load(row.text, 0, row.text.size());
        giveBackFreeHeap(); // what loading left is not the command's
        row.command();
        const long after = residentKb();
        giveBackFreeHeap();
        EXPECT_LT(after - residentKb(), 4096) << "kB still resident that the heap had free";
        const QString result = box->Text();
        EXPECT_EQ(result.left(result.indexOf(u'\r')), row.firstLine);
        EXPECT_EQ(result.count(u'\n'), 1000000);
    }
}

/// The process's peak resident memory in kB, from the kernel's count; -1 when not known.
long peakKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

/// Sets the peak back to what is resident now. False where the system does not allow it.
bool resetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return bool(clear);
}

TEST_F(FormatCommandsTest, CommandsOnAFewLinesReadALongDocumentInPlace) {
    QString text;
    for (int i = 0; i < 1000000; ++i)
        text += QStringLiteral("int x = 1;\r\n");
    const long documentKb = long(text.size() * sizeof(QChar) / 1024);
    load(text, 12, 30);
    text = QString();
    main->formatCommands->mnuFormatIndent_Click(); // the text makes room for edits once
    if (!resetPeak() || peakKb() < 0)
        GTEST_SKIP() << "no peak memory figure on this system";
    const long before = peakKb();
    main->formatCommands->mnuFormatIndent_Click();
    select(12, 30);
    main->formatCommands->mnuFOrmatUpper_Click();
    main->editCommands->action(u"mnuEditWordCount")->trigger();
    EXPECT_LT(peakKb() - before, documentKb / 4) << "no copy of the whole document";
    EXPECT_EQ(box->Text().left(64),
              "int x = 1;\r\n    INT X = 1;\r\n    INT X = 1;\r\n        int x = 1;\r\n");
    EXPECT_TRUE(prompts().value(0).startsWith("Words counted in document: "));
}

} // namespace
} // namespace kelvane::test
