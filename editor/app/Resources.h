// The editor's built-in resources (icons, splash picture).
#pragma once

namespace kelvane {

/// Registers the built-in resources; they live in a static library, so the program must ask
/// for them before the first icon is loaded. Safe to call more than once.
void loadResources();

} // namespace kelvane
