// The options answered in the terminal (--help, --version) and the command lines left to the
// main window as a file to open.
#include "app/CommandLineAnswer.h"
#include "dialogs/frmAbout.h"

#include <QLabel>
#include <gtest/gtest.h>

#include <vector>

namespace kelvane::test {
namespace {

std::optional<std::string> answerTo(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "kelvane");
    return commandLineAnswer(int(arguments.size()), arguments.data());
}

TEST(CommandLineAnswerTest, VersionIsTheOneTheAboutBoxShows) {
    const auto answer = answerTo({"--version"});
    ASSERT_TRUE(answer.has_value());
    frmAbout about;
    EXPECT_EQ(*answer, "Kelvane " + about.lblVersion->text().toStdString() + "\n");
    EXPECT_EQ(answerTo({"--version", "ignored.txt"}), answer);
}

TEST(CommandLineAnswerTest, HelpNamesTheCommandItsFilesAndOptions) {
    const auto answer = answerTo({"--help"});
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->rfind("Usage: kelvane [FILE]\n", 0), 0u) << *answer;
    for (const char* word : {".kpj", "--help", "--version", "kelvane(1)"})
        EXPECT_NE(answer->find(word), std::string::npos) << word;
    EXPECT_EQ(answer->back(), '\n');
}

TEST(CommandLineAnswerTest, EverythingElseIsLeftToTheMainWindowAsAFile) {
    EXPECT_FALSE(commandLineAnswer(0, nullptr));
    EXPECT_FALSE(answerTo({}));
    EXPECT_FALSE(answerTo({"notes.txt"}));
    EXPECT_FALSE(answerTo({"project.kpj"}));
    // Only the first word asks: "notes --help" is a file name with a blank in it.
    EXPECT_FALSE(answerTo({"notes", "--help"}));
    EXPECT_FALSE(answerTo({"notes", "--version"}));
    // Near misses are file names too, as they always were.
    for (const char* name : {"-h", "-v", "--Help", "--versions", "--help=", "-version", "--"})
        EXPECT_FALSE(answerTo({name})) << name;
}

} // namespace
} // namespace kelvane::test
