// Computes the colour of every character of a document or line, as the colouring passes paint it.
#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace kelvane {

/// Colour class of one character in the result of a pass.
enum ColourClass : std::uint8_t {
    BaseColour = 0,      ///< the window-text colour
    KeywordColour0 = 1,  ///< list 0; lists 1 and 2 are 2 and 3
    DelimiterColour = 4, ///< text between delimiters, delimiters included
    Untouched = 255,     ///< a line pass leaves the character's colour as it was
};

/// The settings that decide a pass's colours (the fields of EditorSettings it reads).
struct ColourSettings {
    /// The three stored keyword lists, each word followed by U+00FF.
    std::array<QString, 3> keywords;
    /// Bit k enables delimiter kind k; bits above 8 are ignored.
    qint32 delimiters = 0;
    /// True: keywords first, then delimiters (delimiters win); false: the other way round.
    bool codeOrder = true;
    /// Keywords match only in their exact spelling when true.
    bool caseSensitive = false;

    bool operator==(const ColourSettings&) const = default;
};

/// One caption of the progress label of a whole-document pass.
struct ColourStage {
    enum Kind { Delimiters, Keywords };
    Kind kind = Delimiters;
    /// For Keywords: the count of words read so far from the current list.
    int counter = 0;

    bool operator==(const ColourStage&) const = default;
};

/// The label's text for a stage: "Coding Bracers and Delimiters..." or
/// "<counter> of <keywordCount> Keywords/Identifiers Coded...".
QString colourStageText(const ColourStage& stage, qint32 keywordCount);

/// Called with each progress caption while a whole-document pass runs.
using ColourProgress = std::function<void(const ColourStage&)>;

/// A line of the text: its start and its length without the line break.
struct ColourTextLine {
    qsizetype start = 0;
    qsizetype length = 0;
};

/// The result of a line pass: colour classes for the characters from start on.
struct LineColours {
    qsizetype start = 0;
    std::vector<std::uint8_t> colours;
};

/// Colours text for one set of settings. Build it once per settings and reuse it: building
/// reads the keyword lists and prepares the search; colouring only reads the text.
///
/// The text is the document with each line break as the single character '\n', standing for
/// the CR LF of the control. A line break's colour class is that of both its characters.
class ColourEngine {
public:
    explicit ColourEngine(const ColourSettings& settings);
    ~ColourEngine();
    ColourEngine(const ColourEngine&) = delete;
    ColourEngine& operator=(const ColourEngine&) = delete;

    const ColourSettings& settings() const;

    /// The captions a whole-document pass shows, in order.
    const std::vector<ColourStage>& documentStages() const;

    /// Colours the whole document into out (one class per character of text, same size):
    /// everything in the base colour, then delimiters and keywords in the settings' order.
    /// progress, when given, receives every stage of documentStages() in order as work advances.
    void colourDocument(QStringView text, std::span<std::uint8_t> out,
                        const ColourProgress& progress = {}) const;

    /// The same, returning a new array.
    std::vector<std::uint8_t> colourDocument(QStringView text,
                                             const ColourProgress& progress = {}) const;

    /// Colours one line as the control reports it (start and length without the break; with
    /// word wrap a display line). The line itself goes to the base colour and takes keywords;
    /// delimiters are searched up to two CR LF characters beyond the line's end, so an
    /// end-of-line comment finds its line break. Characters outside the line are Untouched
    /// unless a delimiter run covers them.
    LineColours colourLine(QStringView text, qsizetype lineStart, qsizetype lineLength) const;

    /// The line (between line breaks) that holds the position.
    static ColourTextLine lineAt(QStringView text, qsizetype position);

private:
    friend class ColourStream;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

/// Receives finished colour classes for the characters [from, from + count) of a document.
using ColourSink =
    std::function<void(qsizetype from, const std::uint8_t* classes, qsizetype count)>;

/// A whole-document pass over text handed over in consecutive pieces, so that neither the
/// whole text nor all its classes need exist at once. The classes that reach the sink are
/// those of ColourEngine::colourDocument over the pieces joined. Most arrive once, in order;
/// when a delimiter run turns out to reach back into characters already handed on, their
/// classes arrive again, with Untouched for characters whose class stays as it was.
class ColourStream {
public:
    /// total is the length of the whole text, for the progress captions.
    ColourStream(const ColourEngine& engine, qsizetype total, ColourSink sink,
                 ColourProgress progress = {});
    ~ColourStream();
    ColourStream(const ColourStream&) = delete;
    ColourStream& operator=(const ColourStream&) = delete;

    /// Takes the next piece of the text.
    void append(QStringView piece);

    /// Ends the text: colours what is left and hands it on.
    void finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace kelvane
