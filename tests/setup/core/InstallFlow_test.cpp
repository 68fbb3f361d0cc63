// The installation sequence against a scripted host: order of steps and every failure path.
#include "InstallFlow.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <string>
#include <vector>

using namespace fastinst;

namespace {

// Records every call; answers message boxes from a queue and fails chosen copies.
class FakeHost : public InstallHost {
public:
    std::string destination = "c:\\Dralto";
    std::deque<Answer> answers;
    std::set<std::string> existing = {"c:\\", "c:\\Windows"};
    std::multiset<std::string> failingCopies; // each entry fails one attempt
    bool progmanAnswers = true;
    bool executeSucceeds = true;
    bool startSucceeds = true;
    bool closeAfterFirstCopy = false;

    std::vector<std::string> log;
    std::vector<std::string> boxes;
    std::vector<UninstallEntry> entries;
    std::set<std::string> files;
    int copies = 0;

    std::string DestinationText() override { return destination; }
    Answer Ask(const std::string& text, const std::string& caption, BoxKind) override {
        boxes.push_back(caption + "|" + text);
        log.push_back("ask " + text);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected box: " << text;
            return Answer::No;
        }
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void FocusDestination() override { log.push_back("focus"); }
    bool EnterFolder(const std::string& path) override { return existing.count(path) > 0; }
    bool CreateFolder(const std::string& path) override {
        log.push_back("mkdir " + path);
        existing.insert(path);
        return true;
    }
    std::string WindowsFolder() override { return "c:\\Windows"; }
    void ShowWaitCursor(bool) override {}
    bool CopyInstallFile(const std::string& source, const std::string& target) override {
        ++copies;
        log.push_back("copy " + source + " " + target);
        auto it = failingCopies.find(target);
        if (it != failingCopies.end()) {
            failingCopies.erase(it);
            return false;
        }
        files.insert(target);
        return true;
    }
    void PumpMessagesFor(int) override {}
    bool CloseRequested() override { return closeAfterFirstCopy && copies > 0; }
    bool ProgmanInitiate() override {
        log.push_back("initiate");
        return progmanAnswers;
    }
    bool ProgmanReady() override { return true; }
    bool ProgmanExecute(const std::string& programPath) override {
        log.push_back("execute " + programPath);
        return executeSucceeds;
    }
    void ProgmanTerminate() override { log.push_back("terminate"); }
    void WriteUninstallEntry(const UninstallEntry& entry) override {
        log.push_back("registry");
        entries.push_back(entry);
    }
    void RemoveFile(const std::string& path) override {
        log.push_back("delete " + path);
        files.erase(path);
    }
    void CreateEmptyFile(const std::string& path) override {
        log.push_back("create " + path);
        files.insert(path);
    }
    bool StartProgram(const std::string& commandLine) override {
        log.push_back("start " + commandLine);
        return startSucceeds;
    }
    void CloseSetupWindow() override { log.push_back("close"); }

    int Count(const std::string& prefix) const {
        int n = 0;
        for (const auto& line : log) {
            n += line.rfind(prefix, 0) == 0;
        }
        return n;
    }
};

InstallSettings English() {
    return {true, "d:\\setup\\", false};
}

} // namespace

