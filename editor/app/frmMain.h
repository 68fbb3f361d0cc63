// The main window: an MDI frame with toolbar, side panes, the open-files strip and the status
// bar. It hosts the documents and assembles the menu bar from the command groups.
#pragma once

#include "app/FileCommands.h"
#include "app/ViewCommands.h"
#include "app/WindowCommands.h"
#include "app/WorkspaceCommands.h"
#include "document/DocumentHost.h"
#include "platform/CommonDialog.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class QAction;
class QFrame;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace kelvane {

class ClipTextPane;
class CommandGroup;
class EditCommands;
class FileBrowserPane;
class FormatCommands;
class frmDocument;
class frmSplash;
class HelpCommands;
class LibraryCommands;
class KeyedTabBar;
class MainToolbar;
class PanelStatusBar;
class Splitter;
class PrefsCommands;
class PrintCommands;
class RecoveryKeeper;
class SearchCommands;
struct LeftRecovery;
struct WindowStateRecord;
class ToolCommands;

class frmMain : public QMainWindow, public DocumentHost {
    Q_OBJECT
public:
    frmMain();
    ~frmMain() override;

    /// The one main window of the run.
    static frmMain* instance();

    // The command groups, in the order of the menu bar.
    FileCommands* fileCommands = nullptr;
    EditCommands* editCommands = nullptr;
    SearchCommands* searchCommands = nullptr;
    FormatCommands* formatCommands = nullptr;
    ViewCommands* viewCommands = nullptr;
    WorkspaceCommands* workspaceCommands = nullptr; ///< the Advanced menu's group
    WindowCommands* windowCommands = nullptr;
    HelpCommands* helpCommands = nullptr;
    PrefsCommands* prefsCommands = nullptr; ///< the File menu's Preferences submenu
    PrintCommands* printCommands =
        nullptr; ///< Print, Printer Setup and Page Setup of the File menu
    /// Compiler, viewer and file associations: placed in Preferences and Advanced.
    ToolCommands* toolCommands = nullptr;
    /// A command of any group by its name ("mnuFileSave"), or nullptr.
    QAction* command(QStringView name) const;

    QMdiArea* mdiArea;
    MainToolbar* tbToolBar;
    PanelStatusBar* sbStatusBar;
    Splitter* SplitterLeft;  ///< holds the file-browser pane, its bar along its right edge
    Splitter* SplitterRight; ///< holds the cliptext pane, its bar along its left edge
    QWidget* picBrowser;
    QWidget* picClip;
    /// picBrowser, with its lists.
    FileBrowserPane* browserPane;
    /// picClip, with its lists.
    ClipTextPane* clipPane;
    /// File > New with its templates, the exports, Open Image and the panes' double clicks.
    LibraryCommands* library;
    QWidget* picTabs;
    QLabel* lblOpenFiles;
    KeyedTabBar* tabFiles;
    CommonDialog dlgCommonDialog;

    QMenu* mnuFile;
    QMenu* mnuEdit = nullptr; ///< the edit commands; also the document's right-click menu
    QMenu* mnuSearch = nullptr;
    QMenu* mnuFormat = nullptr;
    QMenu* mnuView;
    QMenu* mnuAdvanced;
    QMenu* mnuWindow;
    QMenu* mnuHelp;
    /// The File menu's "Preferences" submenu.
    QMenu* mnuFilePreferences;
    /// The recent-file items: 0 is the separator above them, 1 to 5 the entries.
    QList<QAction*> mnuFileRecent;
    QAction* mnuViewToolbar;
    QAction* mnuViewStatusBar;
    QAction* mnuViewBrowser;
    QAction* mnuViewCliptext;

    /// Folder shown by the file-browser pane and stored as "LastDir".
    QString browserFolder;
    /// Shows a folder in the file-browser pane (the program's folder, then the home folder,
    /// when it cannot be read).
    void setBrowserFolder(const QString& folder);

    /// Reads every setting and prepares the window; the splash shows the progress.
    void MainWindowInit(frmSplash* splash, const QString& commandLine);
    /// Opens the file or workspace named on the command line.
    void CommandLineOpen(const QString& commandLine);
    /// Writes the window layout, recent files and pane state back to the store.
    void ShutdownSequence();
    /// The desktop session is ending: asks about each changed document as Exit does (when
    /// `mayAsk`), writes the settings, and keeps the recovery file of every document left
    /// unsaved so the next start offers it. False when the user cancelled (the session should
    /// not end).
    bool commitSession(bool mayAsk);
    /// Offers back, one by one, the unsaved text that earlier runs which ended without saving
    /// left in recovery files: Recover opens it in a new window, Discard deletes it.
    void offerRecovery();

