// The editor's preferences: the one global EditorSettings record and the page margins.
#pragma once

#include "platform/rtf/RichText.h"

#include <QString>
#include <QtGlobal>

namespace kelvane {

/// The program's title: the application name of every stored setting and of message boxes.
inline const QString kAppTitle = QStringLiteral("Kelvane");

/// Editor preferences. The field order is also the layout of a profile file.
struct EditorSettingsRecord {
    QString Keywords0; ///< keyword lists: words each followed by U+00FF
    QString Keywords1;
    QString Keywords2;
    WinColour KeywordColor0 = 12582912; // 0xC00000
    WinColour KeywordColor1 = 12632064; // 0xC0C000
    WinColour KeywordColor2 = 12632256; // 0xC0C0C0
    qint32 KeywordCount = 0;            ///< total words of the three lists
    bool WordWrap = false;
    qint32 Delimiters = 0;          ///< bit i enables delimiter pair i (0 to 8)
    WinColour DelimitColor = 24576; // 0x006000
    QString Reserved;               ///< unused; stays empty
    bool AutoCode = true;
    bool Backup = true;
    QString EditorFont = QStringLiteral("Courier New");
    float EditorSize = 10;
    QString CompilerString;
    bool CodeOrder = true; ///< true: keywords first, delimiters second
    bool CaseSensitive = false;
};

/// The one global record, filled at start-up.
inline EditorSettingsRecord EditorSettings;

/// Page margins of printing, in the unit page set-up shows.
struct PageMarginsRecord {
    float TopMargin = 1.5f;
    float BottomMargin = 1.5f;
    float LeftMargin = 1.5f;
    float RightMargin = 1.5f;
};

inline PageMarginsRecord PageMargins;

/// Start-up reads, one group per status text of the splash.
void readKeywordSettings(EditorSettingsRecord& settings);
void readKeywordColours(EditorSettingsRecord& settings);
void readEditorSwitches(EditorSettingsRecord& settings);
void readPrinterMargins(PageMarginsRecord& margins);

} // namespace kelvane
