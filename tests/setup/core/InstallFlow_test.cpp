// The installation sequence against a scripted host: order of steps and every failure path.
#include "InstallFlow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <set>
#include <string>
#include <vector>

using namespace fastinst;

namespace {

// Records every call; answers message boxes from a queue and fails chosen copies.
class FakeHost : public InstallHost {
public:
    std::u16string destination = u"c:\\Dralto";
    std::deque<Answer> answers;
    std::set<std::u16string> existing = {u"c:\\", u"c:\\Windows"};
    std::multiset<std::u16string> failingCopies; // each entry fails one attempt
    bool progmanAnswers = true;
    bool executeSucceeds = true;
    bool startSucceeds = true;
    bool closeAfterFirstCopy = false;
    int failingEntries = 0;        // registry writes that fail before one succeeds
    int acknowledgeAfterPumps = 0; // pumps until the commands are acknowledged
    bool executePending = false;

    std::vector<std::u16string> log;
    std::vector<std::u16string> boxes;
    std::vector<UninstallEntry> entries;
    std::set<std::u16string> files;
    int copies = 0;
    int pendingPumps = 0;

    std::u16string DestinationText() override { return destination; }
    Answer Ask(const std::u16string& text, const std::u16string& caption, BoxKind) override {
        boxes.push_back(caption + u"|" + text);
        log.push_back(u"ask " + text);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected box: " << ::testing::PrintToString(text);
            return Answer::No;
        }
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void FocusDestination() override { log.push_back(u"focus"); }
    bool EnterFolder(const std::u16string& path) override { return existing.count(path) > 0; }
    bool CreateFolder(const std::u16string& path) override {
        log.push_back(u"mkdir " + path);
        existing.insert(path);
        return true;
    }
    std::u16string WindowsFolder() override { return u"c:\\Windows"; }
    void ShowWaitCursor(bool) override {}
    bool CopyInstallFile(const std::u16string& source, const std::u16string& target) override {
        ++copies;
        log.push_back(u"copy " + source + u" " + target);
        auto it = failingCopies.find(target);
        if (it != failingCopies.end()) {
            failingCopies.erase(it);
            return false;
        }
        files.insert(target);
        return true;
    }
    void PumpMessagesFor(int) override {
        if (executePending) {
            log.push_back(u"pump");
            executePending = --pendingPumps > 0;
        }
    }
    bool CloseRequested() override { return closeAfterFirstCopy && copies > 0; }
    bool ProgmanInitiate() override {
        log.push_back(u"initiate");
        return progmanAnswers;
    }
    bool ProgmanReady() override { return !executePending; }
    bool ProgmanExecute(const std::u16string& programPath) override {
        log.push_back(u"execute " + programPath);
        pendingPumps = acknowledgeAfterPumps;
        executePending = executeSucceeds && pendingPumps > 0;
        return executeSucceeds;
    }
    void ProgmanTerminate() override { log.push_back(u"terminate"); }
    bool WriteUninstallEntry(const UninstallEntry& entry) override {
        log.push_back(u"registry");
        if (failingEntries > 0) {
            --failingEntries;
            return false;
        }
        entries.push_back(entry);
        return true;
    }
    void RemoveFile(const std::u16string& path) override {
        log.push_back(u"delete " + path);
        files.erase(path);
    }
    void CreateEmptyFile(const std::u16string& path) override {
        log.push_back(u"create " + path);
        files.insert(path);
    }
    bool StartProgram(const std::u16string& commandLine) override {
        log.push_back(u"start " + commandLine);
        return startSucceeds;
    }
    void CloseSetupWindow() override { log.push_back(u"close"); }

    int Count(const std::u16string& prefix) const {
        int n = 0;
        for (const auto& line : log) {
            n += line.rfind(prefix, 0) == 0;
        }
        return n;
    }
};

InstallSettings English() {
    return {true, u"d:\\setup\\", false};
}

} // namespace

