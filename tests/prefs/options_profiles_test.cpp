// The "Default Profiles" tab: the delivered profiles, Apply and Export through the dialog.
#include "OptionsFixture.h"

#include "platform/FileIO.h"
#include "prefs/ColourSwatch.h"
#include "prefs/ProfileRecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

namespace kelvane::test {
namespace {

// The user's data folder is the test's own, so exported profiles start from nothing.
class OptionsProfilesTest : public OptionsFixture {
protected:
    void SetUp() override {
        OptionsFixture::SetUp();
        previousData = setUserDataFolderOverride(scratch.file("userdata"));
    }
    void TearDown() override {
        OptionsFixture::TearDown();
        setUserDataFolderOverride(previousData);
    }
    QString previousData;
};

const QString ff = QString(QChar(0xFF));

QString profilePath(const QString& name) {
    return frmOptions::profileFolder() + name;
}

/// Where an exported profile goes: the user's own profile folder.
QString userProfilePath(const QString& name) {
    return frmOptions::profileFolders().userFolder() + name;
}

void selectProfile(frmOptions* d, const QString& name) {
    const QList<QListWidgetItem*> found = d->lstProfiles->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    d->lstProfiles->setCurrentItem(found[0]);
}

TEST(DefaultProfilesTest, TheBuildDeliversCompleteProfilesThatTheDialogLists) {
    const QStringList expected{"BASIC", "C", "C++", "HTML", "Java", "Pascal", "Perl"};
    const QDir folder(QStringLiteral(KELVANE_RUNTIME_DIR "/PROFILES"));
    for (const QString& name : expected) {
        const QByteArray bytes = readAll(folder.filePath(name));
        ASSERT_FALSE(bytes.isEmpty()) << name.toStdString();
        EditorSettingsRecord s;
        EXPECT_EQ(decodeProfile(bytes, s), kProfileFieldCount) << name.toStdString();
        EXPECT_EQ(encodeProfile(s), bytes) << "exactly one record: " << name.toStdString();
        const qsizetype words =
            s.Keywords0.count(ff) + s.Keywords1.count(ff) + s.Keywords2.count(ff);
        EXPECT_EQ(s.KeywordCount, words) << name.toStdString();
        EXPECT_GT(s.KeywordCount, 5) << name.toStdString();
        EXPECT_NE(s.Delimiters, 0) << name.toStdString();
    }
    EditorSettingsRecord c;
    decodeProfile(readAll(folder.filePath("C")), c);
    EXPECT_TRUE(c.Keywords0.startsWith("auto" + ff + "break" + ff));
    EXPECT_EQ(c.Delimiters, 2 + 8 + 32);
    EXPECT_EQ(c.KeywordColor0, 0xC00000u) << "#0000C0 stored as 0x00BBGGRR";
    EXPECT_TRUE(c.CaseSensitive);
}

TEST_F(OptionsProfilesTest, TheListShowsTheProgramsProfileFolderSorted) {
    QDir().mkpath(profilePath(""));
    scratch.write("program/PROFILES/perl5", "x");
    scratch.write("program/PROFILES/Ada", "x");
    QDir().mkpath(profilePath("Folder"));
    frmOptions* d = open();
    EXPECT_EQ(frmOptions::profileFolder(), AppPath() + "PROFILES" + QDir::separator());
    EXPECT_EQ(items(d->lstProfiles), (QStringList{"Ada", "perl5"}));
}

TEST_F(OptionsProfilesTest, ApplyCopiesTheColouringFieldsAndWritesNothing) {
    start();
    EditorSettings.Keywords0 = "old" + ff;
    EditorSettings.Delimiters = 511;
    EditorSettings.CodeOrder = true;
    EditorSettings.CaseSensitive = true;
    EditorSettings.WordWrap = true;
    EditorSettings.AutoCode = true;
    EditorSettings.Backup = true;
    EditorSettings.EditorFont = "Keep Me";
    EditorSettings.EditorSize = 13;
    EditorSettings.CompilerString = "make";
    // Empty lists, colours 0, no delimiters, both switches false; other fields differ.
    EditorSettingsRecord profile;
    profile.KeywordColor0 = profile.KeywordColor1 = profile.KeywordColor2 = 0;
    profile.DelimitColor = 0;
    profile.CodeOrder = profile.CaseSensitive = false;
    profile.WordWrap = false;
    profile.AutoCode = profile.Backup = false;
    profile.EditorFont = "Other";
    profile.EditorSize = 30;
    QDir().mkpath(profilePath(""));
    scratch.write("program/PROFILES/Blank", *encodeProfile(profile));
    frmOptions* d = open();
    selectProfile(d, "Blank");
    d->cmdApplyProfile->click();
    for (const QListWidget* list : d->lstKeywords)
        EXPECT_EQ(list->count(), 0);
    for (const ColourSwatch* swatch : d->lblKeywordColor)
        EXPECT_EQ(swatch->BackColor(), 0u);
    EXPECT_EQ(d->lblBracerColor->BackColor(), 0u);
    for (const QCheckBox* box : d->chkBracers)
        EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(d->chkCodeOrder->isChecked());
    EXPECT_FALSE(d->chkCaseSensitive->isChecked());
    EXPECT_TRUE(d->chkWordWrap->isChecked());
    EXPECT_TRUE(d->chkAutoCode->isChecked());
    EXPECT_TRUE(d->chkBackup->isChecked());
    EXPECT_EQ(d->cboFonts->currentText(), "Keep Me");
    EXPECT_EQ(d->cboSizes->currentText(), "13");
    EXPECT_EQ(EditorSettings.CompilerString, "make");
    EXPECT_EQ(EditorSettings.Keywords0, "");
    EXPECT_EQ(setting("Keywords0"), "<absent>") << "applying writes nothing to the store";

    // Cancel does not undo an applied profile.
    d->cmdCancel_Click();
    d->Form_Activate();
    EXPECT_EQ(EditorSettings.Delimiters, 0);
    EXPECT_EQ(d->lstKeywords[0]->count(), 0);
}

TEST_F(OptionsProfilesTest, ShortProfilesChangeOnlyWhatTheyHold) {
    start();
    EditorSettings.Keywords0 = "a" + ff;
    EditorSettings.Keywords1 = "b" + ff;
    EditorSettings.Delimiters = 8;
    EditorSettingsRecord profile;
    profile.Keywords0 = "new" + ff;
    profile.Keywords1 = "also" + ff;
    const QByteArray full = *encodeProfile(profile);
    QDir().mkpath(profilePath(""));
    // Ends inside Keywords1: only Keywords0 is taken.
    scratch.write("program/PROFILES/Cut", full.first(2 + 4 + 3));
    scratch.write("program/PROFILES/Tiny", full.first(3));
    frmOptions* d = open();
    d->lstKeywords[2]->addItem("edited");
    selectProfile(d, "Tiny");
    d->cmdApplyProfile_Click();
    EXPECT_EQ(EditorSettings.Keywords0, "a" + ff);
    EXPECT_EQ(items(d->lstKeywords[2]), QStringList{"edited"}) << "a rejected file changes nothing";
    selectProfile(d, "Cut");
    d->cmdApplyProfile_Click();
    EXPECT_EQ(EditorSettings.Keywords0, "new" + ff);
    EXPECT_EQ(EditorSettings.Keywords1, "b" + ff);
    EXPECT_EQ(EditorSettings.Delimiters, 8);
    EXPECT_EQ(items(d->lstKeywords[0]), QStringList{"new"});

    d->lstProfiles->clearSelection();
    EditorSettings.Keywords0.clear();
    d->cmdApplyProfile_Click();
    EXPECT_EQ(EditorSettings.Keywords0, "") << "nothing selected, nothing applied";
}

TEST_F(OptionsProfilesTest, ExportWritesTheDialogsStateAsANewProfile) {
    frmOptions* d = open();
    d->lstKeywords[0]->addItems({"sub", "my"});
    d->chkBracers[3]->setChecked(true);
    inputs.queueAnswer("Perl5");
    d->cmdExportProfile->click();
    ASSERT_EQ(inputs.asked().size(), 1);
    EXPECT_EQ(inputs.asked()[0].prompt,
              "Enter the name of the profile you wish to save. This is the name that will "
              "appear on the 'Default Profiles' list on the Options dialog.");
    EXPECT_EQ(inputs.asked()[0].title, "Export Settings as Profile");
    EXPECT_EQ(setting("Keywords0"), "sub" + ff + "my" + ff) << "settings written first";
    EXPECT_TRUE(boxes.asked().empty()) << "a new file needs no question";
    EXPECT_EQ(readAll(userProfilePath("Perl5")), *encodeProfile(EditorSettings));
    EXPECT_EQ(EditorSettings.Delimiters, 8);
    EXPECT_TRUE(items(d->lstProfiles).contains("Perl5"));

    inputs.queueAnswer(""); // cancelled: settings are written all the same
    d->lstKeywords[1]->addItem("late");
    d->cmdExportProfile_Click();
    EXPECT_EQ(setting("Keywords1"), "late" + ff);
    EXPECT_EQ(QDir(userProfilePath("")).entryList(QDir::Files), QStringList{"Perl5"});
    EXPECT_FALSE(QFileInfo::exists(profilePath(""))) << "nothing is written beside the program";
}

TEST_F(OptionsProfilesTest, ExportOverAnExistingProfileAsksFirst) {
    frmOptions* d = open();
    QDir().mkpath(userProfilePath(""));
    const QByteArray old = QByteArray(600, 'o');
    scratch.write("userdata/PROFILES/Old", old);
    scratch.write("userdata/PROFILES/Empty", "");
    d->Form_Activate();

    d->lstKeywords[0]->addItem("kept");
    inputs.queueAnswer("Old");
    boxes.answer(vbNo);
    d->cmdExportProfile_Click();
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].prompt,
              "A profile with this name exists. Do you wish to overwrite the old profile?");
    EXPECT_EQ(boxes.asked()[0].title, "Confirm");
    EXPECT_EQ(boxes.asked()[0].buttons(), vbYesNo);
    EXPECT_EQ(readAll(userProfilePath("Old")), old) << "No leaves the file byte for byte";
    EXPECT_EQ(setting("Keywords0"), "kept" + ff);

