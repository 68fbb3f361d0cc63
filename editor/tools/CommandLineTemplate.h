// The compiler's command-line template: where the document's file name goes.
#pragma once

#include "platform/Shell.h"

#include <QString>

namespace kelvane {

/// The placeholder that stands for the document's file name (lower-case f, matched exactly).
inline const QString kFileNamePlaceholder = QStringLiteral("%f");

/// The template with its first placeholder replaced by the path; later placeholders and "%F"
/// stay as typed. The path is written so that the started program receives it as one argument
/// however it is spelled: bare when it needs no quoting, otherwise quoted (or escaped, when the
/// placeholder already stands inside quotes of the template).
QString substituteFileName(const QString& commandTemplate, const QString& path,
                           CommandSyntax syntax = nativeCommandSyntax());

} // namespace kelvane
