#pragma once

#include "host/KxHostExport.h"

#ifdef _WIN32
// The same type as <windows.h> declares, so that both may be included in one file.
struct HWND__;
/// A handle to a host window. Modules only hold and pass on handles.
using HWND = HWND__*;
#else
/// The host's window. Modules only hold and pass on handles to it.
struct KxWindow;
/// A handle to a host window.
using HWND = KxWindow*;
#endif

/// The windowing layer's wrapper of a window handle, over which dialogs are shown. A null handle
/// stands for the host's main window.
class KX_HOST_EXPORT WindowHandle {
public:
    /// Wraps that window; null for the host's main window.
    explicit WindowHandle(HWND window) : mWindow(window) {}

    /// The wrapped window handle.
    HWND hwnd() const { return mWindow; }

private:
    HWND mWindow;
};
