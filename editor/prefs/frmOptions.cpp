// The Options dialog: its controls, filling them from EditorSettings and taking them back.
#include "prefs/frmOptions.h"

#include "document/DocumentHost.h"
#include "document/DocumentRegistry.h"
#include "document/frmDocument.h"
#include "platform/SettingsStore.h"
#include "platform/help/Help.h"
#include "prefs/ColourSwatch.h"
#include "prefs/KeywordListCodec.h"
#include "settings/EditorSettings.h"
#include "settings/ReloadSetting.h"
#include "settings/SettingForms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

namespace kelvane {

namespace {

constexpr int kHelpContext = 270;

const char* const kBracerCaptions[kBracerCount] = {
    "HTML Tags < . . . >",
    "C/C++ and Java Comments /* . . . */",
    "Pascal Comments { . . . }",
    "BASIC and C String Literals \" . . . \"",
    "Visual/QuickBasic Comments ' . . . (end of line)",
    "Other C/C++ and Java Comments // . . . (end of line)",
    "Other String Literals ' . . . '",
    "Normal Parentheses ( . . . )",
    "Normal Brackets [ . . . ]",
};

const char* const kFontSizes[] = {"8",  "9",  "10", "11", "12", "14", "16",
                                  "20", "24", "28", "36", "48", "72"};

QLabel* wrappedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

void check(QCheckBox* box, bool on) {
    box->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

// A switch is on unless its box is unchecked; a greyed box counts as on.
bool isOn(const QCheckBox* box) {
    return box->checkState() != Qt::Unchecked;
}

} // namespace

namespace {
QPointer<frmOptions>& theDialog() {
    static QPointer<frmOptions> dialog;
    return dialog;
}
} // namespace

frmOptions* frmOptions::load(DocumentHost& host) {
    // The dialog belongs to the main window and goes with it. It is built the first time it is
    // asked for: most runs never open it.
    if (!theDialog())
        theDialog() = new frmOptions(host);
    return theDialog();
}

frmOptions* frmOptions::instance() {
    return theDialog();
}

frmOptions::frmOptions(DocumentHost& host) : QDialog(host.hostWindow()), host_(host) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Editor Options"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    tabs = new QTabWidget(this);
    tabs->addTab(buildKeywordsTab(), QStringLiteral("Keywords"));
    tabs->addTab(buildBracersTab(), QStringLiteral("Delimiting Bracers"));
    tabs->addTab(buildPreferencesTab(), QStringLiteral("Editor Preferences"));
    tabs->addTab(buildColoursTab(), QStringLiteral("Color Setup"));
    tabs->addTab(buildProfilesTab(), QStringLiteral("Default Profiles"));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdHelp = new QPushButton(QStringLiteral("Help"), this);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmOptions::cmdHelp_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);
    auto* column = new QVBoxLayout(this);
    column->addWidget(tabs);
    column->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(560, 420)));

    installContextHelp(this, kHelpContext);
}

QWidget* frmOptions::buildKeywordsTab() {
    auto* page = new QWidget;
    Label1 = new QLabel(QStringLiteral("Keywords and Identifiers to Hightlight"), page);
    tabKeywords = new QTabWidget(page);
    for (int i = 0; i < 3; ++i) {
        lstKeywords[i] = new QListWidget;
        lstKeywords[i]->setObjectName(QStringLiteral("lstKeywords%1").arg(i));
        connect(lstKeywords[i], &QListWidget::itemDoubleClicked, this,
                &frmOptions::lstKeyWords_dblClick);
        tabKeywords->addTab(lstKeywords[i], QStringLiteral("Keyword List %1").arg(i + 1));
    }
    cmdImport = new QPushButton(QStringLiteral("Import Keyword Lists..."), page);
    cmdAdd = new QPushButton(QStringLiteral("Add Keyword"), page);
    cmdRemove = new QPushButton(QStringLiteral("Remove Keyword"), page);
    cmdExportList = new QPushButton(QStringLiteral("Export Keyword Lists..."), page);
    cmdClear = new QPushButton(QStringLiteral("Clear List"), page);
    cmdClear->setToolTip(QStringLiteral("Clears current keyword list."));
    cmdExportList->setToolTip(QStringLiteral("Exports a keyword set file."));
    cmdRemove->setToolTip(QStringLiteral("Removes currently selected keyword."));
    cmdAdd->setToolTip(QStringLiteral("Adds Keyword to current list."));
    cmdImport->setToolTip(QStringLiteral("Clears lists and loads new ones from file."));
    connect(cmdImport, &QPushButton::clicked, this, &frmOptions::cmdImport_Click);
    connect(cmdAdd, &QPushButton::clicked, this, &frmOptions::cmdAdd_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmOptions::cmdRemove_Click);
    connect(cmdExportList, &QPushButton::clicked, this, &frmOptions::cmdExportList_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmOptions::cmdClear_Click);

    auto* side = new QVBoxLayout;
    for (QPushButton* button : {cmdImport, cmdAdd, cmdRemove, cmdExportList, cmdClear}) {
        button->setAutoDefault(false);
        side->addWidget(button);
    }
    side->addStretch(1);
    auto* grid = new QGridLayout(page);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(tabKeywords, 1, 0);
    grid->addLayout(side, 1, 1);
    grid->setColumnStretch(0, 1);
    return page;
}

