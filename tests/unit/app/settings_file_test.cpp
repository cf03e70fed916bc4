// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "app/settings_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "common/error.h"
#include "platform/dirs.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace {

class SettingsFileTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir / "kivo.ini";
  SettingsFile settings{path};
};

TEST_F(SettingsFileTest, MissingFileGivesDefaultsAndFirstWriteCreatesIt) {
  EXPECT_EQ(settings.ReadString("General", "ZSNESPath", "dflt"), "dflt");
  EXPECT_EQ(settings.ReadInteger("General", "CacheSize", 8), 8);
  EXPECT_TRUE(settings.ReadBool("General", "Run first", true));
  EXPECT_FALSE(platform::FileExists(path));

  settings.WriteBool("General", "Run first", false);
  EXPECT_EQ(ReadTestFile(path), "[General]\nRun first=0\n");
  EXPECT_FALSE(settings.ReadBool("General", "Run first", true));
}

TEST_F(SettingsFileTest, NamesIgnoreLetterCaseAndBlanksAreTrimmed) {
  WriteTestFile(path, "[GENERAL]\n  ZSNESPATH  =  /opt/zsnes  \n[general]\nzsnespath=second\n");
  EXPECT_EQ(settings.ReadString("General", "ZSNESPath", ""), "/opt/zsnes");
  EXPECT_EQ(settings.ReadString("general", "zsnespath", ""), "/opt/zsnes");

  // A write goes to the first occurrence and keeps the key's spelling as the file has it.
  settings.WriteString("general", "zsnesPath", "/usr/games");
  EXPECT_EQ(ReadTestFile(path), "[GENERAL]\nZSNESPATH=/usr/games\n[general]\nzsnespath=second\n");

  // A repeated header does not reopen the first section: what stands under it is never read, and a
  // new key is appended to the first section.
  WriteTestFile(path, "[General]\nSound=1\n[Zelda]\nPAL=1\n[general]\nVolume=80\n");
  EXPECT_EQ(settings.ReadInteger("General", "Volume", 5), 5);
  settings.WriteBool("General", "Stereo", true);
  EXPECT_EQ(ReadTestFile(path), "[General]\nSound=1\nStereo=1\n[Zelda]\nPAL=1\n[general]\nVolume=80\n");
}

TEST_F(SettingsFileTest, IntegersAndBooleansFollowTheReadRules) {
  WriteTestFile(path,
                "[Default]\nCPUCycles=0x64\nGamma=$A\nUpper=0X1f\nNeg=-12\nWord=true\nTwo=2\nJunk=12a\n"
                "Huge=99999999999\nEmpty=\nAllOnes=$FFFFFFFF\n");
  EXPECT_EQ(settings.ReadInteger("Default", "CPUCycles", 0), 100);
  EXPECT_EQ(settings.ReadInteger("Default", "Gamma", 0), 10);
  EXPECT_EQ(settings.ReadInteger("Default", "Upper", 0), 31);
  EXPECT_EQ(settings.ReadInteger("Default", "Neg", 0), -12);
  EXPECT_EQ(settings.ReadInteger("Default", "Junk", 7), 7);
  EXPECT_EQ(settings.ReadInteger("Default", "Huge", 7), 7);
  EXPECT_EQ(settings.ReadInteger("Default", "Empty", 7), 7);
  EXPECT_EQ(settings.ReadInteger("Default", "AllOnes", 7), -1);
  EXPECT_TRUE(settings.ReadBool("Default", "Two", false));
  // A word reads as the reader's own default.
  EXPECT_TRUE(settings.ReadBool("Default", "Word", true));
  EXPECT_FALSE(settings.ReadBool("Default", "Word", false));
}

TEST_F(SettingsFileTest, LongValuesAreCutTo2047Characters) {
  std::string longValue(3000, 'x');
  longValue[2046] = 'y';
  WriteTestFile(path, "[General]\nMediaPath=" + longValue + "\n");
  std::string read = settings.ReadString("General", "MediaPath", "");
  EXPECT_EQ(read.size(), 2047u);
  EXPECT_EQ(read.back(), 'y');
}

TEST_F(SettingsFileTest, WritesReplaceInPlaceAppendToSectionOrAppendSection) {
  WriteTestFile(path, "; kept\r\n[General]\r\nSound=1\r\nVolume=25\r\n\r\n[Default]\r\nNTSC=1\r\n");
  settings.WriteInteger("General", "Volume", 80);
  settings.WriteBool("General", "Stereo", true);
  settings.WriteString("Zelda", "PAL", "1");
  EXPECT_EQ(ReadTestFile(path),
            "; kept\r\n[General]\r\nSound=1\r\nVolume=80\r\nStereo=1\r\n\r\n[Default]\r\nNTSC=1\r\n"
            "\r\n[Zelda]\r\nPAL=1\r\n");
}

