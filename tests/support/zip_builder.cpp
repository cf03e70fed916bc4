// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "support/zip_builder.h"

#include <zlib.h>

#include <initializer_list>
#include <string_view>

#include "support/temp_dir.h"

namespace {

constexpr uint16_t kMadeByUnix = (3 << 8) | 20;  // host 3 (Unix), format 2.0
constexpr uint16_t kDosTime = (12 << 11) | (30 << 5);
constexpr uint16_t kDosDate = ((2020 - 1980) << 9) | (6 << 5) | 15;

// Little-endian fields of a header, each as many bytes long as its digit in `widths` says.
void Put(std::string& out, std::string_view widths, std::initializer_list<uint64_t> values) {
  const uint64_t* value = values.begin();
  for (const char width : widths) {
    for (int i = 0; i < width - '0'; ++i) out += static_cast<char>(*value >> (8 * i) & 0xFF);
    ++value;
  }
}

// The data as an archiver deflates it: compress2 wraps the raw deflate stream an archiver
// writes in a 2-byte header and a 4-byte checksum.
std::string Deflated(const std::string& data) {
  uLongf size = compressBound(data.size());
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.data()), data.size(),
            Z_BEST_COMPRESSION);
  return out.substr(2, size - 6);
}

}  // namespace

ZipMember ZipFile(std::string name, std::string data, bool deflate) {
  return ZipMember{std::move(name), std::move(data), ZipMember::Kind::File, deflate};
}

ZipMember ZipFolder(std::string name) { return ZipMember{std::move(name), {}, ZipMember::Kind::Folder}; }

std::string BuildZip(const std::vector<ZipMember>& members) {
  std::string out, central;
  for (const ZipMember& member : members) {
    const bool deflate = member.deflate && member.kind == ZipMember::Kind::File;
    const std::string stored = deflate ? Deflated(member.data) : member.data;
    const uint32_t crc = crc32(0, reinterpret_cast<const Bytef*>(member.data.data()), member.data.size()) ^
                         (member.wrongCrc ? 0x55555555u : 0);
    const uint32_t flags = (member.utf8Name ? 1 << 11 : 0) | (member.dataDescriptor ? 1 << 3 : 0);
    const uint32_t mode = member.kind == ZipMember::Kind::Folder ? (0040755u << 16) | 0x10  // and the MS-DOS bit
                          : member.kind == ZipMember::Kind::Link ? 0120777u << 16
                                                                 : 0100644u << 16;
    // What both headers state: the version needed, flags, method, time and date, CRC and sizes (in
    // the local header only without a data descriptor), the name's length and no extra field.
    auto shared = [&](std::string& to, bool sizes) {
      Put(to, "2222244422",
          {deflate ? 20u : 10u, flags, deflate ? 8u : 0u, kDosTime, kDosDate, sizes ? crc : 0,
           sizes ? stored.size() : 0, sizes ? member.data.size() : 0, member.name.size(), 0});
    };
    Put(central, "42", {0x02014b50, kMadeByUnix});
    shared(central, true);
    Put(central, "22244", {0, 0, 0, mode, out.size()});  // comment, disk, internal attributes
    central += member.name;

    Put(out, "4", {0x04034b50});
    shared(out, !member.dataDescriptor);
    out += member.name + stored;
    if (member.dataDescriptor) Put(out, "4444", {0x08074b50, crc, stored.size(), member.data.size()});
  }
  const size_t centralOffset = out.size();
  out += central;
  Put(out, "4422442", {0x06054b50, 0, members.size(), members.size(), central.size(), centralOffset, 0});
  return out;
}

void WriteZip(const std::string& path, const std::vector<ZipMember>& members) {
  WriteTestFile(path, BuildZip(members));
}
