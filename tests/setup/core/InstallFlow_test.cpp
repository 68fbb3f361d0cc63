// The installation sequence against a scripted host: order of steps and every failure path.
#include "InstallFlow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <utility>
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

/// One way through the installation: the host's state, the answers given, and what must hold.
struct Scenario {
    const char* name;
    std::function<void(FakeHost&)> arrange;
    std::deque<Answer> answers;
    InstallSettings settings;
    InstallOutcome outcome;
    std::vector<std::pair<std::u16string, int>> counts; // log lines that start so
    std::vector<std::pair<std::u16string, bool>> files; // there afterwards or not
    std::u16string lastBox;                             // when not empty
    std::u16string lastStep;                            // when not empty
    std::function<void(const FakeHost&, const InstallSettings&)> check;
};

const InstallSettings kGerman{false, u"d:\\", false};

TEST(InstallFlow, EachWayThroughTheInstallationEndsAsItShould) {
    using H = FakeHost;
    using S = InstallSettings;
    // One scenario to a few lines reads as a table:
    // clang-format off
    const Scenario scenarios[] = {
        {"German, a trailing backslash: every level made, the marker created",
         [](H& h) { h.destination = u"c:\\Neu\\Tief\\Dralto\\"; },
         {Answer::Yes, Answer::No, Answer::No}, kGerman, InstallOutcome::Completed,
         {{u"mkdir", 3}, {u"initiate", 0}, {u"start", 0}},
         {{u"c:\\Neu\\Tief\\Dralto\\Dralto.cfg", true}}, {}, u"close",
         [](const H& h, const S&) { EXPECT_EQ(h.boxes[0],
             u"Setup|Dralto in den Ordner \xBB" u"c:\\Neu\\Tief\\Dralto\xAB installieren?"); }},
        {"English removes an earlier marker",
         [](H& h) { h.files.insert(u"c:\\Dralto\\Dralto.cfg"); },
         {Answer::Yes, Answer::No, Answer::No}, English(), InstallOutcome::Completed,
         {}, {{u"c:\\Dralto\\Dralto.cfg", false}}, {}, {}, {}},
        {"Retry copies again and Ignore goes on to the group and the registry",
         [](H& h) { h.failingCopies = {u"c:\\Dralto\\Plugext.dll", u"c:\\Dralto\\Plugext.dll"}; },
         {Answer::Yes, Answer::Retry, Answer::Ignore, Answer::Yes, Answer::No}, English(),
         InstallOutcome::Completed,
         {{u"copy d:\\setup\\Plugext.dll", 2}, {u"execute", 1}, {u"registry", 1}},
         {{u"c:\\Dralto\\Plugext.dll", false}}, {}, {},
         [](const H& h, const S&) {
             EXPECT_EQ(h.boxes[1], u"Setup|Error installing c:\\Dralto\\Plugext.dll");
             EXPECT_EQ(h.copies, 9); }},
        {"Abort keeps the copied files and returns to the field",
         [](H& h) { h.failingCopies = {u"c:\\Dralto\\psapi.dll"}; },
         {Answer::Yes, Answer::Abort}, English(), InstallOutcome::Aborted,
         {{u"registry", 0}}, {{u"c:\\Dralto\\Plugext.dll", true}}, {}, u"focus", {}},
        {"a missing uninstaller suppresses the item and the entry, even after a retry",
         [](H& h) { h.failingCopies = {u"c:\\Windows\\drunin32.exe"}; },
         {Answer::Yes, Answer::Retry, Answer::Yes, Answer::No}, English(),
         InstallOutcome::Completed, {{u"registry", 0}}, {{u"c:\\Windows\\drunin32.exe", true}},
         {}, {}, [](const H&, const S& s) { EXPECT_TRUE(s.uninstallerMissing); }},
        {"no Program Manager: a warning, then the rest",
         [](H& h) { h.progmanAnswers = false; },
         {Answer::Yes, Answer::Yes, Answer::Ok, Answer::No}, English(), InstallOutcome::Completed,
         {{u"execute", 0}, {u"registry", 1}}, {}, u"Dralto|Setup complete. Start program?", {},
         [](const H& h, const S&) {
             EXPECT_EQ(h.boxes[2], u"Error|Unable to create program group"); }},
        {"a failed post warns after ending the conversation",
         [](H& h) { h.executeSucceeds = false; },
         {Answer::Yes, Answer::Yes, Answer::Ok, Answer::No}, kGerman, InstallOutcome::Completed,
         {{u"terminate", 1}}, {}, {}, {},
         [](const H& h, const S&) {
             EXPECT_EQ(h.boxes[2], u"Fehler|Programmgruppe konnte nicht erstellt werden."); }},
        {"a failed start is reported; a path with a blank is quoted",
         [](H& h) {
             h.existing.insert(u"c:\\Program Files");
             h.destination = u"c:\\Program Files\\Dralto";
             h.startSucceeds = false; },
         {Answer::Yes, Answer::No, Answer::Yes, Answer::Ok}, English(), InstallOutcome::Completed,
         {{u"start \"c:\\Program Files\\Dralto\\Dralto.exe\"", 1}}, {},
         u"Setup|Unable to execute program file", u"close",
         [](const H& h, const S&) {
             EXPECT_EQ(h.entries[0].uninstallString,
                       u"\"c:\\Program Files\\Dralto\\Dralto.exe\" uninst"); }},
        {"closing between copies stops the installation",
         [](H& h) { h.closeAfterFirstCopy = true; },
         {Answer::Yes}, English(), InstallOutcome::Cancelled,
         {{u"registry", 0}}, {}, {}, {}, [](const H& h, const S&) { EXPECT_EQ(h.copies, 1); }},
        {"a too long destination is refused before anything is created",
         [](H& h) { h.destination = u"c:\\" + std::u16string(297, u'a'); },
         {Answer::Yes, Answer::Ok}, English(), InstallOutcome::Rejected,
         {{u"mkdir", 0}}, {}, u"Error|Invalid destination folder", {},
         [](const H& h, const S&) { EXPECT_EQ(h.copies, 0); }},
    };
    // clang-format on
    for (const Scenario& scenario : scenarios) {
        SCOPED_TRACE(scenario.name);
        FakeHost host;
        scenario.arrange(host);
        host.answers = scenario.answers;
        InstallSettings settings = scenario.settings;
        EXPECT_EQ(InstallProduct(host, settings), scenario.outcome);
        for (const auto& [prefix, count] : scenario.counts)
            EXPECT_EQ(host.Count(prefix), count) << ::testing::PrintToString(prefix);
        for (const auto& [file, there] : scenario.files)
            EXPECT_EQ(host.files.count(file) > 0, there) << ::testing::PrintToString(file);
        if (!scenario.lastBox.empty()) {
            ASSERT_FALSE(host.boxes.empty());
            EXPECT_EQ(host.boxes.back(), scenario.lastBox);
        }
        if (!scenario.lastStep.empty()) {
            EXPECT_EQ(host.log.back(), scenario.lastStep);
        }
        if (scenario.check)
            scenario.check(host, settings);
    }
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
