// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/start_failure.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/files.h"
#include "platform/win32/wide.h"
#include "platform/win32/windows_api.h"

namespace kivo::platform {
namespace {

// Enough of a program's start to hold its DOS header and the PE header it points to.
constexpr size_t kProgramHeadBytes = 4096;

// ERROR_ELEVATION_REQUIRED, which the mingw-w64 headers lack: the program's manifest asks for an
// administrator's rights.
constexpr int kElevationRequired = 740;

constexpr uint16_t kMachineI386 = 0x014C;
constexpr uint16_t kMachineAmd64 = 0x8664;
constexpr uint16_t kMachineArm64 = 0xAA64;

// The processor this program was built for, which is the one the system runs.
constexpr uint16_t HostMachine() {
#if defined(__x86_64__) || defined(_M_X64)
  return kMachineAmd64;
#elif defined(__aarch64__) || defined(_M_ARM64)
  return kMachineArm64;
#else
  return kMachineI386;
#endif
}

std::string MachineName(uint16_t machine) {
  switch (machine) {
    case kMachineI386: return "32-bit x86";
    case kMachineAmd64: return "x86-64";
    case kMachineArm64: return "64-bit ARM";
    case 0x01C0:
    case 0x01C4: return "32-bit ARM";
    case 0x0200: return "Itanium";
    default: return "machine " + std::to_string(machine);
  }
}

uint32_t LittleEndian(std::string_view bytes, size_t at, size_t width) {
  uint32_t value = 0;
  for (size_t i = width; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// What an "MZ" file is: a DOS program, a 16-bit Windows (or OS/2) program, or a PE program for the
// processor given.
struct ExeKind {
  enum class Format { kDos, kSixteenBit, kPe } format = Format::kDos;
  uint16_t machine = 0;
};

std::optional<ExeKind> ReadExe(std::string_view head) {
  if (!head.starts_with("MZ")) return std::nullopt;
  if (head.size() < 0x40) return ExeKind{};
  // The newer header the DOS stub points to, when it does; a plain DOS program has none there.
  const size_t at = LittleEndian(head, 0x3C, 4);
  if (at > head.size() || head.size() - at < 6) return ExeKind{};
  const std::string_view signature = head.substr(at, 2);
  if (head.substr(at, 4) == std::string_view("PE\0\0", 4)) {
    return ExeKind{ExeKind::Format::kPe, static_cast<uint16_t>(LittleEndian(head, at + 4, 2))};
  }
  if (signature == "NE" || signature == "LE" || signature == "LX") return ExeKind{ExeKind::Format::kSixteenBit, 0};
  return ExeKind{};
}

// The system's own words for the error, without the final full stop, as strerror gives them.
std::string SystemWords(int error) {
  wchar_t* text = nullptr;
  const DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring words = n > 0 && text != nullptr ? std::wstring(text, n) : std::wstring();
  if (text != nullptr) ::LocalFree(text);
  while (!words.empty() && (words.back() == L'\r' || words.back() == L'\n' || words.back() == L' ' || words.back() == L'.'))
    words.pop_back();
  return words.empty() ? "error " + std::to_string(error) : win32::WideToUtf8(words);
}

// The program ran into ERROR_BAD_EXE_FORMAT or a machine mismatch: Windows knows no way to run it.
std::string NotRunnable(std::string_view head) {
  const std::optional<ExeKind> exe = ReadExe(head);
  if (!exe) return "it is not a program: neither one Windows runs nor a batch file";
  switch (exe->format) {
    case ExeKind::Format::kDos: return "it is a DOS program, which 64-bit Windows does not run: start it in DOSBox";
    case ExeKind::Format::kSixteenBit: return "it is a 16-bit Windows program, which 64-bit Windows does not run";
    case ExeKind::Format::kPe: break;
  }
  if (exe->machine == kMachineI386 && HostMachine() != kMachineI386) {
    return "it is a 32-bit x86 program, and this Windows runs no 32-bit programs (its WOW64 support is not installed)";
  }
  if (exe->machine != HostMachine()) {
    return "it is a program for another processor (" + MachineName(exe->machine) + "), and this system runs " +
           MachineName(HostMachine()) + " programs";
  }
  return "the system cannot load it as a program (is the file damaged or incomplete?)";
}

std::string NotPermitted(const std::string& program) {
  if (DirectoryExists(program)) return "it is not a file";
  return "the system does not allow it to run (" + SystemWords(ERROR_ACCESS_DENIED) +
         "; a folder on its path this user may not read, or a policy that blocks the program?)";
}

}  // namespace

std::string DescribeStartFailure(const std::string& program, const std::string& workingFolder,
                                 const StartFailure& failure) {
  switch (failure.step) {
    case StartFailure::Step::kNone: return "it was started";
    case StartFailure::Step::kProcess: return "no process could be made (" + SystemWords(failure.error) + ")";
    case StartFailure::Step::kFolder:
      return "its working folder " + workingFolder + " cannot be entered (" + SystemWords(failure.error) + ")";
    case StartFailure::Step::kProgram: break;
  }
  const bool missingError = failure.error == ERROR_FILE_NOT_FOUND || failure.error == ERROR_PATH_NOT_FOUND;
  if (missingError && !FileExists(program)) return "there is no such file";
  switch (failure.error) {
    case ERROR_BAD_EXE_FORMAT:
    case ERROR_EXE_MACHINE_TYPE_MISMATCH:
    case ERROR_BAD_FORMAT: return NotRunnable(ReadFileStart(program, kProgramHeadBytes));
    case ERROR_ACCESS_DENIED: return NotPermitted(program);
    case kElevationRequired:
      return "it asks to run as an administrator, which KIVO does not start programs as: start it once that way "
             "yourself, or set it to run as the user";
    case ERROR_BAD_ARGUMENTS:
      return "it is a batch file, and an argument holds a quote, a '%' or a line break, which the command "
             "interpreter would act on";
    default: return "the system says: " + SystemWords(failure.error);
  }
}

}  // namespace kivo::platform
