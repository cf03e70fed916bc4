// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "common/error.h"

namespace kivo::gif {

// Enumerations, module-wide settings and the error type of the GIF codec. The enumerations keep
// their historic order: settings files and callers store their ordinals.

enum TGIFVersion { gvUnknown, gv87a, gv89a };
extern const char* const GIFVersions[3];  // "", "87a", "89a"

enum TGIFSeverity { gsInfo, gsWarning, gsError };

enum TDisposalMethod { dmNone, dmNoDisposal, dmBackground, dmPrevious };

enum TGIFDrawOption {
  goAsync,
  goTransparent,
  goAnimate,
  goLoop,
  goLoopContinously,
  // The ordinals the option set has always had: the drawing options between these are gone.
  goDither = 9,
  goAutoDither = 10
};

// A set of TGIFDrawOption, one bit per ordinal; fits the 2 bytes it is stored in.
class TGIFDrawOptions {
 public:
  constexpr TGIFDrawOptions() = default;
  constexpr TGIFDrawOptions(std::initializer_list<TGIFDrawOption> options) {
    for (TGIFDrawOption option : options) bits_ |= Bit(option);
  }
  constexpr bool Has(TGIFDrawOption option) const { return (bits_ & Bit(option)) != 0; }
  constexpr TGIFDrawOptions& Include(TGIFDrawOption option) {
    bits_ |= Bit(option);
    return *this;
  }
  constexpr TGIFDrawOptions& Exclude(TGIFDrawOption option) {
    bits_ &= static_cast<uint16_t>(~Bit(option));
    return *this;
  }
  constexpr uint16_t Bits() const { return bits_; }
  constexpr bool operator==(const TGIFDrawOptions&) const = default;

 private:
  static constexpr uint16_t Bit(TGIFDrawOption option) { return static_cast<uint16_t>(1u << option); }
  uint16_t bits_ = 0;
};

// The codec's error: a damaged or unreadable GIF. Its message is shown to the user as is.
class GIFException : public common::KivoError {
 public:
  explicit GIFException(const std::string& message) : KivoError(message) {}
};

// One colour as stored in a GIF colour table.
struct TGIFColor {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  constexpr bool operator==(const TGIFColor&) const = default;
};

class TGIFItem;
// Receives the problems an image meets while reading; (sender, severity, message).
using TGIFWarning = std::function<void(TGIFItem* sender, TGIFSeverity severity, const std::string& message)>;
// Receives progress: stage ("Loading...", "Rendering..."), per cent, and whether the stage starts
// (start), runs, or ends.
enum class TGIFProgressStage { Starting, Running, Ending };
using TGIFProgress = std::function<void(TGIFProgressStage stage, int percent, const std::string& message)>;

// Texts of every message the reader and renderer raise or report.
namespace gif_text {
inline constexpr const char* kInvalidSignature = "Invalid GIF signature";
inline constexpr const char* kPrematureEnd = "Premature end of data";
inline constexpr const char* kUnknownBlock = "Unknown GIF block type";
inline constexpr const char* kInvalidIntroducer = "Invalid extension introducer";
inline constexpr const char* kUnknownExtension = "Unknown extension type";
inline constexpr const char* kExtensionMismatch = "Internal error: Extension Instance does not match Extension Label";
inline constexpr const char* kAppBlockSize = "Unsupported Application Extension block size";
inline constexpr const char* kInvalidData = "Invalid GIF data";
inline constexpr const char* kExceedsScreen = "Image exceeds Logical Screen size";
inline constexpr const char* kUnderrun = "Decoder bit buffer under-run";
inline constexpr const char* kCircular = "Circular decoder table entry";
inline constexpr const char* kInvalidTrailer = "Invalid Image trailer";
inline constexpr const char* kNoColorTable = "No global or local color table defined";
inline constexpr const char* kTooLarge = "Image too large to decode";
inline constexpr const char* kLoading = "Loading...";
inline constexpr const char* kRendering = "Rendering...";
}  // namespace gif_text

}  // namespace kivo::gif
