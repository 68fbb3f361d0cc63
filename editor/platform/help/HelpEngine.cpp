// Parses the help file into topics and answers contents, context and search requests.
#include "platform/help/HelpEngine.h"

#include "platform/FileIO.h"

#include <QRegularExpression>
#include <QTextDocumentFragment>

#include <algorithm>
#include <functional>

namespace kelvane {

namespace {

const QString kSignature = QStringLiteral("KELVANE-HELP");
const QString kDirective = QStringLiteral("@@");
const QRegularExpression kIdPattern(QStringLiteral("^[A-Za-z0-9_.-]+$"));

// Weights of the search ranking: a topic that holds more of the query's words always ranks above
// one that holds fewer; among equals, title hits beat keyword hits beat hits in the text.
constexpr int kPerMatchedWord = 1000;
constexpr int kTitleExact = 60, kTitlePrefix = 45;
constexpr int kKeywordExact = 40, kKeywordPrefix = 20;
constexpr int kBodyExact = 10, kBodyPrefix = 4;
constexpr int kPhraseInTitle = 80, kPhraseInBody = 40;
constexpr int kMinPrefixLength = 3;

// Whether word matches one of the candidates exactly, or as the beginning of one.
enum class Match { None, Prefix, Exact };

Match matchIn(const QStringList& candidates, const QString& word) {
    Match best = Match::None;
    for (const QString& candidate : candidates) {
        if (candidate == word)
            return Match::Exact;
        if (word.size() >= kMinPrefixLength && candidate.startsWith(word))
            best = Match::Prefix;
    }
    return best;
}

// Occurrences of word in the body words, exact and as a prefix.
void countIn(const QStringList& bodyWords, const QString& word, int& exact, int& prefix) {
    exact = prefix = 0;
    for (const QString& candidate : bodyWords) {
        if (candidate == word)
            ++exact;
        else if (word.size() >= kMinPrefixLength && candidate.startsWith(word))
            ++prefix;
    }
}

QString excerptAround(const QString& text, const QStringList& words) {
    const QString simple = text.simplified();
    qsizetype at = -1;
    for (const QString& word : words) {
        const qsizetype found = simple.indexOf(word, 0, Qt::CaseInsensitive);
        if (found >= 0 && (at < 0 || found < at))
            at = found;
    }
    if (at < 0)
        at = 0;
    constexpr qsizetype kBefore = 40, kLength = 140;
    qsizetype start = std::max<qsizetype>(0, at - kBefore);
    if (start > 0) {
        const qsizetype space = simple.indexOf(QLatin1Char(' '), start);
        if (space >= 0 && space < at)
            start = space + 1;
    }
    QString piece = simple.mid(start, kLength);
    if (start + kLength < simple.size()) {
        const qsizetype space = piece.lastIndexOf(QLatin1Char(' '));
        if (space > kLength / 2)
            piece.truncate(space);
        piece += QStringLiteral(" ...");
    }
    if (start > 0)
        piece.prepend(QStringLiteral("... "));
    return piece;
}

} // namespace

QStringList HelpEngine::searchWords(const QString& text) {
    QStringList words;
    QString current;
    for (const QChar ch : text) {
        if (ch.isLetterOrNumber()) {
            current += ch;
        } else if (!current.isEmpty()) {
            words << current.toCaseFolded();
            current.clear();
        }
    }
    if (!current.isEmpty())
        words << current.toCaseFolded();
    return words;
}

void HelpEngine::clear() {
    topics_.clear();
    byId_.clear();
    byContext_.clear();
    error_.clear();
    warnings_.clear();
    fileTitle_ = QStringLiteral("Kelvane Help");
}

bool HelpEngine::load(const QString& path) {
    QByteArray bytes;
    QString error;
    if (!readWholeFile(path, bytes, error)) {
        clear();
        error_ = QStringLiteral("The help file %1 could not be opened.\n%2").arg(path, error);
        return false;
    }
    return loadFromBytes(bytes, path);
}

bool HelpEngine::loadFromBytes(const QByteArray& bytes, const QString& sourceName) {
    clear();
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList lines = text.split(QLatin1Char('\n'));

    const QString firstLine = lines.value(0).trimmed();
    if (!firstLine.startsWith(kSignature)) {
        error_ = QStringLiteral("The file %1 is not a Kelvane help file, or it is damaged.")
                     .arg(sourceName);
        return false;
    }
    const QString version = firstLine.mid(kSignature.size()).trimmed();
    if (version != QLatin1String("1")) {
        error_ = QStringLiteral("The help file %1 has format version %2, which this version of "
                                "Kelvane cannot read.")
                     .arg(sourceName, version.isEmpty() ? QStringLiteral("(none)") : version);
        return false;
    }

    bool inTopic = false;
    HelpTopic topic;
    QStringList body;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const int lineNumber = int(i) + 1;

        if (!line.startsWith(kDirective)) {
            if (inTopic)
                body << line;
            else if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1Char('#')))
                warnings_ << QStringLiteral("Line %1: text before the first topic is ignored.")
                                 .arg(lineNumber);
            continue;
        }

        const QString directive = line.mid(kDirective.size());
        const qsizetype space = directive.indexOf(QLatin1Char(' '));
        const QString name = directive.left(space < 0 ? directive.size() : space).toLower();
        const QString value = space < 0 ? QString() : directive.mid(space + 1).trimmed();

        if (name == QLatin1String("topic")) {
            if (inTopic)
                finishTopic(topic, body);
            topic = HelpTopic();
            topic.id = value;
            inTopic = true;
        } else if (!inTopic) {
            if (name == QLatin1String("file-title") && !value.isEmpty())
                fileTitle_ = value;
            else
                warnings_ << QStringLiteral("Line %1: \"%2\" outside a topic is ignored.")
                                 .arg(lineNumber)
                                 .arg(line);
        } else if (name == QLatin1String("title")) {
            topic.title = value;
        } else if (name == QLatin1String("context")) {
            bool ok = false;
            const int context = value.toInt(&ok);
            if (ok && context >= 0)
                topic.context = context;
            else
                warnings_ << QStringLiteral("Line %1: \"%2\" is not a context number.")
                                 .arg(lineNumber)
                                 .arg(value);
        } else if (name == QLatin1String("parent")) {
            topic.parent = value;
        } else if (name == QLatin1String("keywords")) {
            for (const QString& keyword : value.split(QLatin1Char(','), Qt::SkipEmptyParts))
                topic.keywords << keyword.trimmed();
        } else {
            warnings_ << QStringLiteral("Line %1: unknown directive \"%2\" is ignored.")
                             .arg(lineNumber)
                             .arg(line);
        }
    }
    if (inTopic)
        finishTopic(topic, body);

    // A parent that does not exist, or a chain that loops, would hide topics from the contents.
    for (HelpTopic& t : topics_) {
        QString ancestor = t.parent;
        for (int depth = 0; !ancestor.isEmpty(); ++depth) {
            const auto found = byId_.constFind(ancestor);
            if (found == byId_.constEnd() || depth > topics_.size() || ancestor == t.id) {
                warnings_ << QStringLiteral("Topic \"%1\": parent \"%2\" is unknown or circular.")
                                 .arg(t.id, t.parent);
                t.parent.clear();
                break;
            }
            ancestor = topics_[*found].parent;
        }
    }

    if (topics_.isEmpty()) {
        error_ = QStringLiteral("The help file %1 holds no topics.").arg(sourceName);
        return false;
    }
    return true;
}