TEST(InstallFlow, EnglishDefaultRunsEveryStepInOrder) {
    FakeHost host;
    host.answers = {Answer::Yes, Answer::Yes, Answer::Yes};
    InstallSettings settings = English();
    EXPECT_EQ(InstallProduct(host, settings), InstallOutcome::Completed);

    std::vector<std::u16string> expected = {u"ask Install to \"c:\\Dralto\"?", u"mkdir c:\\Dralto"};
    const char16_t* names[] = {u"Dralto.exe", u"Plugext.dll",  u"psapi.dll",   u"Dralto.hlp",
                               u"Dralto.cnt", u"Dralto-e.hlp", u"Dralto-e.cnt"};
    for (const char16_t* name : names) {
        expected.push_back(std::u16string(u"copy d:\\setup\\") + name + u" c:\\Dralto\\" + name);
    }
    expected.insert(expected.end(),
                    {u"copy d:\\setup\\drunin32.exe c:\\Windows\\drunin32.exe",
                     u"ask Create program group?", u"initiate", u"execute c:\\Dralto\\Dralto.exe",
                     u"terminate", u"registry", u"delete c:\\Dralto\\Dralto.cfg",
                     u"ask Setup complete. Start program?", u"start c:\\Dralto\\Dralto.exe",
                     u"close"});
    EXPECT_EQ(host.log, expected);
    ASSERT_EQ(host.entries.size(), 1u);
    EXPECT_EQ(host.entries[0].uninstallString, u"c:\\Dralto\\Dralto.exe uninst");
    EXPECT_EQ(host.boxes[1], u"Dralto|Create program group?");
}

TEST(InstallFlow, GermanTrailingBackslashCreatesMarkerAndLevels) {
    FakeHost host;
    host.destination = u"c:\\Neu\\Tief\\Dralto\\";
    host.answers = {Answer::Yes, Answer::No, Answer::No};
    InstallSettings settings{false, u"d:\\", false};
    EXPECT_EQ(InstallProduct(host, settings), InstallOutcome::Completed);
    EXPECT_EQ(host.boxes[0], u"Setup|Dralto in den Ordner \xBB"
                             u"c:\\Neu\\Tief\\Dralto\xAB installieren?");
    EXPECT_EQ(host.Count(u"mkdir"), 3);
    EXPECT_TRUE(host.files.count(u"c:\\Neu\\Tief\\Dralto\\Dralto.cfg"));
    EXPECT_EQ(host.Count(u"initiate"), 0);
    EXPECT_EQ(host.Count(u"start"), 0);
    EXPECT_EQ(host.log.back(), u"close");
}

TEST(InstallFlow, EnglishRemovesAnEarlierMarker) {
    FakeHost host;
    host.files.insert(u"c:\\Dralto\\Dralto.cfg");
    host.answers = {Answer::Yes, Answer::No, Answer::No};
    InstallSettings settings = English();
    InstallProduct(host, settings);
    EXPECT_FALSE(host.files.count(u"c:\\Dralto\\Dralto.cfg"));
}

TEST(InstallFlow, DeclinedOrInvalidDestinationCopiesNothing) {
    FakeHost declined;
    declined.answers = {Answer::No};
    InstallSettings settings = English();
    EXPECT_EQ(InstallProduct(declined, settings), InstallOutcome::Declined);
    EXPECT_EQ(declined.log.back(), u"focus");
    EXPECT_EQ(declined.copies, 0);

    for (const char16_t* bad : {u"c:\\", u"q:\\Dralto", u"rel\\x"}) {
        FakeHost host;
        host.destination = bad;
        host.answers = {Answer::Yes, Answer::Ok};
        EXPECT_EQ(InstallProduct(host, settings), InstallOutcome::Rejected)
            << ::testing::PrintToString(std::u16string(bad));
        EXPECT_EQ(host.boxes.back(), u"Error|Invalid destination folder");
        EXPECT_EQ(host.log.back(), u"focus");
        EXPECT_EQ(host.copies, 0);
        EXPECT_EQ(host.Count(u"mkdir"), 0);
    }
}