    inputs.queueAnswer("Old");
    boxes.answer(vbYes);
    d->cmdExportProfile_Click();
    const QByteArray record = *encodeProfile(EditorSettings);
    ASSERT_LT(record.size(), old.size());
    EXPECT_EQ(readAll(userProfilePath("Old")), record + old.mid(record.size()))
        << "a longer old file keeps its tail";

    inputs.queueAnswer("Empty");
    d->cmdExportProfile_Click();
    EXPECT_EQ(boxes.asked().size(), 2u) << "an empty file is overwritten without asking";
    EXPECT_EQ(readAll(userProfilePath("Empty")), record);

    // Applying the profile with the old tail gives the new values.
    EditorSettings.Keywords0.clear();
    d->Form_Activate();
    selectProfile(d, "Old");
    d->cmdApplyProfile_Click();
    EXPECT_EQ(EditorSettings.Keywords0, "kept" + ff);
}

TEST_F(OptionsProfilesTest, ExportFromAReadOnlyProgramGoesToTheUsersFolderAndListsBoth) {
    // An installed program's folder: shipped profiles, nothing writable.
    scratch.write("program/PROFILES/C", QByteArray(40, 'c'));
    scratch.write("program/PROFILES/Java", QByteArray(40, 'j'));
    QFile::setPermissions(profilePath(""), QFile::ReadOwner | QFile::ExeOwner);
    frmOptions* d = open();
    d->lstKeywords[0]->addItem("mine");
    inputs.queueAnswer("Mine");
    d->cmdExportProfile_Click();
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_EQ(readAll(userProfilePath("Mine")), *encodeProfile(EditorSettings));
    EXPECT_EQ(items(d->lstProfiles), (QStringList{"C", "Java", "Mine"}));

    // The user's profile of a shipped name is asked about, then hides the shipped one.
    inputs.queueAnswer("C");
    boxes.answer(vbYes);
    d->cmdExportProfile_Click();
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].title, "Confirm");
    EXPECT_EQ(readAll(profilePath("C")), QByteArray(40, 'c')) << "the shipped file is untouched";
    EXPECT_TRUE(readAll(userProfilePath("C")).startsWith(*encodeProfile(EditorSettings)));
    EXPECT_EQ(items(d->lstProfiles), (QStringList{"C", "Java", "Mine"}));
    EditorSettings.Keywords0.clear();
    selectProfile(d, "C");
    d->cmdApplyProfile_Click();
    EXPECT_EQ(EditorSettings.Keywords0, "mine" + ff) << "the user's profile is the one applied";
    QFile::setPermissions(profilePath(""), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(OptionsProfilesTest, AFailedExportSaysWhy) {
    frmOptions* d = open();
    // The user's profile folder cannot be made: a file stands where it would be.
    scratch.write("userdata/PROFILES", "in the way");
    inputs.queueAnswer("Mine");
    d->cmdExportProfile_Click();
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_TRUE(boxes.asked()[0].prompt.startsWith("The profile \"Mine\" could not be saved.\r\n"))
        << boxes.asked()[0].prompt.toStdString();
    EXPECT_EQ(boxes.asked()[0].title, "File I/O Error");
    EXPECT_FALSE(items(d->lstProfiles).contains("Mine"));
}

} // namespace
} // namespace kelvane::test