TEST_F(SettingsFileTest, EveryReadSeesAnotherProgramsEdit) {
  settings.WriteInteger("General", "Volume", 10);
  EXPECT_EQ(settings.ReadInteger("General", "Volume", 0), 10);
  WriteTestFile(path, "[General]\nVolume=11\n");  // same length, different bytes
  EXPECT_EQ(settings.ReadInteger("General", "Volume", 0), 11);
  platform::DeleteFile(path);
  EXPECT_EQ(settings.ReadInteger("General", "Volume", 0), 0);

  // A large file is compared piece by piece as it is read: a change far into it, or in its last
  // byte, is seen as surely as one at its start, and so is a file that grew or shrank.
  const std::string filler = "[Filler]\n" + std::string(200000, ';') + "\n";
  WriteTestFile(path, filler + "[General]\nVolume=12\n");
  EXPECT_EQ(settings.ReadInteger("General", "Volume", 0), 12);
  WriteTestFile(path, filler + "[General]\nVolume=13\n");
  EXPECT_EQ(settings.ReadInteger("General", "Volume", 0), 13);
  WriteTestFile(path, filler + "[General]\nVolume=13\nSound=1\n");
  EXPECT_EQ(settings.ReadInteger("General", "Sound", 0), 1);
  WriteTestFile(path, filler + "[General]\nVolume=14\n");
  EXPECT_EQ(settings.ReadInteger("General", "Sound", 0), 0);
  EXPECT_EQ(settings.ReadInteger("General", "Volume", 0), 14);
}