void HelpEngine::finishTopic(HelpTopic& topic, QStringList& bodyLines) {
    topic.html = bodyLines.join(QLatin1Char('\n')).trimmed();
    bodyLines.clear();
    if (!kIdPattern.match(topic.id).hasMatch()) {
        warnings_ << QStringLiteral("A topic named \"%1\" has an unusable name and is skipped.")
                         .arg(topic.id);
        return;
    }
    if (byId_.contains(topic.id)) {
        warnings_
            << QStringLiteral("Topic \"%1\" appears twice; the first one is kept.").arg(topic.id);
        return;
    }
    if (topic.title.isEmpty())
        topic.title = topic.id;
    topic.plainText = QTextDocumentFragment::fromHtml(topic.html).toPlainText();
    if (topic.context >= 0) {
        if (byContext_.contains(topic.context)) {
            warnings_ << QStringLiteral("Context number %1 is used twice; topic \"%2\" keeps it.")
                             .arg(topic.context)
                             .arg(topics_[byContext_.value(topic.context)].id);
            topic.context = -1;
        } else {
            byContext_.insert(topic.context, int(topics_.size()));
        }
    }
    byId_.insert(topic.id, int(topics_.size()));
    topics_ << topic;
}

const HelpTopic* HelpEngine::topicByContext(int context) const {
    const auto found = byContext_.constFind(context);
    return found == byContext_.constEnd() ? nullptr : &topics_[*found];
}

