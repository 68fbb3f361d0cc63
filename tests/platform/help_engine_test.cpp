// Tests of the help file parser: format, damaged files, contents and context look-up.
#include "platform/help/HelpEngine.h"

#include "support/TestSupport.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using kelvane::HelpEngine;

namespace {

const QByteArray kSample = "KELVANE-HELP 1\n"
                           "# a comment before the topics\n"
                           "@@file-title Sample Help\n"
                           "@@topic home\n"
                           "@@title Welcome\n"
                           "<p>Start here.</p>\n"
                           "@@topic dialogs\n"
                           "@@title Dialog boxes\n"
                           "<p>All dialogs.</p>\n"
                           "@@topic find\n"
                           "@@title Find\n"
                           "@@context 90\n"
                           "@@parent dialogs\n"
                           "@@keywords search, look up\n"
                           "<p>Type the <b>text</b> &amp; press Find.</p>\n"
                           "@@topic margins\n"
                           "@@title Page Setup\n"
                           "@@context 0\n"
                           "@@parent dialogs\n"
                           "<p>Margins in cm.</p>\n"
                           "@@topic colours\n"
                           "@@title Colouring\n"
                           "<p>Keywords are coloured.</p>\n";

HelpEngine parsed(const QByteArray& bytes) {
    HelpEngine engine;
    engine.loadFromBytes(bytes, QStringLiteral("test.hlp"));
    return engine;
}

} // namespace

TEST(HelpEngine, ParsesTopicsContextsAndContents) {
    const HelpEngine engine = parsed(kSample);
    ASSERT_TRUE(engine.isLoaded()) << engine.errorString().toStdString();
    EXPECT_TRUE(engine.warnings().isEmpty()) << engine.warnings().join('\n').toStdString();
    EXPECT_EQ(engine.fileTitle(), "Sample Help");
    ASSERT_EQ(engine.topics().size(), 5);
    EXPECT_EQ(engine.contentsTopic()->id, "home");

    const auto* find = engine.topicByContext(90);
    ASSERT_NE(find, nullptr);
    EXPECT_EQ(find->title, "Find");
    EXPECT_EQ(find->keywords, QStringList({"search", "look up"}));
    EXPECT_EQ(find->html, "<p>Type the <b>text</b> &amp; press Find.</p>");
    EXPECT_EQ(find->plainText, "Type the text & press Find.");
    ASSERT_NE(engine.topicByContext(0), nullptr); // 0 is a real context number
    EXPECT_EQ(engine.topicByContext(0)->id, "margins");
    EXPECT_EQ(engine.topicByContext(40), nullptr);
    EXPECT_EQ(engine.topicById("colours")->context, -1);

    const auto contents = engine.contents();
    QStringList order;
    for (const auto& entry : contents)
        order << QStringLiteral("%1:%2").arg(entry.depth).arg(entry.id);
    EXPECT_EQ(order, QStringList({"0:home", "0:dialogs", "1:find", "1:margins", "0:colours"}));
}

TEST(HelpEngine, AcceptsCrLfAndByteOrderMark) {
    QByteArray bytes = "\xEF\xBB\xBF" + kSample;
    bytes.replace("\n", "\r\n");
    const HelpEngine engine = parsed(bytes);
    ASSERT_TRUE(engine.isLoaded());
    EXPECT_EQ(engine.topicByContext(90)->title, "Find"); // no stray CR in titles
    EXPECT_FALSE(engine.topicById("home")->html.contains('\r'));
}

TEST(HelpEngine, MissingFileReportsPathAndReason) {
    HelpEngine engine;
    kelvane::test::ScratchDir dir;
    const QString path = dir.file("KELVANE.HLP");
    EXPECT_FALSE(engine.load(path));
    EXPECT_FALSE(engine.isLoaded());
    EXPECT_TRUE(engine.errorString().contains(path));
    EXPECT_EQ(engine.topicByContext(0), nullptr);
    EXPECT_EQ(engine.contentsTopic(), nullptr);
    EXPECT_TRUE(engine.search("find").isEmpty());
}

TEST(HelpEngine, RejectsFilesThatAreNotHelpFiles) {
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* errorPart;
    };
    const Case cases[] = {
        {"empty file", "", "not a Kelvane help file"},
        {"binary Windows help file", QByteArray("?_\x03\x00\x00\x00\xff\xff", 8),
         "not a Kelvane help file"},
        {"plain text", "Hello\n@@topic a\n", "not a Kelvane help file"},
        {"future format", "KELVANE-HELP 2\n@@topic a\n", "format version 2"},
        {"signature only", "KELVANE-HELP 1\n", "holds no topics"},
    };
    for (const Case& c : cases) {
        HelpEngine engine;
        EXPECT_FALSE(engine.loadFromBytes(c.bytes, "x.hlp")) << c.name;
        EXPECT_TRUE(engine.errorString().contains(c.errorPart))
            << c.name << ": " << engine.errorString().toStdString();
        EXPECT_TRUE(engine.topics().isEmpty()) << c.name;
    }
}

