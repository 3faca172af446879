// The window object: construction, start and stop, the frame step and its presentation, painting,
// sizing, keys, the mouse and the scene events sent to the host.
#include "player/window/animator_window.h"

#include <cstring>

#include "dib/dc_composite.h"
#include "dib/dib24.h"
#include "fonts/dib_font.h"
#include "platform/plat_video.h"
#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"
#include "player/window/waiting_thread.h"

namespace zkw {

namespace {

constexpr plat::UINT_PTR kFrameTimer = 1;

int16_t LowWord(plat::LPARAM v) { return static_cast<int16_t>(v & 0xFFFF); }
int16_t HighWord(plat::LPARAM v) { return static_cast<int16_t>((v >> 16) & 0xFFFF); }

plat::LRESULT SendTaskRecord(plat::HWND wnd, plat::UINT msg, uint8_t task, uint16_t id,
                             TAnimateObj* obj) {
  TTaskNotifyRec rec{task, id, reinterpret_cast<uintptr_t>(obj)};
  return plat::SendMessageW(wnd, msg, 0, reinterpret_cast<plat::LPARAM>(&rec));
}

void SendHottrack(plat::HWND wnd, plat::UINT msg, const plat::RECT& r, const std::string& text) {
  THottrackRec rec{};
  rec.Left = r.left;
  rec.Top = r.top;
  rec.Right = r.right;
  rec.Bottom = r.bottom;
  std::memcpy(rec.Text, text.data(), std::min<size_t>(text.size(), sizeof(rec.Text) - 1));
  plat::SendMessageW(wnd, msg, 0, reinterpret_cast<plat::LPARAM>(&rec));
}

}  // namespace

TAnimatorWndObj::TAnimatorWndObj(plat::HWND Wnd)
    : Handle(Wnd),
      FAnimator(std::make_unique<TDibAnimator>()),
      FSubAni(std::make_unique<TDibAnimator>()),
      FShowWin(Wnd),
      FFont(std::make_unique<TDibFont>()) {
  FCurrentAni = FAnimator.get();
  FAnimator->SetDibAttr(320, 240);
  FAnimator->SetViewTo(320, 240);
  FSubAni->ThisIsSubScene = true;
  FSubAni->WorkWith(FAnimator.get());
  FAnimator->FFont = FSubAni->FFont = FFont.get();
  FVarList = FAnimator->AppVarList;
  FSubAni->AppVarList = FVarList;
  FAnimator->WindowHandle = FSubAni->WindowHandle = Wnd;
  DibWidth = FAnimator->FViewWidth;
  DibHeight = FAnimator->FViewHeight;
  FDisplayRect = plat::RECT{0, 0, DibWidth, DibHeight};
  AddBuiltInCursors();
  SelectCursor(0);

  // Focus follows between the two scenes.
  FAnimator->FOnSetFocus = [this](TDibAnimator* a) { FSubAni->SetFocusedObj(a->FFocused); };
  FSubAni->FOnSetFocus = [this](TDibAnimator* a) { FAnimator->SetFocusedObj(a->FFocused); };
  auto onError = [this](TDibAnimator*, int32_t code, const char* info) {
    plat::SendMessageW(Handle, wm::LoadFailed, static_cast<plat::WPARAM>(code),
                       reinterpret_cast<plat::LPARAM>(info));
  };
  FAnimator->FOnError = onError;
  FSubAni->FOnError = onError;
  // The main scene's cursor bridge acts on the cursor list.
  FAnimator->FOnCRSAdd = [this](TDibAnimator* a, int32_t dibID, int32_t frames, int32_t speed,
                                int32_t hx, int32_t hy) {
    return AddCursor(a->GetDib(dibID), frames, speed, hx, hy, true);
  };
  FAnimator->FOnCRSReplace = [this](TDibAnimator* a, int32_t id, int32_t dibID, int32_t frames,
                                    int32_t speed, int32_t hx, int32_t hy) {
    ReplaceCursor(id, a->GetDib(dibID), frames, speed, hx, hy);
  };
  FAnimator->FOnCRSShow = [this](TDibAnimator*, bool visible) { FCursorVisible = visible; };
  FAnimator->FOnCRSCount = [this](TDibAnimator*) { return static_cast<int32_t>(FCursorList.size()); };
  FAnimator->FOnCRSVisible = [this](TDibAnimator*) { return FCursorVisible; };
  FAnimator->FOnCRSReset = [this](TDibAnimator*) {
    plat::POINT p{0, 0};
    plat::GetCursorPos(&p);
    plat::ScreenToClient(Handle, &p);
    ChooseCursor(static_cast<plat::LPARAM>((p.x & 0xFFFF) | ((p.y & 0xFFFF) << 16)),
                 FAnimator->FHotObject != nullptr);
  };
  FAnimator->FOnClose = [this](TDibAnimator*) { ResetCursors(); };
  FAnimator->FOnSetMousePos = FSubAni->FOnSetMousePos = [this](TDibAnimator*, int32_t x, int32_t y) {
    plat::POINT p{x, y};
    plat::ClientToScreen(Handle, &p);
    plat::SetCursorPos(p.x, p.y);
  };
  auto keyDown = [](int32_t vk) { return (plat::GetAsyncKeyState(vk) & 0x8000) != 0; };
  FAnimator->FKeyDown = FSubAni->FKeyDown = keyDown;
}

TAnimatorWndObj::~TAnimatorWndObj() {
  if (FAction) {
    plat::KillTimer(Handle, kFrameTimer);
    FAnimator->EndPlay();
    FSubAni->EndPlay();
  }
  delete Waiting;
  Waiting = nullptr;
  FAnimator->FOnClose = nullptr;  // the cursor list goes first
  FDibCursor.InvalidDib();
  FreeCursorList();
  FSubAni.reset();
  FAnimator.reset();
}

// --- scene events ---------------------------------------------------------------------------------

void TAnimatorWndObj::BindSceneEvents() {
  TDibAnimator& a = *FAnimator;
  plat::HWND wnd = Handle;
  a.FOnEvent = [wnd](TDibAnimator*, int32_t event) {
    plat::SendMessageW(wnd, wm::ButtonEvent, static_cast<uint16_t>(event), 0);
  };
  a.FOnTask = [wnd](TDibAnimator*, TAnimatorTask task, uint16_t id, TAnimateObj* obj) {
    SendTaskRecord(wnd, wm::ExternalDraw, task, id, obj);
  };
  a.FOnMouseEvent = [wnd](TDibAnimator*, TMouseTask task, uint16_t id, TAnimateObj* obj,
                          bool& handled) {
    handled = SendTaskRecord(wnd, wm::ObjectMouse, task, id, obj) != 0;
  };
  a.FOnDrop = [wnd](TDibAnimator* ani, TAnimateObj* obj) {
    plat::SendMessageW(wnd, wm::Dropped, reinterpret_cast<plat::WPARAM>(ani),
                       reinterpret_cast<plat::LPARAM>(obj));
  };
  a.FOnUserEvent = [wnd](TDibAnimator*, TAnimateObj* obj, intptr_t v1, intptr_t v2) {
    TUserEventRec rec{reinterpret_cast<uintptr_t>(obj), static_cast<int32_t>(v1), static_cast<int32_t>(v2)};
    plat::SendMessageW(wnd, wm::UserEvent, 0, reinterpret_cast<plat::LPARAM>(&rec));
  };
  a.FOnHottrack = [wnd](TDibAnimator*, const plat::RECT& r, const std::string& data) {
    SendHottrack(wnd, wm::HottrackClick, r, data);
  };
  a.FOnTrack = [wnd](TDibAnimator*, const plat::RECT& r, const std::string& data) {
    SendHottrack(wnd, wm::HottrackMove, r, data);
  };
}

// --- play ---------------------------------------------------------------------------------------

void TAnimatorWndObj::Play(bool Start) {
  FAnimator->WindowHandle = Handle;
  FSubAni->WorkWith(FAnimator.get());
  BindSceneEvents();
  if (Start == FAction) return;
  if (Start) {
    if (FSpeed < 1) return;  // the interval is 1000 div speed
    FAnimator->SetPlaying(true);
    FSubAni->SetPlaying(true);
    FAnimator->BeforePlay();
    FSubAni->BeforePlay();
    plat::SetTimer(Handle, kFrameTimer, 1000u / FSpeed, nullptr);
    FAction = true;
  } else {
    plat::KillTimer(Handle, kFrameTimer);
    FAction = false;
    FAnimator->EndPlay();
    FSubAni->EndPlay();
    ResetCursors();
    FAnimator->SetPlaying(false);
    FSubAni->SetPlaying(false);
  }
}

bool TAnimatorWndObj::MouseInside(int32_t& X, int32_t& Y) const {
  plat::POINT p{0, 0};
  plat::GetCursorPos(&p);
  plat::ScreenToClient(Handle, &p);
  X = p.x;
  Y = p.y;
  return X >= 0 && X <= FAnimator->FViewWidth && Y >= 0 && Y <= FAnimator->FViewHeight;
}

void TAnimatorWndObj::OneStep() {
  if (!FAction || !plat::IsWindowVisible(Handle)) return;
  TDibAnimator& main = *FAnimator;
  int32_t mx = 0, my = 0;
  bool inside = MouseInside(mx, my);
  FDibCursor.FX = mx;
  FDibCursor.FY = my;
  main.DoAction(main.FDib);
  FSubAni->DoAction(main.FDib);
  if (main.DisableAutoDrawing && !main.NeedDrawNow) return;
  main.DoDraw(main.FDib);
  FSubAni->DoDraw(main.FDib);
  plat::SendMessageW(Handle, wm::FrameComposed, 0, 0);
  if (FUseDibCursor && FCursorVisible && inside && main.FDib) FDibCursor.Action(main.FDib);
  PresentFrame();
  main.NeedDrawNow = false;
}

void TAnimatorWndObj::DrawOnly() {
  TDibAnimator& main = *FAnimator;
  if (!main.FDib) return;
  main.DoDraw(main.FDib);
  if (FModalSub) FSubAni->DoDraw(main.FDib);
  if (FUseDibCursor && FCursorVisible) FDibCursor.DrawOn(main.FDib);
  plat::InvalidateRect(Handle, nullptr, 0);
}

// GDI presentation copies the view-sized frame unscaled to the display window. The second method
// (message 1119) stretches the frame into the display rectangle; it uses GDI's stretch here.
void TAnimatorWndObj::PresentFrame() {
  TDib24Bits* frame = FAnimator->FDib;
  if (!frame || !frame->DibData) return;
  plat::HDC dc = plat::GetDCEx(FShowWin, nullptr,
                               plat::DCX_CACHE | plat::DCX_CLIPCHILDREN | plat::DCX_CLIPSIBLINGS);
  if (!dc) return;
  plat::BITMAPINFO info{};
  info.bmiHeader = plat::BITMAPINFOHEADER{sizeof(plat::BITMAPINFOHEADER), frame->Width(),
                                          frame->Height(), 1, 24, plat::BI_RGB, 0, 0, 0, 0, 0};
  int32_t w = frame->Width(), h = frame->Height();
  if (FUseDirect2D) {
    plat::SetStretchBltMode(dc, plat::COLORONCOLOR);
    plat::StretchDIBits(dc, FDisplayRect.left, FDisplayRect.top,
                        FDisplayRect.right - FDisplayRect.left, FDisplayRect.bottom - FDisplayRect.top,
                        0, 0, w, h, frame->DibData, &info, plat::DIB_RGB_COLORS, plat::SRCCOPY);
  } else if (plat::VideoDrawAvailable()) {
    static plat::HDRAWDIB hdd = plat::DrawDibOpen();
    if (!hdd || !plat::DrawDibDraw(hdd, dc, 0, 0, w, h, &info.bmiHeader, frame->DibData, 0, 0, w, h, 0))
      plat::SetDIBitsToDevice(dc, 0, 0, w, h, 0, 0, 0, h, frame->DibData, &info, plat::DIB_RGB_COLORS);
  } else {
    plat::SetDIBitsToDevice(dc, 0, 0, w, h, 0, 0, 0, h, frame->DibData, &info, plat::DIB_RGB_COLORS);
  }
  plat::ReleaseDC(FShowWin, dc);
}

void TAnimatorWndObj::TimerTick() {
  if (FPausing) return;
  OneStep();
  RunTasks();
}

void TAnimatorWndObj::RecomputeView() {
  plat::RECT client{};
  plat::GetClientRect(Handle, &client);
  int32_t w = FEnableSizeX ? client.right : FAnimator->FViewWidth;
  int32_t h = FEnableSizeY ? client.bottom : FAnimator->FViewHeight;
  if (w > 0 && h > 0) FAnimator->SetViewTo(std::min(w, kMaxViewSide), std::min(h, kMaxViewSide));
  if (FShowWin == Handle) {
    DibWidth = FAnimator->FViewWidth;
    DibHeight = FAnimator->FViewHeight;
  }
  plat::GetClientRect(FShowWin, &FDisplayRect);
}

// --- input --------------------------------------------------------------------------------------

void TAnimatorWndObj::MouseMessage(plat::UINT Msg, plat::WPARAM wParam, plat::LPARAM lParam) {
  int32_t x = LowWord(lParam), y = HighWord(lParam);
  TDibAnimator* routed = FModalSub ? FSubAni.get() : FAnimator.get();
  switch (Msg) {
    case plat::WM_MOUSEMOVE: {
      bool took = routed->MouseMove(x, y);
      ChooseCursor(lParam, took);
      break;
    }
    case plat::WM_LBUTTONDOWN: {
      plat::SetFocus(Handle);
      IsLeftDown = true;
      bool took = FSubAni->MouseDown(x, y);
      if (!took) took = FAnimator->MouseDown(x, y);
      if (took) plat::SetCapture(Handle);
      break;
    }
    case plat::WM_LBUTTONUP:
      plat::ReleaseCapture();
      IsLeftDown = false;
      routed->MouseUp(x, y);
      break;
    case plat::WM_LBUTTONDBLCLK:
    case plat::WM_MOUSEWHEEL: {
      plat::POINT p{0, 0};
      plat::GetCursorPos(&p);
      plat::ScreenToClient(Handle, &p);
      if (Msg == plat::WM_LBUTTONDBLCLK)
        routed->DoubleClick(p.x, p.y);
      else
        routed->MouseWheel(static_cast<int16_t>((wParam >> 16) & 0xFFFF), p.x, p.y);
      break;
    }
    default: break;
  }
}

void TAnimatorWndObj::ChooseCursor(plat::LPARAM MouseLParam, bool TookMove) {
  TDibAnimator* routed = FModalSub ? FSubAni.get() : FAnimator.get();
  int32_t index = TookMove && routed->FHotObject ? routed->FHotObject->FHotCursor : FDefaultCursor;
  plat::LRESULT keep = plat::SendMessageW(Handle, wm::CursorChanging, static_cast<plat::WPARAM>(index),
                                          MouseLParam);
  if (keep == 0 && index != FDibCursorID) SelectCursor(index);
}

// --- messages -----------------------------------------------------------------------------------

bool TAnimatorWndObj::HandleMessage(plat::UINT Msg, plat::WPARAM wParam, plat::LPARAM lParam,
                                    plat::LRESULT& Result) {
  Result = 0;
  bool known = true;
  switch (Msg) {
    case plat::WM_SIZE:
      RecomputeView();
      DrawOnly();
      break;
    case plat::WM_PAINT: {
      plat::PAINTSTRUCT ps;
      plat::HDC dc = plat::BeginPaint(Handle, &ps);
      if (!FAction || FPausing || FAnimator->DisableAutoDrawing)
        FAnimator->Paint(dc, FDisplayRect);
      else if (Waiting)
        Waiting->PaintOn(dc, Handle);
      plat::EndPaint(Handle, &ps);
      break;
    }
    case plat::WM_ERASEBKGND: Result = 1; break;
    case plat::WM_GETDLGCODE: Result = 133; break;
    case plat::WM_KEYDOWN:
      if (FAction) (FModalSub ? FSubAni : FAnimator)->KeyDown(static_cast<int32_t>(wParam));
      break;
    case plat::WM_CHAR:
      if (FAction && !FSubAni->KeyPress(static_cast<int32_t>(wParam)))
        FAnimator->KeyPress(static_cast<int32_t>(wParam));
      break;
    case plat::WM_TIMER:
      if (wParam == kFrameTimer) TimerTick();
      break;
    case plat::WM_MOUSEMOVE:
    case plat::WM_LBUTTONDOWN:
    case plat::WM_LBUTTONUP:
    case plat::WM_LBUTTONDBLCLK:
    case plat::WM_MOUSEWHEEL: MouseMessage(Msg, wParam, lParam); break;
    case wm::PaintWaiting: PaintWaitingImage(); break;
    default:
      Result = SceneMessage(Msg, wParam, lParam, known);
      if (!known) Result = CursorMessage(Msg, wParam, lParam, known);
      break;
  }
  FAnimator->WindowHandle = Handle;
  return known;
}

}  // namespace zkw
