// The help window: a contents tree and a search list beside a QTextBrowser topic view.
#include "platform/help/HelpWindow.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace kelvane {

namespace {

const QString kTopicScheme = QStringLiteral("topic");
const QString kErrorScheme = QStringLiteral("error");
constexpr int kIdRole = Qt::UserRole;
constexpr int kContentsTab = 0, kSearchTab = 1;

const char* const kStyleSheet = R"(
body { font-size: 10pt; }
h1 { font-size: 15pt; color: #1f3f77; margin-bottom: 6px; }
h2 { font-size: 12pt; color: #1f3f77; margin-top: 14px; margin-bottom: 4px; }
h3 { font-size: 10pt; margin-top: 10px; margin-bottom: 2px; }
code, kbd { font-family: monospace; }
kbd { font-weight: bold; }
table { margin-top: 4px; margin-bottom: 4px; }
th { background-color: #e4e9f2; text-align: left; }
td, th { padding: 3px; }
p.note { color: #555555; }
p.error { color: #a01010; }
)";

QUrl topicUrl(const QString& id) {
    QUrl url;
    url.setScheme(kTopicScheme);
    url.setPath(id);
    return url;
}

QUrl errorUrl(const QString& what) {
    QUrl url;
    url.setScheme(kErrorScheme);
    url.setPath(what);
    return url;
}

} // namespace

HelpBrowser::HelpBrowser(HelpWindow* owner) : QTextBrowser(owner), owner_(owner) {}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    if (type == QTextDocument::HtmlResource &&
        (name.scheme() == kTopicScheme || name.scheme() == kErrorScheme))
        return owner_->pageHtml(name);
    return QTextBrowser::loadResource(type, name);
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(engine_.fileTitle());
    // The help window never keeps the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);

    contentsTree_ = new QTreeWidget;
    contentsTree_->setHeaderHidden(true);
    contentsTree_->setRootIsDecorated(true);
    contentsTree_->setToolTip(tr("Alt+C"));

    searchField_ = new QLineEdit;
    searchField_->setPlaceholderText(tr("Type the words to find"));
    searchField_->setClearButtonEnabled(true);
    searchResults_ = new QListWidget;
    auto* searchLabel = new QLabel(tr("Find topics that contain:"));
    searchLabel->setBuddy(searchField_);
    auto* searchPage = new QWidget;
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->setContentsMargins(4, 4, 4, 4);
    searchLayout->addWidget(searchLabel);
    searchLayout->addWidget(searchField_);
    searchLayout->addWidget(searchResults_, 1);

    tabs_ = new QTabWidget;
    tabs_->addTab(contentsTree_, tr("Contents"));
    tabs_->addTab(searchPage, tr("Search"));
    tabs_->setTabToolTip(kContentsTab, tr("Contents (Alt+C)"));
    tabs_->setTabToolTip(kSearchTab, tr("Search (Alt+S)"));

    browser_ = new HelpBrowser(this);
    browser_->setOpenLinks(false);
    browser_->document()->setDefaultStyleSheet(QString::fromLatin1(kStyleSheet));

    auto makeButton = [this](const QString& text, QStyle::StandardPixmap icon) {
        auto* button = new QToolButton;
        button->setText(text);
        button->setIcon(style()->standardIcon(icon));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(true);
        return button;
    };
    contentsButton_ = makeButton(tr("Contents"), QStyle::SP_DirHomeIcon);
    backButton_ = makeButton(tr("Back"), QStyle::SP_ArrowBack);
    forwardButton_ = makeButton(tr("Forward"), QStyle::SP_ArrowForward);
    backButton_->setToolTip(tr("Back (Alt+Left)"));
    forwardButton_->setToolTip(tr("Forward (Alt+Right)"));
    backButton_->setEnabled(false);
    forwardButton_->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 2, 4, 2);
    buttons->addWidget(contentsButton_);
    buttons->addWidget(backButton_);
    buttons->addWidget(forwardButton_);
    buttons->addStretch(1);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({270, 610});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);
    resize(880, 600);

    connect(contentsButton_, &QToolButton::clicked, this, &HelpWindow::showContents);
    connect(backButton_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forwardButton_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, backButton_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forwardButton_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::onSourceChanged);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::onAnchorClicked);

