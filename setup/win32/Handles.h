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
} // namespace detail

using UniqueFont = UniqueHandle<HFONT, detail::DeleteGdiObject<HFONT>>;
using UniqueBrush = UniqueHandle<HBRUSH, detail::DeleteGdiObject<HBRUSH>>;
using UniqueBitmap = UniqueHandle<HBITMAP, detail::DeleteGdiObject<HBITMAP>>;
using UniquePalette = UniqueHandle<HPALETTE, detail::DeleteGdiObject<HPALETTE>>;
using UniqueMemoryDc = UniqueHandle<HDC, detail::DeleteMemoryDc>;
using UniqueHook = UniqueHandle<HHOOK, detail::Unhook>;
using UniqueGlobal = UniqueHandle<HGLOBAL, detail::FreeGlobal>;
using UniqueAtom = UniqueHandle<ATOM, detail::DeleteAtom>;

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

/// Selects a GDI object into a device context and selects the previous one back at scope end.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (previous_) {
            SelectObject(dc_, previous_);
        }
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace fastinst
