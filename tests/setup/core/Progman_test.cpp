// The Program Manager command text and the client's conversation state.
#include "DdeConversation.h"
#include "ProgmanCommands.h"

#include <gtest/gtest.h>

#include <string>

using namespace fastinst;

TEST(ProgmanCommands, EnglishDefaultHasFourCommands) {
    EXPECT_EQ(BuildProgmanCommands(u"c:\\Dralto\\Dralto.exe", true, false),
              u"[CreateGroup(Dralto)]"
              u"[AddItem(\"c:\\Dralto\\Dralto.exe\", Dralto)]"
              u"[AddItem(\"c:\\Dralto\\Dralto-e.hlp\", Dralto Help)]"
              u"[AddItem(\"c:\\Dralto\\Dralto.exe\" uninst, Dralto Uninstall,SHELL32.DLL,53)]");
}

TEST(ProgmanCommands, GermanPointsToGermanHelpAndOmitsMissingUninstaller) {
    EXPECT_EQ(BuildProgmanCommands(u"d:\\A\\Dralto.exe", false, true),
              u"[CreateGroup(Dralto)]"
              u"[AddItem(\"d:\\A\\Dralto.exe\", Dralto)]"
              u"[AddItem(\"d:\\A\\Dralto.hlp\", Dralto-Hilfe)]");
    EXPECT_NE(BuildProgmanCommands(u"d:\\A\\Dralto.exe", false, false)
                  .find(u"[AddItem(\"d:\\A\\Dralto.exe\" uninst, Dralto deinstallieren,"
                        u"SHELL32.DLL,53)]"),
              std::u16string::npos);
}

TEST(ProgmanCommands, LongDestinationsAreNotCutShort) {
    const std::u16string folder = u"c:\\" + std::u16string(240, 'x') + u"\\";
    const std::u16string commands = BuildProgmanCommands(folder + u"Dralto.exe", true, false);
    EXPECT_GT(commands.size(), 600u);
    EXPECT_EQ(commands.substr(commands.size() - 17), u",SHELL32.DLL,53)]");
}

TEST(DdeConversation, FirstServerIsKeptAndFurtherOnesAreSentAway) {
    DdeConversation dde;
    dde.BeginInitiate();
    EXPECT_EQ(dde.state(), DdeConversation::State::InitiatePending);
    EXPECT_EQ(dde.OnAck(11), DdeConversation::AckAction::KeepServer);
    EXPECT_EQ(dde.OnAck(22), DdeConversation::AckAction::TerminateExtraServer);
    EXPECT_TRUE(dde.EndInitiate());
    EXPECT_EQ(dde.server(), 11u);
    EXPECT_TRUE(dde.ReadyToExecute());
}

TEST(DdeConversation, NoAnswerMeansNoPartner) {
    DdeConversation dde;
    dde.BeginInitiate();
    EXPECT_FALSE(dde.EndInitiate());
    EXPECT_FALSE(dde.ReadyToExecute());
    EXPECT_EQ(dde.OnAck(5), DdeConversation::AckAction::None); // idle: stray acks are ignored
}

TEST(DdeConversation, ExecuteAckReleasesCommandsOnce) {
    DdeConversation dde;
    dde.BeginInitiate();
    dde.OnAck(7);
    dde.EndInitiate();
    dde.ExecutePosted();
    EXPECT_FALSE(dde.ReadyToExecute());
    EXPECT_EQ(dde.TakeServer(), 7u);
    EXPECT_EQ(dde.server(), 0u);
    EXPECT_EQ(dde.OnAck(7), DdeConversation::AckAction::ReleaseCommands);
    EXPECT_EQ(dde.state(), DdeConversation::State::Idle);
    EXPECT_EQ(dde.OnAck(7), DdeConversation::AckAction::None);
}

TEST(DdeConversation, AnUnacknowledgedExecuteIsAbandonedOnceAndLateAcksAreIgnored) {
    DdeConversation dde;
    dde.BeginInitiate();
    dde.OnAck(7);
    dde.EndInitiate();
    EXPECT_FALSE(dde.AbandonExecute()); // nothing posted yet: nothing to give up
    dde.ExecutePosted();
    dde.TakeServer();
    EXPECT_TRUE(dde.AbandonExecute());
    EXPECT_FALSE(dde.AbandonExecute());
    EXPECT_EQ(dde.OnAck(7), DdeConversation::AckAction::None);
}