    auto openContentsItem = [this](QTreeWidgetItem* item) {
        if (item)
            showTopic(item->data(0, kIdRole).toString());
    };
    connect(contentsTree_, &QTreeWidget::itemActivated, this, openContentsItem);
    connect(contentsTree_, &QTreeWidget::itemClicked, this, openContentsItem);
    connect(searchField_, &QLineEdit::textChanged, this, &HelpWindow::runSearch);
    connect(searchField_, &QLineEdit::returnPressed, this, &HelpWindow::openSearchResult);
    connect(searchResults_, &QListWidget::itemActivated, this, &HelpWindow::openSearchResult);
    connect(searchResults_, &QListWidget::itemClicked, this, &HelpWindow::openSearchResult);

    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    auto* contentsKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_C), this);
    connect(contentsKey, &QShortcut::activated, this, &HelpWindow::focusContents);
    auto* searchKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_S), this);
    connect(searchKey, &QShortcut::activated, this, [this] { showSearch(searchField_->text()); });
    auto* back = new QShortcut(QKeySequence::Back, this);
    connect(back, &QShortcut::activated, browser_, &QTextBrowser::backward);
    auto* forward = new QShortcut(QKeySequence::Forward, this);
    connect(forward, &QShortcut::activated, browser_, &QTextBrowser::forward);
}

bool HelpWindow::loadHelpFile(const QString& path) {
    const QDateTime stamp = QFileInfo(path).lastModified();
    if (engine_.isLoaded() && path == loadedPath_ && stamp == loadedStamp_)
        return true;
    engine_.load(path);
    loadedPath_ = path;
    loadedStamp_ = stamp;
    // Pages of the previous file may name topics the new one lacks.
    browser_->clearHistory();
    buildContentsTree();
    runSearch();
    setWindowTitle(engine_.fileTitle());
    return engine_.isLoaded();
}

void HelpWindow::buildContentsTree() {
    contentsTree_->clear();
    QList<QTreeWidgetItem*> parents;
    for (const HelpContentsEntry& entry : engine_.contents()) {
        parents.resize(std::min<qsizetype>(parents.size(), entry.depth));
        auto* item = parents.isEmpty() ? new QTreeWidgetItem(contentsTree_)
                                       : new QTreeWidgetItem(parents.last());
        item->setText(0, entry.title);
        item->setData(0, kIdRole, entry.id);
        parents << item;
    }
    contentsTree_->expandAll();
}

void HelpWindow::showContents() {
    tabs_->setCurrentIndex(kContentsTab);
    if (const HelpTopic* topic = engine_.contentsTopic())
        showTopic(topic->id);
    else
        browser_->setSource(errorUrl(QStringLiteral("file")), QTextDocument::HtmlResource);
    contentsTree_->setFocus();
}

void HelpWindow::showSearch(const QString& key) {
    tabs_->setCurrentIndex(kSearchTab);
    if (searchField_->text() != key)
        searchField_->setText(key);
    if (browser_->source().isEmpty())
        showContents();
    tabs_->setCurrentIndex(kSearchTab);
    searchField_->setFocus(Qt::ShortcutFocusReason);
    searchField_->selectAll();
}

void HelpWindow::showContext(int context) {
    if (!engine_.isLoaded()) {
        browser_->setSource(errorUrl(QStringLiteral("file")), QTextDocument::HtmlResource);
        return;
    }
    if (const HelpTopic* topic = engine_.topicByContext(context))
        showTopic(topic->id);
    else
        browser_->setSource(errorUrl(QStringLiteral("context/%1").arg(context)),
                            QTextDocument::HtmlResource);
}

void HelpWindow::showTopic(const QString& id, const QStringList& highlightWords) {
    const QUrl url = engine_.topicById(id) ? topicUrl(id) : errorUrl(QStringLiteral("topic/") + id);
    if (browser_->source() == url)
        browser_->reload();
    else
        browser_->setSource(url, QTextDocument::HtmlResource);
    highlight(highlightWords);
}

QString HelpWindow::pageHtml(const QUrl& address) const {
    if (address.scheme() == kTopicScheme) {
        if (const HelpTopic* topic = engine_.topicById(address.path()))
            return QStringLiteral("<html><body><h1>%1</h1>\n%2</body></html>")
                .arg(topic->title.toHtmlEscaped(), topic->html);
    }
    if (!engine_.isLoaded())
        return errorPage(tr("Help is not available"), engine_.errorString().isEmpty()
                                                          ? tr("No help file has been loaded.")
                                                          : engine_.errorString());
    const QString what = address.path();
    if (what.startsWith(QLatin1String("context/")))
        return errorPage(tr("Help topic does not exist"),
                         tr("The help file has no topic with the context number %1. "
                            "A newer help file may describe it.")
                             .arg(what.mid(8)));
    return errorPage(tr("Help topic does not exist"),
                     tr("The help file has no topic named \"%1\".").arg(what.section('/', 1)));
}

