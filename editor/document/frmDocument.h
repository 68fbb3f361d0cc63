// The window of one open document: its rich-text control, change flags, tab in the open-files
// strip and the status bar texts for its selection.
#pragma once

#include <QWidget>

#include <optional>

class QLabel;
class QMdiSubWindow;

namespace kelvane {

class DocumentHost;
class FileWatch;
class RichTextBox;
class TextModel;
struct RecoverySource;

/// "The text changed since it was loaded or saved", read and set as a flag but kept as the
/// text model's saved mark: undoing back to the saved text clears it, redoing away sets it
/// again. Setting it true forgets the saved state (undo no longer reaches it); setting it false
/// makes the present text the saved one.
class ChangedFlag {
public:
    explicit ChangedFlag(TextModel& model) : model_(model) {}
    ChangedFlag(const ChangedFlag&) = delete;
    ChangedFlag& operator=(const ChangedFlag&) = delete;

    operator bool() const; // NOLINT(google-explicit-constructor): read as the flag it was
    ChangedFlag& operator=(bool changed);

private:
    TextModel& model_;
};

/// How a file is opened into a document: the open commands differ only in these.
struct LoadOptions {
    /// The caption to show; without one, the file's title (the path after its last separator).
    std::optional<QString> caption;
    /// With the Backup setting on, the loaded text is written at once, in rich text, to the
    /// path followed by "~".
    bool backup = false;
    /// The path goes to the top of the host's recent-files list.
    bool recentFiles = false;
};

class frmDocument : public QWidget {
    Q_OBJECT
public:
    /// A document window shown in the host's frame; the host gets its tab and status texts.
    explicit frmDocument(DocumentHost& host, QWidget* parent = nullptr);

    DocumentHost& host() const { return host_; }

    RichTextBox* rtfText;
    /// Progress texts of whole-document colouring, seen while rtfText is hidden.
    QLabel* lblColors;

    /// The text changed since it was loaded or saved.
    ChangedFlag Changed;
    /// The colouring is out of date.
    bool ChangedHighLight = false;
    /// Slot number in the document table.
    int FormIndex = 0;
    /// The stored path of the document's file; empty while untitled.
    QString Tag;

    QString Caption() const { return windowTitle(); }
    void setCaption(const QString& caption);
    /// A document is untitled while its caption begins with "File " (exact case).
    bool isUntitled() const { return Caption().left(5) == QLatin1String("File "); }
    QString tabKey() const;

    /// Loads a file (rich text when it is rich text, else plain text) and makes it this
    /// document's file: caption, stored path, tab caption and tool tip, unchanged. False with
    /// the error text when the file cannot be read; the document is then left as it was.
    bool loadFile(const QString& path, const LoadOptions& options, QString& error);
    /// Writes the text as plain text to its stored path. False with the error text, or with
    /// `declined` when the file was changed by another program and the user chose not to
    /// write over it.
    bool saveFile(QString& error, bool& declined);
    /// Writes the text as plain text to a new path, which becomes its file, shown as `caption`.
    /// Onto its own file, asks first as saveFile does.
    bool saveFileAs(const QString& path, const QString& caption, QString& error, bool& declined);
    /// The text is now the file at `path`: stored path and tab tool tip follow, Changed is
    /// cleared and the recovery copy is dropped. The caption stays, or becomes `caption`.
    void markSaved(const QString& path);
    void markSaved(const QString& path, const QString& caption);
    /// Shows the document as the file at `path` under `caption` (stored path, caption, tab
    /// caption and tool tip) without touching its text or its Changed flag.
    void showAsFile(const QString& path, const QString& caption);

    // --- The file on disk, changed by other programs (DocumentDiskChanges.cpp) ---
    /// Reads the file again, keeping the caret's line and the scroll position, as one step of
    /// the undo history; recoloured, and said in the status bar. Reports a read error.
    bool reloadFromDisk();
    /// File > Reload: reads the file again, asking first when the text has unsaved changes.
    void reloadCommand();
    /// Looks at the file (for folders the system's watcher cannot see) and asks or tells what
    /// is due about it; called when the window or the main window becomes active.
    void checkDiskFile();
    /// The watch on the document's file.
    FileWatch& fileWatch() const { return *fileWatch_; }

    /// Re-applies the editor font and, with AutoCode, colours an out-of-date document.
    void RefreshDisplay();
    /// Colours the whole document when its colouring is out of date.
    void ColorCode();
    /// Colours the line that holds the selection start when the colouring is out of date.
    void CodeLine();
    bool codingBusy() const { return CodingBusy; }

    /// Takes back (or makes again) the last edit. With AutoCode on, a step that changed more
    /// than the caret's line colours the document again, as the edit had left it uncoloured.
    void Undo();
    void Redo();

    /// Shows the selection size and the caret's line in the host's status panels.
    void UpdateStatusPanels();

    /// Asks whether to save a changed document ("Save Changes?"), saving on Yes. False when
    /// the user cancels or the save fails: the document must stay open. An unchanged
    /// document needs no answer.
    bool confirmClose();

    /// Window events, called by the main window as the window system would.
    void Form_Load();
    void Form_Activate();
    void Form_GotFocus();
    /// Frees the slot and the tab; runs once, when the window closes.
    void Form_Unload();

    /// Keeps the whole unsaved text in a recovery file a moment after the last change; called
    /// when the text is replaced whole. Edits are kept as they come, one journal entry each.
    void keepForRecovery();
    /// The text was saved: its recovery file is no longer needed.
    void forgetRecovery();
    bool isLoaded() const { return loaded_; }

    QMdiSubWindow* subWindow() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void layOut();
    void rtfText_Change();
    void rtfText_SelChange();
    void rtfText_KeyDown(int& keyCode, int shift);
    void rtfText_KeyUp(int& keyCode, int shift);
    void rtfText_MouseUp(int button, int shift, QPoint globalPosition);
    void showSelectionSize();
    void writeBackup(const QString& path);
    void undoStep(bool redo);
    /// What the recovery keeper asks of this window: its names, and its text when needed.
    RecoverySource recoverySource();
    void keepEditForRecovery(qsizetype from, qsizetype removed, qsizetype added);
    void fileChangedOnDisk();
    void fileRemovedFromDisk();
    void askAboutDiskChange();
    void tellFileRemoved();
    bool activeForUser() const;
    /// Asks before a save writes over `path` when it is this document's file and another
    /// program changed it since it was read or written. False: leave the file alone.
    bool confirmSaveOver(const QString& path);

    DocumentHost& host_;
    bool loaded_ = false;
    bool unloaded_ = false;
    bool CodingBusy = false;
    FileWatch* fileWatch_;
    bool diskQuestionDue_ = false;  ///< the file changed; ask when the window is next active
    bool removedNoticeDue_ = false; ///< the file went away; say so when next active
    bool askingAboutDisk_ = false;
};

} // namespace kelvane
