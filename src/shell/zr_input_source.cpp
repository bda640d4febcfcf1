#include "shell/zr_input_source.h"

#include "shell/zr_wndproc.h"

namespace {

ZrInputSource g_platform;
ZrInputSource* g_current = &g_platform;

}  // namespace

uint32_t ZrInputSource::Ticks() { return Platform::TickCount(); }

uint64_t ZrInputSource::Seed() { return Platform::FineClockNs(); }

bool ZrInputSource::Poll(ZrMsg& msg) { return Platform::PollMessage(msg); }

void ZrInputSource::Dispatch(const ZrMsg& msg) { Platform::DeliverMessage(msg); }

intptr_t ZrInputSource::Window(ZrWnd wnd, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return GameWndProc(wnd, message, wParam, lParam);
}

void ZrInputSource::WaitForMessage() { Platform::WaitForMessage(); }

ZrInputSource& Input() { return *g_current; }

ZrInputScope::ZrInputScope(ZrInputSource& source) : Previous(g_current) { g_current = &source; }

ZrInputScope::~ZrInputScope() { g_current = Previous; }

intptr_t ZR_WNDPROC_CALL InputWindowProc(ZrWnd wnd, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return Input().Window(wnd, message, wParam, lParam);
}
