// The message table and fixed texts, byte for byte in Windows-1252.
#include "SetupTexts.h"

#include <gtest/gtest.h>

#include <string>

using namespace fastinst;

TEST(SetupTexts, GermanMessagesAreWindows1252Bytes) {
    EXPECT_EQ(std::string(SetupMessageBytes(kInvalidDestination, false)), "Ung\xFC"
                                                                          "ltiger Zielordner");
    EXPECT_EQ(std::string(SetupMessageBytes(kStartFailed, false)),
              "Programmdatei konnte nicht ausgef\xFC"
              "hrt werden.");
    EXPECT_EQ(std::string(SetupMessageBytes(kConfirmInstall, false)),
              "Dralto in den Ordner \xBB%s\xAB installieren?");
    EXPECT_EQ(std::string(SetupMessageBytes(kErrorInstalling, false)),
              "Fehler beim Installieren von ");
    EXPECT_EQ(std::string(SetupMessageBytes(kGroupFailed, false)),
              "Programmgruppe konnte nicht erstellt werden.");
    EXPECT_EQ(std::string(SetupMessageBytes(kDestinationLabel, false)), "Zielordner:");
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
        EXPECT_EQ(std::string(SetupMessageBytes(id, true)), expected[id]) << "message " << id;
    }
    EXPECT_EQ(std::string(SetupMessageBytes(-1, true)), "");
    EXPECT_EQ(std::string(SetupMessageBytes(kMessageCount, false)), "");
}

TEST(SetupTexts, LanguageQuestionHasBothParagraphs) {
    EXPECT_EQ(std::string(kLanguageQuestionBytes),
              "Available languages: English and German. Select English?\r\n\r\n"
              "Verf\xFCgbare Sprachen: Englisch und Deutsch. Englisch verwenden?");
}

TEST(SetupTexts, ConfirmationTakesTheDestinationLiterally) {
    EXPECT_EQ(ConfirmationText(true, u"c:\\Dralto"), u"Install to \"c:\\Dralto\"?");
    EXPECT_EQ(ConfirmationText(false, u"d:\\\u0411\u30C7"),
              u"Dralto in den Ordner \u00BBd:\\\u0411\u30C7\u00AB installieren?");
    // A percent sign in the folder name is text, not a format directive.
    EXPECT_EQ(ConfirmationText(true, u"c:\\100%s%n"), u"Install to \"c:\\100%s%n\"?");
}

TEST(SetupTexts, UmlautsGuillemetsAndCopyrightBecomeTheirUnicodeCharacters) {
    // What a machine of any code page shows: the characters, not the code page's reading of
    // the bytes.
    EXPECT_EQ(SetupMessage(kInvalidDestination, false), u"Ung\u00FCltiger Zielordner");
    EXPECT_EQ(SetupMessage(kBrowseTitle, false),
              u"\u00DCbergeordneten Ordner f\u00FCr die Installation ausw\u00E4hlen:");
    EXPECT_EQ(SetupMessage(kConfirmInstall, false),
              u"Dralto in den Ordner \u00BB%s\u00AB installieren?");
    EXPECT_EQ(SetupMessage(kNoticeLine, true), u"\u00A9 Dralto Software. All rights reserved.");
    EXPECT_EQ(SetupMessage(kCancelButton, false), u"Abbrechen");
    EXPECT_EQ(SetupMessage(kMessageCount, true), u"");
    EXPECT_EQ(LanguageQuestion().substr(LanguageQuestion().find(u"\r\n\r\n") + 4, 6),
              u"Verf\u00FCg");
    for (int id = 0; id < kMessageCount; ++id) {
        for (bool english : {false, true}) {
            EXPECT_EQ(SetupMessage(id, english).size(),
                      std::string(SetupMessageBytes(id, english)).size());
        }
    }
}

TEST(SetupTexts, Windows1252RangeEightyToNinetyFiveIsNotLatin1) {
    EXPECT_EQ(FromWindows1252("\x80\x85\x8A\x93\x94\x99\x9F"),
              u"\u20AC\u2026\u0160\u201C\u201D\u2122\u0178");
    // Bytes the code page leaves undefined keep their values; the rest is Latin-1.
    EXPECT_EQ(FromWindows1252("\x81\x8D\x8F\x90\x9D"), u"\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(FromWindows1252("A\xA0\xFF"), u"A\u00A0\u00FF");
}

TEST(SetupTexts, GermanCaptionsButtonsAndItems) {
    EXPECT_STREQ(SetupMessageBytes(kErrorCaption, false), "Fehler");
    EXPECT_STREQ(SetupMessageBytes(kOkButton, false), "OK");
    EXPECT_STREQ(SetupMessageBytes(kCancelButton, false), "Abbrechen");
    EXPECT_STREQ(SetupMessageBytes(kBrowseTitle, false),
                 "\xDC"
                 "bergeordneten Ordner f\xFCr die Installation ausw\xE4hlen:");
    EXPECT_STREQ(SetupMessageBytes(kHelpItemName, false), "Dralto-Hilfe");
    EXPECT_STREQ(SetupMessageBytes(kUninstallItemName, false), "Dralto deinstallieren");
}
