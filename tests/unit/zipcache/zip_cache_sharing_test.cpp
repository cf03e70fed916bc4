// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Two users of one cache folder at once (the window and a kivo-tool run, or two windows), and a
// table file that is there but cannot be read: neither may cost the shared cache a file or a line.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/file_lock.h"
#include "platform/files.h"
#include "unit/zipcache/zip_cache_fixture.h"
#include "zipcache/cache_table.h"

namespace {

namespace fs = std::filesystem;

class ZipCacheSharingTest : public ZipCacheTest {
 protected:
  void TearDown() override { platform::SetReadFaultForTesting({}); }

  bool IsPrivate(const std::string& path) const { return path.starts_with(tmpDir + "/"); }
  std::string TableFile() const { return cacheDir + "/cache.tbl"; }
  std::string TableSnapshot() const { return ReadTestFile(TableFile()); }
};

TEST_F(ZipCacheSharingTest, SecondUserExtractsPrivatelyAndLeavesTheOwnersCacheAlone) {
  std::string a = Archive("a.zip", {ZipFile("A.SMC", "a")});
  std::string b = Archive("b.zip", {ZipFile("B.SMC", "b")});
  std::string c = Archive("c.zip", {ZipFile("C.SMC", "c")});
  { Open(8)->GetRomFile(a); }
  const std::string savedTable = TableSnapshot();

  auto owner = Open(8);
  ASSERT_TRUE(owner->OwnsSharedCache());
  const std::string ownersRom = owner->GetRomFile(b);
  {
    // As a kivo-tool run with a limit low enough to evict the owner's groups, had it read them.
    auto second = Open(1);
    EXPECT_FALSE(second->OwnsSharedCache());
    EXPECT_TRUE(second->CacheTable().empty());
    const std::string romA = second->GetRomFile(a);
    EXPECT_TRUE(IsPrivate(romA)) << romA;
    EXPECT_EQ(ReadTestFile(romA), "a");
    const std::string romC = second->GetRomFile(c);  // evicts its own group of a.zip
    EXPECT_TRUE(IsPrivate(romC)) << romC;
    EXPECT_FALSE(platform::FileExists(romA));
    EXPECT_EQ(second->CacheTable(), (std::vector<std::string>{c, romC, "?end?"}));
    // Eviction never deletes an archive from inside one; the private folder goes with it all the same.
    const std::string d = Archive("d.zip", {ZipFile("inner.zip", "i"), ZipFile("docs/deep/D.SMC", "d")});
    second->GetRomFile(d);
    second->GetRomFile(a);
    EXPECT_FALSE(second->SaveTable());
  }
  EXPECT_EQ(Contents(tmpDir), std::set<std::string>{});  // its private folder went whole
  EXPECT_EQ(TableSnapshot(), savedTable);
  EXPECT_EQ(CacheContents(), (std::set<std::string>{"a-1", "a-1/A.SMC", "b-1", "b-1/B.SMC"}));
  EXPECT_EQ(owner->GetRomFile(a), cacheDir + "/a-1/A.SMC");
  EXPECT_EQ(ReadTestFile(ownersRom), "b");

  // The owner's table names both groups, all of whose files are there, and the next one owns it.
  owner.reset();
  auto next = Open(8);
  EXPECT_TRUE(next->OwnsSharedCache());
  EXPECT_EQ(next->CountGroups(), 2);
  EXPECT_EQ(next->GetRomFile(b), ownersRom);
}

TEST_F(ZipCacheSharingTest, TableNamingTheLockFileCannotBreakTheLock) {
  std::string a = Archive("a.zip", {});
  // Purged at once (a file is missing), and by a later eviction.
  for (const std::string& missing : {cacheDir + "/gone.smc", std::string("?end?")}) {
    WriteTestFile(TableFile(), FormatCacheTable({a, cacheDir + "/./cache.lock", cacheDir + "//cache.tbl", missing,
                                                 "?end?", a, "?end?"}));
    auto owner = Open(1);
    ASSERT_TRUE(owner->OwnsSharedCache());
    owner->EvictOldest();
    EXPECT_FALSE(Open(8)->OwnsSharedCache()) << missing;
    EXPECT_TRUE(fs::exists(cacheDir + "/cache.lock"));
  }
}

TEST_F(ZipCacheSharingTest, CacheFolderThatCannotBeLockedIsNeverTouched) {
  // A missing cache folder (or one that refuses the lock file) leaves nothing to share: the work
  // goes to a private folder all the same.
  std::string a = Archive("a.zip", {ZipFile("A.SMC", "a")});
  TZipCache cache(root / "missing", 8);
  EXPECT_FALSE(cache.OwnsSharedCache());
  EXPECT_TRUE(IsPrivate(cache.GetRomFile(a)));
  EXPECT_FALSE(fs::exists(root / "missing"));
}

TEST_F(ZipCacheSharingTest, TableThatCannotBeReadIsKeptAndTheRunWorksPrivately) {
  std::string a = Archive("a.zip", {ZipFile("A.SMC", "a")});
  std::string b = Archive("b.zip", {ZipFile("B.SMC", "b")});
  { Open(8)->GetRomFile(a); }
  const std::string table = ReadTestFile(TableFile());

  const struct {
    const char* what;
    std::function<void()> spoil;
    std::function<void()> mend;
  } cases[] = {
      {"read error", [] { platform::SetReadFaultForTesting([](const std::string& p) { return p.ends_with(".tbl"); }); },
       [] { platform::SetReadFaultForTesting({}); }},
      {"larger than any table the cache writes",
       [&] { WriteTestFile(TableFile(), table + std::string((16 << 20) + 1, '\n')); },
       [&] { WriteTestFile(TableFile(), table); }},
      // Small in bytes, but a string for each line.
      {"more lines than any table the cache writes",
       [&] { WriteTestFile(TableFile(), table + std::string(1000001, '\n')); },
       [&] { WriteTestFile(TableFile(), table); }},
      // It could not be saved, and its files would go so as to leave none unlisted.
      {"read-only",
       [&] {
         fs::permissions(TableFile(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                         fs::perm_options::remove);
       },
       [&] { fs::permissions(TableFile(), fs::perms::owner_write, fs::perm_options::add); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.spoil();
    const std::string spoiled = TableSnapshot();
    {
      auto cache = Open(1);
      EXPECT_FALSE(cache->OwnsSharedCache());
      EXPECT_TRUE(cache->CacheTable().empty());
      EXPECT_TRUE(IsPrivate(cache->GetRomFile(a)));
      EXPECT_TRUE(IsPrivate(cache->GetRomFile(b)));
      // It let go of the lock: a run that can read the table may own the cache meanwhile.
      EXPECT_TRUE(platform::FileLock(cacheDir + "/cache.lock").IsHeld());
    }
    EXPECT_TRUE(TableSnapshot() == spoiled);  // not compared by EXPECT_EQ: 16 MiB in a message
    EXPECT_EQ(CacheContents(), (std::set<std::string>{"a-1", "a-1/A.SMC"}));
    EXPECT_EQ(Contents(tmpDir), std::set<std::string>{});
    c.mend();
    EXPECT_EQ(Open(8)->GetRomFile(a), cacheDir + "/a-1/A.SMC");
  }
}

// The emulator a private run starts reads its ROM after the run has ended: such a run may leave its
// files behind.
TEST_F(ZipCacheSharingTest, APrivateRunCanLeaveItsFilesForTheEmulator) {
  std::string a = Archive("a.zip", {ZipFile("A.SMC", "a")});
  auto owner = Open(8);
  std::string rom;
  {
    auto second = Open(8);
    rom = second->GetRomFile(a);
    second->KeepPrivateFolder();
  }
  ASSERT_TRUE(IsPrivate(rom));
  EXPECT_EQ(ReadTestFile(rom), "a");
  fs::remove_all(fs::path(rom).parent_path().parent_path());
}

}  // namespace
