// How the destination field and the folder browser's choice map onto each other.
#include "BrowsePath.h"

#include "SetupTexts.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace fastinst {

namespace {

bool EndsWithProductName(const std::string& text) {
    const std::size_t n = std::strlen(kProductName);
    if (text.size() < n) {
        return false;
    }
    return std::equal(text.end() - static_cast<std::ptrdiff_t>(n), text.end(), kProductName,
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

} // namespace

std::string BrowseStartFolder(std::string fieldText) {
    const std::size_t size = fieldText.size();
    // Only a whole folder called Dralto is taken off; "c:\MyDralto" stays as it is.
    if (size > 8 && EndsWithProductName(fieldText) && fieldText[size - 7] == '\\') {
        // Keep the root's backslash: c:\Dralto becomes c:\, d:\Tools\Dralto becomes d:\Tools.
        fieldText.resize(fieldText[size - 8] == ':' ? size - 6 : size - 7);
    }
    return fieldText;
}

std::string DestinationFromBrowse(std::string chosen) {
    if (chosen.size() < 9 || !EndsWithProductName(chosen)) {
        if (chosen.empty() || chosen.back() != '\\') {
            chosen += '\\';
        }
        chosen += kProductName;
    }
    return chosen;
}

} // namespace fastinst