TEST(InstallFlow, RetryCopiesAgainAndIgnoreGoesOn) {
    FakeHost host;
    host.failingCopies = {u"c:\\Dralto\\Plugext.dll", u"c:\\Dralto\\Plugext.dll"};
    host.answers = {Answer::Yes, Answer::Retry, Answer::Ignore, Answer::Yes, Answer::No};
    InstallSettings settings = English();
    EXPECT_EQ(InstallProduct(host, settings), InstallOutcome::Completed);
    EXPECT_EQ(host.boxes[1], u"Setup|Error installing c:\\Dralto\\Plugext.dll");
    EXPECT_EQ(host.Count(u"copy d:\\setup\\Plugext.dll"), 2);
    EXPECT_EQ(host.copies, 9);
    EXPECT_FALSE(host.files.count(u"c:\\Dralto\\Plugext.dll"));
    EXPECT_EQ(host.Count(u"execute"), 1); // the group and the registry still follow
    EXPECT_EQ(host.Count(u"registry"), 1);
}

TEST(InstallFlow, AbortKeepsCopiedFilesAndReturnsToTheField) {
    FakeHost host;
    host.failingCopies = {u"c:\\Dralto\\psapi.dll"};
    host.answers = {Answer::Yes, Answer::Abort};
    InstallSettings settings = English();
    EXPECT_EQ(InstallProduct(host, settings), InstallOutcome::Aborted);
    EXPECT_TRUE(host.files.count(u"c:\\Dralto\\Plugext.dll"));
    EXPECT_EQ(host.log.back(), u"focus");
    EXPECT_EQ(host.Count(u"registry"), 0);
}

TEST(InstallFlow, MissingUninstallerSuppressesItemAndEntryEvenAfterRetry) {
    FakeHost host;
    host.failingCopies = {u"c:\\Windows\\drunin32.exe"};
    host.answers = {Answer::Yes, Answer::Retry, Answer::Yes, Answer::No};
    InstallSettings settings = English();
    EXPECT_EQ(InstallProduct(host, settings), InstallOutcome::Completed);
    EXPECT_TRUE(host.files.count(u"c:\\Windows\\drunin32.exe"));
    EXPECT_TRUE(settings.uninstallerMissing);
    EXPECT_EQ(host.Count(u"registry"), 0);
}

TEST(InstallFlow, NoProgramManagerWarnsAndGoesOn) {
    FakeHost host;
    host.progmanAnswers = false;
    host.answers = {Answer::Yes, Answer::Yes, Answer::Ok, Answer::No};
    InstallSettings settings = English();
    EXPECT_EQ(InstallProduct(host, settings), InstallOutcome::Completed);
    EXPECT_EQ(host.boxes[2], u"Error|Unable to create program group");
    EXPECT_EQ(host.Count(u"execute"), 0);
    EXPECT_EQ(host.Count(u"registry"), 1);
    EXPECT_EQ(host.boxes.back(), u"Dralto|Setup complete. Start program?");
}

TEST(InstallFlow, FailedPostWarnsAfterTerminating) {
    FakeHost host;
    host.executeSucceeds = false;
    host.answers = {Answer::Yes, Answer::Yes, Answer::Ok, Answer::No};
    InstallSettings settings{false, u"d:\\", false};
    InstallProduct(host, settings);
    EXPECT_EQ(host.Count(u"terminate"), 1);
    EXPECT_EQ(host.boxes[2], u"Fehler|Programmgruppe konnte nicht erstellt werden.");
}

