// The command-line options the program answers in the terminal, without opening a window.
#pragma once

#include <optional>
#include <string>

namespace kelvane {

/// The text to print on standard output when the first argument asks for the usage (`--help`)
/// or the version (`--version`); nothing when the command line names a file to open (or is
/// empty), which the main window then opens.
std::optional<std::string> commandLineAnswer(int argc, const char* const* argv);

} // namespace kelvane
