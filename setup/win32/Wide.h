// The setup's UTF-16 texts as the window system's wide strings, and back.
#pragma once

#include <windows.h>

#include <string>

namespace fastinst {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

/// The text as a wide string for a W function; valid while `text` lives.
inline const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline const wchar_t* Wide(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}

/// A wide string of the window system as the setup's text.
inline std::u16string FromWide(const wchar_t* text, std::size_t length) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}
inline std::u16string FromWide(const wchar_t* text) {
    return FromWide(text, static_cast<std::size_t>(lstrlenW(text)));
}

/// The whole text of a window, however long it is.
inline std::u16string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    return FromWide(text.c_str(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

} // namespace fastinst
