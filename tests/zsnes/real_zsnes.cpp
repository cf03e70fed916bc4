// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "zsnes/real_zsnes.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/files.h"
#include "platform/process.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

std::string Output(const std::string& command) {
  std::string text;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
    ::pclose(pipe);
  }
  return text;
}

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace

std::string FindRealZsnes() {
  if (const char* chosen = std::getenv("KIVO_ZSNES"); chosen != nullptr && *chosen != '\0') {
    return kivo::platform::FileExists(chosen) ? chosen : "";
  }
  if (kivo::platform::FileExists(KIVO_ZSNES_BUILT)) return KIVO_ZSNES_BUILT;
  return kivo::platform::FindProgramOnPath("zsnes");
}

std::string MissingScreenTool() {
  for (const char* tool : {"Xvfb", "xwininfo", "import", "xdotool"}) {
    if (kivo::platform::FindProgramOnPath(tool).empty()) return tool;
  }
  return {};
}

VirtualScreen::VirtualScreen() {
  for (int number = 91; number < 140; ++number) {
    if (::access(("/tmp/.X" + std::to_string(number) + "-lock").c_str(), F_OK) == 0) continue;
    display_ = ":" + std::to_string(number);
    std::string xvfb = kivo::platform::FindProgramOnPath("Xvfb");
    std::vector<std::string> args = {xvfb, display_, "-screen", "0", "1024x768x24", "-nolisten", "tcp"};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int failed = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) return;
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
    for (auto until = Clock::now() + std::chrono::seconds(10); Clock::now() < until; Sleep(20)) {
      if (::access(socket.c_str(), F_OK) == 0) {
        pid_ = pid;
        return;
      }
      if (::waitpid(pid, nullptr, WNOHANG) == pid) break;  // another server took the number meanwhile
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
  }
}

VirtualScreen::~VirtualScreen() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  ::waitpid(pid_, nullptr, 0);
}

std::optional<ScreenWindow> WaitForEmulatorWindow(const std::string& display, double seconds) {
  for (auto until = Clock::now() + std::chrono::duration<double>(seconds); Clock::now() < until; Sleep(50)) {
    std::istringstream tree(Output("timeout 10 xwininfo -display " + display + " -root -tree 2>/dev/null"));
    // A line such as:     0x200016 "ZSNES": ("zsnes" "zsnes")  256x224+384+272  +384+272
    for (std::string line; std::getline(tree, line);) {
      if (line.find("\"ZSNES\":") == std::string::npos) continue;
      std::istringstream words(line);
      ScreenWindow window;
      words >> window.id;
      size_t x = line.find(")  ");
      if (x == std::string::npos || std::sscanf(line.c_str() + x + 3, "%dx%d%d%d", &window.width, &window.height,
                                                &window.left, &window.top) != 4) {
        continue;
      }
      return window;
    }
  }
  return std::nullopt;
}

std::optional<Rgb> CentreColour(const std::string& display, const ScreenWindow& window) {
  // One pixel of the whole screen as text: "# ImageMagick pixel enumeration: ...\n0,0: (255,0,255) ...".
  // (Grabbing the window by its id waits on the window manager, which this screen does not have.)
  const std::string crop =
      "1x1+" + std::to_string(window.left + window.width / 2) + "+" + std::to_string(window.top + window.height / 2);
  std::string text =
      Output("timeout 20 import -display " + display + " -window root -crop " + crop + " -depth 8 txt:- 2>/dev/null");
  size_t open = text.find("0,0: (");
  Rgb colour;
  if (open == std::string::npos ||
      std::sscanf(text.c_str() + open + 6, "%d,%d,%d", &colour.r, &colour.g, &colour.b) != 3) {
    return std::nullopt;
  }
  return colour;
}

void PressKey(const std::string& display, const ScreenWindow& window, const std::string& key) {
  // No window manager gives the focus here, so the window is given it, without waiting for it to
  // arrive (a wait that can last for ever without one): the caller presses again until it works.
  // The emulator looks at its keys once a frame, so the key is held for a few frames.
  const std::string command = "DISPLAY=" + display + " timeout 5 xdotool windowfocus " + window.id + " keydown " + key +
                              " sleep 0.15 keyup " + key + " >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) {
    // Not pressed this time; the caller looks for the key's effect and tries again.
  }
}

StdoutToFile::StdoutToFile(const std::string& path) {
  std::fflush(stdout);
  int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (file < 0) return;
  saved_ = ::dup(1);
  ::dup2(file, 1);
  ::close(file);
}

StdoutToFile::~StdoutToFile() {
  if (saved_ < 0) return;
  std::fflush(stdout);
  ::dup2(saved_, 1);
  ::close(saved_);
}
