// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "platform/start_failure.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "platform/files.h"

namespace kivo::platform {
namespace {

// Enough of a program's start to hold its ELF header, its program headers and the loader's name,
// which linkers put right behind them.
constexpr size_t kProgramHeadBytes = 64 * 1024;

constexpr uint16_t kMachine386 = 3;
constexpr uint16_t kMachineX8664 = 62;
constexpr uint32_t kSegmentInterpreter = 3;  // PT_INTERP

// The processor this program was built for, which is the one the system runs.
constexpr uint16_t HostMachine() {
#if defined(__x86_64__)
  return kMachineX8664;
#elif defined(__i386__)
  return kMachine386;
#elif defined(__aarch64__)
  return 183;
#elif defined(__arm__)
  return 40;
#elif defined(__riscv)
  return 243;
#else
  return 0;
#endif
}

std::string MachineName(uint16_t machine, bool is64) {
  switch (machine) {
    case kMachine386: return "32-bit x86";
    case kMachineX8664: return "x86-64";
    case 40: return "32-bit ARM";
    case 183: return "64-bit ARM";
    case 243: return is64 ? "64-bit RISC-V" : "32-bit RISC-V";
    case 8: return "MIPS";
    case 20: return "32-bit PowerPC";
    case 21: return "64-bit PowerPC";
    case 22: return "IBM S/390";
    default: return "machine " + std::to_string(machine);
  }
}

// What an ELF file's header says, as far as the reasons need it.
struct ElfFacts {
  bool is64 = false;
  uint16_t machine = 0;
  std::string loader;  // the program interpreter it names; empty for a static program
};

class ElfReader {
 public:
  explicit ElfReader(std::string_view bytes) : bytes_(bytes), little_(bytes.size() > 5 && bytes[5] == 1) {}

  std::optional<uint64_t> Number(size_t offset, size_t width) const {
    if (offset > bytes_.size() || width > bytes_.size() - offset) return std::nullopt;
    uint64_t value = 0;
    for (size_t i = 0; i < width; ++i) {
      const size_t at = little_ ? offset + width - 1 - i : offset + i;
      value = value << 8 | static_cast<unsigned char>(bytes_[at]);
    }
    return value;
  }

  // The text of the PT_INTERP segment, when it lies in the bytes read.
  std::string Loader(bool is64) const {
    const std::optional<uint64_t> tableAt = Number(is64 ? 32 : 28, is64 ? 8 : 4);
    const std::optional<uint64_t> entrySize = Number(is64 ? 54 : 42, 2);
    const std::optional<uint64_t> entries = Number(is64 ? 56 : 44, 2);
    if (!tableAt || !entrySize || !entries || *tableAt > bytes_.size()) return {};
    for (uint64_t i = 0; i < *entries; ++i) {
      const uint64_t entry = *tableAt + i * *entrySize;
      if (Number(static_cast<size_t>(entry), 4) != kSegmentInterpreter) continue;
      const std::optional<uint64_t> at = Number(static_cast<size_t>(entry + (is64 ? 8 : 4)), is64 ? 8 : 4);
      const std::optional<uint64_t> size = Number(static_cast<size_t>(entry + (is64 ? 32 : 16)), is64 ? 8 : 4);
      if (!at || !size || *at > bytes_.size() || *size > bytes_.size() - *at) return {};
      std::string_view text = bytes_.substr(static_cast<size_t>(*at), static_cast<size_t>(*size));
      return std::string(text.substr(0, text.find('\0')));
    }
    return {};
  }

 private:
  std::string_view bytes_;
  bool little_;
};

std::optional<ElfFacts> ReadElf(std::string_view head) {
  if (!head.starts_with("\x7F"
                        "ELF") ||
      head.size() < 20 || (head[4] != 1 && head[4] != 2))
    return std::nullopt;
  ElfReader reader(head);
  ElfFacts facts;
  facts.is64 = head[4] == 2;
  facts.machine = static_cast<uint16_t>(reader.Number(18, 2).value_or(0));
  facts.loader = reader.Loader(facts.is64);
  return facts;
}

// The interpreter a "#!" line names: its first word.
std::string ScriptInterpreter(std::string_view head) {
  std::string_view line = head.substr(2, head.find('\n') == std::string_view::npos ? head.size() : head.find('\n') - 2);
  const size_t start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  line.remove_prefix(start);
  return std::string(line.substr(0, line.find_first_of(" \t\r")));
}

std::string ThirtyTwoBitHelp(const std::string& program) {
  return "install the system's 32-bit support, or install qemu-user and start it through a script that runs "
         "exec qemu-i386 " +
         program + " \"$@\"";
}

std::string SystemWords(int error) { return std::strerror(error); }

// The program ran into ENOEXEC: the kernel knows no way to run such a file.
std::string NotRunnable(const std::string& program, std::string_view head) {
  if (std::optional<ElfFacts> elf = ReadElf(head)) {
    const bool thirtyTwoBitX86 = elf->machine == kMachine386 && !elf->is64 && HostMachine() == kMachineX8664;
    if (thirtyTwoBitX86) {
      return "it is a 32-bit x86 program, and this system runs no 32-bit programs: " + ThirtyTwoBitHelp(program);
    }
    if (elf->machine != HostMachine()) {
      return "it is a program for another processor (" + MachineName(elf->machine, elf->is64) +
             "), and this system runs " + MachineName(HostMachine(), sizeof(void*) == 8) + " programs";
    }
    return "the system cannot load it as a program (is the file damaged or incomplete?)";
  }
  if (head.starts_with("MZ")) return "it is a DOS or Windows program, which this system does not run itself";
  return "it is not a program: neither one this system runs nor a script starting with #!";
}

// The program exists, yet the system says a file is missing: the loader or interpreter it names.
std::string SomethingMissing(const std::string& program, std::string_view head) {
  if (std::optional<ElfFacts> elf = ReadElf(head); elf && !elf->loader.empty()) {
    std::string reason = "its loader " + elf->loader + " is missing";
    if (elf->machine == kMachine386 && !elf->is64 && HostMachine() == kMachineX8664) {
      reason += ": it is a 32-bit x86 program, and the system's 32-bit libraries are not installed (libc6:i386); " +
                ThirtyTwoBitHelp(program);
    }
    return reason;
  }
  if (head.starts_with("#!")) {
    const std::string interpreter = ScriptInterpreter(head);
    if (!interpreter.empty()) return "it is a script whose interpreter " + interpreter + " is missing";
  }
  return SystemWords(ENOENT);
}

std::string NotPermitted(const std::string& program) {
  struct stat info {};
  if (::stat(program.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & 0111) == 0) {
    return "it is not executable: make it so with chmod +x " + program;
  }
  if (::stat(program.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return "it is not a file";
  return "the system does not allow it to run (" + SystemWords(EACCES) +
         "; a folder on its path that cannot be searched, or a file system mounted without execute permission?)";
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
  if (failure.error == ENOENT && !FileExists(program)) return "there is no such file";
  const std::string head = ReadFileStart(program, kProgramHeadBytes);
  switch (failure.error) {
    case ENOEXEC: return NotRunnable(program, head);
    case ENOENT: return SomethingMissing(program, head);
    case EACCES: return NotPermitted(program);
    default: return "the system says: " + SystemWords(failure.error);
  }
}

}  // namespace kivo::platform