const HelpTopic* HelpEngine::topicById(const QString& id) const {
    const auto found = byId_.constFind(id);
    return found == byId_.constEnd() ? nullptr : &topics_[*found];
}

const HelpTopic* HelpEngine::contentsTopic() const {
    return topics_.isEmpty() ? nullptr : &topics_.first();
}

QList<HelpContentsEntry> HelpEngine::contents() const {
    QList<HelpContentsEntry> entries;
    // Depth-first from the top-level topics, each level in file order.
    std::function<void(const QString&, int)> addChildren = [&](const QString& parent, int depth) {
        for (const HelpTopic& t : topics_) {
            if (t.parent == parent) {
                entries << HelpContentsEntry{t.id, t.title, depth};
                addChildren(t.id, depth + 1);
            }
        }
    };
    addChildren(QString(), 0);
    return entries;
}

int HelpEngine::scoreTopic(const HelpTopic& topic, const QStringList& words,
                           const QString& phrase) const {
    const QStringList titleWords = searchWords(topic.title);
    const QStringList keywordWords = searchWords(topic.keywords.join(QLatin1Char(' ')));
    const QStringList bodyWords = searchWords(topic.plainText);

    int matched = 0;
    int score = 0;
    for (const QString& word : words) {
        int wordScore = 0;
        switch (matchIn(titleWords, word)) {
        case Match::Exact:
            wordScore += kTitleExact;
            break;
        case Match::Prefix:
            wordScore += kTitlePrefix;
            break;
        case Match::None:
            break;
        }
        switch (matchIn(keywordWords, word)) {
        case Match::Exact:
            wordScore += kKeywordExact;
            break;
        case Match::Prefix:
            wordScore += kKeywordPrefix;
            break;
        case Match::None:
            break;
        }
        int exact = 0, prefix = 0;
        countIn(bodyWords, word, exact, prefix);
        // Repetition helps, with diminishing returns so that one long topic cannot swamp others.
        if (exact > 0)
            wordScore += kBodyExact + 2 * std::min(exact, 10);
        else if (prefix > 0)
            wordScore += kBodyPrefix + std::min(prefix, 10);
        if (wordScore > 0) {
            ++matched;
            score += wordScore;
        }
    }
    if (matched == 0)
        return 0;
    score += matched * kPerMatchedWord;
    if (words.size() > 1) {
        if (topic.title.simplified().contains(phrase, Qt::CaseInsensitive))
            score += kPhraseInTitle;
        else if (topic.plainText.simplified().contains(phrase, Qt::CaseInsensitive))
            score += kPhraseInBody;
    }
    return score;
}

QList<HelpSearchHit> HelpEngine::search(const QString& query, int maxHits) const {
    QStringList words = searchWords(query);
    words.removeDuplicates();
    QList<HelpSearchHit> hits;
    if (words.isEmpty())
        return hits;
    const QString phrase = query.simplified();
    for (const HelpTopic& topic : topics_) {
        const int score = scoreTopic(topic, words, phrase);
        if (score > 0)
            hits << HelpSearchHit{topic.id, topic.title, score,
                                  excerptAround(topic.plainText, words)};
    }
    // Stable, so topics of equal score keep the order of the help file.
    std::stable_sort(hits.begin(), hits.end(), [](const HelpSearchHit& a, const HelpSearchHit& b) {
        return a.score > b.score;
    });
    if (maxHits >= 0 && hits.size() > maxHits)
        hits.resize(maxHits);
    return hits;
}

} // namespace kelvane
