// The animation of a picture box's GIF: a worker thread that draws each
// frame onto the off-screen frame (the canvas of the file's logical screen)
// and copies it to the window, waiting each frame's delay. The window's own
// painting shows the same off-screen frame; the paint lock keeps the two
// threads from touching it at the same time.
//
// The player keeps a copy of the file: the picture property it came from
// may be replaced by the frame while the thread still reads.
#pragma once

#include <windows.h>

#include <cstdint>

#include "frame/template/byte_cursor.h"
#include "widgets/image/gif_canvas.h"

// What the player is doing; the user-interface thread sets Playing and
// StopRequested, the worker Stopped.
enum GifPlayerState : LONG {
  kGifPlayerIdle = 0,           // loaded (or empty), thread not started
  kGifPlayerStopRequested = 1,  // the thread is to end after its frame
  kGifPlayerStopped = 2,        // the thread has ended
  kGifPlayerPlaying = 5,
};

class GifPlayer {
 public:
  GifPlayer();
  ~GifPlayer();
  GifPlayer(const GifPlayer&) = delete;
  GifPlayer& operator=(const GifPlayer&) = delete;

  // Stops what plays and opens `file` on a canvas filled with `background`
  // (a COLORREF). False, with nothing loaded, when the bytes do not open as
  // a GIF.
  bool Load(ByteBlock file, COLORREF background);
  // Stops the thread and drops the animation.
  void Unload();
  bool Loaded() const { return loaded_; }

  // Starts the worker for `hwnd` when an animation is loaded and has not
  // been started since it was loaded.
  void Start(HWND hwnd);
  // Asks the worker to end and waits until it has.
  void Stop();
  LONG State() const { return InterlockedCompareExchange(&state_, 0, 0); }

  // The display mode (0..2) both threads place the frame by.
  void SetDisplayMode(int32_t mode);
  // Draws the current frame into `hdc` at the place the display mode gives
  // in a client area of `width` x `height`, under the paint lock.
  void Paint(HDC hdc, int width, int height);

 private:
  static DWORD WINAPI Play(void* parameter);
  // With the paint lock held.
  void DrawFrameLocked(HDC hdc, int width, int height);
  bool WaitOrStop(DWORD frameStart, uint32_t delayMs) const;

  CRITICAL_SECTION paintLock_;
  Bytes file_;
  GifCanvas canvas_;
  bool loaded_ = false;
  int32_t displayMode_ = 0;
  HWND hwnd_ = nullptr;
  HANDLE thread_ = nullptr;
  mutable volatile LONG state_ = kGifPlayerIdle;
};
