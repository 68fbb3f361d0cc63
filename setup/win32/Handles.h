// Owners for the Win32 handles the setup program creates: each closes its handle exactly once.
#pragma once

#include <windows.h>

#include <utility>

namespace fastinst {

/// Holds one handle and closes it with `Close` when replaced or destroyed.
template <typename Handle, void (*Close)(Handle)> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : handle_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }
    /// Gives up ownership without closing.
    Handle release() { return std::exchange(handle_, Handle{}); }
    /// Closes the current handle and takes `h`.
    void reset(Handle h = Handle{}) {
        if (handle_ != Handle{}) {
            Close(handle_);
        }
        handle_ = h;
    }

private:
    Handle handle_{};
};

namespace detail {
template <typename T> inline void DeleteGdiObject(T h) {
    DeleteObject(h);
}
inline void DeleteMemoryDc(HDC dc) {
    DeleteDC(dc);
}
inline void Unhook(HHOOK hook) {
    UnhookWindowsHookEx(hook);
}
inline void FreeGlobal(HGLOBAL memory) {
    GlobalFree(memory);
}
inline void DeleteAtom(ATOM atom) {
    GlobalDeleteAtom(atom);
}
inline void CloseKey(HKEY key) {
    RegCloseKey(key);
}
inline HGDIOBJ SelectGdiObject(HDC dc, HGDIOBJ object) {
    return SelectObject(dc, object);
}
inline HPALETTE SelectBackgroundPalette(HDC dc, HPALETTE palette) {
    return SelectPalette(dc, palette, FALSE);
}
} // namespace detail

using UniqueFont = UniqueHandle<HFONT, detail::DeleteGdiObject<HFONT>>;
using UniqueBrush = UniqueHandle<HBRUSH, detail::DeleteGdiObject<HBRUSH>>;
using UniqueBitmap = UniqueHandle<HBITMAP, detail::DeleteGdiObject<HBITMAP>>;
using UniquePalette = UniqueHandle<HPALETTE, detail::DeleteGdiObject<HPALETTE>>;
using UniqueMemoryDc = UniqueHandle<HDC, detail::DeleteMemoryDc>;
using UniqueHook = UniqueHandle<HHOOK, detail::Unhook>;
using UniqueGlobal = UniqueHandle<HGLOBAL, detail::FreeGlobal>;
using UniqueAtom = UniqueHandle<ATOM, detail::DeleteAtom>;
using UniqueRegKey = UniqueHandle<HKEY, detail::CloseKey>;

/// A window's whole-window device context, released when the owner ends.
class WindowDc {
public:
    WindowDc() = default;
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() { reset(); }
    /// Takes the whole-window device context of `window`.
    void acquire(HWND window) {
        reset();
        window_ = window;
        dc_ = GetWindowDC(window);
    }
    void reset() {
        if (dc_) {
            ReleaseDC(window_, dc_);
        }
        dc_ = nullptr;
        window_ = nullptr;
    }
    HDC get() const { return dc_; }

private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

/// Keeps an object selected into a device context and selects the previous one back when it is
/// reset or destroyed; for a drawing call's font as well as for the window's palette and bitmap.
template <typename Object, Object (*Select)(HDC, Object)> class Selection {
public:
    Selection() = default;
    Selection(HDC dc, Object object) : dc_(dc), previous_(Select(dc, object)) {}
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    Selection(Selection&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)), previous_(std::exchange(other.previous_, {})) {}
    Selection& operator=(Selection&& other) noexcept {
        if (this != &other) {
            reset();
            dc_ = std::exchange(other.dc_, nullptr);
            previous_ = std::exchange(other.previous_, {});
        }
        return *this;
    }
    ~Selection() { reset(); }

    /// Selects the previous object back.
    void reset() {
        if (dc_ && previous_) {
            Select(dc_, previous_);
        }
        dc_ = nullptr;
        previous_ = {};
    }

private:
    HDC dc_ = nullptr;
    Object previous_{};
};

using ObjectSelection = Selection<HGDIOBJ, detail::SelectGdiObject>;
using PaletteSelection = Selection<HPALETTE, detail::SelectBackgroundPalette>;

/// One BeginPaint/EndPaint pair.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { BeginPaint(window, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    ~PaintScope() { EndPaint(window_, &paint_); }
    const PAINTSTRUCT& paint() const { return paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
};

} // namespace fastinst
