// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "zsnes/real_zsnes.h"

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

std::string Output(const std::string& command) {
  std::string text;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    ::pclose(pipe);
  }
  return text;
}

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace

int StartVirtualScreen(std::string& display) {
  for (int number = 91; number < 140; ++number) {
    if (::access(("/tmp/.X" + std::to_string(number) + "-lock").c_str(), F_OK) == 0) continue;
    display = ":" + std::to_string(number);
    const int pid =
        std::atoi(Output("Xvfb " + display + " -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & echo $!").c_str());
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
    // It ends at once when another server took the number meanwhile.
    for (auto until = Clock::now() + std::chrono::seconds(10); pid > 0 && ::kill(pid, 0) == 0; Sleep(20)) {
      if (::access(socket.c_str(), F_OK) == 0) return pid;
      if (Clock::now() > until) ::kill(pid, SIGKILL);
    }
  }
  return 0;
}

std::optional<ScreenWindow> FindEmulatorWindow(const std::string& display) {
  std::istringstream tree(Output("timeout 10 xwininfo -display " + display + " -root -tree 2>/dev/null"));
  // A line such as:     0x200016 "ZSNES": ("zsnes" "zsnes")  256x224+384+272  +384+272
  for (std::string line; std::getline(tree, line);) {
    const size_t size = line.find(")  ");
    ScreenWindow window;
    if (line.find("\"ZSNES\":") == std::string::npos || size == std::string::npos ||
        std::sscanf(line.c_str() + size + 3, "%dx%d%d%d", &window.width, &window.height, &window.left, &window.top) !=
            4) {
      continue;
    }
    std::istringstream(line) >> window.id;
    return window;
  }
  return std::nullopt;
}

std::optional<Rgb> CentreColour(const std::string& display, const ScreenWindow& window) {
  // A few pixels of the whole screen as text: "# ImageMagick pixel enumeration: ...\n0,0: (255,0,255) ...".
  // (Grabbing the window by its id waits on the window manager, which this screen does not have.)
  // Three rows, since with scanlines on every other row is dark: the brightest one is the game's.
  const std::string crop = "1x3+" + std::to_string(window.left + window.width / 2) + "+" +
                           std::to_string(window.top + window.height / 2 - 1);
  const std::string text =
      Output("timeout 20 import -display " + display + " -window root -crop " + crop + " -depth 8 txt:- 2>/dev/null");
  std::optional<Rgb> brightest;
  for (size_t open = text.find(": ("); open != std::string::npos; open = text.find(": (", open + 3)) {
    Rgb colour;
    if (std::sscanf(text.c_str() + open + 3, "%d,%d,%d", &colour.r, &colour.g, &colour.b) != 3) continue;
    if (!brightest || colour.r + colour.g + colour.b > brightest->r + brightest->g + brightest->b) brightest = colour;
  }
  return brightest;
}

void PressKey(const std::string& display, const ScreenWindow& window, const std::string& key) {
  // No window manager gives the focus here, so the window is given it, without waiting for it to
  // arrive (a wait that can last for ever without one): the caller presses again until it works.
  // The emulator looks at its keys once a frame, so the key is held for a few frames.
  const std::string command = "DISPLAY=" + display + " timeout 5 xdotool windowfocus " + window.id + " keydown " + key +
                              " sleep 0.15 keyup " + key + " >/dev/null 2>&1";
  [[maybe_unused]] const int failed = std::system(command.c_str());  // the caller looks for the key's effect
}