TEST(InstallFlow, EnglishDefaultRunsEveryStepInOrder) {
    FakeHost host;
    host.answers = {Answer::Yes, Answer::Yes, Answer::Yes};
    InstallSettings settings = English();
    EXPECT_EQ(InstallProduct(host, settings), InstallOutcome::Completed);

    std::vector<std::string> expected = {"ask Install to \"c:\\Dralto\"?", "mkdir c:\\Dralto"};
    const char* names[] = {"Dralto.exe", "Plugext.dll",  "psapi.dll",   "Dralto.hlp",
                           "Dralto.cnt", "Dralto-e.hlp", "Dralto-e.cnt"};
    for (const char* name : names) {
        expected.push_back(std::string("copy d:\\setup\\") + name + " c:\\Dralto\\" + name);
    }
    expected.insert(expected.end(),
                    {"copy d:\\setup\\drunin32.exe c:\\Windows\\drunin32.exe",
                     "ask Create program group?", "initiate", "execute c:\\Dralto\\Dralto.exe",
                     "terminate", "registry", "delete c:\\Dralto\\Dralto.cfg",
                     "ask Setup complete. Start program?", "start c:\\Dralto\\Dralto.exe",
                     "close"});
    EXPECT_EQ(host.log, expected);
    ASSERT_EQ(host.entries.size(), 1u);
    EXPECT_EQ(host.entries[0].uninstallString, "c:\\Dralto\\Dralto.exe uninst");
    EXPECT_EQ(host.boxes[1], "Dralto|Create program group?");
}

TEST(InstallFlow, GermanTrailingBackslashCreatesMarkerAndLevels) {
    FakeHost host;
    host.destination = "c:\\Neu\\Tief\\Dralto\\";
    host.answers = {Answer::Yes, Answer::No, Answer::No};
    InstallSettings settings{false, "d:\\", false};
    EXPECT_EQ(InstallProduct(host, settings), InstallOutcome::Completed);
    EXPECT_EQ(host.boxes[0], "Setup|Dralto in den Ordner \xBB"
                             "c:\\Neu\\Tief\\Dralto\xAB installieren?");
    EXPECT_EQ(host.Count("mkdir"), 3);
    EXPECT_TRUE(host.files.count("c:\\Neu\\Tief\\Dralto\\Dralto.cfg"));
    EXPECT_EQ(host.Count("initiate"), 0);
    EXPECT_EQ(host.Count("start"), 0);
    EXPECT_EQ(host.log.back(), "close");
}

TEST(InstallFlow, EnglishRemovesAnEarlierMarker) {
    FakeHost host;
    host.files.insert("c:\\Dralto\\Dralto.cfg");
    host.answers = {Answer::Yes, Answer::No, Answer::No};
    InstallSettings settings = English();
    InstallProduct(host, settings);
    EXPECT_FALSE(host.files.count("c:\\Dralto\\Dralto.cfg"));
}

TEST(InstallFlow, DeclinedOrInvalidDestinationCopiesNothing) {
    FakeHost declined;
    declined.answers = {Answer::No};
    InstallSettings settings = English();
    EXPECT_EQ(InstallProduct(declined, settings), InstallOutcome::Declined);
    EXPECT_EQ(declined.log.back(), "focus");
    EXPECT_EQ(declined.copies, 0);

    for (const char* bad : {"c:\\", "q:\\Dralto", "rel\\x"}) {
        FakeHost host;
        host.destination = bad;
        host.answers = {Answer::Yes, Answer::Ok};
        EXPECT_EQ(InstallProduct(host, settings), InstallOutcome::Rejected) << bad;
        EXPECT_EQ(host.boxes.back(), "Error|Invalid destination folder") << bad;
        EXPECT_EQ(host.log.back(), "focus");
        EXPECT_EQ(host.copies, 0);
        EXPECT_EQ(host.Count("mkdir"), 0);
    }
}

TEST(InstallFlow, RetryCopiesAgainAndIgnoreGoesOn) {
    FakeHost host;
    host.failingCopies = {"c:\\Dralto\\Plugext.dll", "c:\\Dralto\\Plugext.dll"};
    host.answers = {Answer::Yes, Answer::Retry, Answer::Ignore, Answer::Yes, Answer::No};
    InstallSettings settings = English();
    EXPECT_EQ(InstallProduct(host, settings), InstallOutcome::Completed);
    EXPECT_EQ(host.boxes[1], "Setup|Error installing c:\\Dralto\\Plugext.dll");
    EXPECT_EQ(host.Count("copy d:\\setup\\Plugext.dll"), 2);
    EXPECT_EQ(host.copies, 9);
    EXPECT_FALSE(host.files.count("c:\\Dralto\\Plugext.dll"));
    EXPECT_EQ(host.Count("execute"), 1); // the group and the registry still follow
    EXPECT_EQ(host.Count("registry"), 1);
}