QString HelpWindow::errorPage(const QString& heading, const QString& text) const {
    QString body = text.toHtmlEscaped();
    body.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    QString page = QStringLiteral("<html><body><h1>%1</h1><p class=\"error\">%2</p>")
                       .arg(heading.toHtmlEscaped(), body);
    if (engine_.isLoaded())
        page += tr("<p>Choose a topic from the <a href=\"topic:%1\">contents</a>.</p>")
                    .arg(engine_.contentsTopic()->id);
    return page + QStringLiteral("</body></html>");
}

void HelpWindow::runSearch() {
    searchResults_->clear();
    const QString query = searchField_->text();
    if (query.trimmed().isEmpty())
        return;
    const QList<HelpSearchHit> hits = engine_.search(query);
    for (const HelpSearchHit& hit : hits) {
        auto* item = new QListWidgetItem(hit.title, searchResults_);
        item->setData(kIdRole, hit.id);
        item->setToolTip(hit.excerpt);
    }
    if (hits.isEmpty()) {
        auto* item = new QListWidgetItem(tr("No topics found."), searchResults_);
        item->setFlags(Qt::NoItemFlags);
    } else {
        searchResults_->setCurrentRow(0);
    }
}

void HelpWindow::openSearchResult() {
    QListWidgetItem* item = searchResults_->currentItem();
    if (!item || item->data(kIdRole).toString().isEmpty())
        return;
    showTopic(item->data(kIdRole).toString(), HelpEngine::searchWords(searchField_->text()));
}

void HelpWindow::focusContents() {
    tabs_->setCurrentIndex(kContentsTab);
    contentsTree_->setFocus(Qt::ShortcutFocusReason);
}

void HelpWindow::onSourceChanged(const QUrl& source) {
    browser_->setExtraSelections({});
    currentTopicId_ = source.scheme() == kTopicScheme ? source.path() : QString();
    const HelpTopic* topic = engine_.topicById(currentTopicId_);
    // A topic named like the help file itself (its contents page) does not repeat the name.
    const bool ownTitle = topic && topic->title != engine_.fileTitle();
    setWindowTitle(ownTitle ? engine_.fileTitle() + QStringLiteral(" - ") + topic->title
                            : engine_.fileTitle());
    // Keep the contents tree pointing at the topic on show, without opening it a second time.
    const QSignalBlocker blocker(contentsTree_);
    for (QTreeWidgetItemIterator it(contentsTree_); *it; ++it) {
        if ((*it)->data(0, kIdRole).toString() == currentTopicId_) {
            contentsTree_->setCurrentItem(*it);
            return;
        }
    }
    contentsTree_->setCurrentItem(nullptr);
}

void HelpWindow::onAnchorClicked(const QUrl& link) {
    if (link.scheme() == kTopicScheme) {
        showTopic(link.path());
        if (link.hasFragment())
            browser_->scrollToAnchor(link.fragment());
    } else if (link.isRelative() && link.path().isEmpty() && link.hasFragment()) {
        browser_->scrollToAnchor(link.fragment());
    } else if (link.scheme() == QLatin1String("http") || link.scheme() == QLatin1String("https") ||
               link.scheme() == QLatin1String("mailto")) {
        QDesktopServices::openUrl(link);
    }
}

void HelpWindow::highlight(const QStringList& words) {
    QList<QTextEdit::ExtraSelection> marks;
    QTextCharFormat format;
    format.setBackground(QColor(255, 236, 140));
    for (const QString& word : words) {
        // Words that start with the search word, as the search itself matches them.
        const QRegularExpression pattern(QStringLiteral("\\b") + QRegularExpression::escape(word),
                                         QRegularExpression::CaseInsensitiveOption);
        for (QTextCursor found = browser_->document()->find(pattern); !found.isNull();
             found = browser_->document()->find(pattern, found)) {
            marks << QTextEdit::ExtraSelection{found, format};
        }
    }
    browser_->setExtraSelections(marks);
    if (!marks.isEmpty()) {
        // Bring the first match into view without selecting it.
        QTextCursor first = marks.first().cursor;
        first.clearSelection();
        browser_->setTextCursor(first);
        browser_->ensureCursorVisible();
    }
}

} // namespace kelvane
