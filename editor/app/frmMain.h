// The main window: an MDI frame with toolbar, side panes, the open-files strip and the status
// bar. It builds itself from the command groups, hosts the documents, and keeps the order of
// start-up and shut-down.
#pragma once

#include "app/FileCommands.h"
#include "app/RecoveryOffer.h"
#include "app/ViewCommands.h"
#include "app/WindowCommands.h"
#include "app/WorkspaceCommands.h"
#include "document/DocumentHost.h"
#include "platform/CommonDialog.h"
#include "platform/KeyedTabBar.h"

#include <QMainWindow>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace kelvane {

class ClipTextPane;
class EditCommands;
class FileBrowserPane;
class FormatCommands;
class frmSplash;
class HelpCommands;
class LibraryCommands;
class MainToolbar;
class PanelStatusBar;
class PrefsCommands;
class PrintCommands;
class RecoveryKeeper;
class SearchCommands;
class SidePanes;
class Splitter;
class ToolCommands;

class frmMain : public QMainWindow, public DocumentHost {
    Q_OBJECT
public:
    frmMain();
    ~frmMain() override;

    /// The one main window of the run.
    static frmMain* instance();

    // The command groups, in the order of the menu bar, and the commands the window runs
    // under their menu names.
    FileCommands* fileCommands = nullptr;
    void mnuFileNew_Click() { fileCommands->mnuFileNew_Click(); }
    void mnuFileOpen_Click() { fileCommands->mnuFileOpen_Click(); }
    void mnuFileClose_Click() { fileCommands->mnuFileClose_Click(); }
    void mnuFileExit_Click() { fileCommands->mnuFileExit_Click(); }
    EditCommands* editCommands = nullptr;
    SearchCommands* searchCommands = nullptr;
    FormatCommands* formatCommands = nullptr;
    ViewCommands* viewCommands = nullptr;
    void mnuViewBrowser_Click() { viewCommands->mnuViewBrowser_Click(); }
    void mnuViewRefresh_Click() { viewCommands->mnuViewRefresh_Click(); }
    void mnuViewRefreshColors_Click() { viewCommands->mnuViewRefreshColors_Click(); }
    WorkspaceCommands* workspaceCommands = nullptr; ///< the Advanced menu's group
    void mnuAdvancedSaveProject_Click() { workspaceCommands->mnuAdvancedSaveProject_Click(); }
    void mnuAdvancedRestoreProject_Click() { workspaceCommands->mnuAdvancedRestoreProject_Click(); }
    WindowCommands* windowCommands = nullptr;
    void mnuWindowMinAll_Click() { windowCommands->mnuWindowMinAll_Click(); }
    HelpCommands* helpCommands = nullptr;
    PrefsCommands* prefsCommands = nullptr; ///< the File menu's Preferences submenu
    PrintCommands* printCommands = nullptr; ///< Print, Printer Setup and Page Setup
    ToolCommands* toolCommands = nullptr;   ///< compiler, viewer and file associations
    /// File > New with its templates, the exports, Open Image and the panes' double clicks.
    LibraryCommands* library = nullptr;
    /// A command of any group by its name ("mnuFileSave"), or nullptr.
    QAction* command(QStringView name) const;

    // The parts of the frame.
    QMdiArea* mdiArea;
    MainToolbar* tbToolBar;
    PanelStatusBar* sbStatusBar;
    SidePanes* sidePanes;
    Splitter* SplitterLeft;  ///< holds the file-browser pane, its bar along its right edge
    Splitter* SplitterRight; ///< holds the cliptext pane, its bar along its left edge
    FileBrowserPane* browserPane;
    ClipTextPane* clipPane;
    QWidget* picBrowser; ///< browserPane
    QWidget* picClip;    ///< clipPane
    QWidget* picTabs;    ///< the open-files strip
    QLabel* lblOpenFiles;
    KeyedTabBar* tabFiles;
    CommonDialog dlgCommonDialog;

