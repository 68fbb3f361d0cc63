// The compiler, viewer and file-association commands. They have no menu of their own: the main
// window places them in File > Preferences and the Advanced menu, and the toolbar shows three.
#pragma once

#include "platform/CommandGroup.h"

#include <memory>

namespace kelvane {

class CompilerCommands;
class DocumentHost;
class ToolsHost;

class ToolCommands : public CommandGroup {
    Q_OBJECT
public:
    ToolCommands(DocumentHost& host, QWidget* parent);
    ~ToolCommands() override;

    void mnuAdvancedConfigure_Click();
    void mnuPrefsCompilerSetup_Click();
    void mnuAdvancedRunCompiler_Click();
    void mnuAdvancedOpenViewer_Click();
    void mnuPrefsAssocs_Click();

private:
    DocumentHost& host_;
    std::unique_ptr<ToolsHost> toolsHost_;
    std::unique_ptr<CompilerCommands> compiler_;
};

} // namespace kelvane
