// The message table and fixed texts, byte for byte in Windows-1252.
#include "SetupTexts.h"

#include <gtest/gtest.h>

#include <string>

using namespace fastinst;

TEST(SetupTexts, GermanMessagesAreWindows1252Bytes) {
    EXPECT_EQ(std::string(SetupMessage(kInvalidDestination, false)), "Ung\xFC"
                                                                     "ltiger Zielordner");
    EXPECT_EQ(std::string(SetupMessage(kStartFailed, false)),
              "Programmdatei konnte nicht ausgef\xFC"
              "hrt werden.");
    EXPECT_EQ(std::string(SetupMessage(kConfirmInstall, false)),
              "Dralto in den Ordner \xBB%s\xAB installieren?");
    EXPECT_EQ(std::string(SetupMessage(kErrorInstalling, false)), "Fehler beim Installieren von ");
    EXPECT_EQ(std::string(SetupMessage(kGroupFailed, false)),
              "Programmgruppe konnte nicht erstellt werden.");
    EXPECT_EQ(std::string(SetupMessage(kDestinationLabel, false)), "Zielordner:");
}

TEST(SetupTexts, EnglishMessagesAreExact) {
    const char* expected[kMessageCount] = {"Invalid destination folder",
                                           "Error installing ",
                                           "Create program group?",
                                           "Unable to create program group",
                                           "Setup complete. Start program?",
                                           "Unable to execute program file",
                                           "Install to \"%s\"?",
                                           "Destination Folder:",
                                           "Error",
                                           "OK",
                                           "Cancel",
                                           "Select parent folder for the Dralto installation:",
                                           "Dralto Help",
                                           "Dralto Uninstall",
                                           "\xA9 Dralto Software. All rights reserved."};
    for (int id = 0; id < kMessageCount; ++id) {
        EXPECT_EQ(std::string(SetupMessage(id, true)), expected[id]) << "message " << id;
    }
    EXPECT_EQ(std::string(SetupMessage(-1, true)), "");
    EXPECT_EQ(std::string(SetupMessage(kMessageCount, false)), "");
}

TEST(SetupTexts, LanguageQuestionHasBothParagraphs) {
    EXPECT_EQ(std::string(kLanguageQuestion),
              "Available languages: English and German. Select English?\r\n\r\n"
              "Verf\xFCgbare Sprachen: Englisch und Deutsch. Englisch verwenden?");
}

TEST(SetupTexts, ConfirmationTakesTheDestinationLiterally) {
    EXPECT_EQ(ConfirmationText(true, "c:\\Dralto"), "Install to \"c:\\Dralto\"?");
    EXPECT_EQ(ConfirmationText(false, "d:\\A"), "Dralto in den Ordner \xBB"
                                                "d:\\A\xAB installieren?");
    // A percent sign in the folder name is text, not a format directive.
    EXPECT_EQ(ConfirmationText(true, "c:\\100%s%n"), "Install to \"c:\\100%s%n\"?");
}

TEST(SetupTexts, GermanCaptionsButtonsAndItems) {
    EXPECT_STREQ(SetupMessage(kErrorCaption, false), "Fehler");
    EXPECT_STREQ(SetupMessage(kOkButton, false), "OK");
    EXPECT_STREQ(SetupMessage(kCancelButton, false), "Abbrechen");
    EXPECT_STREQ(SetupMessage(kBrowseTitle, false),
                 "\xDC"
                 "bergeordneten Ordner f\xFCr die Installation ausw\xE4hlen:");
    EXPECT_STREQ(SetupMessage(kHelpItemName, false), "Dralto-Hilfe");
    EXPECT_STREQ(SetupMessage(kUninstallItemName, false), "Dralto deinstallieren");
}
