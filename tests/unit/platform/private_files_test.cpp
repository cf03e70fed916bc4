// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// What KIVO writes is the user's alone: new files and folders take the user's umask, a rewritten
// file stays its owner's with its mode, and only KIVO's own temporary names are cleaned away.
// The tests run as root, so another owner is "nobody".
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/files.h"
#include "support/temp_dir.h"

using namespace kivo::platform;

namespace {

struct stat Stat(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st;
}

mode_t Mode(const std::string& path) { return Stat(path).st_mode & 07777; }

class ScopedUmask {
 public:
  explicit ScopedUmask(mode_t mask) : old_(::umask(mask)) {}
  ~ScopedUmask() { ::umask(old_); }

 private:
  mode_t old_;
};

const passwd& Nobody() {
  static const passwd* nobody = ::getpwnam("nobody");
  EXPECT_NE(nobody, nullptr);
  return *nobody;
}

TEST(PrivateFilesTest, NewFilesAndFoldersTakeTheUmaskAndARewriteKeepsModeAndOwner) {
  TempDir dir;
  for (mode_t mask : {mode_t{022}, mode_t{077}}) {
    ScopedUmask umask(mask);
    const std::string file = dir / ("new" + std::to_string(mask));
    ASSERT_TRUE(WriteFileAtomic(file, "fresh"));
    EXPECT_EQ(Mode(file), 0666 & ~mask);
    ASSERT_TRUE(CreateDirectoryPath(dir / ("tree" + std::to_string(mask)) + "/below"));
    EXPECT_EQ(Mode(dir / ("tree" + std::to_string(mask)) + "/below"), 0777 & ~mask);
  }
  // The user's file, 0640, rewritten by root under a umask that would take its group's bit.
  const std::string users = dir / "kivo.ini";
  WriteTestFile(users, "[General]\n");
  ASSERT_EQ(::chown(users.c_str(), Nobody().pw_uid, Nobody().pw_gid), 0);
  ASSERT_EQ(::chmod(users.c_str(), 0640), 0);
  ScopedUmask umask(077);
  ASSERT_TRUE(WriteFileAtomic(users, "[General]\nZSNESPath=/z\n"));
  EXPECT_EQ(ReadTestFile(users), "[General]\nZSNESPath=/z\n");
  EXPECT_EQ(Mode(users), 0640);
  EXPECT_EQ(Stat(users).st_uid, Nobody().pw_uid);
  EXPECT_EQ(Stat(users).st_gid, Nobody().pw_gid);
}

TEST(PrivateFilesTest, OnlyTemporaryNamesOfWritersThatAreGoneAreCleanedAway) {
  TempDir dir;
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ASSERT_GT(gone, 0);
  ::waitpid(gone, nullptr, 0);
  const std::string dead = ".kivo.ini.tmp." + std::to_string(gone) + ".4711";
  const std::string live = ".kivo.ini.tmp." + std::to_string(::getpid()) + ".4711";
  const std::string users[] = {".kivo.ini.tmp.notes", ".kivo.ini.tmp.12x.3", ".kivo.ini.tmp." + std::to_string(gone),
                               ".kivo.ini.tmp." + std::to_string(gone) + ".old", ".other.tmp." + std::to_string(gone) + ".1"};
  for (const std::string& name : users) WriteTestFile(dir / name, "mine");
  WriteTestFile(dir / dead, "half");
  WriteTestFile(dir / live, "being written");
  MakeTestDir(dir / (".kivo.ini.tmp." + std::to_string(gone) + ".5"));
  RemoveInterruptedWrites(dir / "kivo.ini");
  EXPECT_FALSE(FileExists(dir / dead));
  EXPECT_TRUE(FileExists(dir / live));
  EXPECT_TRUE(DirectoryExists(dir / (".kivo.ini.tmp." + std::to_string(gone) + ".5")));
  for (const std::string& name : users) EXPECT_EQ(ReadTestFile(dir / name), "mine") << name;
}

TEST(PrivateFilesTest, WhoElseCanChangeAFileAndEveryonesFileMadePrivate) {
  TempDir dir;
  const std::string file = dir / "kivo.ini";
  EXPECT_EQ(WhoElseCanChange(file), OtherWriters::kNone);  // none there
  WriteTestFile(file, "[General]\n");
  const std::pair<mode_t, OtherWriters> modes[] = {{0600, OtherWriters::kNone},
                                                   {0644, OtherWriters::kNone},
                                                   {0620, OtherWriters::kGroupOrOther},
                                                   {0602, OtherWriters::kGroupOrOther}};
  for (const auto& [mode, who] : modes) {
    ASSERT_EQ(::chmod(file.c_str(), mode), 0);
    EXPECT_EQ(WhoElseCanChange(file), who) << std::oct << mode;
    EXPECT_FALSE(MakeEveryonesFilePrivate(file)) << "the user's own choice " << std::oct << mode;
    EXPECT_EQ(Mode(file), mode);
  }
  // What earlier versions left: every user may write it.
  ASSERT_EQ(::chmod(file.c_str(), 0666), 0);
  EXPECT_EQ(WhoElseCanChange(file), OtherWriters::kGroupOrOther);
  EXPECT_TRUE(MakeEveryonesFilePrivate(file));
  EXPECT_EQ(Mode(file), 0644);
  EXPECT_EQ(WhoElseCanChange(file), OtherWriters::kNone);
  EXPECT_FALSE(MakeEveryonesFilePrivate(file)) << "said once";
  // Another user's file is theirs to mend.
  ASSERT_EQ(::chmod(file.c_str(), 0666), 0);
  ASSERT_EQ(::chown(file.c_str(), Nobody().pw_uid, Nobody().pw_gid), 0);
  EXPECT_EQ(WhoElseCanChange(file), OtherWriters::kAnotherOwner);
  EXPECT_FALSE(MakeEveryonesFilePrivate(file));
  EXPECT_EQ(Mode(file), 0666);
}

}  // namespace
