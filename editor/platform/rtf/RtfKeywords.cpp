// The RTF control words the reader understands, looked up by name.
#include "platform/rtf/RtfKeywords.h"

#include <unordered_map>

namespace kelvane::rtf {

namespace {

using Table = std::unordered_map<std::string_view, KeywordInfo>;

Table makeTable() {
    Table t;
    auto add = [&t](std::string_view name, Keyword k, char16_t c = 0) {
        t.emplace(name, KeywordInfo{k, c});
    };
    add("ansi", Keyword::Ansi);
    add("mac", Keyword::Mac);
    add("pc", Keyword::Pc);
    add("pca", Keyword::Pca);
    add("ansicpg", Keyword::AnsiCodePage);
    add("deff", Keyword::DefaultFont);
    add("uc", Keyword::UnicodeSkip);
    add("u", Keyword::Unicode);
    add("bin", Keyword::Binary);

    add("fonttbl", Keyword::FontTable);
    add("colortbl", Keyword::ColourTable);
    // Destinations whose content is not document text. Field results (\fldrslt) and the
    // list-number fallbacks (\pntext, \listtext) stay: they are what the reader shows.
    for (std::string_view name : {"stylesheet",
                                  "info",
                                  "pict",
                                  "header",
                                  "headerl",
                                  "headerr",
                                  "headerf",
                                  "footer",
                                  "footerl",
                                  "footerr",
                                  "footerf",
                                  "object",
                                  "objdata",
                                  "objclass",
                                  "fldinst",
                                  "footnote",
                                  "annotation",
                                  "themedata",
                                  "colorschememapping",
                                  "latentstyles",
                                  "datastore",
                                  "listtable",
                                  "listoverridetable",
                                  "rsidtbl",
                                  "revtbl",
                                  "generator",
                                  "xmlnstbl",
                                  "pgdsctbl",
                                  "filetbl",
                                  "nonshppict",
                                  "shp",
                                  "shpinst",
                                  "sp",
                                  "sn",
                                  "sv",
                                  "xe",
                                  "tc",
                                  "txe",
                                  "bkmkstart",
                                  "bkmkend",
                                  "private",
                                  "userprops",
                                  "docvar",
                                  "template",
                                  "ftnsep",
                                  "ftnsepc",
                                  "aftnsep",
                                  "aftnsepc",
                                  "ftncn",
                                  "aftncn",
                                  "pnseclvl",
                                  "pn",
                                  "mmathPr",
                                  "atnid",
                                  "atnauthor",
                                  "atrfstart",
                                  "atrfend",
                                  "atndate",
                                  "fchars",
                                  "lchars",
                                  "wgrffmtfilter",
                                  "formfield",
                                  "dptxbxtext"}) {
        add(name, Keyword::SkippedDestination);
    }

    add("fcharset", Keyword::FontCharset);
    add("cpg", Keyword::FontCodePage);
    add("red", Keyword::Red);
    add("green", Keyword::Green);
    add("blue", Keyword::Blue);

    add("par", Keyword::Paragraph, u'\n');
    add("line", Keyword::Paragraph, u'\n');
    add("row", Keyword::Paragraph, u'\n');
    add("tab", Keyword::Tab, u'\t');
    add("cell", Keyword::Tab, u'\t');
    add("nestcell", Keyword::Tab, u'\t');
    add("emdash", Keyword::Character, 0x2014);
    add("endash", Keyword::Character, 0x2013);
    add("bullet", Keyword::Character, 0x2022);
    add("lquote", Keyword::Character, 0x2018);
    add("rquote", Keyword::Character, 0x2019);
    add("ldblquote", Keyword::Character, 0x201C);
    add("rdblquote", Keyword::Character, 0x201D);
    add("enspace", Keyword::Character, 0x2002);
    add("emspace", Keyword::Character, 0x2003);
    add("qmspace", Keyword::Character, 0x2005);
    add("zwj", Keyword::Character, 0x200D);
    add("zwnj", Keyword::Character, 0x200C);
    add("ltrmark", Keyword::Character, 0x200E);
    add("rtlmark", Keyword::Character, 0x200F);

    add("plain", Keyword::Plain);
    add("b", Keyword::Bold);
    add("i", Keyword::Italic);
    for (std::string_view name : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave",
                                  "ulldash", "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd",
                                  "ulthldash", "ululdbwave", "ulw", "ulwave"}) {
        add(name, Keyword::Underline);
    }
    add("ulnone", Keyword::UnderlineNone);
    add("cf", Keyword::Colour);
    add("cb", Keyword::Background);
    add("chcbpat", Keyword::PatternBackground);
    add("highlight", Keyword::Highlight);
    add("fs", Keyword::FontSize);
    add("f", Keyword::Font);
    return t;
}

} // namespace

KeywordInfo lookupKeyword(std::string_view name) {
    static const Table table = makeTable();
    const auto it = table.find(name);
    return it == table.end() ? KeywordInfo{} : it->second;
}

} // namespace kelvane::rtf
