// File watches over one shared QFileSystemWatcher. Each watched file's folder is watched too:
// a program that saves by writing a new file and renaming it over the old one (as editors,
// version control and this editor itself do) ends the watch on the old file, and the folder's
// change is what shows the new one arriving, so the file's watch is set again then.
#include "document/FileWatch.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHash>
#include <QList>
#include <QPointer>

#include <algorithm>

namespace kelvane {

class FileWatchHub : public QObject {
public:
    /// The one hub, living as long as the application object; nullptr without one.
    static FileWatchHub* instance() {
        static QPointer<FileWatchHub> hub;
        if (!hub && QCoreApplication::instance())
            hub = new FileWatchHub(QCoreApplication::instance());
        return hub;
    }

    void add(FileWatch* watch) {
        const QString& path = watch->path_;
        byFile_[path].append(watch);
        byFolder_[folderOf(path)].append(watch);
        rearm(path);
        if (!watcher_.directories().contains(folderOf(path)))
            watcher_.addPath(folderOf(path));
    }

    void remove(FileWatch* watch) {
        const QString& path = watch->path_;
        if (dropFrom(byFile_, path, watch))
            watcher_.removePath(path);
        if (dropFrom(byFolder_, folderOf(path), watch))
            watcher_.removePath(folderOf(path));
    }

    /// Watches the file again when it exists and is not watched (it was replaced by rename).
    void rearm(const QString& path) {
        if (!watcher_.files().contains(path) && QFileInfo::exists(path))
            watcher_.addPath(path);
    }

private:
    explicit FileWatchHub(QObject* parent) : QObject(parent) {
        connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this](const QString& path) {
            rearm(path);
            poke(byFile_.value(path));
        });
        connect(&watcher_, &QFileSystemWatcher::directoryChanged, this,
                [this](const QString& folder) { poke(byFolder_.value(folder)); });
    }

    static QString folderOf(const QString& path) { return QFileInfo(path).absolutePath(); }

    static bool dropFrom(QHash<QString, QList<FileWatch*>>& table, const QString& key,
                         FileWatch* watch) {
        auto found = table.find(key);
        if (found == table.end())
            return false;
        found->removeOne(watch);
        if (!found->isEmpty())
            return false;
        table.erase(found);
        return true;
    }

    static void poke(const QList<FileWatch*>& watches) {
        for (FileWatch* watch : watches)
            watch->poked();
    }

    QFileSystemWatcher watcher_;
    QHash<QString, QList<FileWatch*>> byFile_;
    QHash<QString, QList<FileWatch*>> byFolder_;
};

FileWatch::FileWatch(QObject* parent) : QObject(parent) {
    delay_.setSingleShot(true);
    connect(&delay_, &QTimer::timeout, this, &FileWatch::report);
}

FileWatch::~FileWatch() {
    disarm();
}

void FileWatch::arm(const QString& path) {
    arm(path, FileStamp::of(path));
}

void FileWatch::arm(const QString& path, const FileStamp& read) {
    const QString absolute = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    if (absolute != path_) {
        FileWatchHub* hub = FileWatchHub::instance();
        if (hub && !path_.isEmpty())
            hub->remove(this);
        path_ = absolute;
        if (hub && !path_.isEmpty())
            hub->add(this);
    } else {
        rearm(); // our own save replaced the file by rename
    }
    read_ = path_.isEmpty() ? FileStamp() : read;
    seen_ = read_;
    delay_.stop();
}

bool FileWatch::changedSinceRead() const {
    if (path_.isEmpty())
        return false;
    const FileStamp now = FileStamp::of(path_);
    return now.exists && now != read_;
}

void FileWatch::acknowledge() {
    seen_ = FileStamp::of(path_);
}

void FileWatch::look() {
    if (path_.isEmpty())
        return;
    rearm();
    if (FileStamp::of(path_) != seen_)
        report();
}

void FileWatch::rearm() {
    if (FileWatchHub* hub = FileWatchHub::instance(); hub && !path_.isEmpty())
        hub->rearm(path_);
}

void FileWatch::poked() {
    rearm(); // the file may be back after a delete and a new write
    if (path_.isEmpty() || delay_.isActive())
        return; // a report is already due: later writes are taken in by it
    int wait = kSettleDelay;
    if (sinceReport_.isValid())
        wait = std::max<qint64>(wait, kMinimumInterval - sinceReport_.elapsed());
    delay_.start(wait);
}

void FileWatch::report() {
    delay_.stop();
    const FileStamp now = FileStamp::of(path_);
    if (now == seen_)
        return; // a folder change that was not this file, or a change already reported
    seen_ = now;
    sinceReport_.start();
    if (now.exists)
        emit changedOnDisk();
    else
        emit removedFromDisk();
}

} // namespace kelvane
