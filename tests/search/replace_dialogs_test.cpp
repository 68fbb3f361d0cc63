// Replace and Replace All through the real dialogs: prompts, counts, the dialogs' life cycle,
// and Replace All against replacing one occurrence at a time.
#include "commands/DocumentFixture.h"

#include "platform/help/Help.h"
#include "search/ReplaceDialogs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <random>

namespace kelvane::test {
namespace {

class ReplaceDialogsTest : public DocumentFixture {
protected:
    /// A Replace dialog that lives on the heap, as the menu's do (passes unload it).
    QPointer<frmReplace> replaceDialog(const QString& find, const QString& replace) {
        auto* dialog = new frmReplace(*main);
        dialog->txtFind->setText(find);
        dialog->txtReplace->setText(replace);
        return dialog;
    }
    bool unloaded(const QPointer<frmReplace>& dialog) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return dialog.isNull();
    }
};

TEST_F(ReplaceDialogsTest, ReplaceAllReportsTheCountAndUnloadsTheDialog) {
    load("banana");
    QPointer<frmReplace> dialog = replaceDialog("a", "b");
    QTest::mouseClick(dialog->cmdReplaceAll, Qt::LeftButton);
    EXPECT_EQ(box->Text(), "bbnbnb");
    EXPECT_EQ(prompts(), QStringList{"3 Occurrences found and replaced."});
    EXPECT_EQ(boxes.asked()[0].title, kAppTitle);
    EXPECT_TRUE(unloaded(dialog));
    EXPECT_TRUE(document->Changed);
}

TEST_F(ReplaceDialogsTest, ReplaceAllThatGrowsTheTextEndsAndUndoesInOneStep) {
    load("banana");
    QPointer<frmReplace> dialog = replaceDialog("A", "ba");
    QTest::mouseClick(dialog->cmdReplaceAll, Qt::LeftButton);
    EXPECT_EQ(box->Text(), "bbanbanba");
    EXPECT_EQ(prompts(), QStringList{"3 Occurrences found and replaced."});
    main->editCommands->mnuEditUndo_Click();
    EXPECT_EQ(box->Text(), "banana");
}

TEST_F(ReplaceDialogsTest, ReplaceAllOfAbsentOrEmptyTextReportsNotFoundAndKeepsTheDialog) {
    load("banana");
    QPointer<frmReplace> dialog = replaceDialog("x", "y");
    QTest::mouseClick(dialog->cmdReplaceAll, Qt::LeftButton);
    EXPECT_EQ(prompts(), QStringList{"Search Text not found."});
    EXPECT_FALSE(unloaded(dialog));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->txtFind->text(), "x") << "hidden with its texts intact";
    dialog->txtFind->clear();
    QTest::mouseClick(dialog->cmdReplaceAll, Qt::LeftButton);
    EXPECT_EQ(prompts().size(), 2) << "an empty search text finds nothing";
    EXPECT_EQ(box->Text(), "banana");
    EXPECT_FALSE(document->Changed);
    delete dialog;
}

TEST_F(ReplaceDialogsTest, ReplaceAllKeepsTheColoursOfTheRestOfTheText) {
    load("red a red");
    select(0, 3);
    box->setSelColor(0x0000FF);
    QPointer<frmReplace> dialog = replaceDialog(" a ", " long text ");
    QTest::mouseClick(dialog->cmdReplaceAll, Qt::LeftButton);
    EXPECT_EQ(box->Text(), "red long text red");
    EXPECT_EQ(box->styleAt(2).colour, 0x0000FFu);
    EXPECT_FALSE(box->styleAt(15).hasColour);
}

TEST_F(ReplaceDialogsTest, ReplaceAsksAtEachOccurrenceAndGoesOnAfterTheInsertedText) {
    load("a-a-a");
    boxes.answer(vbYes);
    boxes.answer(vbNo);
    boxes.answer(vbYes);
    QPointer<frmReplace> dialog = replaceDialog("a", "aa");
    QTest::mouseClick(dialog->cmdReplace, Qt::LeftButton);
    EXPECT_EQ(box->Text(), "aa-a-aa");
    ASSERT_EQ(boxes.asked().size(), 3u) << "the inserted 'aa' is not offered again";
    EXPECT_EQ(boxes.asked()[0].prompt, "Replace this occurrence?");
    EXPECT_EQ(boxes.asked()[0].title, "Replace?");
    EXPECT_EQ(boxes.asked()[0].buttons(), vbYesNoCancel);
    EXPECT_TRUE(unloaded(dialog)) << "a pass that reaches the end unloads the dialog";
}

TEST_F(ReplaceDialogsTest, ReplaceNoEverywhereOffersOverlappingMatchesAndChangesNothing) {
    load("aaa");
    for (int i = 0; i < 3; ++i)
        boxes.answer(vbNo);
    QPointer<frmReplace> dialog = replaceDialog("aa", "b");
    QTest::mouseClick(dialog->cmdReplace, Qt::LeftButton);
    EXPECT_EQ(boxes.asked().size(), 2u) << "the No step is one character";
    EXPECT_EQ(box->Text(), "aaa");
    EXPECT_FALSE(document->Changed);
    EXPECT_TRUE(unloaded(dialog));
}

