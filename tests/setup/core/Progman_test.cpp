// The Program Manager command text and the client's conversation state.
#include "DdeConversation.h"
#include "ProgmanCommands.h"

#include <gtest/gtest.h>

#include <string>

using namespace fastinst;

TEST(ProgmanCommands, EnglishDefaultHasFourCommands) {
    EXPECT_EQ(BuildProgmanCommands("c:\\Dralto\\Dralto.exe", true, false),
              "[CreateGroup(Dralto)]"
              "[AddItem(\"c:\\Dralto\\Dralto.exe\", Dralto)]"
              "[AddItem(\"c:\\Dralto\\Dralto-e.hlp\", Dralto Help)]"
              "[AddItem(\"c:\\Dralto\\Dralto.exe\" uninst, Dralto Uninstall,SHELL32.DLL,53)]");
}

TEST(ProgmanCommands, GermanPointsToGermanHelpAndOmitsMissingUninstaller) {
    EXPECT_EQ(BuildProgmanCommands("d:\\A\\Dralto.exe", false, true),
              "[CreateGroup(Dralto)]"
              "[AddItem(\"d:\\A\\Dralto.exe\", Dralto)]"
              "[AddItem(\"d:\\A\\Dralto.hlp\", Dralto-Hilfe)]");
    EXPECT_NE(BuildProgmanCommands("d:\\A\\Dralto.exe", false, false)
                  .find("[AddItem(\"d:\\A\\Dralto.exe\" uninst, Dralto deinstallieren,"
                        "SHELL32.DLL,53)]"),
              std::string::npos);
}

TEST(ProgmanCommands, LongDestinationsAreNotCutShort) {
    const std::string folder = "c:\\" + std::string(240, 'x') + "\\";
    const std::string commands = BuildProgmanCommands(folder + "Dralto.exe", true, false);
    EXPECT_GT(commands.size(), 600u);
    EXPECT_EQ(commands.substr(commands.size() - 17), ",SHELL32.DLL,53)]");
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
