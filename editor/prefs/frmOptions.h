// The Options dialog ("Editor Options"): keyword lists, delimiters, font, switches, colours
// and profiles. One instance lives for the run; OK and Cancel only hide it.
#pragma once

#include "library/LibraryFolders.h"
#include "prefs/OptionsValues.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace kelvane {

class ColourSwatch;
class DocumentHost;

class frmOptions : public QDialog {
    Q_OBJECT
public:
    /// Loads the one dialog of the run, hidden and owned by the host's window, unless it is
    /// loaded already.
    static frmOptions* load(DocumentHost& host);
    /// The loaded dialog, or nullptr before load.
    static frmOptions* instance();

    /// Opens the dialog modally, filled from EditorSettings.
    void showModal();

    /// Fills the controls from EditorSettings and refreshes the profile list.
    void UpdateDisplayElements();
    /// Takes the controls back into EditorSettings and writes every editor setting.
    void TranslateSettings();

    /// The profiles: shipped in "PROFILES" beside the program, the user's own in "PROFILES"
    /// under the user's data folder.
    static LibraryFolder profileFolders();
    /// The shipped profile folder: "PROFILES" under the program's folder, with a trailing
    /// separator.
    static QString profileFolder();

    QTabWidget* tabs;
    // Keywords
    QLabel* Label1;
    QTabWidget* tabKeywords;
    std::array<QListWidget*, 3> lstKeywords;
    QPushButton* cmdImport;
    QPushButton* cmdAdd;
    QPushButton* cmdRemove;
    QPushButton* cmdExportList;
    QPushButton* cmdClear;
    // Delimiting Bracers
    QLabel* Label3;
    std::array<QCheckBox*, kBracerCount> chkBracers;
    // Editor Preferences
    QLabel* Label5;
    QComboBox* cboFonts;
    QLabel* Label8;
    QComboBox* cboSizes;
    QLabel* Label6;
    QFrame* picFontPreview;
    QLabel* lblFontPreview;
    QCheckBox* chkBackup;
    QCheckBox* chkAutoCode;
    QCheckBox* chkWordWrap;
    QCheckBox* chkCodeOrder;
    QCheckBox* chkCaseSensitive;
    /// Not a field of the editor settings: its own key (ReloadSetting.h).
    QCheckBox* chkReloadChanged;
    // Color Setup
    QLabel* Label2;
    QLabel* Label7;
    QLabel* Label10;
    QLabel* Label9;
    std::array<ColourSwatch*, 3> lblKeywordColor;
    QLabel* Label4;
    ColourSwatch* lblBracerColor;
    // Default Profiles
    QLabel* Label12;
    QLabel* Label11;
    QListWidget* lstProfiles;
    QPushButton* cmdApplyProfile;
    QPushButton* cmdExportProfile;
    // Buttons
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;

    // Event handlers, also run directly by tests.
    void Form_Activate();
    void cboFonts_Click();
    void cboSizes_Click();
    void lblFontPreview_Change();
    void cmdAdd_Click();
    void cmdRemove_Click();
    void lstKeyWords_dblClick();
    void cmdClear_Click();
    void cmdImport_Click();
    void cmdExportList_Click();
    void lblKeywordColor_Click(int index);
    void lblBracerColor_Click();
    void cmdApplyProfile_Click();
    void cmdExportProfile_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();

    /// The keyword list on the inner tab shown.
    QListWidget* currentKeywordList() const;

public slots:
    /// Esc and the close box act as Cancel.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit frmOptions(DocumentHost& host);
    QWidget* buildKeywordsTab();
    QWidget* buildBracersTab();
    QWidget* buildPreferencesTab();
    QWidget* buildColoursTab();
    QWidget* buildProfilesTab();
    void refreshProfileList();
    void centreFontPreview();
    void pickColour(ColourSwatch* swatch);
    void returnToMainWindow();

    DocumentHost& host_;
};

} // namespace kelvane
