// Windows back end of message boxes: the real call.
#include "platform/win32/win32_api.h"

namespace plat {

int MessageBoxW(HWND window, LPCWSTR text, LPCWSTR caption, UINT type) {
  return ::MessageBoxW(win32::H<::HWND>(window), text, caption, type);
}

}  // namespace plat
