// The common dialog: file open and save, colour and printer choice with the properties the
// editor's commands set and read.
#pragma once

#include "platform/text/RichText.h"

#include <QString>

#include <deque>
#include <memory>
#include <optional>
#include <vector>

class QPrintDialog;
class QPrinter;
class QWidget;

namespace kelvane {

/// Flag: ask before overwriting an existing file in the save dialog.
inline constexpr int cdlOFNOverwritePrompt = 0x2;
/// Flag: the chosen file must exist (open dialog).
inline constexpr int cdlOFNFileMustExist = 0x1000;
/// Printer dialog flags.
inline constexpr int cdlPDNoSelection = 0x4;            ///< no "selection" print range
inline constexpr int cdlPDNoPageNums = 0x8;             ///< no page range
inline constexpr int cdlPDPrintSetup = 0x40;            ///< choose the printer only, print nothing
inline constexpr int cdlPDReturnDC = 0x100;             ///< the printer is returned ready to paint
inline constexpr int cdlPDUseDevModeCopies = 0x40000;   ///< copies are the driver's business
inline constexpr int cdlPDDisablePrintToFile = 0x80000; ///< no printing to a file

/// What a file dialog was asked to show.
struct FileDialogRequest {
    enum Kind { Open, Save } kind = Open;
    QString title;
    QString filter; ///< "Description|*.a;*.b|Other|*.c"
    QString initDir;
    QString fileName;
    QString defaultExt;
    int flags = 0;
};

/// Where the dialogs go: the real ones, or a script in tests.
class CommonDialogBackend {
public:
    virtual ~CommonDialogBackend() = default;
    /// The chosen path, or nothing when cancelled.
    virtual std::optional<QString> chooseFile(const FileDialogRequest& request) = 0;
    /// The chosen colour, or nothing when cancelled.
    virtual std::optional<WinColour> chooseColour(WinColour initial) = 0;
    /// True when the user confirmed the printer dialog; the choice is made on `printer`.
    virtual bool choosePrinter(QPrinter& printer, int flags) = 0;
};

/// Replaces the real dialogs (nullptr restores them).
void setCommonDialogBackend(CommonDialogBackend* backend);

/// One shared dialog object: properties are set, a Show... call runs the dialog and fills
/// FileName and FileTitle (or Color). A Show... call returns false when the user cancelled.
class CommonDialog {
public:
    explicit CommonDialog(QWidget* owner = nullptr);
    ~CommonDialog();
    CommonDialog(const CommonDialog&) = delete;
    CommonDialog& operator=(const CommonDialog&) = delete;

    QString DialogTitle;
    QString Filter;
    QString FileName;  ///< full path chosen (also the initial name)
    QString FileTitle; ///< name without its folder
    QString InitDir;
    QString DefaultExt; ///< with or without the leading dot
    WinColour Color = 0;
    int Flags = 0;
    bool CancelError =
        false; ///< kept for callers that distinguish; Show... returns false either way

    /// Asks for an existing file to open: the chosen path, empty when cancelled. FileTitle
    /// holds the chosen name afterwards.
    QString askOpenFile(const QString& title, const QString& filter);
    /// Asks for a file to save to, asking before an existing file is overwritten; a name without
    /// an extension takes defaultExt. The path, empty when cancelled.
    QString askSaveFile(const QString& title, const QString& filter,
                        const QString& defaultExt = QString());

    bool ShowOpen();
    bool ShowSave();
    bool ShowColor();
    /// The printer dialog (Flags choose its options; cdlPDPrintSetup makes it the printer set-up
    /// dialog). The choice is kept in printer().
    bool ShowPrinter();
    /// Gives a printer dialog the options and title that the flags ask for.
    static void configurePrinterDialog(QPrintDialog& dialog, int flags);

    /// The current printer: what the printer dialog chose, what printing paints on.
    QPrinter& printer();

    /// Converts a "Description|patterns|..." filter into Qt's name filters.
    static QStringList qtNameFilters(const QString& filter);

private:
    bool showFile(FileDialogRequest::Kind kind);

    QWidget* owner_;
    std::unique_ptr<QPrinter> printer_;
};

/// A scripted back end for tests: answers from queues and records every request.
class ScriptedCommonDialogs : public CommonDialogBackend {
public:
    ScriptedCommonDialogs() { setCommonDialogBackend(this); }
    ~ScriptedCommonDialogs() override { setCommonDialogBackend(nullptr); }
    ScriptedCommonDialogs(const ScriptedCommonDialogs&) = delete;
    ScriptedCommonDialogs& operator=(const ScriptedCommonDialogs&) = delete;

    /// Queues a file answer; an empty optional cancels.
    void answerFile(std::optional<QString> path) { files_.push_back(std::move(path)); }
    void answerColour(std::optional<WinColour> colour) { colours_.push_back(colour); }
    void answerPrinter(bool ok) { printers_.push_back(ok); }
    const std::vector<FileDialogRequest>& fileRequests() const { return fileRequests_; }
    /// The flags of every printer dialog asked for.
    const std::vector<int>& printerRequests() const { return printerRequests_; }

    std::optional<QString> chooseFile(const FileDialogRequest& request) override;
    std::optional<WinColour> chooseColour(WinColour initial) override;
    bool choosePrinter(QPrinter& printer, int flags) override;

private:
    std::deque<std::optional<QString>> files_;
    std::deque<std::optional<WinColour>> colours_;
    std::deque<bool> printers_;
    std::vector<FileDialogRequest> fileRequests_;
    std::vector<int> printerRequests_;
};

} // namespace kelvane
