// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "support/zip_builder.h"

#include <zlib.h>

#include "support/temp_dir.h"

namespace {

constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflate = 8;
constexpr uint16_t kFlagUtf8 = 1 << 11;
constexpr uint16_t kFlagDescriptor = 1 << 3;
constexpr uint16_t kMadeByUnix = (3 << 8) | 20;  // host 3 (Unix), format 2.0
constexpr uint16_t kDosTime = (12 << 11) | (30 << 5);
constexpr uint16_t kDosDate = ((2020 - 1980) << 9) | (6 << 5) | 15;

void Put16(std::string& out, uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

uint32_t ExternalAttributes(const ZipMember& member) {
  switch (member.kind) {
    case ZipMember::Kind::Folder:
      return (0040755u << 16) | 0x10;  // Unix folder, and the MS-DOS folder bit
    case ZipMember::Kind::Link:
      return 0120777u << 16;
    case ZipMember::Kind::File:
      break;
  }
  return 0100644u << 16;
}

// A raw deflate stream of the bytes, as an archiver writes a member.
std::string DeflateRaw(std::string_view bytes) {
  z_stream z{};
  deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, bytes.size()), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  z.avail_in = static_cast<uInt>(bytes.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

}  // namespace

ZipMember ZipFile(std::string name, std::string data, bool deflate) {
  return ZipMember{std::move(name), std::move(data), ZipMember::Kind::File, deflate, false};
}

ZipMember ZipFolder(std::string name) { return ZipMember{std::move(name), {}, ZipMember::Kind::Folder, false, false}; }

ZipMember ZipLink(std::string name, std::string target) {
  return ZipMember{std::move(name), std::move(target), ZipMember::Kind::Link, false, false};
}

std::string BuildZip(const std::vector<ZipMember>& members) {
  std::string out;
  std::string central;
  for (const ZipMember& member : members) {
    const bool deflate = member.deflate && member.kind == ZipMember::Kind::File;
    const std::string stored = deflate ? DeflateRaw(member.data) : member.data;
    const uint16_t method = deflate ? kMethodDeflate : kMethodStored;
    const uint16_t needed = deflate ? 20 : 10;
    const uint16_t flags = (member.utf8Name ? kFlagUtf8 : 0) | (member.dataDescriptor ? kFlagDescriptor : 0);
    const bool upFront = !member.dataDescriptor;
    const uint32_t crc = crc32(0, reinterpret_cast<const Bytef*>(member.data.data()), member.data.size());
    const uint32_t offset = static_cast<uint32_t>(out.size());

    Put32(out, 0x04034b50);
    Put16(out, needed);
    Put16(out, flags);
    Put16(out, method);
    Put16(out, kDosTime);
    Put16(out, kDosDate);
    Put32(out, upFront ? crc : 0);
    Put32(out, upFront ? static_cast<uint32_t>(stored.size()) : 0);
    Put32(out, upFront ? static_cast<uint32_t>(member.data.size()) : 0);
    Put16(out, static_cast<uint32_t>(member.name.size()));
    Put16(out, 0);
    out += member.name;
    out += stored;
    if (!upFront) {
      Put32(out, 0x08074b50);
      Put32(out, crc);
      Put32(out, static_cast<uint32_t>(stored.size()));
      Put32(out, static_cast<uint32_t>(member.data.size()));
    }

    Put32(central, 0x02014b50);
    Put16(central, kMadeByUnix);
    Put16(central, needed);
    Put16(central, flags);
    Put16(central, method);
    Put16(central, kDosTime);
    Put16(central, kDosDate);
    Put32(central, crc);
    Put32(central, static_cast<uint32_t>(stored.size()));
    Put32(central, static_cast<uint32_t>(member.data.size()));
    Put16(central, static_cast<uint32_t>(member.name.size()));
    Put16(central, 0);  // extra field
    Put16(central, 0);  // comment
    Put16(central, 0);  // disk
    Put16(central, 0);  // internal attributes
    Put32(central, ExternalAttributes(member));
    Put32(central, offset);
    central += member.name;
  }
  const uint32_t centralOffset = static_cast<uint32_t>(out.size());
  out += central;
  Put32(out, 0x06054b50);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, static_cast<uint32_t>(members.size()));
  Put16(out, static_cast<uint32_t>(members.size()));
  Put32(out, static_cast<uint32_t>(central.size()));
  Put32(out, centralOffset);
  Put16(out, 0);
  return out;
}

size_t ZipCentralDirectoryOffset(const std::string& zipBytes) {
  const size_t end = zipBytes.size() - 22;  // BuildZip writes no archive comment
  return static_cast<unsigned char>(zipBytes[end + 16]) | static_cast<unsigned char>(zipBytes[end + 17]) << 8 |
         static_cast<unsigned char>(zipBytes[end + 18]) << 16 |
         static_cast<size_t>(static_cast<unsigned char>(zipBytes[end + 19])) << 24;
}

void WriteZip(const std::string& path, const std::vector<ZipMember>& members) {
  WriteTestFile(path, BuildZip(members));
}
