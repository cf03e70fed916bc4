// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The first bytes of an archive's game, read for the ROM list's titles without unpacking the archive:
// the first member the list's filter takes, refused names skipped as extraction skips them, bounded
// by the count asked for and by what the archive states.
#include "zipcache/zip_member_start.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "support/temp_dir.h"
#include "support/zip_builder.h"

using namespace kivo::zipcache;

namespace {

std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
  return bytes;
}

void PutLittle32(std::string& bytes, size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

TEST(ZipMemberStart, IsTheFirstMemberTheListWouldShowAsAGame) {
  const std::string game = Pattern(200000);
  const std::string archive =
      BuildZip({ZipFile("readme.txt", "read me"), ZipFile("inner.zip", BuildZip({ZipFile("a.smc", "x")})),
                ZipFile("../escape.smc", "outside"), ZipFile("/root.sfc", "absolute"),
                ZipMember{"link.smc", "game.smc", ZipMember::Kind::Link}, ZipFolder("roms.smc/"),
                ZipFile("roms/Game.SFC", game, true), ZipFile("second.smc", "later")});
  std::optional<MemberStart> start = ReadFirstRomMemberStartFromBytes(archive, 1000);
  ASSERT_TRUE(start);
  EXPECT_EQ(start->bytes, game.substr(0, 1000));
  EXPECT_EQ(start->size, 200000);

  // A shorter member than asked for comes whole; a size left to a data descriptor is still known.
  ZipMember streamed = ZipFile("short.fig", "tiny image", true);
  streamed.dataDescriptor = true;
  start = ReadFirstRomMemberStartFromBytes(BuildZip({streamed}), 1000);
  ASSERT_TRUE(start);
  EXPECT_EQ(start->bytes, "tiny image");
  EXPECT_EQ(start->size, 10);

  // The same through a file.
  TempDir dir;
  WriteZip(dir / "game.zip", {ZipFile("notes.doc", "no"), ZipFile("game.smc", game)});
  start = ReadFirstRomMemberStart(dir / "game.zip", 64);
  ASSERT_TRUE(start);
  EXPECT_EQ(start->bytes, game.substr(0, 64));
  EXPECT_EQ(start->size, 200000);
}

TEST(ZipMemberStart, IsNothingForAnArchiveWithoutAGameOrDamaged) {
  EXPECT_FALSE(ReadFirstRomMemberStartFromBytes(BuildZip({ZipFile("readme.txt", "x"), ZipFile("more.zip", "y")}), 100));
  EXPECT_FALSE(ReadFirstRomMemberStartFromBytes(BuildZip({}), 100));
  EXPECT_FALSE(ReadFirstRomMemberStartFromBytes("", 100));
  EXPECT_FALSE(ReadFirstRomMemberStartFromBytes(Pattern(5000), 100));

  // Deflated data broken in the middle of the bytes asked for.
  std::string archive = BuildZip({ZipFile("game.smc", Pattern(100000), true)});
  for (size_t i = 60; i < 400; ++i) archive[i] = '\xFF';
  EXPECT_FALSE(ReadFirstRomMemberStartFromBytes(archive, 50000));
  // Cut short: its central directory is gone.
  archive = BuildZip({ZipFile("game.smc", Pattern(5000))});
  EXPECT_FALSE(ReadFirstRomMemberStartFromBytes(archive.substr(0, 2000), 4000));

  TempDir dir;
  EXPECT_FALSE(ReadFirstRomMemberStart(dir / "missing.zip", 100));
  EXPECT_FALSE(ReadFirstRomMemberStart(dir.Path(), 100));
}

TEST(ZipMemberStart, ReadsNoMoreThanTheArchiveStates) {
  // A stored member whose data runs on past the size its headers give: what lies beyond is not its.
  const std::string data = Pattern(3000);
  std::string archive = BuildZip({ZipFile("game.smc", data)});
  const std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), 1000));
  const size_t central = archive.find("PK\x01\x02");
  ASSERT_NE(central, std::string::npos);
  for (size_t crcAt : {size_t{14}, central + 16}) {  // local header, central directory: CRC and both sizes
    PutLittle32(archive, crcAt, crc);
    PutLittle32(archive, crcAt + 4, 1000);
    PutLittle32(archive, crcAt + 8, 1000);
  }
  std::optional<MemberStart> start = ReadFirstRomMemberStartFromBytes(archive, 2000);
  ASSERT_TRUE(start);
  EXPECT_EQ(start->bytes, data.substr(0, 1000));
  EXPECT_EQ(start->size, 1000);

  // Its checksum wrong as well: the bytes are there all the same, as extraction keeps them.
  PutLittle32(archive, 14, crc ^ 1);
  PutLittle32(archive, central + 16, crc ^ 1);
  start = ReadFirstRomMemberStartFromBytes(archive, 2000);
  ASSERT_TRUE(start);
  EXPECT_EQ(start->bytes, data.substr(0, 1000));
}

}  // namespace
