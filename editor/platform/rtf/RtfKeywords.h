// The RTF control words the reader understands, looked up by name.
#pragma once

#include <string_view>

namespace kelvane::rtf {

enum class Keyword {
    Unknown,
    // document and code pages
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCodePage,
    DefaultFont,
    UnicodeSkip,
    Unicode,
    Binary,
    // destinations
    FontTable,
    ColourTable,
    SkippedDestination,
    // font and colour table entries
    FontCharset,
    FontCodePage,
    Red,
    Green,
    Blue,
    // text
    Paragraph,
    Tab,
    Character, ///< a special character such as \emdash
    // character formatting
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Colour,
    Background,
    PatternBackground,
    Highlight,
    FontSize,
    Font,
};

/// What a control word means to the reader.
struct KeywordInfo {
    Keyword keyword = Keyword::Unknown;
    char16_t character = 0; ///< for Keyword::Character and the characters of Paragraph/Tab
};

/// Looks up a control word by its name (without backslash and parameter).
KeywordInfo lookupKeyword(std::string_view name);

} // namespace kelvane::rtf
