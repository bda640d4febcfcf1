// Windows window-message and virtual-key codes: the one vocabulary of the seam. Every
// backend delivers its input in these terms, so the game speaks one protocol everywhere.
// The Win32 backend takes the same values from windows.h and never includes this file.
#pragma once

#include <cstdint>

inline constexpr uint32_t WM_SIZE = 0x0005;
inline constexpr uint32_t WM_ACTIVATE = 0x0006;
inline constexpr uint32_t WM_KILLFOCUS = 0x0008;
inline constexpr uint32_t WM_PAINT = 0x000F;
inline constexpr uint32_t WM_CLOSE = 0x0010;
inline constexpr uint32_t WM_QUIT = 0x0012;
inline constexpr uint32_t WM_ACTIVATEAPP = 0x001C;
inline constexpr uint32_t WM_SETCURSOR = 0x0020;
inline constexpr uint32_t WM_KEYDOWN = 0x0100;
inline constexpr uint32_t WM_KEYUP = 0x0101;
inline constexpr uint32_t WM_CHAR = 0x0102;
inline constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
inline constexpr uint32_t WM_SYSKEYUP = 0x0105;
inline constexpr uint32_t WM_SYSCHAR = 0x0106;
inline constexpr uint32_t WM_SYSCOMMAND = 0x0112;
inline constexpr uint32_t WM_MOUSEMOVE = 0x0200;
inline constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
inline constexpr uint32_t WM_RBUTTONUP = 0x0205;
inline constexpr uint32_t WM_APP = 0x8000;

inline constexpr uint32_t WA_INACTIVE = 0;
inline constexpr uint32_t WA_ACTIVE = 1;

inline constexpr uintptr_t SIZE_RESTORED = 0;
inline constexpr uintptr_t SIZE_MINIMIZED = 1;

// WM_SETCURSOR's hit-test code (low word of lParam) for the client area.
inline constexpr uint16_t HTCLIENT = 1;

inline constexpr uintptr_t SC_KEYMENU = 0xF100;

inline constexpr uintptr_t VK_RETURN = 0x0D;
inline constexpr uintptr_t VK_ESCAPE = 0x1B;
inline constexpr uintptr_t VK_SPACE = 0x20;
inline constexpr uintptr_t VK_LEFT = 0x25;
inline constexpr uintptr_t VK_UP = 0x26;
inline constexpr uintptr_t VK_RIGHT = 0x27;
inline constexpr uintptr_t VK_DOWN = 0x28;
inline constexpr uintptr_t VK_F11 = 0x7A;

// lParam / wParam packing helpers of the Win32 macros of the same meaning.
inline constexpr uint16_t LoWord(uintptr_t v) { return static_cast<uint16_t>(v & 0xFFFF); }
inline constexpr uint16_t HiWord(uintptr_t v) { return static_cast<uint16_t>((v >> 16) & 0xFFFF); }
// Bit 30 of a key message's lParam: the key was already down (auto-repeat).
inline constexpr intptr_t KeyRepeatBit = intptr_t{1} << 30;
inline constexpr bool IsKeyRepeat(intptr_t lParam) { return (lParam & KeyRepeatBit) != 0; }
inline constexpr intptr_t MakeLParam(uint16_t lo, uint16_t hi) {
  return static_cast<intptr_t>(static_cast<uint32_t>(lo) | (static_cast<uint32_t>(hi) << 16));
}
