// The writer's RTF as another program reads it: LibreOffice converts it to ODT and the
// text, colours and emphasis must all be there.
#include "platform/rtf/RtfCodec.h"

#include "support/TestSupport.h"

#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace kelvane;

namespace {

struct Span {
    QString style;
    QString text;
};

// What content.xml says: the automatic text styles with their properties, the paragraphs,
// and the spans of text with the style each uses.
struct OdtContent {
    QMap<QString, QMap<QString, QString>> styles; // style name -> "fo:color" -> "#ff0000"
    QStringList paragraphs;
    std::vector<Span> spans;

    // The properties of the span that contains `text`.
    QMap<QString, QString> propertiesOf(const QString& text) const {
        for (const Span& s : spans) {
            if (s.text.contains(text))
                return styles.value(s.style);
        }
        ADD_FAILURE() << "no span with " << text.toStdString();
        return {};
    }
};

OdtContent parseContent(const QByteArray& xml) {
    OdtContent content;
    QXmlStreamReader reader(xml);
    QString styleName;
    QStringList spanStyles;
    auto addText = [&](const QString& text) {
        if (content.paragraphs.isEmpty())
            return;
        content.paragraphs.last() += text;
        if (!spanStyles.isEmpty())
            content.spans.back().text += text;
    };
    while (!reader.atEnd()) {
        reader.readNext();
        const auto name = reader.qualifiedName();
        if (reader.isStartElement()) {
            if (name == u"style:style") {
                styleName = reader.attributes().value("style:name").toString();
            } else if (name == u"style:text-properties") {
                for (const QXmlStreamAttribute& a : reader.attributes())
                    content.styles[styleName][a.qualifiedName().toString()] = a.value().toString();
            } else if (name == u"text:p" || name == u"text:h") {
                content.paragraphs.append(QString());
            } else if (name == u"text:span") {
                spanStyles.append(reader.attributes().value("text:style-name").toString());
                content.spans.push_back(Span{spanStyles.last(), QString()});
            } else if (name == u"text:tab") {
                addText("\t");
            } else if (name == u"text:s") {
                const auto count = reader.attributes().value("text:c").toInt();
                addText(QString(std::max(1, count), u' '));
            }
        } else if (reader.isEndElement() && name == u"text:span") {
            spanStyles.removeLast();
            if (!spanStyles.isEmpty()) // text after a nested span belongs to the outer one
                content.spans.push_back(Span{spanStyles.last(), QString()});
        } else if (reader.isCharacters()) {
            addText(reader.text().toString());
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return content;
}

// Runs a program and returns its standard output, failing the test when it does not end well.
QByteArray run(const QString& program, const QStringList& args, const QString& home) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    process.setProcessEnvironment(env);
    process.start(program, args);
    const bool finished = process.waitForFinished(180000);
    EXPECT_TRUE(finished) << program.toStdString() << " did not finish";
    if (!finished)
        process.kill();
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().constData();
    return process.readAllStandardOutput();
}

} // namespace

TEST(RtfLibreOffice, WrittenDocumentKeepsTextColoursAndEmphasis) {
    const QString soffice = QStandardPaths::findExecutable("soffice");
    const QString unzip = QStandardPaths::findExecutable("unzip");
    ASSERT_FALSE(soffice.isEmpty()) << "soffice not found: install libreoffice-writer-nogui";
    ASSERT_FALSE(unzip.isEmpty()) << "unzip not found: install unzip";

    enum { Plain, Red, Bold, Yellow, ItalicUnder, Arial, WindowText };
    std::vector<CharStyle> styles(7);
    styles[Red].hasColour = true;
    styles[Red].colour = 0x0000FF;
    styles[Bold].bold = true;
    styles[Yellow].hasBackground = true;
    styles[Yellow].background = 0x00FFFF;
    styles[ItalicUnder].italic = styles[ItalicUnder].underline = true;
    styles[Arial].fontName = "Arial";
    styles[Arial].pointSize = 14;
    styles[WindowText].hasColour = true;
    styles[WindowText].colour = kWindowTextColour;

    RichText doc;
    doc.styles = styles;
    auto add = [&doc](const QString& text, std::uint8_t style) {
        doc.text += text;
        doc.styleOfChar.insert(doc.styleOfChar.end(), std::size_t(text.size()), style);
    };
    add("Plain start, ", Plain);
    add("red words", Red);
    add(" then ", WindowText);
    add("bold words", Bold);
    add("\tafter a tab {braces} \\ ", Plain);
    add("marked", Yellow);
    add("\n", Plain);
    add(QString::fromUtf16(u"caf\u00E9 \u03A9\u2014\U0001F600 "), ItalicUnder);
    add("big Arial", Arial);
    add("\nlast line", Plain);

    test::ScratchDir dir;
    const QString rtfPath = dir.write("sample.rtf", rtf::write(doc));
    run(soffice,
        {"-env:UserInstallation=file://" + dir.file("profile"), "--headless", "--convert-to", "odt",
         "--outdir", dir.path(), rtfPath},
        dir.path());
    const QByteArray xml = run(unzip, {"-p", dir.file("sample.odt"), "content.xml"}, dir.path());
    ASSERT_FALSE(xml.isEmpty());
    const OdtContent content = parseContent(xml);

    EXPECT_EQ(content.paragraphs,
              QStringList({"Plain start, red words then bold words\tafter a tab {braces} \\ marked",
                           QString::fromUtf16(u"caf\u00E9 \u03A9\u2014\U0001F600 big Arial"),
                           "last line"}));

    const auto red = content.propertiesOf("red words");
    EXPECT_EQ(red.value("fo:color"), "#ff0000");
    EXPECT_NE(red.value("fo:font-weight"), "bold");
    EXPECT_EQ(content.propertiesOf("bold words").value("fo:font-weight"), "bold");
    EXPECT_NE(content.propertiesOf("bold words").value("fo:color"), "#ff0000");
    EXPECT_EQ(content.propertiesOf("marked").value("fo:background-color"), "#ffff00");
    const auto emphasis = content.propertiesOf(QString::fromUtf16(u"caf\u00E9"));
    EXPECT_EQ(emphasis.value("fo:font-style"), "italic");
    EXPECT_EQ(emphasis.value("style:text-underline-style"), "solid");
    const auto arial = content.propertiesOf("big Arial");
    EXPECT_EQ(arial.value("style:font-name"), "Arial");
    EXPECT_EQ(arial.value("fo:font-size"), "14pt");
    EXPECT_EQ(content.propertiesOf("Plain start").value("fo:font-size"), "10pt");
    EXPECT_EQ(content.propertiesOf("Plain start").value("style:font-name"), "Courier New");
}