    // DocumentHost
    QWidget* hostWindow() override { return this; }
    frmDocument* activeDocument() const override;
    frmDocument* newDocument() override;
    bool saveDocument(frmDocument* document) override {
        return fileCommands->saveDocument(document);
    }
    void addRecentFile(const QString& path) override { CycleRecentFiles(path); }
    CommonDialog& commonDialog() override { return dlgCommonDialog; }
    void setStatusText(int panel, const QString& text) override;
    void addDocumentTab(const QString& key, const QString& caption) override;
    void selectDocumentTab(const QString& key) override;
    void setDocumentTabCaption(const QString& key, const QString& caption) override;
    void setDocumentTabToolTip(const QString& key, const QString& toolTip) override;
    void removeDocumentTab(const QString& key) override;
    void popupEditMenu(QPoint globalPosition) override;
    void focusActiveDocument() override;

    /// A new, hidden document window inside the MDI area.
    frmDocument* createDocumentWindow();
    /// Shows a document window (loading it) and makes it active.
    void showDocumentWindow(frmDocument* document);
    // The commands under their menu names, run by their groups.
    void CycleRecentFiles(const QString& path) { fileCommands->CycleRecentFiles(path); }
    void mnuFileRecent_Click(int index) { fileCommands->mnuFileRecent_Click(index); }
    void mnuFileNew_Click() { fileCommands->mnuFileNew_Click(); }
    void mnuFileOpen_Click() { fileCommands->mnuFileOpen_Click(); }
    void mnuFileClose_Click() { fileCommands->mnuFileClose_Click(); }
    void mnuFileSave_Click() { fileCommands->mnuFileSave_Click(); }
    void mnuFileSaveAs_Click() { fileCommands->mnuFileSaveAs_Click(); }
    void mnuFileSaveAll_Click() { fileCommands->mnuFileSaveAll_Click(); }
    void mnuFileExit_Click() { fileCommands->mnuFileExit_Click(); }
    void mnuViewBrowser_Click() { viewCommands->mnuViewBrowser_Click(); }
    void mnuViewRefresh_Click() { viewCommands->mnuViewRefresh_Click(); }
    void mnuViewRefreshColors_Click() { viewCommands->mnuViewRefreshColors_Click(); }
    void mnuAdvancedSaveProject_Click() { workspaceCommands->mnuAdvancedSaveProject_Click(); }
    void mnuAdvancedRestoreProject_Click() { workspaceCommands->mnuAdvancedRestoreProject_Click(); }
    void mnuWindowMinAll_Click() { windowCommands->mnuWindowMinAll_Click(); }

    static inline const QString kDocumentFilter = kDocumentFileFilter;

protected:
    /// None: only the View menu's toggles show and hide the bars and panes, so their check
    /// marks and the stored visibility always agree.
    QMenu* createPopupMenu() override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

public:
    // Side panes and the open-files strip
    /// Keeps the browser pane from squeezing the document area, then lays the pane out.
    void SplitterLeft_Resize();
    /// Keeps the cliptext pane from squeezing the document area, then lays the pane out.
    void SplitterRight_Resize();
    /// Places the drive, folder and file lists inside the browser pane.
    void picBrowser_Layout();
    /// Places the library and item lists inside the cliptext pane.
    void picClip_Layout();
    /// Places the tab strip right of the "Opened Files:" label.
    void picTabs_Resize();
    /// Lays out and repaints both side panes.
    void layoutSidePanes();

private:
    void buildPanes();
    void buildSidePanes(QWidget* central);
    void buildOpenFilesStrip(QWidget* central);
    void buildToolbar();
    void updateToolbarState();
    bool framePartEvent(QObject* watched, QEvent* event);
    void setPaneWidth(Splitter* pane, double widthTwips);
    double paneWidth(const Splitter* pane) const;
    void squeezePane(Splitter* pane, const Splitter* other);
    void buildMenus();
    QList<CommandGroup*> groups() const;
    void onSubWindowActivated(QMdiSubWindow* sub);
    void tabFiles_Click(const QString& key);
    /// Places the window and shows the bars and panes as the store says.
    void restoreWindowState();
    /// The window's place and its bars' and panes' state as they are now.
    WindowStateRecord windowState() const;

    /// Opens a left recovery file's text in a new, unsaved window under the document's name.
    /// True once the text is safe in this run's own recovery file.
    bool recoverDocument(const LeftRecovery& left);

    void browserPane_FolderChanged(const QString& folder);

    RecoveryKeeper* recovery_;
    bool shuttingDown_ = false;
    /// The session manager was answered: closing now asks nothing more.
    bool sessionCommitted_ = false;
    /// Keeps the unsaved text of every changed document for the next start.
    void keepUnsavedForNextStart();
    bool firstShown_ = false;
    /// The document activated last among the document windows.
    QPointer<frmDocument> activatedDocument_;
};

/// Creates, numbers and shows an untitled document in the main window; it becomes the active
/// document.
frmDocument* NewDocument();

} // namespace kelvane
