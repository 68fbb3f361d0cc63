// Command lines split without a shell, words quoted to survive the split, and a real start.
#include "platform/Shell.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

namespace kelvane {
namespace {

struct SplitCase {
    const char* name;
    const char* line;
    QStringList words;
};

TEST(ShellSplit, PosixWordsQuotesAndEscapes) {
    const SplitCase cases[] = {
        {"blanks separate", "cc  a.c\t-o a", {"cc", "a.c", "-o", "a"}},
        {"single quotes keep everything", "cc '/x y/$HOME \"a\".c'", {"cc", "/x y/$HOME \"a\".c"}},
        {"double quotes take escapes", R"(cc "a \"b\" \\c")", {"cc", R"(a "b" \c)"}},
        {"backslash outside quotes", R"(cc a\ b.c)", {"cc", "a b.c"}},
        {"quoted pieces join one word", "cc -o'a b'.out", {"cc", "-oa b.out"}},
        {"empty quotes are a word", "prog '' x", {"prog", "", "x"}},
        {"nothing is expanded",
         "cc *.c $X;rm -rf ~ | tee",
         {"cc", "*.c", "$X;rm", "-rf", "~", "|", "tee"}},
        {"unclosed quote runs to the end", "cc 'a b", {"cc", "a b"}},
        {"only blanks", "   ", {}},
    };
    for (const SplitCase& c : cases)
        EXPECT_EQ(splitCommandLine(QString::fromUtf8(c.line), CommandSyntax::Posix), c.words)
            << c.name;
}

TEST(ShellSplit, WindowsKeepsBackslashes) {
    EXPECT_EQ(splitCommandLine(QStringLiteral(R"("C:\Program Files\cc.exe" C:\src\a.c)"),
                               CommandSyntax::Windows),
              (QStringList{R"(C:\Program Files\cc.exe)", R"(C:\src\a.c)"}));
}

TEST(ShellQuote, EveryAwkwardNameComesBackAsOneWord) {
    const QStringList names = {
        "/plain/a.c",       "/with blank/a b.c", "/it's/a.c",  "/\"q\"/a.c",
        "/back\\slash/a.c", "/$HOME/`x`;|&.c",   "/tab\tin.c", "",
    };
    for (CommandSyntax syntax : {CommandSyntax::Posix, CommandSyntax::Windows}) {
        for (const QString& name : names) {
            if (syntax == CommandSyntax::Windows && name.contains(QLatin1Char('"')))
                continue; // not a possible Windows file name
            const QString line = QStringLiteral("prog ") + quoteCommandWord(name, syntax);
            EXPECT_EQ(splitCommandLine(line, syntax), (QStringList{"prog", name}))
                << name.toStdString();
        }
    }
    EXPECT_EQ(quoteCommandWord(QStringLiteral("/plain/a.c"), CommandSyntax::Posix),
              QStringLiteral("/plain/a.c"));
}

TEST(ShellStart, EmptyLineStartsNothing) {
    RecordingShell shell;
    EXPECT_FALSE(StartProgram(QStringLiteral("   "), vbNormalFocus));
    EXPECT_FALSE(StartProgram(QStringLiteral("'' a"), vbNormalFocus));
    EXPECT_TRUE(shell.starts.empty());
    ASSERT_TRUE(StartProgram(QStringLiteral("cc 'a b.c'"), vbHide));
    ASSERT_EQ(shell.starts.size(), 1u);
    EXPECT_EQ(shell.starts[0].program, QStringLiteral("cc"));
    EXPECT_EQ(shell.starts[0].arguments, QStringList{"a b.c"});
    EXPECT_EQ(shell.starts[0].showCode, int(vbHide));
}

TEST(ShellStart, RealProgramReceivesEachArgumentWhole) {
    test::ScratchDir scratch;
    const QString script = scratch.write(QStringLiteral("record args.sh"),
                                         "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; "
                                         "done > \"$1.out\"\n");
    QFile::setPermissions(script, QFile::permissions(script) | QFileDevice::ExeOwner);
    const QString target = scratch.file(QStringLiteral("a 'b' $c.txt"));
    ASSERT_TRUE(StartProgram(quoteCommandWord(script) + QLatin1Char(' ') +
                                 quoteCommandWord(target) + QStringLiteral(" two;words"),
                             vbNormalFocus));
    const QString out = target + QStringLiteral(".out");
    EXPECT_TRUE(QTest::qWaitFor([&] { return test::readAll(out).endsWith('\n'); }, 10000));
    EXPECT_EQ(test::readAll(out), (target + QStringLiteral("\ntwo;words\n")).toUtf8());
}

TEST(ShellStart, MissingProgramFails) {
    EXPECT_FALSE(StartProgram(QStringLiteral("/no/such/program/anywhere x"), vbNormalFocus));
}

} // namespace
} // namespace kelvane