TEST_F(SettingsFileTest, RefusedWriteRaisesAndLeavesTheFileWhole) {
  WriteTestFile(path, "[General]\nVolume=25\n");
  platform::SetWriteFaultForTesting([](const std::string&) { return true; });
  try {
    settings.WriteInteger("General", "Volume", 50);
    ADD_FAILURE() << "write did not fail";
  } catch (const KivoError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
  }
  platform::SetWriteFaultForTesting({});
  EXPECT_EQ(ReadTestFile(path), "[General]\nVolume=25\n");

  // A write the system cuts short on the disk (here the file-size limit, in a child process of its
  // own) leaves the file as it was and no partial copy beside it.
  const std::string longValue(4096, 'v');
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);  // the write then fails with EFBIG instead of ending the process
    const rlimit limit{1024, 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    try {
      settings.WriteString("General", "MediaPath", longValue);
    } catch (const KivoError&) {
      ::_exit(0);
    }
    ::_exit(1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the cut-short write was not reported";
  EXPECT_EQ(ReadTestFile(path), "[General]\nVolume=25\n");
  EXPECT_EQ(platform::ListDirectory(dir.Path()).size(), 3u);  // ".", ".." and kivo.ini

  // A folder that does not exist refuses the write without any seam.
  SettingsFile nowhere(dir / "missing/kivo.ini");
  EXPECT_THROW(nowhere.WriteBool("General", "Run first", false), KivoError);
}

TEST_F(SettingsFileTest, StoringTheValueAlreadyThereWritesNothing) {
  WriteTestFile(path, "[General]\r\nVolume=25\r\n");
  int writes = 0;
  platform::SetWriteFaultForTesting([&writes](const std::string&) {
    ++writes;
    return false;
  });
  settings.WriteInteger("General", "Volume", 25);
  settings.WriteString("general", "VOLUME", "25");
  EXPECT_EQ(writes, 0);
  settings.WriteInteger("General", "Volume", 26);
  settings.WriteString("General", "Sound", "");
  platform::SetWriteFaultForTesting({});
  EXPECT_EQ(writes, 2);
  EXPECT_EQ(ReadTestFile(path), "[General]\r\nVolume=26\r\nSound=\r\n");
}

TEST_F(SettingsFileTest, LineBreaksAreNeverWritten) {
  WriteTestFile(path, "[Configs]\nZelda=1\n");
  settings.WriteBool("Configs", "evil\n[General]\nZSNESPath=/tmp/x", true);
  settings.WriteString("General", "MediaPath", "a\rb");
  settings.WriteString("Gen\neral", "MediaPath", "a");
  EXPECT_EQ(ReadTestFile(path), "[Configs]\nZelda=1\n");
  EXPECT_EQ(settings.ReadString("General", "ZSNESPath", "none"), "none");
}

TEST_F(SettingsFileTest, SectionNamesWithBracketsReadBack) {
  settings.WriteBool("Super Mario World (U) [!]", "NTSC", true);
  settings.WriteBool("Super Mario World (U) [!]", "PAL", true);
  EXPECT_TRUE(settings.ReadBool("Super Mario World (U) [!]", "NTSC", false));
  EXPECT_EQ(ReadTestFile(path), "[Super Mario World (U) [!]]\nNTSC=1\nPAL=1\n");
}

// A file that exists but cannot be read is not empty: its bytes are unknown, so writing KIVO's one
// key would throw the user's settings away. Reads give their defaults; writes are refused.
TEST_F(SettingsFileTest, AFileThatCannotBeReadIsNeverReplaced) {
  WriteTestFile(path, "[General]\nVolume=25\nZSNESPath=/opt/zsnes\n");
  platform::SetReadFaultForTesting([&](const std::string& p) { return p == path; });
  EXPECT_EQ(settings.ReadInteger("General", "Volume", 7), 7);
  EXPECT_THROW(settings.WriteInteger("General", "Volume", 50), KivoError);
  platform::SetReadFaultForTesting({});
  EXPECT_EQ(ReadTestFile(path), "[General]\nVolume=25\nZSNESPath=/opt/zsnes\n");
  EXPECT_EQ(settings.ReadInteger("General", "Volume", 7), 25);

  // A FIFO under the file's name is read at once as unreadable, never waited on.
  platform::DeleteFile(path);
  ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
  EXPECT_EQ(settings.ReadString("General", "ZSNESPath", "none"), "none");
  EXPECT_THROW(settings.WriteBool("General", "Run first", false), KivoError);
}

// No write bit is read-only, for root too; a link is written through to the file it names, which
// keeps its mode, and stays a link.
TEST_F(SettingsFileTest, ReadOnlyFilesAreRefusedAndLinksWrittenThrough) {
  WriteTestFile(path, "[General]\nVolume=25\n");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_THROW(settings.WriteInteger("General", "Volume", 50), KivoError);
  EXPECT_EQ(ReadTestFile(path), "[General]\nVolume=25\n");

  const std::string real = dir / "real/kivo.ini";
  MakeTestDir(dir / "real");
  WriteTestFile(real, "[General]\nVolume=25\n");
  ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
  const std::string link = dir / "linked.ini";
  ASSERT_EQ(::symlink("real/kivo.ini", link.c_str()), 0);
  SettingsFile linked(link);
  linked.WriteInteger("General", "Volume", 60);
  struct stat st {};
  ASSERT_EQ(::lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(ReadTestFile(real), "[General]\nVolume=60\n");
  ASSERT_EQ(::stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// A writer killed between writing its temporary file and renaming it leaves the file; the next start
// removes it, and leaves alone the temporary file of a writer that is still at work.
TEST_F(SettingsFileTest, TemporaryFilesOfInterruptedWritesAreRemovedAtTheNextStart) {
  const std::string stale = dir / ".kivo.ini.tmp.999999999.42";  // beyond any process number
  const std::string live = dir / (".kivo.ini.tmp." + std::to_string(::getpid()) + ".7");
  const std::string other = dir / ".cache.tbl.tmp.999999999.1";
  for (const std::string& file : {stale, live, other}) WriteTestFile(file, "half");
  SettingsFile next(path);
  EXPECT_FALSE(platform::FileExists(stale));
  EXPECT_TRUE(platform::FileExists(live));
  EXPECT_TRUE(platform::FileExists(other));
}

// A name read back as another is refused like a line break: blanks at either end (names are trimmed
// when read, so each Toggle Config would append the game again), a key starting with "[" (read as a
// section) or holding "=" (cut there). Such names are never found either.
TEST_F(SettingsFileTest, NamesTheFileCannotHoldAreRefusedAndNeverFound) {
  WriteTestFile(path, "[Configs]\nZelda=1\n[Default]\nNTSC=1\n");
  const std::string before = ReadTestFile(path);
  settings.WriteBool("Configs", " Zelda ", false);
  settings.WriteBool("Configs", "Mario ", true);
  settings.WriteBool("  Mario", "NTSC", true);
  settings.WriteBool("Default", "[Configs]", true);
  settings.WriteBool("Configs", "Game = Edition", true);
  EXPECT_EQ(ReadTestFile(path), before);
  EXPECT_FALSE(settings.ReadBool("Configs", " Zelda ", false));
  EXPECT_FALSE(settings.ReadBool(" Default", "NTSC", false));
  EXPECT_TRUE(settings.ReadBool("Configs", "Zelda", false));
  // Blanks and brackets inside a name are fine.
  settings.WriteBool("Configs", "Super Mario [!]", true);
  EXPECT_TRUE(settings.ReadBool("Configs", "Super Mario [!]", false));
}

}  // namespace
