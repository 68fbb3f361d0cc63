// One colouring engine kept for the settings in force.
#include "document/ColourEngineCache.h"

#include "settings/EditorSettings.h"

#include <memory>

namespace kelvane {

ColourSettings colourSettingsOf(const EditorSettingsRecord& settings) {
    ColourSettings result;
    result.keywords = {settings.Keywords0, settings.Keywords1, settings.Keywords2};
    result.delimiters = settings.Delimiters;
    result.codeOrder = settings.CodeOrder;
    result.caseSensitive = settings.CaseSensitive;
    return result;
}

const ColourEngine& colourEngineFor(const EditorSettingsRecord& settings) {
    static std::unique_ptr<ColourEngine> engine;
    const ColourSettings wanted = colourSettingsOf(settings);
    if (!engine || !(engine->settings() == wanted))
        engine = std::make_unique<ColourEngine>(wanted);
    return *engine;
}

std::vector<WinColour> colourClassColours(const EditorSettingsRecord& settings) {
    return {kWindowTextColour, settings.KeywordColor0, settings.KeywordColor1,
            settings.KeywordColor2, settings.DelimitColor};
}

} // namespace kelvane
