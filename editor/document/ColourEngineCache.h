// The colouring engine for the current settings, built once and reused until they change.
#pragma once

#include "document/ColourEngine.h"
#include "platform/text/RichText.h"

namespace kelvane {

struct EditorSettingsRecord;

/// The engine's settings taken from the editor's settings.
ColourSettings colourSettingsOf(const EditorSettingsRecord& settings);

/// An engine for these settings; rebuilt only when they differ from the last call's.
const ColourEngine& colourEngineFor(const EditorSettingsRecord& settings);

/// The colours of the classes an engine produces, in class order (base, lists 0 to 2,
/// delimiters).
std::vector<WinColour> colourClassColours(const EditorSettingsRecord& settings);

} // namespace kelvane