TEST_F(ReplaceDialogsTest, ReplaceCancelStopsAndKeepsTheDialogWithItsTexts) {
    load("one one");
    boxes.answer(vbYes);
    boxes.answer(vbCancel);
    QPointer<frmReplace> dialog = replaceDialog("one", "two");
    QTest::mouseClick(dialog->cmdReplace, Qt::LeftButton);
    EXPECT_EQ(box->Text(), "two one");
    EXPECT_EQ(box->SelText(), "one") << "the occurrence asked about stays selected";
    EXPECT_FALSE(unloaded(dialog));
    EXPECT_EQ(dialog->txtReplace->text(), "two");
    delete dialog;
}

TEST_F(ReplaceDialogsTest, MenuReplaceDialogsHaveTheirCaptionsHelpAndLifeCycle) {
    load("x y x");
    QPointer<frmReplace> first;
    whenShown<frmReplace>([&first](frmReplace* dialog) {
        first = dialog;
        EXPECT_EQ(dialog->windowTitle(), "Replace");
        EXPECT_EQ(dialog->parentWidget(), nullptr) << "shown without an owner";
        EXPECT_EQ(helpContextOf(dialog), 100);
        EXPECT_EQ(dialog->cmdClose->text(), "Cancel");
        dialog->txtFind->setText("z");
        QTest::mouseClick(dialog->cmdReplace, Qt::LeftButton); // not found: stays loaded
    });
    main->searchCommands->mnuSearchReplace_Click();
    whenShown<frmReplace>([&first](frmReplace* dialog) {
        EXPECT_EQ(dialog, first.data());
        EXPECT_EQ(dialog->txtFind->text(), "z");
        QTest::mouseClick(dialog->cmdClose, Qt::LeftButton);
    });
    main->searchCommands->mnuSearchReplace_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first) << "Cancel unloads the dialog";

    whenShown<frmReplaceEx>([](frmReplaceEx* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Extended Replace");
        EXPECT_EQ(helpContextOf(dialog), 100);
        EXPECT_EQ(dialog->txtFind->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        dialog->txtFind->setPlainText("x");
        dialog->txtReplace->setPlainText("1\n2");
        QTest::mouseClick(dialog->cmdReplaceAll, Qt::LeftButton);
    });
    main->searchCommands->mnuSearchReplaceEx_Click();
    EXPECT_EQ(box->Text(), "1\r\n2 y 1\r\n2") << "line breaks of the box become the document's";
    EXPECT_EQ(prompts().last(), "2 Occurrences found and replaced.");
}

TEST_F(ReplaceDialogsTest, ReplaceAllOfALongDocumentFindsOccurrencesAcrossItsPieces) {
    // Long enough to be searched in many pieces, occurrences at every offset from the ends of
    // pieces; once with Latin-1 text only, once with wider characters.
    for (const QString& filler : {QStringLiteral("x\u00e9 "), QStringLiteral("x\u20ac ")}) {
        QString text;
        for (int i = 0; text.size() < 300'000; ++i)
            text += filler.repeated(i % 23) + (i % 5 ? "RETURN" : "return\n");
        load(text);
        QString expected = box->Text();
        const qsizetype count = expected.count(QStringLiteral("return"), Qt::CaseInsensitive);
        expected.replace(QStringLiteral("return"), QStringLiteral("r"), Qt::CaseInsensitive);
        boxes.clear();
        QPointer<frmReplace> dialog = replaceDialog("return", "r");
        QTest::mouseClick(dialog->cmdReplaceAll, Qt::LeftButton);
        ASSERT_EQ(box->Text(), expected);
        EXPECT_EQ(prompts(),
                  QStringList{QString::number(count) + " Occurrences found and replaced."});
        delete dialog;
    }
}

TEST_F(ReplaceDialogsTest, ReplaceAllInTheDocumentMatchesReplacingOneAtATime) {
    std::mt19937 random(7);
    const QString alphabet = QStringLiteral("aAb \n");
    auto randomText = [&](int maxLength) {
        QString text;
        for (int i = int(random() % (maxLength + 1)); i > 0; --i)
            text += alphabet[int(random() % alphabet.size())];
        return text;
    };
    for (int round = 0; round < 60; ++round) {
        const QString text = randomText(30);
        const QString find = randomText(2).remove('\n');
        const QString replace = randomText(3).remove('\n');
        const bool caseSensitive = round % 2;
        load(text);
        const QString before = box->Text();
        // One match at a time through the control, as a Replace pass answered Yes would.
        int count = 0;
        qsizetype start = 0;
        QString expected = before;
        while (!find.isEmpty()) {
            const qsizetype at = expected.indexOf(
                find, start, caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
            if (at < 0)
                break;
            expected.replace(at, find.size(), replace);
            start = at + replace.size();
            ++count;
        }
        boxes.clear();
        QPointer<frmReplace> dialog = replaceDialog(find, replace);
        dialog->chkCaseSensitive->setChecked(caseSensitive);
        QTest::mouseClick(dialog->cmdReplaceAll, Qt::LeftButton);
        ASSERT_EQ(box->Text(), expected)
            << "text '" << text.toStdString() << "' find '" << find.toStdString() << "'";
        const QString report = count ? QString::number(count) + " Occurrences found and replaced."
                                     : QStringLiteral("Search Text not found.");
        ASSERT_EQ(prompts(), QStringList{report});
        delete dialog;
    }
}

} // namespace
} // namespace kelvane::test
