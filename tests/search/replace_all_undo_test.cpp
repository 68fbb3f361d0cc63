// Edits of a whole document carried out on its control: Replace All's many replacements made
// as one edit whose Undo gives back exactly the text and formatting that were there.
#include "document/DocumentEdits.h"

#include "platform/richtext/RichTextBox.h"
#include "search/TextSearch.h"

#include <gtest/gtest.h>

using namespace kelvane;

TEST(DocumentEdits, ReplaceAllIsOneEditThatUndoGivesBackExactly) {
    RichTextBox box;
    QString text;
    for (int i = 0; i < 2000; ++i)
        text += QStringLiteral("int f%1() {\r\n    Return x; return y;\r\n}\r\n").arg(i);
    box.setText(text);
    box.sealUndoStep();
    const QString before = box.documentText();
    const int stepsBefore = box.undoSteps();

    TextEdits edits =
        replaceAllEdits(before, u"return", QStringLiteral("result\nnow"), Qt::CaseInsensitive);
    ASSERT_EQ(edits.size(), 4000u);
    ASSERT_TRUE(applyDocumentEdits(box, std::move(edits)));
    QString expected = before;
    expected.replace(QStringLiteral("return"), QStringLiteral("result\nnow"), Qt::CaseInsensitive);
    EXPECT_EQ(box.documentText(), expected);
    EXPECT_EQ(box.lineCount(), before.count(u'\n') + 1 + 4000);
    EXPECT_EQ(box.undoSteps(), stepsBefore + 1) << "one step of the undo history";

    box.undo();
    EXPECT_EQ(box.documentText(), before) << "the exact text, 'Return' with its capital";
    EXPECT_EQ(box.lineCount(), before.count(u'\n') + 1);
    box.redo();
    EXPECT_EQ(box.documentText(), expected);
}