QWidget* frmOptions::buildBracersTab() {
    auto* page = new QWidget;
    Label3 = new QLabel(QStringLiteral("Color Code all text between these Bracers and Delimiters:"),
                        page);
    auto* column = new QVBoxLayout(page);
    column->addWidget(Label3);
    for (int i = 0; i < kBracerCount; ++i) {
        chkBracers[i] = new QCheckBox(QString::fromLatin1(kBracerCaptions[i]), page);
        chkBracers[i]->setObjectName(QStringLiteral("chkBracers%1").arg(i));
        column->addWidget(chkBracers[i]);
    }
    column->addStretch(1);
    return page;
}

QWidget* frmOptions::buildPreferencesTab() {
    auto* page = new QWidget;
    Label5 = new QLabel(QStringLiteral("Editor Font:"), page);
    cboFonts = new QComboBox(page);
    Label8 = new QLabel(QStringLiteral("Size:"), page);
    cboSizes = new QComboBox(page);
    // Both boxes take typed text too: a font the system lacks keeps its stored name.
    for (QComboBox* box : {cboFonts, cboSizes}) {
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
    }
    for (const char* size : kFontSizes)
        cboSizes->addItem(QString::fromLatin1(size));
    // The fonts of this desktop, in the order the system gives them.
    cboFonts->addItems(QFontDatabase::families());
    cboFonts->setMinimumWidth(220);
    Label6 = wrappedLabel(QStringLiteral("NOTE: It is recommended that you use a non-proportional "
                                         "font for editing (eg.FixedSys, Courier)"),
                          page);
    picFontPreview = new QFrame(page);
    picFontPreview->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    picFontPreview->setAutoFillBackground(true);
    picFontPreview->setBackgroundRole(QPalette::Base);
    picFontPreview->setMinimumHeight(90);
    picFontPreview->installEventFilter(this);
    lblFontPreview = new QLabel(picFontPreview);
    chkBackup = new QCheckBox(QStringLiteral("Save Backups when files are opened"), page);
    chkAutoCode = new QCheckBox(QStringLiteral("Color Code Whole Files Automatically"), page);
    chkWordWrap = new QCheckBox(QStringLiteral("Wrap text to window edge"), page);
    chkCodeOrder = new QCheckBox(
        QStringLiteral(
            "Code Keywords first, then delimiters (leave unchecked to code delimiters first.)"),
        page);
    chkCaseSensitive = new QCheckBox(QStringLiteral("Case Sensitive Color Coding"), page);
    chkReloadChanged =
        new QCheckBox(QStringLiteral("Reload files changed outside the editor"), page);
    connect(cboFonts, &QComboBox::currentTextChanged, this, &frmOptions::cboFonts_Click);
    connect(cboSizes, &QComboBox::currentTextChanged, this, &frmOptions::cboSizes_Click);

    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(Label5);
    fontRow->addWidget(cboFonts, 1);
    fontRow->addWidget(Label8);
    fontRow->addWidget(cboSizes);
    auto* column = new QVBoxLayout(page);
    column->addLayout(fontRow);
    column->addWidget(Label6);
    column->addWidget(picFontPreview, 1);
    for (QCheckBox* box :
         {chkBackup, chkAutoCode, chkWordWrap, chkCodeOrder, chkCaseSensitive, chkReloadChanged})
        column->addWidget(box);
    return page;
}

