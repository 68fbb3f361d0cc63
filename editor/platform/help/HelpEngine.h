// Reads the editor's help file: topics by context number, the contents list and full-text search.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace kelvane {

/// One topic of the help file.
struct HelpTopic {
    QString id;           // name used by links inside the help file ("topic:<id>")
    QString title;        // shown in the contents, the search results and the window caption
    int context = -1;     // help context number the program asks for; -1 when it has none
    QString parent;       // id of the topic it stands under in the contents; empty at top level
    QStringList keywords; // extra search terms that do not appear in the text
    QString html;         // the body as HTML
    QString plainText;    // the body without markup, for search
};

/// One line of the contents list, in the order of the help file.
struct HelpContentsEntry {
    QString id;
    QString title;
    int depth = 0; // 0 for top-level topics, 1 for topics under them, and so on
};

/// One search result; better matches come first.
struct HelpSearchHit {
    QString id;
    QString title;
    int score = 0;
    QString excerpt; // a short piece of the text around the first match
};

/// The help file parsed into topics; a plain class, no widgets.
///
/// Format (UTF-8 text, CR LF or LF line breaks):
///   line 1 "KELVANE-HELP 1" (signature and format version);
///   optional "@@file-title <text>" before the first topic;
///   each topic starts with "@@topic <id>", followed by optional "@@title", "@@context <n>",
///   "@@parent <id>", "@@keywords <a, b>" lines; every other line up to the next "@@topic" is
///   the topic's HTML body. Lines starting with "#" before the first topic are comments.
///   The first topic is the contents topic.
class HelpEngine {
public:
    /// Reads and parses a help file; on failure returns false and sets errorString().
    bool load(const QString& path);
    /// Parses help-file bytes; sourceName names them in error texts.
    bool loadFromBytes(const QByteArray& bytes, const QString& sourceName);

    /// True when the last load produced at least one topic.
    bool isLoaded() const { return !topics_.isEmpty(); }
    /// Why the last load failed; empty after a successful load.
    QString errorString() const { return error_; }
    /// Problems the last load skipped over (bad directives, duplicates), one per entry.
    QStringList warnings() const { return warnings_; }
    /// Title of the whole help file ("Kelvane Help" when the file names none).
    QString fileTitle() const { return fileTitle_; }

    /// Every topic in file order.
    const QList<HelpTopic>& topics() const { return topics_; }
    /// The topic that carries a context number, or nullptr.
    const HelpTopic* topicByContext(int context) const;
    /// The topic with the given id, or nullptr.
    const HelpTopic* topicById(const QString& id) const;
    /// The contents topic (the file's first topic), or nullptr when nothing is loaded.
    const HelpTopic* contentsTopic() const;
    /// The contents list: every topic in file order, children right after their parent.
    QList<HelpContentsEntry> contents() const;

    /// Finds the topics that hold the words of the query, regardless of case, best first.
    QList<HelpSearchHit> search(const QString& query, int maxHits = 50) const;

    /// Splits text into lower-case search words (letters and digits).
    static QStringList searchWords(const QString& text);

private:
    void clear();
    void finishTopic(HelpTopic& topic, QStringList& bodyLines);
    int scoreTopic(const HelpTopic& topic, const QStringList& words, const QString& phrase) const;

    QList<HelpTopic> topics_;
    QHash<QString, int> byId_;
    QHash<int, int> byContext_;
    QString error_;
    QStringList warnings_;
    QString fileTitle_;
};

} // namespace kelvane
