// The help window: contents pane, search pane and a topic view with back and forward.
#pragma once

#include "platform/help/HelpEngine.h"

#include <QDateTime>
#include <QStringList>
#include <QTextBrowser>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kelvane {

class HelpWindow;

/// The topic view: serves "topic:" and "error:" pages from the help window's engine.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(HelpWindow* owner);
    QVariant loadResource(int type, const QUrl& name) override;

private:
    HelpWindow* owner_;
};

/// A top-level window that shows the topics of one help file.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    /// Loads the help file unless it is already loaded and unchanged on disk; true when usable.
    bool loadHelpFile(const QString& path);
    /// The engine holding the loaded help file.
    const HelpEngine& engine() const { return engine_; }

    /// Shows the contents topic with the contents pane.
    void showContents();
    /// Shows the search pane with key in the search field and focuses the field.
    void showSearch(const QString& key = QString());
    /// Shows the topic with the given context number, or a page saying it does not exist.
    void showContext(int context);
    /// Shows the topic with the given id; search words, when given, are highlighted in it.
    void showTopic(const QString& id, const QStringList& highlightWords = QStringList());

    /// Id of the topic on show; empty while an error page is shown.
    QString currentTopicId() const { return currentTopicId_; }

    HelpBrowser* browser() const { return browser_; }
    QTreeWidget* contentsTree() const { return contentsTree_; }
    QLineEdit* searchField() const { return searchField_; }
    QListWidget* searchResults() const { return searchResults_; }
    QTabWidget* navigationTabs() const { return tabs_; }

    /// The HTML of a page of the topic view ("topic:<id>" or "error:..." addresses).
    QString pageHtml(const QUrl& address) const;

private:
    void buildContentsTree();
    void runSearch();
    void openSearchResult();
    void focusContents();
    void onSourceChanged(const QUrl& source);
    void onAnchorClicked(const QUrl& link);
    void highlight(const QStringList& words);
    QString errorPage(const QString& heading, const QString& text) const;

    HelpEngine engine_;
    QString loadedPath_;
    QDateTime loadedStamp_;
    QString currentTopicId_;

    QTabWidget* tabs_ = nullptr;
    QTreeWidget* contentsTree_ = nullptr;
    QLineEdit* searchField_ = nullptr;
    QListWidget* searchResults_ = nullptr;
    HelpBrowser* browser_ = nullptr;
    QToolButton* backButton_ = nullptr;
    QToolButton* forwardButton_ = nullptr;
    QToolButton* contentsButton_ = nullptr;
};

} // namespace kelvane
