// The main window: an MDI frame with toolbar, side panes, the open-files strip and the status
// bar, its menus and the file commands.
#pragma once

#include "platform/CommonDialog.h"

#include <QMainWindow>

class QAction;
class QFrame;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace kelvane {

class frmDocument;
class frmSplash;
class KeyedTabBar;
class PanelStatusBar;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain();
    ~frmMain() override;

    /// The one main window of the run.
    static frmMain* instance();

    QMdiArea* mdiArea;
    QToolBar* tbToolBar;
    PanelStatusBar* sbStatusBar;
    QFrame* SplitterLeft;  ///< holds the file-browser pane
    QFrame* SplitterRight; ///< holds the cliptext pane
    QWidget* picBrowser;
    QWidget* picClip;
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

    /// Reads every setting and prepares the window; the splash shows the progress.
    void MainWindowInit(frmSplash* splash, const QString& commandLine);
    /// Opens the file or workspace named on the command line.
    void CommandLineOpen(const QString& commandLine);
    /// Writes the window layout, recent files and pane state back to the store.
    void ShutdownSequence();

    /// A new, hidden document window inside the MDI area.
    frmDocument* createDocumentWindow();
    /// Shows a document window (loading it) and makes it active.
    void showDocumentWindow(frmDocument* document);
    /// The active document window, or nullptr.
    frmDocument* activeDocument() const;
    /// Saves a document as the Save command does; true when it was written.
    bool saveDocument(frmDocument* document);
    /// Loads a file into a document as File > Open does after the dialog (backup, caption,
    /// recent list). Returns false with the error text on failure.
    bool openFileInto(frmDocument* document, const QString& path, const QString& title,
                      QString& error);

    /// Brings the recent-file items of the File menu in line with RecentFiles.
    void refreshRecentFiles();
    /// Puts a path at the top of the recent-files list and refreshes the menu.
    void CycleRecentFiles(const QString& path);
    /// Reopens recent file i (1 to 5) in a new document.
    void mnuFileRecent_Click(int index);

    // File menu
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileClose_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFileSaveAll_Click();
    void mnuFileExit_Click();
    void mnuPrefsEditorSetup_Click();
    // Edit menu
    void mnuEditUndo_Click();
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void mnuEditPasteNew_Click();
    void mnuEditSelectAll_Click();
    void mnuEditWordCount_Click(); ///< its item stands in the Search menu
    // Search menu
    void mnuSearchFind_Click();
    void mnuSearchFindNext_Click();
    void mnuSearchReplace_Click();
    void mnuSearchFindEx_Click();
    void mnuSearchReplaceEx_Click();
    void mnuSearchGotoLine_Click();
    void mnuSearchGotoChar_Click();
    // Format menu
    void mnuFormatTabsToSapces_Click();
    void mnuFormatIndent_Click();
    void mnuFormatUnindent_Click();
    void mnuFOrmatUpper_Click();
    void mnuFormatLower_Click();
    void mnuFormatCapSentence_Click();
    void mnuFormatTrimTrailing_Click();
    void mnuFormatTrimPreceding_Click();
    void mnuFOrmatTrim_Click();
    /// Routes the editor's own clipboard and undo keys of a document to the Edit commands.
    void installEditKeys(frmDocument* document);
    // View menu
    void mnuViewToolbar_Click();
    void mnuViewStatusBar_Click();
    void mnuViewBrowser_Click();
    void mnuViewCliptext_Click();
    void mnuViewRefresh_Click();
    void mnuViewRefreshColors_Click();
    // Advanced menu: workspace files
    void mnuAdvancedSaveProject_Click();
    void mnuAdvancedRestoreProject_Click();
    // Help menu
    void mnuHelpContents_Click();
    void mnuHelpSearchForHelpOn_Click();
    void mnuHelpAbout_Click();
    void mnuHelpTipofDay_Click();

    /// Where a workspace's read loop tests for the end: the command line before the first
    /// record, Restore only after each record (so it always reads one).
    enum class WorkspaceEndTest { BeforeFirstRecord, AfterEachRecord };
    /// Opens a document for every record of a workspace file, in file order. False with the
    /// error text when the file, a record or a listed file cannot be read; the documents
    /// opened before stay open.
    bool openWorkspaceDocuments(const QString& path, WorkspaceEndTest endTest, QString& error);
    // Window menu
    void mnuWindowNewWindow_Click();
    void mnuWindowCascade_Click();
    void mnuWindowTileHorizontal_Click();
    void mnuWindowTileVertical_Click();
    void mnuWindowArrangeIcons_Click();
    void mnuWindowMinAll_Click();

    /// The filter of every document open and save dialog.
    static const QString kDocumentFilter;
    /// The filter of the workspace open and save dialogs.
    static const QString kWorkspaceFilter;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildPanes();
    void buildMenus();
    void buildEditMenu();
    void buildSearchMenu();
    void buildFormatMenu();
    void fillWindowList();
    void onSubWindowActivated(QMdiSubWindow* sub);
    void tabFiles_Click(const QString& key);
    void restoreGeometryFromStore();
    void readPaneState();
    bool saveUnderNewName(frmDocument* document, const QString& title, QString& error,
                          bool& cancelled);
    void tileDocuments(Qt::Orientation orientation);
    void placeNewSubWindow(QMdiSubWindow* sub);

    QList<QAction*> windowListActions_;
    bool shuttingDown_ = false;
    bool firstShown_ = false;
};

} // namespace kelvane
