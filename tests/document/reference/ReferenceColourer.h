// Step-by-step colouring of a document window, kept literal as the yardstick for the engine.
#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

namespace kelvane::test {

/// The colouring settings the passes read.
struct ReferenceSettings {
    std::array<QString, 3> keywords;
    qint32 keywordCount = 0;
    qint32 delimiters = 0;
    bool codeOrder = true;
    bool caseSensitive = false;
};

/// A document window reduced to what the passes touch: the text with CR LF line breaks, a colour
/// class per character (0 base, 1..3 keyword lists, 4 delimiters, 255 never painted), the flags
/// and the captions the progress label showed.
class ReferenceColourer {
public:
    ReferenceColourer(QString crlfText, ReferenceSettings settings);

    QString text;
    std::vector<std::uint8_t> colours;
    bool codingBusy = false;
    bool changedHighLight = true;
    bool changed = false;
    QStringList captions;

    /// Colours the whole document.
    void ColorCode();
    /// Colours the line that holds the given position, taking lines at their CR LF breaks.
    void CodeLine(int selStart);
    /// Colours a line the control reports with its start and length (without its break).
    void CodeLineAt(int lineStart, int lineLen);
    /// Colours every delimited run of one kind in [sStart, sEnd).
    void CodeDelimiters(int sStart, int sEnd, const QString& strOpen, const QString& strClose);
    /// Colours every occurrence of a list's words in [sStart, sEnd).
    void CodeKeywords(int sStart, int sEnd, const QString& list, std::uint8_t colour,
                      bool& showProgress);

private:
    ReferenceSettings settings_;

    void delimiterPass(int sStart, int sEnd);
    void keywordPass(int sStart, int sEnd, bool showProgress);
    void setCaption(const QString& caption) { captions.append(caption); }
    /// Selects a range as the control does (clamped to the text) and gives it a colour.
    void paint(int start, int length, std::uint8_t colour);
};

/// 1-based search for needle in hay at or after start, 0 when absent; with textCompare the
/// characters are compared by their simple case folds.
int inStr(int start, const QString& hay, const QString& needle, bool textCompare);

/// The text with every '\n' written as CR LF.
QString toCrlf(const QString& text);

} // namespace kelvane::test
