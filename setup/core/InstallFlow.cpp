// The installation sequence behind the OK command, over an injected host of Windows services.
#include "InstallFlow.h"

#include "ProgmanCommands.h"
#include "SetupTexts.h"

namespace fastinst {

namespace {

constexpr int kPumpMilliseconds = 10;
// A partner that answered the initiate is ready at once and acknowledges the commands once it
// has carried them out; this only bounds a misbehaving or hung one.
constexpr int kProgmanWaitMilliseconds = 10000;

enum class CopyResult { Done, Skipped, Aborted };

CopyResult CopyOneFile(InstallHost& host, InstallSettings& settings, std::size_t entry,
                       const std::u16string& destination) {
    const bool uninstaller = entry + 1 == kInstallFiles.size();
    while (true) {
        const std::u16string source = settings.sourceFolder + kInstallFiles[entry];
        const std::u16string target = uninstaller
                                          ? host.WindowsFolder() + u"\\" + kInstallFiles[entry]
                                          : destination + kInstallFiles[entry];
        host.ShowWaitCursor(true);
        if (host.CopyInstallFile(source, target)) {
            return CopyResult::Done;
        }
        host.ShowWaitCursor(false);
        if (uninstaller) {
            settings.uninstallerMissing = true;
        }
        const std::u16string text = SetupMessage(kErrorInstalling, settings.english) + target;
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

/// Dispatches messages until the conversation awaits nothing, or for a bounded time.
void WaitForProgman(InstallHost& host) {
    for (int waited = 0; !host.ProgmanReady() && waited < kProgmanWaitMilliseconds;
         waited += kPumpMilliseconds) {
        host.PumpMessagesFor(kPumpMilliseconds);
    }
}

void CreateProgramGroup(InstallHost& host, const std::u16string& programPath, bool english) {
    bool created = host.ProgmanInitiate();
    if (created) {
        WaitForProgman(host);
        created = host.ProgmanExecute(programPath);
        if (created) {
            // The conversation ends once the commands are acknowledged, so that the
            // acknowledgement hands the command block back instead of arriving too late.
            WaitForProgman(host);
        }
        host.ProgmanTerminate();
    }
    if (!created) {
        host.Ask(SetupMessage(kGroupFailed, english), SetupMessage(kErrorCaption, english),
                 BoxKind::WarningOk);
    }
}

/// Writes the uninstall entry; a failure is asked about as a failed copy is. False on Abort.
bool WriteUninstallEntry(InstallHost& host, const std::u16string& destination, bool english) {
    const UninstallEntry entry = MakeUninstallEntry(destination);
    while (!host.WriteUninstallEntry(entry)) {
        const std::u16string text =
            SetupMessage(kErrorInstalling, english) + kUninstallKeyRoot + entry.key;
        switch (host.Ask(text, kSetupCaption, BoxKind::AbortRetryIgnore)) {
        case Answer::Retry:
            continue;
        case Answer::Ignore:
            return true;
        default:
            return false;
        }
    }
    return true;
}

} // namespace

InstallOutcome InstallProduct(InstallHost& host, InstallSettings& settings) {
    const bool english = settings.english;
    std::u16string destination = StripTrailingBackslash(host.DestinationText());

    if (host.Ask(ConfirmationText(english, destination), kSetupCaption, BoxKind::YesNoQuestion) !=
        Answer::Yes) {
        host.FocusDestination();
        return InstallOutcome::Declined;
    }
    if (!HasUsableLength(destination) || !EnsureFolderPath(destination, host)) {
        host.Ask(SetupMessage(kInvalidDestination, english), SetupMessage(kErrorCaption, english),
                 BoxKind::ErrorOk);
        host.FocusDestination();
        return InstallOutcome::Rejected;
    }
    destination += u'\\';

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

    const std::u16string programPath = destination + kProductName + u".exe";
    if (host.Ask(SetupMessage(kCreateGroupQuestion, english), kProductName,
                 BoxKind::YesNoQuestion) == Answer::Yes) {
        CreateProgramGroup(host, programPath, english);
    }
    if (!settings.uninstallerMissing && !WriteUninstallEntry(host, destination, english)) {
        host.FocusDestination();
        return InstallOutcome::Aborted;
    }
    const std::u16string marker = destination + kMarkerFile;
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