TEST(InstallFlow, AbortKeepsCopiedFilesAndReturnsToTheField) {
    FakeHost host;
    host.failingCopies = {"c:\\Dralto\\psapi.dll"};
    host.answers = {Answer::Yes, Answer::Abort};
    InstallSettings settings = English();
    EXPECT_EQ(InstallProduct(host, settings), InstallOutcome::Aborted);
    EXPECT_TRUE(host.files.count("c:\\Dralto\\Plugext.dll"));
    EXPECT_EQ(host.log.back(), "focus");
    EXPECT_EQ(host.Count("registry"), 0);
}

TEST(InstallFlow, MissingUninstallerSuppressesItemAndEntryEvenAfterRetry) {
    FakeHost host;
    host.failingCopies = {"c:\\Windows\\drunin32.exe"};
    host.answers = {Answer::Yes, Answer::Retry, Answer::Yes, Answer::No};
    InstallSettings settings = English();
    EXPECT_EQ(InstallProduct(host, settings), InstallOutcome::Completed);
    EXPECT_TRUE(host.files.count("c:\\Windows\\drunin32.exe"));
    EXPECT_TRUE(settings.uninstallerMissing);
    EXPECT_EQ(host.Count("registry"), 0);
}

TEST(InstallFlow, NoProgramManagerWarnsAndGoesOn) {
    FakeHost host;
    host.progmanAnswers = false;
    host.answers = {Answer::Yes, Answer::Yes, Answer::Ok, Answer::No};
    InstallSettings settings = English();
    EXPECT_EQ(InstallProduct(host, settings), InstallOutcome::Completed);
    EXPECT_EQ(host.boxes[2], "Error|Unable to create program group");
    EXPECT_EQ(host.Count("execute"), 0);
    EXPECT_EQ(host.Count("registry"), 1);
    EXPECT_EQ(host.boxes.back(), "Dralto|Setup complete. Start program?");
}

TEST(InstallFlow, FailedPostWarnsAfterTerminating) {
    FakeHost host;
    host.executeSucceeds = false;
    host.answers = {Answer::Yes, Answer::Yes, Answer::Ok, Answer::No};
    InstallSettings settings{false, "d:\\", false};
    InstallProduct(host, settings);
    EXPECT_EQ(host.Count("terminate"), 1);
    EXPECT_EQ(host.boxes[2], "Fehler|Programmgruppe konnte nicht erstellt werden.");
}

TEST(InstallFlow, StartFailureIsReportedAndPathWithBlankIsQuoted) {
    FakeHost host;
    host.existing.insert("c:\\Program Files");
    host.destination = "c:\\Program Files\\Dralto";
    host.startSucceeds = false;
    host.answers = {Answer::Yes, Answer::No, Answer::Yes, Answer::Ok};
    InstallSettings settings = English();
    InstallProduct(host, settings);
    EXPECT_EQ(host.Count("start \"c:\\Program Files\\Dralto\\Dralto.exe\""), 1);
    EXPECT_EQ(host.entries[0].uninstallString, "\"c:\\Program Files\\Dralto\\Dralto.exe\" uninst");
    EXPECT_EQ(host.boxes.back(), "Setup|Unable to execute program file");
    EXPECT_EQ(host.log.back(), "close");
}

TEST(InstallFlow, ClosingBetweenCopiesStopsTheInstallation) {
    FakeHost host;
    host.closeAfterFirstCopy = true;
    host.answers = {Answer::Yes};
    InstallSettings settings = English();
    EXPECT_EQ(InstallProduct(host, settings), InstallOutcome::Cancelled);
    EXPECT_EQ(host.copies, 1);
    EXPECT_EQ(host.Count("registry"), 0);
}