TEST(InstallFlow, StartFailureIsReportedAndPathWithBlankIsQuoted) {
    FakeHost host;
    host.existing.insert(u"c:\\Program Files");
    host.destination = u"c:\\Program Files\\Dralto";
    host.startSucceeds = false;
    host.answers = {Answer::Yes, Answer::No, Answer::Yes, Answer::Ok};
    InstallSettings settings = English();
    InstallProduct(host, settings);
    EXPECT_EQ(host.Count(u"start \"c:\\Program Files\\Dralto\\Dralto.exe\""), 1);
    EXPECT_EQ(host.entries[0].uninstallString, u"\"c:\\Program Files\\Dralto\\Dralto.exe\" uninst");
    EXPECT_EQ(host.boxes.back(), u"Setup|Unable to execute program file");
    EXPECT_EQ(host.log.back(), u"close");
}

TEST(InstallFlow, ClosingBetweenCopiesStopsTheInstallation) {
    FakeHost host;
    host.closeAfterFirstCopy = true;
    host.answers = {Answer::Yes};
    InstallSettings settings = English();
    EXPECT_EQ(InstallProduct(host, settings), InstallOutcome::Cancelled);
    EXPECT_EQ(host.copies, 1);
    EXPECT_EQ(host.Count(u"registry"), 0);
}

TEST(InstallFlow, TooLongDestinationIsRefusedBeforeAnythingIsCreated) {
    FakeHost host;
    host.destination = u"c:\\" + std::u16string(297, u'a');
    host.answers = {Answer::Yes, Answer::Ok};
    InstallSettings settings = English();
    EXPECT_EQ(InstallProduct(host, settings), InstallOutcome::Rejected);
    EXPECT_EQ(host.boxes.back(), u"Error|Invalid destination folder");
    EXPECT_EQ(host.Count(u"mkdir"), 0);
    EXPECT_EQ(host.copies, 0);
}

TEST(InstallFlow, FailedRegistryWriteIsAskedAboutLikeAFailedCopy) {
    const std::u16string box = u"Setup|Error installing HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\"
                               u"Windows\\CurrentVersion\\Uninstall\\Dralto";
    FakeHost retried;
    retried.failingEntries = 1;
    retried.answers = {Answer::Yes, Answer::No, Answer::Retry, Answer::No};
    InstallSettings settings = English();
    EXPECT_EQ(InstallProduct(retried, settings), InstallOutcome::Completed);
    EXPECT_EQ(retried.boxes[2], box);
    EXPECT_EQ(retried.Count(u"registry"), 2);
    EXPECT_EQ(retried.entries.size(), 1u);

    FakeHost aborted;
    aborted.failingEntries = 5;
    aborted.answers = {Answer::Yes, Answer::No, Answer::Abort};
    EXPECT_EQ(InstallProduct(aborted, settings), InstallOutcome::Aborted);
    EXPECT_EQ(aborted.log.back(), u"focus");
    EXPECT_EQ(aborted.Count(u"delete"), 0) << "stops before the marker and the start question";
}

TEST(InstallFlow, ConversationEndsAfterTheCommandsAreAcknowledged) {
    FakeHost host;
    host.acknowledgeAfterPumps = 3;
    host.answers = {Answer::Yes, Answer::Yes, Answer::No};
    InstallSettings settings = English();
    InstallProduct(host, settings);
    const auto execute =
        std::find(host.log.begin(), host.log.end(), u"execute c:\\Dralto\\Dralto.exe");
    ASSERT_NE(execute, host.log.end());
    EXPECT_EQ(std::vector<std::u16string>(execute + 1, execute + 5),
              (std::vector<std::u16string>{u"pump", u"pump", u"pump", u"terminate"}));
}

TEST(InstallFlow, AnUnansweredConversationIsGivenUpAfterABoundedWait) {
    FakeHost host;
    host.acknowledgeAfterPumps = 1000000;
    host.answers = {Answer::Yes, Answer::Yes, Answer::No};
    InstallSettings settings = English();
    EXPECT_EQ(InstallProduct(host, settings), InstallOutcome::Completed);
    EXPECT_EQ(host.Count(u"terminate"), 1);
    EXPECT_LE(host.Count(u"pump"), 1100); // about ten seconds of 10 ms steps, plus the copies
}
