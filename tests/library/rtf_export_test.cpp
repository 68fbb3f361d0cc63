// Export as RTF: the dialog, the caption, colouring only when out of date, the failure
// message, and the exported file as LibreOffice reads it.
#include "LibraryFixture.h"

#include "platform/KeyedTabBar.h"
#include "platform/richtext/RichTextBox.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace kelvane::test {
namespace {

class RtfExportTest : public LibraryFixture {
protected:
    void SetUp() override {
        LibraryFixture::SetUp();
        start();
        EditorSettings.Keywords0 = QString("int") + QChar(0xFF) + "return" + QChar(0xFF);
        EditorSettings.Keywords1 = QString("printf") + QChar(0xFF);
        EditorSettings.KeywordCount = 3;
        EditorSettings.KeywordColor0 = 0x0000FF;         // red
        EditorSettings.KeywordColor1 = 0xFF0000;         // blue
        EditorSettings.Delimiters = (1 << 1) | (1 << 3); // C comments and strings
        EditorSettings.DelimitColor = 0x008000;          // green
        EditorSettings.AutoCode = true;
        document = main->activeDocument();
        document->rtfText->setText(kSource);
        document->ColorCode();
        document->Changed = false;
    }

    static constexpr const char* kSource = "int main(void) {\r\n"
                                           "    /* greet the reader */\r\n"
                                           "    printf(\"hello, world <&>\");\r\n"
                                           "    return 0;\r\n"
                                           "}";
    frmDocument* document = nullptr;
};

TEST_F(RtfExportTest, DialogAsksWithItsTitleFilterAndExtensionThenShowsThePathAsCaption) {
    document->Tag = scratch.file("main.c");
    document->setCaption("main.c");
    document->Changed = true;
    const QString target = scratch.file("listing.rtf");
    dialogs.answerFile(target);
    main->library->mnuFileExportRTF_Click();
    ASSERT_EQ(dialogs.fileRequests().size(), 1u);
    const FileDialogRequest& asked = dialogs.fileRequests()[0];
    EXPECT_EQ(asked.kind, FileDialogRequest::Save);
    EXPECT_EQ(asked.title, "Export as RTF");
    EXPECT_EQ(asked.filter, "Rich Text Format (*.rtf)|*.rtf|All Files (*.*)|*.*");
    EXPECT_EQ(asked.defaultExt, ".rtf");
    EXPECT_EQ(document->Caption(), target);
    EXPECT_EQ(main->tabFiles->tabText(main->tabFiles->indexOfKey(document->tabKey())), target);
    EXPECT_EQ(document->Tag, scratch.file("main.c")) << "its own file stays";
    EXPECT_TRUE(document->Changed);
    EXPECT_TRUE(main->dlgCommonDialog.FileName.isEmpty());
    EXPECT_TRUE(readAll(target).startsWith("{\\rtf1"));
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(RtfExportTest, CancelWritesNothingAndKeepsTheCaption) {
    const QString caption = document->Caption();
    dialogs.answerFile(std::nullopt);
    main->library->mnuFileExportRTF_Click();
    EXPECT_EQ(document->Caption(), caption);
    EXPECT_TRUE(QDir(scratch.path()).entryList({"*.rtf"}).isEmpty());
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(RtfExportTest, UpToDateColoursAreWrittenAsTheyAreWithoutRecolouring) {
    // Colours that a pass would change: the export must keep them, as nothing is out of date.
    document->rtfText->setSelStart(0);
    document->rtfText->setSelLength(3);
    document->rtfText->setSelColor(0x00FFFF);
    ASSERT_FALSE(document->ChangedHighLight);
    dialogs.answerFile(scratch.file("kept.rtf"));
    main->library->mnuFileExportRTF_Click();
    EXPECT_TRUE(readAll(scratch.file("kept.rtf")).contains("\\red255\\green255\\blue0"));

    document->ChangedHighLight = true; // now out of date: coloured again first
    dialogs.answerFile(scratch.file("fresh.rtf"));
    main->library->mnuFileExportRTF_Click();
    EXPECT_FALSE(readAll(scratch.file("fresh.rtf")).contains("\\red255\\green255\\blue0"));
    EXPECT_FALSE(document->ChangedHighLight);
}

TEST_F(RtfExportTest, UntitledDocumentExportedStillAsksForANameWhenSaved) {
    ASSERT_TRUE(document->isUntitled());
    dialogs.answerFile(scratch.file("listing.rtf"));
    main->library->mnuFileExportRTF_Click();
    ASSERT_FALSE(document->isUntitled());
    dialogs.answerFile(scratch.file("main.c"));
    main->mnuFileSave_Click();
    ASSERT_EQ(dialogs.fileRequests().size(), 2u);
    EXPECT_EQ(dialogs.fileRequests()[1].title, "Save");
    EXPECT_EQ(document->Tag, scratch.file("main.c"));
    EXPECT_TRUE(readAll(scratch.file("main.c")).startsWith("int main"));
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(RtfExportTest, FailedWriteIsReportedWithThePathAndTheCaptionGoesBack) {
    const QString caption = document->Caption();
    const QString target = scratch.file("missing-folder/listing.rtf");
    dialogs.answerFile(target);
    main->library->mnuFileExportRTF_Click();
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_TRUE(boxes.asked()[0].prompt.startsWith("An error occurred when saving the file " +
                                                   target + ".\r\n"));
    EXPECT_GT(boxes.asked()[0].prompt.size(), (target.size() + 42));
    EXPECT_EQ(boxes.asked()[0].title, kAppTitle);
    EXPECT_EQ(document->Caption(), caption);
}

TEST_F(RtfExportTest, NoDocumentAsksNothing) {
    document->subWindow()->close();
    main->library->mnuFileExportRTF_Click();
    EXPECT_TRUE(dialogs.fileRequests().empty());
}

// --- the exported file as LibreOffice reads it ---

struct HtmlText {
    QString text;                ///< paragraphs joined by '\n'
    std::vector<QString> colour; ///< per character: "#rrggbb", or empty for none
};

QString decodeEntities(const QString& html) {
    static const QRegularExpression entity(R"(&(#x?[0-9a-fA-F]+|[a-z]+);)");
    QString out;
    qsizetype from = 0;
    for (auto it = entity.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        out += html.mid(from, m.capturedStart() - from);
        const QString name = m.captured(1);
        if (name.startsWith("#x"))
            out += QChar(name.mid(2).toUInt(nullptr, 16));
        else if (name.startsWith('#'))
            out += QChar(name.mid(1).toUInt());
        else
            out += name == "lt"     ? "<"
                   : name == "gt"   ? ">"
                   : name == "amp"  ? "&"
                   : name == "quot" ? "\""
                   : name == "nbsp" ? " "
                                    : m.captured(0);
        from = m.capturedEnd();
    }
    return out + html.mid(from);
}

// Reads LibreOffice's HTML: the body's text with the font colour in force at each character.
HtmlText readColouredHtml(const QString& html) {
    HtmlText out;
    const qsizetype body = html.indexOf("<body");
    static const QRegularExpression token(R"(<(/?)([a-zA-Z0-9]+)([^>]*)>|([^<]+))");
    static const QRegularExpression colourAttribute(
        R"((?:color\s*=\s*"|color:\s*)(#[0-9a-fA-F]{6}))");
    std::vector<std::pair<QString, QString>> open; // tag, colour
    bool inParagraph = false;
    bool paragraphJustOpened = false;
    for (auto it = token.globalMatch(html, body); it.hasNext();) {
        const auto m = it.next();
        if (m.hasCaptured(4)) {
            if (!inParagraph)
                continue;
            // LibreOffice wraps long lines of its HTML at spaces, so a line break stands for
            // a space, except the one that follows a paragraph's opening tag.
            QString text = m.captured(4);
            if (paragraphJustOpened && text.startsWith('\n'))
                text.remove(0, 1);
            paragraphJustOpened = false;
            if (text.isEmpty())
                continue;
            text = decodeEntities(text.replace('\n', ' '));
            QString colour;
            for (auto o = open.rbegin(); o != open.rend() && colour.isEmpty(); ++o)
                colour = o->second;
            out.text += text;
            out.colour.insert(out.colour.end(), size_t(text.size()), colour.toLower());
            continue;
        }
        const QString tag = m.captured(2).toLower();
        const bool closing = !m.captured(1).isEmpty();
        paragraphJustOpened = tag == "p" && !closing;
        if (tag == "p") {
            if (closing) {
                inParagraph = false;
            } else {
                if (!out.text.isEmpty() || inParagraph) {
                    out.text += '\n';
                    out.colour.emplace_back();
                }
                inParagraph = true;
            }
        } else if (tag == "br") {
            out.text += '\n';
            out.colour.emplace_back();
        } else if (tag == "font" || tag == "span") {
            if (closing) {
                for (auto o = open.rbegin(); o != open.rend(); ++o)
                    if (o->first == tag) {
                        open.erase(std::next(o).base());
                        break;
                    }
            } else {
                const auto c = colourAttribute.match(m.captured(3));
                open.emplace_back(tag, c.hasMatch() ? c.captured(1) : QString());
            }
        }
    }
    return out;
}

QString rgbOf(WinColour colour) {
    return QString::asprintf("#%02x%02x%02x", colour & 0xFF, (colour >> 8) & 0xFF,
                             (colour >> 16) & 0xFF);
}

TEST_F(RtfExportTest, LibreOfficeReadsEveryKeywordAndDelimiterRunInItsColour) {
    const QString soffice = QStandardPaths::findExecutable("soffice");
    ASSERT_FALSE(soffice.isEmpty()) << "soffice not found: install libreoffice-writer-nogui";
    const QString target = scratch.file("listing.rtf");
    dialogs.answerFile(target);
    main->library->mnuFileExportRTF_Click();
    ASSERT_TRUE(boxes.asked().empty());

    QProcess convert;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", scratch.path());
    convert.setProcessEnvironment(env);
    convert.start(soffice, {"-env:UserInstallation=file://" + scratch.file("profile"), "--headless",
                            "--convert-to", "html", "--outdir", scratch.path(), target});
    ASSERT_TRUE(convert.waitForFinished(180000));
    ASSERT_EQ(convert.exitCode(), 0) << convert.readAllStandardError().constData();
    const HtmlText read =
        readColouredHtml(QString::fromUtf8(readAll(scratch.file("listing.html"))));

    const QString expected = QString(kSource).replace("\r\n", "\n");
    ASSERT_EQ(read.text.toStdString(), expected.toStdString());
    // Every character the colouring gave a keyword or delimiter colour has it in the reader.
    const RichText rich = document->rtfText->richText();
    int checked = 0;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const CharStyle& style = rich.styles[rich.styleOfChar[size_t(i)]];
        if (expected[i].isSpace() || !style.hasColour || style.colour == kWindowTextColour)
            continue;
        EXPECT_EQ(read.colour[size_t(i)], rgbOf(style.colour))
            << "at " << i << " '" << QString(expected[i]).toStdString() << "'";
        ++checked;
    }
    auto colourOf = [&](const QString& run) { return read.colour[size_t(expected.indexOf(run))]; };
    EXPECT_EQ(colourOf("int"), "#ff0000");
    EXPECT_EQ(colourOf("return"), "#ff0000");
    EXPECT_EQ(colourOf("printf"), "#0000ff");
    EXPECT_EQ(colourOf("/* greet"), "#008000");
    EXPECT_EQ(colourOf("reader */"), "#008000");
    EXPECT_EQ(colourOf("\"hello"), "#008000");
    EXPECT_EQ(colourOf("<&>\""), "#008000");
    EXPECT_NE(colourOf("main"), "#ff0000");
    EXPECT_GT(checked, 40);
}

} // namespace
} // namespace kelvane::test
