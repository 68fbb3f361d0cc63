// The tool commands over the document host: the active document's stored path and File > Save.
#include "tools/ToolCommands.h"

#include "document/DocumentHost.h"
#include "document/frmDocument.h"
#include "tools/CompilerCommands.h"
#include "tools/frmFileTypes.h"

namespace kelvane {

namespace {

/// The document host as the compiler and viewer commands see it.
class HostedTools : public ToolsHost {
public:
    explicit HostedTools(DocumentHost& host) : host_(host) {}

    bool hasActiveDocument() const override { return host_.activeDocument() != nullptr; }
    QString activeDocumentPath() const override {
        const frmDocument* document = host_.activeDocument();
        return document ? document->Tag : QString();
    }
    void saveActiveDocument() override {
        if (frmDocument* document = host_.activeDocument())
            host_.saveDocument(document);
    }
    CommonDialog& commonDialog() override { return host_.commonDialog(); }
    QWidget* ownerWindow() override { return host_.hostWindow(); }

private:
    DocumentHost& host_;
};

} // namespace

ToolCommands::ToolCommands(DocumentHost& host, QWidget* parent)
    : CommandGroup(parent), host_(host), toolsHost_(std::make_unique<HostedTools>(host)),
      compiler_(std::make_unique<CompilerCommands>(*toolsHost_)) {
    addUnlisted({"mnuAdvancedConfigure",
                 QStringLiteral("Configure Compiler/Viewer..."),
                 {},
                 QStringLiteral("toolbar/configcompiler"),
                 QStringLiteral("Configure Compiler/Viewer")},
                [this] { mnuAdvancedConfigure_Click(); });
    addUnlisted({"mnuAdvancedRunCompiler", QStringLiteral("&Run Compiler/Viewer..."),
                 QKeySequence(Qt::Key_F5), QStringLiteral("toolbar/run"),
                 QStringLiteral("Run Compiler"), true},
                [this] { mnuAdvancedRunCompiler_Click(); });
    addUnlisted({"mnuAdvancedOpenViewer", QStringLiteral("&Open in Default Viewer"),
                 QKeySequence(Qt::CTRL | Qt::Key_F5), QStringLiteral("toolbar/defaultviewer"),
                 QStringLiteral("Show in Default Viewer"), true},
                [this] { mnuAdvancedOpenViewer_Click(); });
    addUnlisted({"mnuPrefsCompilerSetup", QStringLiteral("Compiler/Viewer Setup")},
                [this] { mnuPrefsCompilerSetup_Click(); });
    addUnlisted({"mnuPrefsAssocs", QStringLiteral("File Associations")},
                [this] { mnuPrefsAssocs_Click(); });
}

ToolCommands::~ToolCommands() = default;

void ToolCommands::mnuAdvancedConfigure_Click() {
    compiler_->mnuAdvancedConfigure_Click();
}

void ToolCommands::mnuPrefsCompilerSetup_Click() {
    compiler_->mnuPrefsCompilerSetup_Click();
}

void ToolCommands::mnuAdvancedRunCompiler_Click() {
    compiler_->mnuAdvancedRunCompiler_Click();
}

void ToolCommands::mnuAdvancedOpenViewer_Click() {
    compiler_->mnuAdvancedOpenViewer_Click();
}

void ToolCommands::mnuPrefsAssocs_Click() {
    frmFileTypes dialog(host_.hostWindow());
    dialog.exec();
}

} // namespace kelvane
