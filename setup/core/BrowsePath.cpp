// How the destination field and the folder browser's choice map onto each other.
#include "BrowsePath.h"

#include "SetupTexts.h"

#include <algorithm>

namespace fastinst {

namespace {

char16_t FoldAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool EndsWithProductName(const std::u16string& text) {
    const std::u16string_view name = kProductName;
    if (text.size() < name.size()) {
        return false;
    }
    return std::equal(text.end() - static_cast<std::ptrdiff_t>(name.size()), text.end(),
                      name.begin(),
                      [](char16_t a, char16_t b) { return FoldAscii(a) == FoldAscii(b); });
}

} // namespace

std::u16string BrowseStartFolder(std::u16string fieldText) {
    const std::size_t size = fieldText.size();
    // Only a whole folder called Dralto is taken off; "c:\MyDralto" stays as it is.
    if (size > 8 && EndsWithProductName(fieldText) && fieldText[size - 7] == u'\\') {
        // Keep the root's backslash: c:\Dralto becomes c:\, d:\Tools\Dralto becomes d:\Tools.
        fieldText.resize(fieldText[size - 8] == u':' ? size - 6 : size - 7);
    }
    return fieldText;
}

std::u16string DestinationFromBrowse(std::u16string chosen) {
    if (chosen.size() < 9 || !EndsWithProductName(chosen)) {
        if (chosen.empty() || chosen.back() != u'\\') {
            chosen += u'\\';
        }
        chosen += kProductName;
    }
    return chosen;
}

} // namespace fastinst