QWidget* frmOptions::buildColoursTab() {
    auto* page = new QWidget;
    Label2 = new QLabel(QStringLiteral("Keyword List Colors:"), page);
    Label7 = new QLabel(QStringLiteral("Keyword List 1:"), page);
    Label10 = new QLabel(QStringLiteral("Keyword List 2:"), page);
    Label9 = new QLabel(QStringLiteral("Keyword List 3:"), page);
    Label4 = new QLabel(QStringLiteral("Text Between Delimiters"), page);
    for (int i = 0; i < 3; ++i) {
        lblKeywordColor[i] = new ColourSwatch(page);
        connect(lblKeywordColor[i], &ColourSwatch::Click, this,
                [this, i] { lblKeywordColor_Click(i); });
    }
    lblBracerColor = new ColourSwatch(page);
    connect(lblBracerColor, &ColourSwatch::Click, this, &frmOptions::lblBracerColor_Click);

    auto* grid = new QGridLayout(page);
    grid->addWidget(Label2, 0, 0, 1, 2);
    QLabel* const names[3] = {Label7, Label10, Label9};
    for (int i = 0; i < 3; ++i) {
        lblKeywordColor[i]->setToolTip(QStringLiteral("Click to change color."));
        grid->addWidget(names[i], i + 1, 0);
        grid->addWidget(lblKeywordColor[i], i + 1, 1);
    }
    lblBracerColor->setToolTip(QStringLiteral("Click to change color."));
    grid->addItem(new QSpacerItem(0, 16), 4, 0);
    grid->addWidget(Label4, 5, 0);
    grid->addWidget(lblBracerColor, 5, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(6, 1);
    return page;
}

QWidget* frmOptions::buildProfilesTab() {
    auto* page = new QWidget;
    Label12 = new QLabel(QStringLiteral("Language Profiles:"), page);
    Label11 = wrappedLabel(
        QStringLiteral("Kelvane can be setup to use a number of popular programming languages, "
                       "and includes the following \"default profiles\" for quick configuration "
                       "when using these languages. Selecting an item from the below menu will "
                       "automatically alter the settings of this dialog to the default settings "
                       "of the languages included. You can also export you current settings as "
                       "a profile to be used later."),
        page);
    lstProfiles = new QListWidget(page);
    cmdApplyProfile = new QPushButton(QStringLiteral("Apply this Profile"), page);
    cmdExportProfile = new QPushButton(QStringLiteral("Export Current Settings as Profile"), page);
    for (QPushButton* button : {cmdApplyProfile, cmdExportProfile})
        button->setAutoDefault(false);
    connect(cmdApplyProfile, &QPushButton::clicked, this, &frmOptions::cmdApplyProfile_Click);
    connect(cmdExportProfile, &QPushButton::clicked, this, &frmOptions::cmdExportProfile_Click);

    auto* side = new QVBoxLayout;
    side->addWidget(Label12);
    side->addWidget(lstProfiles, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(Label11);
    right->addStretch(1);
    right->addWidget(cmdApplyProfile);
    right->addWidget(cmdExportProfile);
    auto* row = new QHBoxLayout(page);
    row->addLayout(side, 1);
    row->addLayout(right, 1);
    return page;
}

void frmOptions::showModal() {
    Form_Activate();
    // Each opening starts with the keyboard in the page shown and OK as the button Enter
    // presses, whatever had the focus when the dialog was last closed.
    cmdOK->setDefault(true);
    if (tabs->currentIndex() == 0)
        currentKeywordList()->setFocus(Qt::OtherFocusReason);
    else if (tabs->currentIndex() == 2)
        cboFonts->setFocus(Qt::OtherFocusReason);
    else
        tabs->setFocus(Qt::OtherFocusReason);
    exec();
}

void frmOptions::Form_Activate() {
    UpdateDisplayElements();
}

void frmOptions::UpdateDisplayElements() {
    const EditorSettingsRecord& s = EditorSettings;
    refreshProfileList();
    const int font = cboFonts->findText(s.EditorFont, Qt::MatchFixedString);
    if (font >= 0)
        cboFonts->setCurrentIndex(font);
    cboFonts->setEditText(s.EditorFont);
    cboSizes->setEditText(singleText(s.EditorSize));
    cboFonts_Click();
    const QString* stored[3] = {&s.Keywords0, &s.Keywords1, &s.Keywords2};
    for (int i = 0; i < 3; ++i) {
        lstKeywords[i]->clear();
        lstKeywords[i]->addItems(splitKeywordList(*stored[i]));
    }
    lblKeywordColor[0]->setBackColor(s.KeywordColor0);
    lblKeywordColor[1]->setBackColor(s.KeywordColor1);
    lblKeywordColor[2]->setBackColor(s.KeywordColor2);
    lblBracerColor->setBackColor(s.DelimitColor);
    check(chkWordWrap, s.WordWrap);
    check(chkAutoCode, s.AutoCode);
    check(chkBackup, s.Backup);
    check(chkCodeOrder, s.CodeOrder);
    check(chkCaseSensitive, s.CaseSensitive);
    check(chkReloadChanged, ReloadChangedFiles);
    const std::array<bool, kBracerCount> boxes = bracerBoxesOf(s.Delimiters);
    for (int i = 0; i < kBracerCount; ++i)
        check(chkBracers[i], boxes[i]);
}

void frmOptions::TranslateSettings() {
    EditorSettingsRecord& s = EditorSettings;
    QString* stored[3] = {&s.Keywords0, &s.Keywords1, &s.Keywords2};
    qint32 count = 0;
    for (int i = 0; i < 3; ++i) {
        QStringList words;
        for (int row = 0; row < lstKeywords[i]->count(); ++row)
            words << lstKeywords[i]->item(row)->text();
        *stored[i] = joinKeywordList(words);
        count += qint32(words.size());
    }
    s.KeywordColor0 = lblKeywordColor[0]->BackColor();
    s.KeywordColor1 = lblKeywordColor[1]->BackColor();
    s.KeywordColor2 = lblKeywordColor[2]->BackColor();
    s.WordWrap = isOn(chkWordWrap);
    s.AutoCode = isOn(chkAutoCode);
    s.CodeOrder = isOn(chkCodeOrder);
    s.CaseSensitive = isOn(chkCaseSensitive);
    // The box is taken back like the other switches, so that it can change the setting.
    s.Backup = isOn(chkBackup);
    s.DelimitColor = lblBracerColor->BackColor();
    s.KeywordCount = count;
    s.EditorFont = cboFonts->currentText();
    s.EditorSize = fontSizeOf(cboSizes->currentText());
    // A greyed box counts as unchecked here.
    std::array<bool, kBracerCount> boxes{};
    for (int i = 0; i < kBracerCount; ++i)
        boxes[i] = chkBracers[i]->checkState() == Qt::Checked;
    s.Delimiters = delimitersOf(boxes);

    for (const SettingField& field : kSettingFields)
        if (field.savedByOptions)
            saveSettingField(field, s);
    // Kept under a key of its own, after the editor settings.
    ReloadChangedFiles = isOn(chkReloadChanged);
    saveReloadSetting();
}

void frmOptions::cmdOK_Click() {
    TranslateSettings();
    hide();
    if (!host_.activeDocument())
        return;
    // Every open document is marked out of date, not only the active one: the others would
    // otherwise keep the colours of the old lists until their text changed.
    for (frmDocument* document : DocumentRegistry.openDocuments())
        document->ChangedHighLight = true;
    for (frmDocument* document : DocumentRegistry.openDocuments())
        document->RefreshDisplay();
    returnToMainWindow();
}

void frmOptions::cmdCancel_Click() {
    hide();
    returnToMainWindow();
}

void frmOptions::reject() {
    cmdCancel_Click();
}

void frmOptions::cmdHelp_Click() {
    ShowHelpTopic(kHelpContext, this);
}

void frmOptions::returnToMainWindow() {
    // The keyboard goes back to the document the user was working in.
    host_.focusActiveDocument();
}

// --- font preview ---

void frmOptions::cboFonts_Click() {
    const double size = leadingNumber(cboSizes->currentText());
    QFont font = lblFontPreview->font();
    // A size the font cannot take (none typed yet, or 0) previews at the editor's default.
    font.setPointSizeF(size > 0 && size <= 1638 ? size : 10);
    font.setFamily(cboFonts->currentText());
    lblFontPreview->setFont(font);
    lblFontPreview->setText(cboFonts->currentText());
    lblFontPreview_Change();
}

void frmOptions::cboSizes_Click() {
    cboFonts_Click();
}

void frmOptions::lblFontPreview_Change() {
    lblFontPreview->adjustSize();
    lblFontPreview->repaint();
    centreFontPreview();
}

void frmOptions::centreFontPreview() {
    const QRect inner = picFontPreview->contentsRect();
    lblFontPreview->move(inner.left() + inner.width() / 2 - lblFontPreview->width() / 2,
                         inner.top() + inner.height() / 2 - lblFontPreview->height() / 2);
}

bool frmOptions::eventFilter(QObject* watched, QEvent* event) {
    // The preview box gets its size from the layout; the label is centred again each time.
    if (watched == picFontPreview && event->type() == QEvent::Resize)
        centreFontPreview();
    return QDialog::eventFilter(watched, event);
}

} // namespace kelvane
