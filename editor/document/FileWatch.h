// One document's watch on its file: notices when another program changes, replaces or
// removes it, and says so at most once a second however often the file is written.
#pragma once

#include "platform/FileStamp.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

namespace kelvane {

class FileWatch : public QObject {
    Q_OBJECT
public:
    explicit FileWatch(QObject* parent = nullptr);
    ~FileWatch() override;

    /// The document now holds the file at `path` as it is on disk (it was just read or
    /// written): remember its stamp and watch it. An empty path stops watching.
    void arm(const QString& path);
    /// As arm(path), with the stamp taken before the file was read, so that a write landing
    /// while it was read is still reported.
    void arm(const QString& path, const FileStamp& read);
    void disarm() { arm(QString()); }
    const QString& path() const { return path_; }

    /// The file on disk is no longer the one the document last read or wrote (it exists and
    /// differs). A save onto it would lose the other program's work.
    bool changedSinceRead() const;
    /// The user has been told about the file as it is now (or kept their text over it): the
    /// same state is not reported again, but a save still asks.
    void acknowledge();
    /// Looks at the file now (when the window is activated, and where the system's watcher
    /// cannot see, such as some network folders), reporting a change as the watcher would.
    void look();

    /// At most one report per this many milliseconds.
    static constexpr int kMinimumInterval = 1000;
    /// A first report waits this long, so that a program writing in several steps is done.
    static constexpr int kSettleDelay = 150;

signals:
    /// The file differs from what was last read, written or acknowledged.
    void changedOnDisk();
    /// The file is gone (deleted, or moved away).
    void removedFromDisk();

private:
    friend class FileWatchHub;
    /// The system's watcher saw something at the file or in its folder.
    void poked();
    void rearm();
    void report();

    QString path_;
    FileStamp read_; ///< as the document last read or wrote it
    FileStamp seen_; ///< as last reported or acknowledged
    QTimer delay_;
    QElapsedTimer sinceReport_;
};

} // namespace kelvane