TEST(HelpEngine, DamagedTopicsAreSkippedWithWarnings) {
    const QByteArray bytes = "KELVANE-HELP 1\n"
                             "stray text\n"
                             "@@topic good\n@@title Good\n@@context 5\n<p>ok</p>\n"
                             "@@topic good\n@@title Second good\n<p>dup</p>\n"
                             "@@topic bad name!\n<p>x</p>\n"
                             "@@topic numbers\n@@context twelve\n@@context -3\n<p>n</p>\n"
                             "@@topic same\n@@context 5\n<p>s</p>\n"
                             "@@topic orphan\n@@parent nowhere\n<p>o</p>\n"
                             "@@topic loop1\n@@parent loop2\n<p>a</p>\n"
                             "@@topic loop2\n@@parent loop1\n<p>b</p>\n"
                             "@@bogus directive\n"
                             "@@topic cut\n@@title Cut short\n<p>unfinished <b>tag";
    const HelpEngine engine = parsed(bytes);
    ASSERT_TRUE(engine.isLoaded());
    QStringList ids;
    for (const auto& topic : engine.topics())
        ids << topic.id;
    EXPECT_EQ(ids, QStringList({"good", "numbers", "same", "orphan", "loop1", "loop2", "cut"}));
    EXPECT_EQ(engine.topicById("good")->title, "Good");  // first of two kept
    EXPECT_EQ(engine.topicByContext(5)->id, "good");     // duplicate context keeps the first
    EXPECT_EQ(engine.topicById("numbers")->context, -1); // bad numbers ignored
    EXPECT_EQ(engine.topicById("orphan")->parent, "");   // unknown parent: top level
    EXPECT_EQ(engine.contents().size(), engine.topics().size()); // loops do not hide topics
    EXPECT_EQ(engine.topicById("numbers")->title, "numbers");    // id stands in for a missing title
    EXPECT_TRUE(engine.topicById("cut")->plainText.contains("unfinished tag"));
    EXPECT_GE(engine.warnings().size(), 8);
}

TEST(HelpEngine, InvalidUtf8DoesNotStopParsing) {
    const HelpEngine engine =
        parsed("KELVANE-HELP 1\n@@topic a\n@@title T\xff\xfe\n<p>\x80\xc3</p>\n");
    ASSERT_TRUE(engine.isLoaded());
    EXPECT_EQ(engine.topics().size(), 1);
}

// The delivered help file: every context number the editor asks for, and links that resolve.
class DeliveredHelpFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(engine.load(QStringLiteral(KELVANE_RUNTIME_DIR "/KELVANE.HLP")))
            << engine.errorString().toStdString();
    }
    HelpEngine engine;
};

TEST_F(DeliveredHelpFile, HasTheDialogTopicsAndNoWarnings) {
    EXPECT_TRUE(engine.warnings().isEmpty()) << engine.warnings().join('\n').toStdString();
    EXPECT_EQ(engine.contentsTopic()->title, "Kelvane Help");
    const std::pair<int, const char*> expected[] = {
        {40, "New File"},        {90, "Find"},
        {100, "Replace"},        {170, "Configure Compiler/Viewer"},
        {270, "Editor Options"}, {0, "Page Setup"}};
    for (const auto& [context, title] : expected) {
        const auto* topic = engine.topicByContext(context);
        ASSERT_NE(topic, nullptr) << context;
        EXPECT_EQ(topic->title, title) << context;
        EXPECT_GT(topic->plainText.size(), 300) << context; // a real description, not a stub
    }
}

TEST_F(DeliveredHelpFile, EveryLinkNamesATopic) {
    const QRegularExpression link(QStringLiteral("href=\"([^\"]*)\""));
    int links = 0;
    for (const auto& topic : engine.topics()) {
        for (auto it = link.globalMatch(topic.html); it.hasNext();) {
            const QString target = it.next().captured(1);
            ASSERT_TRUE(target.startsWith("topic:"))
                << topic.id.toStdString() << " -> " << target.toStdString();
            EXPECT_NE(engine.topicById(target.mid(6)), nullptr)
                << topic.id.toStdString() << " -> " << target.toStdString();
            ++links;
        }
    }
    EXPECT_GT(links, 20);
}

TEST_F(DeliveredHelpFile, UsesTheEditorsOwnTexts) {
    const QString all = [&] {
        QString text;
        for (const auto& topic : engine.topics())
            text += topic.plainText + '\n';
        return text;
    }();
    for (const char* text :
         {"Do you wish to save the changes you have made to the file", "Search Text not found.",
          "Occurrences found and replaced.", "Save Backups when files are opened",
          "Refresh Color Coding", "bytes selected.", "Finished.", "Opened Files:"})
        EXPECT_TRUE(all.contains(text)) << text;
}
