#include "widgets/pic_box/gif_player.h"

#include "widgets/image/image_placement.h"

namespace {

// How often a waiting worker looks whether it is to stop.
constexpr DWORD kStopCheckMs = 10;

}  // namespace

GifPlayer::GifPlayer() { InitializeCriticalSection(&paintLock_); }

GifPlayer::~GifPlayer() {
  Unload();
  DeleteCriticalSection(&paintLock_);
}

bool GifPlayer::Load(ByteBlock file, COLORREF background) {
  Unload();
  file_.assign(file.data, file.data + file.size);
  if (!OpenGifCanvas(ViewOf(file_), uint32_t(background), &canvas_)) {
    Bytes().swap(file_);
    return false;
  }
  loaded_ = true;
  InterlockedExchange(&state_, kGifPlayerIdle);
  return true;
}

void GifPlayer::Unload() {
  Stop();
  if (loaded_) CloseGifCanvas(&canvas_);
  loaded_ = false;
  Bytes().swap(file_);
  InterlockedExchange(&state_, kGifPlayerIdle);
}

void GifPlayer::Start(HWND hwnd) {
  if (!loaded_ || State() != kGifPlayerIdle) return;
  hwnd_ = hwnd;
  InterlockedExchange(&state_, kGifPlayerPlaying);
  thread_ = CreateThread(nullptr, 0, Play, this, 0, nullptr);
  // Without a thread the first frame stays; no paint tries again.
  if (!thread_) InterlockedExchange(&state_, kGifPlayerStopped);
}

void GifPlayer::Stop() {
  if (!thread_) return;
  InterlockedCompareExchange(&state_, kGifPlayerStopRequested, kGifPlayerPlaying);
  // The worker never waits for this thread (it sends no message), so the
  // wait lasts at most one frame's drawing and one check interval.
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  thread_ = nullptr;
}

void GifPlayer::SetDisplayMode(int32_t mode) {
  EnterCriticalSection(&paintLock_);
  displayMode_ = mode;
  LeaveCriticalSection(&paintLock_);
}

void GifPlayer::Paint(HDC hdc, int width, int height) {
  EnterCriticalSection(&paintLock_);
  DrawFrameLocked(hdc, width, height);
  LeaveCriticalSection(&paintLock_);
}

void GifPlayer::DrawFrameLocked(HDC hdc, int width, int height) {
  if (!loaded_) return;
  const ImagePlacement at = PlaceImage(displayMode_, width, height, canvas_.width, canvas_.height);
  if (at.width <= 0 || at.height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = canvas_.width;
  info.bmiHeader.biHeight = -canvas_.height;  // the canvas rows are top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const int oldMode = SetStretchBltMode(hdc, COLORONCOLOR);
  StretchDIBits(hdc, at.x, at.y, at.width, at.height, 0, 0, canvas_.width, canvas_.height,
                canvas_.pixels, &info, DIB_RGB_COLORS, SRCCOPY);
  SetStretchBltMode(hdc, oldMode);
}

// Sleeps until `delayMs` have passed since the frame began; true when told
// to stop meanwhile.
bool GifPlayer::WaitOrStop(DWORD frameStart, uint32_t delayMs) const {
  for (;;) {
    if (State() == kGifPlayerStopRequested) return true;
    if (GetTickCount() - frameStart >= delayMs) return false;
    Sleep(kStopCheckMs);
  }
}

DWORD WINAPI GifPlayer::Play(void* parameter) {
  GifPlayer* player = static_cast<GifPlayer*>(parameter);
  // One image only: drawn once, nothing changes after it.
  const bool animated = player->canvas_.stream.imageCount > 1;
  for (;;) {
    if (player->State() == kGifPlayerStopRequested) break;
    const DWORD frameStart = GetTickCount();
    uint32_t delayMs = 0;
    EnterCriticalSection(&player->paintLock_);
    const bool drawn = DrawNextGifFrame(&player->canvas_, &delayMs);
    if (drawn) {
      // Not over the units the picture box holds: their windows paint
      // themselves, and this thread never asks them to.
      HDC hdc = GetDCEx(player->hwnd_, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_CLIPCHILDREN);
      if (hdc) {
        RECT client{};
        GetClientRect(player->hwnd_, &client);
        player->DrawFrameLocked(hdc, client.right, client.bottom);
        ReleaseDC(player->hwnd_, hdc);
      }
    }
    LeaveCriticalSection(&player->paintLock_);
    if (!drawn || !animated || player->WaitOrStop(frameStart, delayMs)) break;
  }
  InterlockedExchange(&player->state_, kGifPlayerStopped);
  return 0;
}
