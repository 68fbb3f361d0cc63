// The installation sequence behind the OK command, over an injected host of Windows services.
#include "InstallFlow.h"

#include "ProgmanCommands.h"
#include "SetupTexts.h"

namespace fastinst {

namespace {

constexpr int kPumpMilliseconds = 10;
// A partner that answered the initiate is ready at once; this only bounds a misbehaving one.
constexpr int kProgmanWaitMilliseconds = 5000;

enum class CopyResult { Done, Skipped, Aborted };

CopyResult CopyOneFile(InstallHost& host, InstallSettings& settings, std::size_t entry,
                       const std::string& destination) {
    const bool uninstaller = entry + 1 == kInstallFiles.size();
    while (true) {
        const std::string source = settings.sourceFolder + kInstallFiles[entry];
        const std::string target = uninstaller ? host.WindowsFolder() + "\\" + kInstallFiles[entry]
                                               : destination + kInstallFiles[entry];
        host.ShowWaitCursor(true);
        if (host.CopyInstallFile(source, target)) {
            return CopyResult::Done;
        }
        host.ShowWaitCursor(false);
        if (uninstaller) {
            settings.uninstallerMissing = true;
        }
        const std::string text = SetupMessage(kErrorInstalling, settings.english) + target;
        switch (host.Ask(text, kSetupCaption, BoxKind::AbortRetryIgnore)) {
        case Answer::Retry:
            continue;
        case Answer::Ignore:
            return CopyResult::Skipped;
        default:
            return CopyResult::Aborted;
        }
    }
}

void CreateProgramGroup(InstallHost& host, const std::string& programPath, bool english) {
    bool created = host.ProgmanInitiate();
    if (created) {
        for (int waited = 0; !host.ProgmanReady() && waited < kProgmanWaitMilliseconds;
             waited += kPumpMilliseconds) {
            host.PumpMessagesFor(kPumpMilliseconds);
        }
        created = host.ProgmanExecute(programPath);
        host.ProgmanTerminate();
    }
    if (!created) {
        host.Ask(SetupMessage(kGroupFailed, english), SetupMessage(kErrorCaption, english),
                 BoxKind::WarningOk);
    }
}

} // namespace

InstallOutcome InstallProduct(InstallHost& host, InstallSettings& settings) {
    const bool english = settings.english;
    std::string destination = StripTrailingBackslash(host.DestinationText());

    if (host.Ask(ConfirmationText(english, destination), kSetupCaption, BoxKind::YesNoQuestion) !=
        Answer::Yes) {
        host.FocusDestination();
        return InstallOutcome::Declined;
    }
    if (!HasMinimumLength(destination) || !EnsureFolderPath(destination, host)) {
        host.Ask(SetupMessage(kInvalidDestination, english), SetupMessage(kErrorCaption, english),
                 BoxKind::ErrorOk);
        host.FocusDestination();
        return InstallOutcome::Rejected;
    }
    destination += '\\';

    for (std::size_t entry = 0; entry < kInstallFiles.size(); ++entry) {
        if (CopyOneFile(host, settings, entry, destination) == CopyResult::Aborted) {
            host.FocusDestination();
            return InstallOutcome::Aborted;
        }
        host.PumpMessagesFor(kPumpMilliseconds);
        if (host.CloseRequested()) {
            // The user closed the window between two files: stop here, as Abort would.
            host.ShowWaitCursor(false);
            return InstallOutcome::Cancelled;
        }
    }
    host.ShowWaitCursor(false);

    const std::string programPath = destination + kProductName + ".exe";
    if (host.Ask(SetupMessage(kCreateGroupQuestion, english), kProductName,
                 BoxKind::YesNoQuestion) == Answer::Yes) {
        CreateProgramGroup(host, programPath, english);
    }
    if (!settings.uninstallerMissing) {
        host.WriteUninstallEntry(MakeUninstallEntry(destination));
    }
    const std::string marker = destination + kMarkerFile;
    host.RemoveFile(marker);
    if (!english) {
        host.CreateEmptyFile(marker);
    }
    if (host.Ask(SetupMessage(kSetupComplete, english), kProductName, BoxKind::YesNoInformation) ==
            Answer::Yes &&
        !host.StartProgram(ProgramCommandLine(programPath))) {
        host.Ask(SetupMessage(kStartFailed, english), kSetupCaption, BoxKind::ErrorOk);
    }
    host.CloseSetupWindow();
    return InstallOutcome::Completed;
}

} // namespace fastinst
