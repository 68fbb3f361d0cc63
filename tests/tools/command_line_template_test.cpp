// The first "%f" of the compiler's template becomes the document's path, one argument whole.
#include "platform/Shell.h"
#include "tools/CommandLineTemplate.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

struct TemplateCase {
    const char* name;
    const char* commandTemplate;
    const char* path;
    const char* expected;
};

TEST(CommandLineTemplate, FirstPlaceholderOnly) {
    const TemplateCase cases[] = {
        {"only the first %f", "cc %f -o %f.out", "/src/a.c", "cc /src/a.c -o %f.out"},
        {"no placeholder", "make all", "/src/a.c", "make all"},
        {"upper-case %F stays", "cc %F", "/src/a.c", "cc %F"},
        {"%F before %f", "x %F %f", "/a", "x %F /a"},
        {"empty template", "", "/a", ""},
        {"blank in the path is quoted", "cc %f", "/my src/a.c", "cc '/my src/a.c'"},
        {"quote in the path", "cc %f", "/it's/a.c", R"(cc '/it'\''s/a.c')"},
        {"shell characters are quoted", "cc %f", "/a;rm -rf ~/$x.c", "cc '/a;rm -rf ~/$x.c'"},
        {"inside double quotes", R"(cc "%f")", R"(/my "src"/a.c)", R"(cc "/my \"src\"/a.c")"},
        {"inside single quotes", "cc '%f'", "/it's/a.c", R"(cc '/it'\''s/a.c')"},
        {"joined to other text", "cc -o%f.out", "/a b", "cc -o'/a b'.out"},
    };
    for (const TemplateCase& c : cases)
        EXPECT_EQ(substituteFileName(QString::fromUtf8(c.commandTemplate),
                                     QString::fromUtf8(c.path), CommandSyntax::Posix),
                  QString::fromUtf8(c.expected))
            << c.name;
}

TEST(CommandLineTemplate, SubstitutedPathSplitsBackWhole) {
    const QString awkward = QStringLiteral("/x/it's a \"b\" \\ $c;d.c");
    for (const char* commandTemplate : {"cc %f -o x", "cc \"%f\" -o x", "cc '%f' -o x"}) {
        const QStringList words = splitCommandLine(
            substituteFileName(QString::fromUtf8(commandTemplate), awkward, CommandSyntax::Posix),
            CommandSyntax::Posix);
        EXPECT_EQ(words, (QStringList{"cc", awkward, "-o", "x"})) << commandTemplate;
    }
}

TEST(CommandLineTemplate, WindowsPathsKeepBackslashes) {
    EXPECT_EQ(substituteFileName(QStringLiteral("cc %f"), QStringLiteral(R"(C:\src\a.c)"),
                                 CommandSyntax::Windows),
              QStringLiteral(R"(cc C:\src\a.c)"));
    EXPECT_EQ(substituteFileName(QStringLiteral("cc %f"), QStringLiteral(R"(C:\my src\a.c)"),
                                 CommandSyntax::Windows),
              QStringLiteral(R"(cc "C:\my src\a.c")"));
}

} // namespace
} // namespace kelvane
