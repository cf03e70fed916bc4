// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kivo::rom {

// One SNES cartridge image held in memory: where its internal header lies, whether a 512-byte copier
// header precedes it, its checksum computed the way the cartridge defines it, and the header decoded
// into the information report. An object serves one command; the image is read once, whole.
class TSnesRom {
 public:
  // One Mbit of image, the unit of the cartridge's size and of its checksum rule.
  static constexpr std::int64_t kMbit = 131072;
  static constexpr std::int32_t kCopierHeaderBytes = 512;
  // The largest image read: the largest cartridges hold 64 Mbit (8 MB); a file four times that is
  // no SNES image, and reading it would only cost memory.
  static constexpr std::size_t kRomFileLimit = 32 * 1024 * 1024;
  static constexpr std::size_t kRecordSize = 36;
  using Record = std::array<std::uint8_t, kRecordSize>;

  // Field offsets inside the 36-byte internal header record.
  static constexpr std::size_t kTitleOffset = 0;
  static constexpr std::size_t kMakeupOffset = 21;
  static constexpr std::size_t kTypeOffset = 22;
  static constexpr std::size_t kSizeOffset = 23;
  static constexpr std::size_t kSramOffset = 24;
  static constexpr std::size_t kCountryOffset = 25;
  static constexpr std::size_t kLicenseeOffset = 26;
  static constexpr std::size_t kVersionOffset = 27;
  static constexpr std::size_t kComplementOffset = 28;
  static constexpr std::size_t kChecksumOffset = 30;
  // The processor's vectors, counted from the start of the header like the fields: they lie after
  // the 36-byte record, at the end of the bank (native-mode NMI at $FFEA, reset at $FFFC).
  static constexpr std::size_t kNmiVectorOffset = 0x2A;
  static constexpr std::size_t kResetVectorOffset = 0x3C;

  // Loads the file and probes for the header. A missing file (or an empty name) gives an empty
  // image with no header; a file that exists but cannot be read raises KivoError.
  explicit TSnesRom(const std::string& fileName);

  // The same on bytes already in memory, for callers and tests that do not start from a file.
  static TSnesRom FromImage(std::string image, std::string fileName = {});

  // Reads the record at a file offset (fewer bytes near the end of the image, the rest of the record
  // keeping what it held) and tells whether it is a valid internal header.
  bool ProbeHeader(std::int32_t offset);

  // Computes CalcSum; false when the image holds no whole Mbit, so there is nothing to sum.
  bool CalcChecksum();

  // The information report exactly as a message box shows it: fifteen lines (fourteen without
  // save RAM), no line end after the last, cut at the first NUL byte.
  std::string InfoText() const;

  // Names of header bytes; every value without an entry gives "Unknown".
  static std::string MakeupName(std::uint8_t makeup);
  static std::string RomTypeName(std::uint8_t type);
  static std::string CountryName(std::uint8_t country);
  // The country's short form, as a list's column shows it ("Japan", "USA", "Europe"); "Unknown"
  // where CountryName has no entry either.
  static std::string RegionName(std::uint8_t country);
  static std::string LicenseeName(std::uint8_t licensee);

  const std::string& FileName() const { return fileName_; }
  // False when there was no file of that name (or the name was empty).
  bool FileFound() const { return fileFound_; }
  std::int64_t ImageSize() const { return static_cast<std::int64_t>(image_.size()); }
  std::int32_t HeaderOffset() const { return headerOffset_; }
  std::int32_t CopierHeaderSize() const { return copierHeaderSize_; }
  std::uint16_t CalcSum() const { return calcSum_; }
  const Record& HeaderRecord() const { return record_; }
  // A little-endian word of the record.
  std::uint16_t RecordWord(std::size_t offset) const;
  std::uint16_t HeaderChecksum() const { return RecordWord(kChecksumOffset); }
  // A little-endian word of the image at `offset` from where the record was read; 0 past its end.
  std::uint16_t HeaderWord(std::size_t offset) const;

  // The parts the checksum was built from (valid after a successful CalcChecksum).
  std::int32_t SizeMbit() const { return sizeMbit_; }
  std::int32_t MainMbit() const { return mainMbit_; }
  std::int32_t RestMbit() const { return restMbit_; }
  std::int32_t RestFactor() const { return restFactor_; }

 private:
  TSnesRom() = default;
  void FindHeader();

  std::int32_t headerOffset_ = 0;
  std::size_t recordOffset_ = 0;  // where the record was last read from
  std::int32_t copierHeaderSize_ = 0;
  std::int32_t sizeMbit_ = 0;
  std::int32_t mainMbit_ = 0;
  std::int32_t restMbit_ = 0;
  std::int32_t restFactor_ = 0;
  std::uint16_t calcSum_ = 0;
  std::string image_;
  Record record_{};
  std::string fileName_;
  bool fileFound_ = false;
};

// Where an image's internal header lies, as TSnesRom finds it.
struct HeaderPlace {
  std::int32_t offset = 0;
  std::int32_t copierHeaderSize = 0;
};

// How many bytes from an image's start the header search looks at: the farthest layout's record
// (HiROM behind a copier header) ends there.
inline constexpr std::size_t kHeaderSearchBytes = 0x101C0 + TSnesRom::kRecordSize;

// The header search of TSnesRom on bytes alone, for a reader that has only an image's start (its
// first kHeaderSearchBytes, or the whole of a shorter image): nothing when no layout's record passes.
std::optional<HeaderPlace> LocateHeader(std::string_view image);

// Sum of the bytes as unsigned values; the plain loop the checksum is made of.
std::uint64_t SumBytes(std::string_view bytes);

}  // namespace kivo::rom
