// Scaling of the 96-dpi layout to the dots per inch of the screen the setup window is on.
#pragma once

#include <windows.h>

namespace fastinst {

/// The dots per inch of the window (per monitor on Windows 10 and later, else the system's).
int DpiOfWindow(HWND window);

/// A caption height or other system metric at the given dots per inch.
int SystemMetricForDpi(int index, int dpi);

} // namespace fastinst
