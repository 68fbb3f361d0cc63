// Reading the editor's preferences from the settings store at start-up.
#include "app/EditorSettings.h"

#include "app/SettingForms.h"
#include "platform/SettingsStore.h"

namespace kelvane {

namespace {
const QString kSettings = QStringLiteral("Settings");
const QString kPrinterSettings = QStringLiteral("Printer Settings");

QString read(const QString& section, const QString& key, const QString& fallback) {
    return GetSetting(kAppTitle, section, key, fallback);
}
} // namespace

void readKeywordSettings(EditorSettingsRecord& s) {
    s.Keywords0 = read(kSettings, QStringLiteral("Keywords0"), QString());
    s.Keywords1 = read(kSettings, QStringLiteral("Keywords1"), QString());
    s.Keywords2 = read(kSettings, QStringLiteral("Keywords2"), QString());
    s.KeywordCount =
        readInteger(read(kSettings, QStringLiteral("KeywordCount"), QStringLiteral("0")), 0);
}

void readKeywordColours(EditorSettingsRecord& s) {
    const EditorSettingsRecord defaults;
    auto colour = [](const QString& key, WinColour fallback) {
        return readColour(read(kSettings, key, QString::number(fallback)), fallback);
    };
    s.KeywordColor0 = colour(QStringLiteral("KeywordColor0"), defaults.KeywordColor0);
    s.KeywordColor1 = colour(QStringLiteral("KeywordColor1"), defaults.KeywordColor1);
    s.KeywordColor2 = colour(QStringLiteral("KeywordColor2"), defaults.KeywordColor2);
}

void readEditorSwitches(EditorSettingsRecord& s) {
    const EditorSettingsRecord d;
    auto flag = [](const QString& key, bool fallback, const QString& storedDefault) {
        return readFlag(read(kSettings, key, storedDefault), fallback);
    };
    s.WordWrap = flag(QStringLiteral("Wordwrap"), d.WordWrap, flagText(d.WordWrap));
    s.Delimiters =
        readInteger(read(kSettings, QStringLiteral("Delimiters"), QStringLiteral("0")), 0);
    s.DelimitColor =
        readColour(read(kSettings, QStringLiteral("DelimitColor"), QString::number(d.DelimitColor)),
                   d.DelimitColor);
    s.AutoCode = flag(QStringLiteral("AutoCode"), d.AutoCode, flagText(d.AutoCode));
    s.CodeOrder = flag(QStringLiteral("CodeOrder"), d.CodeOrder, flagText(d.CodeOrder));
    s.Backup = flag(QStringLiteral("Backup"), d.Backup, flagText(d.Backup));
    s.EditorFont = read(kSettings, QStringLiteral("EditorFont"), d.EditorFont);
    s.EditorSize = readSingle(
        read(kSettings, QStringLiteral("EditorSize"), singleText(d.EditorSize)), d.EditorSize);
    s.CompilerString = read(kSettings, QStringLiteral("CompilerString"), QString());
    // The store is given the number 0 as this key's default.
    s.CaseSensitive = flag(QStringLiteral("Case Sensitive"), false, QStringLiteral("0"));
}

void readPrinterMargins(PageMarginsRecord& m) {
    auto margin = [](const QString& key) {
        return readSingle(read(kPrinterSettings, key, QStringLiteral("1.5")), 1.5f);
    };
    m.TopMargin = margin(QStringLiteral("TopMargin"));
    m.BottomMargin = margin(QStringLiteral("BottomMargin"));
    m.LeftMargin = margin(QStringLiteral("LeftMargin"));
    m.RightMargin = margin(QStringLiteral("RightMargin"));
}

} // namespace kelvane
