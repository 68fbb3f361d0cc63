// How the destination field and the folder browser's choice map onto each other.
#pragma once

#include <string>

namespace fastinst {

/// The folder the browser starts at: the field text less a final "\Dralto" folder.
std::u16string BrowseStartFolder(std::u16string fieldText);

/// The destination for a folder chosen in the browser: the folder itself when it already
/// ends with the product folder name, else that folder with "Dralto" appended.
std::u16string DestinationFromBrowse(std::u16string chosen);

} // namespace fastinst
