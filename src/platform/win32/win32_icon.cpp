// The game's icon on Windows: it comes with zr_ironfall.exe, as a resource.
#include "platform/platform.h"
#include "platform/win32/win32_api.h"

namespace Win32 {

HICON GameIcon(HINSTANCE instance, bool small) {
  const LPCSTR name = MAKEINTRESOURCEA(ZR_ICON_RESOURCE);
  // The small one (title bar) drawn from the icon's own 16-pixel picture, not shrunk
  // from the large one.
  HICON icon = small ? static_cast<HICON>(LoadImageA(instance, name, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                     GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR))
                     : LoadIconA(instance, name);
  // Programs without the resource, the backend's tests among them.
  return icon != nullptr ? icon : LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
}

}  // namespace Win32

namespace Platform {

// The window class already carries the icon of the .exe.
void SetWindowIcon(const uint8_t*, int, int) {}

}  // namespace Platform
