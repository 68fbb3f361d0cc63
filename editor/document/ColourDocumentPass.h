// A whole-document colouring pass over a rich-text control, piece by piece.
#pragma once

#include "document/ColourEngine.h"
#include "platform/text/RichText.h"

#include <vector>

namespace kelvane {

class RichTextBox;

/// Colours the whole content of the control with the engine: the text is read a few thousand
/// lines at a time and each piece's colours go straight into the control's colour overlay,
/// so the pass never holds a copy of the whole text or of all its colours. classColours are
/// the colours of the engine's classes; progress receives the pass's captions.
void colourWholeDocument(RichTextBox& box, const ColourEngine& engine,
                         const std::vector<WinColour>& classColours,
                         const ColourProgress& progress = {});

} // namespace kelvane
