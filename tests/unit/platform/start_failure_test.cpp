// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// A program the system refuses is said in words: each reason from a real start where the system
// gives it on every machine, and from the system's error as the start reports it where a real start
// depends on the machine (whether its kernel runs 32-bit programs).
#include "platform/start_failure.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdint>

#include "support/temp_dir.h"

using namespace kivo::platform;

namespace {

void Put(std::string& bytes, size_t at, uint64_t value, size_t width) {
  if (bytes.size() < at + width) bytes.resize(at + width, '\0');
  for (size_t i = 0; i < width; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

// The start of a little-endian ELF program for `machine`, naming `loader` as its interpreter when
// one is given.
std::string ElfHead(bool is64, uint16_t machine, const std::string& loader = {}) {
  std::string bytes = std::string("\x7F"
                                  "ELF") +
                      static_cast<char>(is64 ? 2 : 1) + "\x01\x01";
  const size_t headerSize = is64 ? 64 : 52, entrySize = is64 ? 56 : 32;
  Put(bytes, 16, 2, 2);  // an executable
  Put(bytes, 18, machine, 2);
  Put(bytes, 20, 1, 4);
  Put(bytes, is64 ? 52 : 40, headerSize, 2);
  if (!loader.empty()) {
    const size_t table = headerSize, text = headerSize + entrySize;
    Put(bytes, is64 ? 32 : 28, table, is64 ? 8 : 4);
    Put(bytes, is64 ? 54 : 42, entrySize, 2);
    Put(bytes, is64 ? 56 : 44, 1, 2);
    Put(bytes, table, 3, 4);  // PT_INTERP
    Put(bytes, table + (is64 ? 8 : 4), text, is64 ? 8 : 4);
    Put(bytes, table + (is64 ? 32 : 16), loader.size() + 1, is64 ? 8 : 4);
    bytes.resize(text);
    bytes += loader;
    bytes += '\0';
  }
  bytes.resize(std::max(bytes.size(), headerSize), '\0');
  return bytes;
}

class StartFailureTest : public ::testing::Test {
 protected:
  std::string Program(const std::string& name, const std::string& bytes, mode_t mode) {
    const std::string path = dir_ / name;
    WriteTestFile(path, bytes);
    EXPECT_EQ(::chmod(path.c_str(), mode), 0);
    return path;
  }
  // Starts the program for real; the words for the failure the system gave.
  std::string RefusedStart(const std::string& program, const std::string& folder = {}) {
    StartFailure failure;
    EXPECT_FALSE(StartDetached({program, "-v", "0"}, folder, false, &failure)) << program << " was started";
    EXPECT_NE(failure.step, StartFailure::Step::kNone);
    return DescribeStartFailure(program, folder, failure);
  }
  TempDir dir_;
};

TEST_F(StartFailureTest, RealStartsTheSystemRefusesSayWhy) {
  const std::string plain = Program("zsnes", "#!/bin/sh\nexit 0\n", 0644);
  EXPECT_EQ(RefusedStart(plain), "it is not executable: make it so with chmod +x " + plain);

  const std::string text = Program("notes", "These are my notes.\n", 0755);
  EXPECT_EQ(RefusedStart(text), "it is not a program: neither one this system runs nor a script starting with #!");

  const std::string dos = Program("ZSNES.EXE", "MZ\x90\x00\x03\x00\x00\x00", 0755);
  EXPECT_EQ(RefusedStart(dos), "it is a DOS or Windows program, which this system does not run itself");

  const std::string script = Program("wrapper", "#!/no/such/qemu-i386 -L /\nexit 0\n", 0755);
  EXPECT_EQ(RefusedStart(script), "it is a script whose interpreter /no/such/qemu-i386 is missing");

  EXPECT_EQ(RefusedStart(dir_ / "gone"), "there is no such file");
  EXPECT_EQ(RefusedStart("/bin/sh", dir_ / "no folder"),
            "its working folder " + (dir_ / "no folder") + " cannot be entered (No such file or directory)");
  // A folder under the program's name.
  MakeTestDir(dir_ / "folder");
  EXPECT_EQ(RefusedStart(dir_ / "folder"), "it is not a file");
}

// A program whose loader is gone: this system's own /bin/true with the loader's name changed.
TEST_F(StartFailureTest, AProgramWhoseLoaderIsMissingNamesIt) {
  std::string bytes = ReadTestFile("/bin/true");
  const std::string loader = "/lib64/ld-linux-x86-64.so.2";
  const size_t at = bytes.find(loader + '\0');
  if (at == std::string::npos) GTEST_SKIP() << "/bin/true names another loader on this system";
  const std::string missing = "/no/such/ld-linux-x86-64.so";
  ASSERT_EQ(missing.size(), loader.size());
  bytes.replace(at, missing.size(), missing);
  EXPECT_EQ(RefusedStart(Program("true", bytes, 0755)), "its loader " + missing + " is missing");
}

#if defined(__x86_64__)
// Whether a 32-bit program (or one for another processor) runs depends on the kernel and on the
// emulators registered with it, so these reasons are read from the error a start reports where it
// does not.
TEST_F(StartFailureTest, AThirtyTwoBitProgramOnASystemThatRunsNoneSaysWhatHelps) {
  const std::string zsnes = Program("zsnes", ElfHead(false, 3, "/lib/ld-linux.so.2"), 0755);
  const std::string help = "install the system's 32-bit support, or install qemu-user and start it through a "
                           "script that runs exec qemu-i386 " +
                           zsnes + " \"$@\"";
  EXPECT_EQ(DescribeStartFailure(zsnes, {}, {StartFailure::Step::kProgram, ENOEXEC}),
            "it is a 32-bit x86 program, and this system runs no 32-bit programs: " + help);
  // A kernel that runs 32-bit programs, without the 32-bit C library.
  EXPECT_EQ(DescribeStartFailure(zsnes, {}, {StartFailure::Step::kProgram, ENOENT}),
            "its loader /lib/ld-linux.so.2 is missing: it is a 32-bit x86 program, and the system's 32-bit libraries "
            "are not installed (libc6:i386); " +
                help);

  const std::string arm = Program("zsnes-arm", ElfHead(true, 183), 0755);
  EXPECT_EQ(DescribeStartFailure(arm, {}, {StartFailure::Step::kProgram, ENOEXEC}),
            "it is a program for another processor (64-bit ARM), and this system runs x86-64 programs");
  const std::string broken = Program("zsnes-broken", ElfHead(true, 62), 0755);
  EXPECT_EQ(RefusedStart(broken), "the system cannot load it as a program (is the file damaged or incomplete?)");
  // A header that lies about where its parts are is read no further than the file goes.
  std::string lying = ElfHead(false, 3, "/lib/ld-linux.so.2");
  Put(lying, 28, 0xFFFFFFF0, 4);
  EXPECT_EQ(DescribeStartFailure(Program("lying", lying, 0755), {}, {StartFailure::Step::kProgram, ENOENT}),
            "No such file or directory");
}
#endif

}  // namespace
