#pragma once
// Measures how long the calling thread takes to answer a posted message: a thread of
// its own posts one to a window of the calling thread, waits for the answer, pauses
// and posts the next, until the probe is destroyed. The calling thread must keep
// running a message loop meanwhile.

#include "framework/UniqueHandle.h"

#include <atomic>
#include <cstdint>

class ResponsivenessProbe {
public:
  ResponsivenessProbe();
  ~ResponsivenessProbe();
  ResponsivenessProbe(const ResponsivenessProbe&) = delete;
  ResponsivenessProbe& operator=(const ResponsivenessProbe&) = delete;

  struct Result {
    double LongestMs = 0;        // the longest wait from posting to answering
    double LongestAtSeconds = 0; // when that answer came, from the probe's start
    int Answers = 0;
  };
  // What the probe measured so far. The answers are written on this thread only.
  Result Results() const;

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static DWORD WINAPI PostLoop(void* parameter);
  void Answer();

  HWND FWindow = nullptr;
  unique_handle FAnswered;
  unique_handle FThread;
  std::atomic<bool> FStopping{false};
  std::atomic<LONGLONG> FPostedAt{0};
  LONGLONG FStart = 0;
  LONGLONG FLongestTicks = 0;
  LONGLONG FLongestAt = 0;
  int FAnswers = 0;
};