    // The menus of the menu bar and the items the tests and panes reach.
    QMenu* mnuFile;
    QMenu* mnuEdit; ///< also the document's right-click menu
    QMenu* mnuSearch;
    QMenu* mnuFormat;
    QMenu* mnuView;
    QMenu* mnuAdvanced;
    QMenu* mnuWindow;
    QMenu* mnuHelp;
    QMenu* mnuFilePreferences;
    QList<QAction*> mnuFileRecent; ///< 0 the separator above the recent files, 1 to 5 the entries
    QAction* mnuViewToolbar;
    QAction* mnuViewStatusBar;
    QAction* mnuViewBrowser;
    QAction* mnuViewCliptext;

    /// Folder shown by the file-browser pane and stored as "LastDir".
    QString browserFolder;
    /// Shows a folder in the file-browser pane (the program's folder, then the home folder,
    /// when it cannot be read).
    void setBrowserFolder(const QString& folder);

    /// Reads every setting and prepares the window, the splash showing the progress, then
    /// opens the first document and the command line's file or workspace.
    void MainWindowInit(frmSplash* splash, const QString& commandLine);
    /// Writes the window's state, the recent files and the browser's folder to the store.
    void ShutdownSequence();
    /// The desktop session is ending: asks about each changed document as Exit does (when
    /// `mayAsk`), writes the settings, and keeps the recovery file of every document left
    /// unsaved so the next start offers it. False when the user cancelled.
    bool commitSession(bool mayAsk);
    /// Offers back the unsaved text of earlier runs that ended without saving.
    void offerRecovery() { offerLeftRecovery(*this, *recovery_); }

    // DocumentHost
    QWidget* hostWindow() override { return this; }
    frmDocument* activeDocument() const override;
    frmDocument* newDocument() override;
    bool saveDocument(frmDocument* d) override { return fileCommands->saveDocument(d); }
    void mnuFileSave_Click() { fileCommands->mnuFileSave_Click(); }
    void mnuFileSaveAs_Click() { fileCommands->mnuFileSaveAs_Click(); }
    void mnuFileSaveAll_Click() { fileCommands->mnuFileSaveAll_Click(); }
    void addRecentFile(const QString& path) override { CycleRecentFiles(path); }
    void CycleRecentFiles(const QString& path) { fileCommands->CycleRecentFiles(path); }
    void mnuFileRecent_Click(int index) { fileCommands->mnuFileRecent_Click(index); }
    CommonDialog& commonDialog() override { return dlgCommonDialog; }
    void setStatusText(int panel, const QString& text) override;
    void addDocumentTab(const QString& key, const QString& caption) override;
    void selectDocumentTab(const QString& key) override { tabFiles->selectKey(key); }
    void setDocumentTabCaption(const QString& key, const QString& text) override {
        tabFiles->setKeyedCaption(key, text);
    }
    void setDocumentTabToolTip(const QString& key, const QString& text) override {
        tabFiles->setKeyedToolTip(key, text);
    }
    void removeDocumentTab(const QString& key) override;
    void popupEditMenu(QPoint globalPosition) override;
    void focusActiveDocument() override;

    /// A new, hidden document window inside the MDI area.
    frmDocument* createDocumentWindow();
    /// Shows a document window (loading it) and makes it active.
    void showDocumentWindow(frmDocument* document);

    static inline const QString kDocumentFilter = kDocumentFileFilter;

protected:
    /// None: only the View menu's toggles show and hide the bars and panes, so their check
    /// marks and the stored visibility always agree.
    QMenu* createPopupMenu() override { return nullptr; }
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildFrame();
    void buildMenus();
    QList<CommandGroup*> groups() const;
    /// Enables the commands that need a document while one is open.
    void updateToolbarState();
    /// Places the window and shows the bars and panes as the store says.
    void restoreWindowState();

    RecoveryKeeper* recovery_;
    bool shuttingDown_ = false;
    /// The session manager was answered: closing now asks nothing more.
    bool sessionCommitted_ = false;
    bool firstShown_ = false;
};

/// Creates, numbers and shows an untitled document in the main window; it becomes the active
/// document.
frmDocument* NewDocument();

} // namespace kelvane
