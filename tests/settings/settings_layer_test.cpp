// The settings layer: the stored text forms and the one table of EditorSettings fields that
// drives the store, the Options dialog's write-back and the profile codec.
#include "platform/SettingsStore.h"
#include "settings/EditorSettings.h"
#include "settings/SettingForms.h"
#include "support/TestSupport.h"

#include <QSet>
#include <gtest/gtest.h>

namespace kelvane::test {
namespace {

TEST(SettingFormsTest, FlagsIntegersColoursAndSinglesReadTheirTextForms) {
    EXPECT_TRUE(readFlag("True", false));
    EXPECT_TRUE(readFlag("true", false));
    EXPECT_FALSE(readFlag("False", true));
    EXPECT_FALSE(readFlag("0", true));
    EXPECT_TRUE(readFlag("-1", false));
    EXPECT_TRUE(readFlag("abc", true)) << "unreadable text takes the default";
    EXPECT_FALSE(readFlag("", false));
    EXPECT_EQ(readInteger("511", 0), 511);
    EXPECT_EQ(readInteger("2.5", 0), 2) << "halves round to even";
    EXPECT_EQ(readInteger("3.5", 0), 4);
    EXPECT_EQ(readInteger("x1", 7), 7);
    EXPECT_EQ(readColour("-2147483640", 0), 0x80000008u);
    EXPECT_EQ(readColour("2147483656", 0), 0x80000008u);
    EXPECT_EQ(readColour("12582912", 0), 12582912u);
    EXPECT_EQ(readSingle("1.5", 0), 1.5f);
    EXPECT_EQ(readSingle("abc", 10), 10.0f);
    for (float value : {0.0f, 1.5f, 10.0f, 0.1f, 15346.7f, 123456789.0f})
        EXPECT_EQ(readSingle(singleText(value), -1), value) << singleText(value).toStdString();
    EXPECT_EQ(singleText(1.5f), "1.5");
    EXPECT_EQ(flagText(true), "True");
}

class SettingFieldsTest : public ::testing::Test {
protected:
    void SetUp() override { setSettingsFileOverride(scratch.file("settings.ini")); }
    void TearDown() override { setSettingsFileOverride(QString()); }

    /// A record whose every field differs from its default.
    static EditorSettingsRecord changedRecord() {
        EditorSettingsRecord s;
        s.Keywords0 = QString::fromUtf16(u"int\u00FFlong\u00FF");
        s.Keywords1 = QString::fromUtf16(u"if\u00FF");
        s.Keywords2 = QString::fromUtf16(u"x y\u00FF");
        s.KeywordColor0 = 1;
        s.KeywordColor1 = 0x80000008u;
        s.KeywordColor2 = 3;
        s.KeywordCount = 4;
        s.WordWrap = true;
        s.Delimiters = 511;
        s.DelimitColor = 5;
        s.AutoCode = false;
        s.Backup = false;
        s.EditorFont = QStringLiteral("DejaVu Sans Mono");
        s.EditorSize = 11.5f;
        s.CompilerString = QStringLiteral("cc %1");
        s.CodeOrder = false;
        s.CaseSensitive = true;
        return s;
    }

    ScratchDir scratch;
};

TEST_F(SettingFieldsTest, EveryStoredFieldReadsBackWhatWasWritten) {
    const EditorSettingsRecord written = changedRecord();
    for (const SettingField& field : kSettingFields)
        saveSettingField(field, written);

    EditorSettingsRecord read;
    readKeywordSettings(read);
    readKeywordColours(read);
    readEditorSwitches(read);
    for (const SettingField& field : kSettingFields) {
        if (field.readGroup == SettingReadGroup::NotStored)
            continue;
        EXPECT_EQ(storedText(field, read), storedText(field, written)) << field.key;
    }
    EXPECT_TRUE(read.Reserved.isEmpty()) << "the reserved field is never stored";
}

TEST_F(SettingFieldsTest, AnEmptyStoreGivesEveryDefault) {
    EditorSettingsRecord read = changedRecord();
    readKeywordSettings(read);
    readKeywordColours(read);
    readEditorSwitches(read);
    const EditorSettingsRecord defaults;
    for (const SettingField& field : kSettingFields) {
        if (field.readGroup == SettingReadGroup::NotStored)
            continue;
        EXPECT_EQ(storedText(field, read), storedText(field, defaults)) << field.key;
    }
}

TEST_F(SettingFieldsTest, KeysAreUniqueAndFollowTheStoreSpelling) {
    QSet<QString> keys;
    for (const SettingField& field : kSettingFields) {
        if (!field.key)
            continue;
        EXPECT_FALSE(keys.contains(QString::fromLatin1(field.key).toLower())) << field.key;
        keys.insert(QString::fromLatin1(field.key).toLower());
    }
    EXPECT_EQ(keys.size(), 17);
    EXPECT_TRUE(keys.contains("case sensitive"));
    // The old spelling of the wrap key is the same key.
    SaveSetting(kAppTitle, kSettingsSection, QStringLiteral("Wordwrap"), QStringLiteral("True"));
    EditorSettingsRecord read;
    readEditorSwitches(read);
    EXPECT_TRUE(read.WordWrap);
}

TEST_F(SettingFieldsTest, UnreadableStoredTextsTakeTheirDefaults) {
    for (const SettingField& field : kSettingFields)
        if (field.key)
            SaveSetting(kAppTitle, kSettingsSection, QString::fromLatin1(field.key),
                        QStringLiteral("garbage"));
    EditorSettingsRecord read;
    readKeywordColours(read);
    readEditorSwitches(read);
    const EditorSettingsRecord defaults;
    EXPECT_EQ(read.KeywordColor1, defaults.KeywordColor1);
    EXPECT_EQ(read.Delimiters, 0);
    EXPECT_EQ(read.EditorSize, defaults.EditorSize);
    EXPECT_EQ(read.AutoCode, defaults.AutoCode);
    EXPECT_EQ(read.EditorFont, "garbage") << "a text field takes any text";
}

} // namespace
} // namespace kelvane::test
