// The common dialog on QFileDialog, QColorDialog and QPrintDialog, or on a script in tests.
#include "platform/CommonDialog.h"

#include "platform/AppPaths.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace kelvane {

namespace {

CommonDialogBackend*& currentBackend() {
    static CommonDialogBackend* backend = nullptr;
    return backend;
}

std::optional<QString> showRealFileDialog(QWidget* owner, const FileDialogRequest& request) {
    QFileDialog dialog(owner, request.title, request.initDir);
    dialog.setAcceptMode(request.kind == FileDialogRequest::Save ? QFileDialog::AcceptSave
                                                                 : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.kind == FileDialogRequest::Save ? QFileDialog::AnyFile
                                                               : QFileDialog::ExistingFile);
    // The list shows each type's name as written ("All Files (*.*)", "HTML Files"); the
    // patterns Qt filters by follow it and stay out of sight.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(CommonDialog::qtNameFilters(request.filter));
    QString ext = request.defaultExt;
    if (ext.startsWith(QLatin1Char('.')))
        ext.remove(0, 1);
    dialog.setDefaultSuffix(ext);
    if (!(request.flags & cdlOFNOverwritePrompt))
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

QColor toQColor(WinColour c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

WinColour fromQColor(const QColor& c) {
    return WinColour(c.red()) | (WinColour(c.green()) << 8) | (WinColour(c.blue()) << 16);
}

} // namespace

void setCommonDialogBackend(CommonDialogBackend* backend) {
    currentBackend() = backend;
}

QStringList CommonDialog::qtNameFilters(const QString& filter) {
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*"); // every file, with or without an extension
        }
        result << parts[i] + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) +
                      QLatin1Char(')');
    }
    return result;
}

bool CommonDialog::showFile(FileDialogRequest::Kind kind) {
    FileDialogRequest request{kind, DialogTitle, Filter, InitDir, FileName, DefaultExt, Flags};
    std::optional<QString> chosen = currentBackend() ? currentBackend()->chooseFile(request)
                                                     : showRealFileDialog(owner_, request);
    if (!chosen || chosen->isEmpty()) {
        FileName.clear();
        FileTitle.clear();
        return false;
    }
    QString path = *chosen;
    QString ext = DefaultExt;
    if (ext.startsWith(QLatin1Char('.')))
        ext.remove(0, 1);
    if (kind == FileDialogRequest::Save && !ext.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + ext;
    FileName = path;
    FileTitle = FileTitleOf(path);
    return true;
}

QString CommonDialog::askOpenFile(const QString& title, const QString& filter) {
    DialogTitle = title;
    Filter = filter;
    FileName.clear();
    DefaultExt.clear();
    Flags = cdlOFNFileMustExist;
    CancelError = true;
    return ShowOpen() ? FileName : QString();
}

QString CommonDialog::askSaveFile(const QString& title, const QString& filter,
                                  const QString& defaultExt) {
    DialogTitle = title;
    Filter = filter;
    FileName.clear();
    DefaultExt = defaultExt;
    Flags = cdlOFNOverwritePrompt;
    CancelError = true;
    const bool chosen = ShowSave();
    DefaultExt.clear(); // the next dialog starts without it
    return chosen ? FileName : QString();
}

bool CommonDialog::ShowOpen() {
    return showFile(FileDialogRequest::Open);
}

bool CommonDialog::ShowSave() {
    return showFile(FileDialogRequest::Save);
}

bool CommonDialog::ShowColor() {
    std::optional<WinColour> chosen;
    if (currentBackend()) {
        chosen = currentBackend()->chooseColour(Color);
    } else {
        // The colour dialog keeps the platform's own title: DialogTitle belongs to the file
        // dialogs and may still hold the last one's ("Open").
        const QColor colour = QColorDialog::getColor(toQColor(Color), owner_);
        if (colour.isValid())
            chosen = fromQColor(colour);
    }
    if (!chosen)
        return false;
    Color = *chosen;
    return true;
}

CommonDialog::CommonDialog(QWidget* owner) : owner_(owner) {}

CommonDialog::~CommonDialog() = default;

QPrinter& CommonDialog::printer() {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

bool CommonDialog::ShowPrinter() {
    if (currentBackend())
        return currentBackend()->choosePrinter(printer(), Flags);
    QPrintDialog dialog(&printer(), owner_);
    configurePrinterDialog(dialog, Flags);
    return dialog.exec() == QDialog::Accepted;
}

void CommonDialog::configurePrinterDialog(QPrintDialog& dialog, int flags) {
    const bool setup = flags & cdlPDPrintSetup;
    QAbstractPrintDialog::PrintDialogOptions options = dialog.options();
    // Setting up chooses the printer and its paper: nothing about what to print or where to.
    options.setFlag(QAbstractPrintDialog::PrintSelection, !setup && !(flags & cdlPDNoSelection));
    options.setFlag(QAbstractPrintDialog::PrintPageRange, !setup && !(flags & cdlPDNoPageNums));
    options.setFlag(QAbstractPrintDialog::PrintCurrentPage, false);
    options.setFlag(QAbstractPrintDialog::PrintToFile,
                    !setup && !(flags & cdlPDDisablePrintToFile));
    if (setup)
        options.setFlag(QAbstractPrintDialog::PrintCollateCopies, false);
    dialog.setOptions(options);
    // Each printer dialog has its own title, whatever DialogTitle the file dialogs left.
    if (setup) {
        dialog.setWindowTitle(QStringLiteral("Printer Setup"));
        // The button says what it does: it confirms the choice, it prints nothing.
        for (auto* buttons : dialog.findChildren<QDialogButtonBox*>())
            if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
                ok->setText(QStringLiteral("OK"));
    }
}

std::optional<QString> ScriptedCommonDialogs::chooseFile(const FileDialogRequest& request) {
    fileRequests_.push_back(request);
    if (files_.empty())
        return std::nullopt;
    std::optional<QString> answer = files_.front();
    files_.pop_front();
    return answer;
}

std::optional<WinColour> ScriptedCommonDialogs::chooseColour(WinColour) {
    if (colours_.empty())
        return std::nullopt;
    const std::optional<WinColour> answer = colours_.front();
    colours_.pop_front();
    return answer;
}

bool ScriptedCommonDialogs::choosePrinter(QPrinter&, int flags) {
    printerRequests_.push_back(flags);
    if (printers_.empty())
        return false;
    const bool answer = printers_.front();
    printers_.pop_front();
    return answer;
}

} // namespace kelvane
