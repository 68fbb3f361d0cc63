// The installation sequence behind the OK command, over an injected host of Windows services.
#pragma once

#include "Destination.h"
#include "UninstallEntry.h"

#include <array>
#include <string>

namespace fastinst {

/// The product's files in copy order; the last one, the uninstaller, goes to the Windows folder.
inline constexpr std::array<const char16_t*, 8> kInstallFiles = {
    u"Dralto.exe", u"Plugext.dll",  u"psapi.dll",    u"Dralto.hlp",
    u"Dralto.cnt", u"Dralto-e.hlp", u"Dralto-e.cnt", u"drunin32.exe"};

/// Kinds of message box the installation shows.
enum class BoxKind { YesNoQuestion, YesNoInformation, AbortRetryIgnore, ErrorOk, WarningOk };
/// The button the user chose.
enum class Answer { Yes, No, Abort, Retry, Ignore, Ok };

/// Everything the installation asks of the window system, file system and registry.
class InstallHost : public FolderSystem {
public:
    /// The destination field's text.
    virtual std::u16string DestinationText() = 0;
    /// Shows a message box owned by the setup window and returns the chosen button.
    virtual Answer Ask(const std::u16string& text, const std::u16string& caption, BoxKind kind) = 0;
    /// Puts the focus back on the destination field.
    virtual void FocusDestination() = 0;
    /// The Windows folder without trailing backslash.
    virtual std::u16string WindowsFolder() = 0;
    /// Shows the wait cursor (true) or the arrow (false).
    virtual void ShowWaitCursor(bool wait) = 0;
    /// Copies a file, overwriting the target.
    virtual bool CopyInstallFile(const std::u16string& source, const std::u16string& target) = 0;
    /// Dispatches the thread's messages for the given time.
    virtual void PumpMessagesFor(int milliseconds) = 0;
    /// True when the user asked to close the window while the installation ran.
    virtual bool CloseRequested() = 0;
    /// Finds the Program Manager; true when one answered.
    virtual bool ProgmanInitiate() = 0;
    /// True when the conversation has a partner and awaits nothing (also not the
    /// acknowledgement of posted commands).
    virtual bool ProgmanReady() = 0;
    /// Posts the group commands for the installed program.
    virtual bool ProgmanExecute(const std::u16string& programPath) = 0;
    /// Ends the conversation.
    virtual void ProgmanTerminate() = 0;
    /// Writes the uninstall entry; false when the key or a value could not be written.
    virtual bool WriteUninstallEntry(const UninstallEntry& entry) = 0;
    /// Deletes a file; a missing file is no error.
    virtual void RemoveFile(const std::u16string& path) = 0;
    /// Creates an empty file with normal attributes.
    virtual void CreateEmptyFile(const std::u16string& path) = 0;
    /// Starts a program; false when it could not be started.
    virtual bool StartProgram(const std::u16string& commandLine) = 0;
    /// Closes the setup window, which ends the program.
    virtual void CloseSetupWindow() = 0;
};

/// The choices made before the installation and what it learns on the way.
struct InstallSettings {
    bool english = true;
    std::u16string sourceFolder;     ///< with trailing backslash
    bool uninstallerMissing = false; ///< set when the uninstaller could not be copied
};

/// How the uninstall entry appears in the message of a failed registry write.
inline constexpr const char16_t* kUninstallKeyRoot = u"HKEY_LOCAL_MACHINE\\";

/// How an installation ended.
enum class InstallOutcome { Declined, Rejected, Aborted, Cancelled, Completed };

/// Runs the installation: confirm, check the folder, copy, group, registry, marker, start.
InstallOutcome InstallProduct(InstallHost& host, InstallSettings& settings);

} // namespace fastinst
