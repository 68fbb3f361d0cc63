// Advanced > Configure / Run Compiler/Viewer and Open in Default Viewer.
#pragma once

#include <QString>

class QWidget;

namespace kelvane {

class CommonDialog;

/// What the compiler and viewer commands need of the main window.
class ToolsHost {
public:
    virtual ~ToolsHost() = default;
    /// True while a document window is active.
    virtual bool hasActiveDocument() const = 0;
    /// The file path of the active document; empty when it was never saved.
    virtual QString activeDocumentPath() const = 0;
    /// Runs File > Save on the active document (asking for a name when it has none).
    virtual void saveActiveDocument() = 0;
    /// The shared common dialog.
    virtual CommonDialog& commonDialog() = 0;
    /// The window that owns the dialogs.
    virtual QWidget* ownerWindow() = 0;
};

class CompilerCommands {
public:
    explicit CompilerCommands(ToolsHost& host) : host_(host) {}

    /// Shows the compiler set-up dialog (also File > Preferences > Compiler/Viewer Setup).
    void mnuAdvancedConfigure_Click();
    void mnuPrefsCompilerSetup_Click() { mnuAdvancedConfigure_Click(); }
    /// Makes sure the active document is saved, then offers its command line to run.
    void mnuAdvancedRunCompiler_Click();
    /// Makes sure the active document is saved, then opens it with the desktop's default
    /// application for its type.
    void mnuAdvancedOpenViewer_Click();

    static const QString kRunSaveQuestion;
    static const QString kViewerSaveQuestion;

private:
    /// The path of the active document once it has one; empty when there is no document or
    /// the user declined or cancelled saving it.
    QString savedDocumentPath(const QString& question);

    ToolsHost& host_;
};

} // namespace kelvane
