// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

// What the real-emulator tests need around the real ZSNES: a screen of their own (Xvfb), the
// emulator's window and pixels, its processes, and its standard output.

// The real emulator: $KIVO_ZSNES, else the one scripts/build-zsnes.sh built, else zsnes on PATH.
// Empty when there is none.
std::string FindRealZsnes();

// The programs the tests drive the screen with; the first one missing, or empty.
std::string MissingScreenTool();

// An X server without a screen, on a display number of its own, for the life of the object.
class VirtualScreen {
 public:
  VirtualScreen();
  ~VirtualScreen();
  VirtualScreen(const VirtualScreen&) = delete;
  VirtualScreen& operator=(const VirtualScreen&) = delete;

  bool Running() const { return pid_ > 0; }
  const std::string& Display() const { return display_; }  // ":91"

 private:
  int pid_ = -1;
  std::string display_;
};

struct ScreenWindow {
  std::string id;  // as xwininfo prints it, "0x200016"
  int width = 0;
  int height = 0;
  int left = 0;  // on the screen
  int top = 0;
};

// The emulator's window ("ZSNES") on the display, once it is mapped; waits up to `seconds`.
std::optional<ScreenWindow> WaitForEmulatorWindow(const std::string& display, double seconds);

struct Rgb {
  int r = 0, g = 0, b = 0;
};
// The colour at the window's centre, grabbed from the screen.
std::optional<Rgb> CentreColour(const std::string& display, const ScreenWindow& window);

// Presses a key in the window, holding it for a few frames.
void PressKey(const std::string& display, const ScreenWindow& window, const std::string& key);

// While it lives, what this process and the programs it starts write to standard output goes to a
// file instead.
class StdoutToFile {
 public:
  explicit StdoutToFile(const std::string& path);
  ~StdoutToFile();
  StdoutToFile(const StdoutToFile&) = delete;
  StdoutToFile& operator=(const StdoutToFile&) = delete;

 private:
  int saved_ = -1;
};
