#include "gif/gif_lzw.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "gif/gif_types.h"

namespace {

constexpr int kTableSize = 4096;

inline uint64_t Load64(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return v;  // little-endian hosts only; see the static_assert below
}
static_assert(std::endian::native == std::endian::little, "the bit reader loads little-endian words");

// Codes packed least significant bit first across data sub-blocks of up to 255 bytes. The reader
// works straight on the stream's bytes and never looks past the current sub-block.
class BitReader {
 public:
  BitReader(TGIFStream& stream, const std::function<void(const std::string&)>& warn)
      : stream_(stream), warn_(warn), data_(stream.Data()), size_(stream.Size()), pos_(stream.Position()) {}
  ~BitReader() { stream_.SetPosition(pos_); }

  // The next code of `width` bits, or -1 when the data has ended.
  inline int Read(int width) {
    if (nbits_ < width && !Refill(width)) return -1;
    int code = static_cast<int>(acc_ & ((1u << width) - 1));
    acc_ >>= width;
    nbits_ -= width;
    return code;
  }

  // Moves past the rest of the data sub-blocks, up to and including the zero-length one.
  void SkipRest() {
    if (done_) return;
    pos_ += blockLeft_;
    blockLeft_ = 0;
    while (pos_ < size_) {
      size_t size = data_[pos_++];
      if (size == 0) break;
      pos_ += std::min(size, size_ - pos_);
    }
    done_ = true;
  }

 private:
  bool Refill(int width) {
    while (nbits_ < width) {
      if (blockLeft_ >= 8 && nbits_ <= 56) {
        // Bits above nbits_ are always the stream's next bytes, so overlapping loads agree.
        acc_ |= Load64(data_ + pos_) << nbits_;
        size_t taken = static_cast<size_t>(63 - nbits_) >> 3;
        pos_ += taken;
        blockLeft_ -= taken;
        nbits_ += static_cast<int>(taken) * 8;
      } else if (blockLeft_ > 0) {
        acc_ |= static_cast<uint64_t>(data_[pos_++]) << nbits_;
        --blockLeft_;
        nbits_ += 8;
      } else if (!NextBlock()) {
        if (nbits_ == 0) warn_(gif_text::kUnderrun);
        return false;
      }
    }
    return true;
  }

  // Opens the next sub-block; false when the zero-length block (or the end of the stream) is met.
  bool NextBlock() {
    if (done_) return false;
    if (pos_ >= size_) {
      done_ = true;
      return false;
    }
    size_t size = data_[pos_++];
    if (size == 0) {
      done_ = true;
      return false;
    }
    size_t available = std::min(size, size_ - pos_);
    if (available < size) warn_(gif_text::kPrematureEnd);
    blockLeft_ = available;
    return true;
  }

  TGIFStream& stream_;
  const std::function<void(const std::string&)>& warn_;
  const uint8_t* data_;
  size_t size_;
  size_t pos_;
  size_t blockLeft_ = 0;
  bool done_ = false;
  uint64_t acc_ = 0;
  int nbits_ = 0;
};

// Copies `count` bytes from an earlier part of the output, a word at a time. The source ends at or
// before the destination, so reading each word before writing it keeps every copied byte right; the
// word after the copy is saved and put back, so bytes not yet decoded keep their fill value. The
// caller leaves 8 bytes of room after the copy.
inline void CopyBack(uint8_t* dst, const uint8_t* src, size_t count) {
  uint64_t after = Load64(dst + count);
  for (size_t i = 0; i < count; i += 8) {
    uint64_t word = Load64(src + i);
    std::memcpy(dst + i, &word, 8);
  }
  std::memcpy(dst + count, &after, 8);
}

struct Tables {
  uint16_t prefix[kTableSize];
  uint8_t suffix[kTableSize];
  uint32_t start[kTableSize];   // where the code's string was last written in the output
  uint16_t length[kTableSize];  // length of that string
};

// Decodes into `out` (decoding order), `total` bytes. Returns after the last pixel or when the data
// ends early; tells whether the data ended (end code or no more codes). `width` ends as the code
// width in force.
bool Decode(BitReader& bits, int minCodeSize, uint8_t* out, size_t total, int& width) {
  static thread_local Tables t;
  const int clear = 1 << minCodeSize;
  const int end = clear + 1;
  for (int c = 0; c < kTableSize; ++c) {
    t.prefix[c] = 0;
    t.suffix[c] = c < clear ? static_cast<uint8_t>(c) : 0;
  }
  int freeCode = clear + 2;
  width = minCodeSize + 1;
  int limit = 2 * clear;
  int prev = 0;
  int first = 0;
  size_t prevStart = 0;
  size_t prevLength = 0;
  // While every code's string is known to lie in the output, strings are copied from there; a
  // malformed table (a code used before it was defined) falls back to walking prefixes exactly.
  bool walk = false;
  size_t outPos = 0;
  uint8_t stack[kTableSize + 2];

  bool needClear = true;
  while (outPos < total) {
    int code;
    if (needClear) {
      for (int c = clear; c < freeCode; ++c) t.prefix[c] = 0, t.suffix[c] = 0;
      freeCode = clear + 2;
      width = minCodeSize + 1;
      limit = 2 * clear;
      walk = false;
      do {
        code = bits.Read(width);
      } while (code == clear);
      if (code < 0) return true;
      if (code == end) {
        bits.SkipRest();
        return true;
      }
      needClear = false;
      // A first code that is not a colour index still gives a pixel, and leaves the table unsound.
      if (code >= clear) walk = true;
      prev = first = code;
      prevStart = outPos;
      prevLength = 1;
      out[outPos++] = static_cast<uint8_t>(code);
      continue;
    }
    code = bits.Read(width);
    if (code < 0) return true;
    if (code == clear) {
      needClear = true;
      continue;
    }
    if (code == end) {
      bits.SkipRest();
      return true;
    }
    size_t curStart = outPos;
    size_t room = total - outPos;
    size_t curLength;
    if (!walk) {
      if (code < clear) {
        out[outPos] = static_cast<uint8_t>(code);
        first = code;
        curLength = 1;
      } else if (code < freeCode) {
        curLength = t.length[code];
        const uint8_t* src = out + t.start[code];
        first = *src;
        if (room >= curLength + 8) {
          CopyBack(out + outPos, src, curLength);
        } else {
          std::memcpy(out + outPos, src, std::min(curLength, room));
        }
      } else {
        // The string of the previous code followed by its own first character.
        curLength = prevLength + 1;
        const uint8_t* src = out + prevStart;
        if (room >= curLength + 8) {
          CopyBack(out + outPos, src, prevLength);
        } else {
          std::memcpy(out + outPos, src, std::min(prevLength, room));
        }
        if (room > prevLength) out[outPos + prevLength] = static_cast<uint8_t>(first);
      }
      outPos += std::min(curLength, room);
    } else {
      size_t sp = 0;
      int c = code;
      if (c >= freeCode) {
        stack[sp++] = static_cast<uint8_t>(first);
        c = prev;
      }
      while (c >= clear) {
        if (t.prefix[c] == c || sp >= kTableSize) throw GIFException(gif_text::kCircular);
        stack[sp++] = t.suffix[c];
        c = t.prefix[c];
      }
      first = t.suffix[c];
      stack[sp++] = static_cast<uint8_t>(first);
      curLength = sp;
      size_t n = std::min(sp, room);
      for (size_t i = 0; i < n; ++i) out[outPos + i] = stack[sp - 1 - i];
      outPos += n;
    }
    if (freeCode < kTableSize) {
      t.prefix[freeCode] = static_cast<uint16_t>(prev);
      t.suffix[freeCode] = static_cast<uint8_t>(first);
      t.start[freeCode] = static_cast<uint32_t>(prevStart);
      t.length[freeCode] = static_cast<uint16_t>(std::min<size_t>(prevLength + 1, kTableSize));
      // An entry whose prefix is itself undefined has no string in the output to copy from.
      if (prev >= freeCode) walk = true;
      ++freeCode;
      if (freeCode >= limit && limit <= kTableSize - 1) {
        limit *= 2;
        ++width;
      }
    }
    if (code >= freeCode) walk = true;
    prev = code;
    prevStart = curStart;
    prevLength = curLength;
  }
  return false;
}

}  // namespace

int InterlacedRow(int decodedRow, int height) {
  static constexpr int kStart[4] = {0, 4, 2, 1};
  static constexpr int kStep[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    int rows = kStart[pass] < height ? (height - kStart[pass] + kStep[pass] - 1) / kStep[pass] : 0;
    if (decodedRow < rows) return kStart[pass] + decodedRow * kStep[pass];
    decodedRow -= rows;
  }
  return -1;
}

void DecodeLZW(TGIFStream& stream, const TGIFLZWFrame& frame, const std::function<void(const std::string&)>& warn) {
  uint8_t minCodeSize;
  if (!stream.ReadByte(minCodeSize)) return;
  // The decoder's tables hold 4096 codes (12 bits); a larger start cannot be decoded.
  if (minCodeSize > 11) throw GIFException(gif_text::kInvalidData);
  size_t width = static_cast<size_t>(std::max(frame.width, 0));
  size_t height = static_cast<size_t>(std::max(frame.height, 0));
  size_t total = width * height;

  BitReader bits(stream, warn);
  bool ended;
  int codeWidth = minCodeSize + 1;
  if (!frame.interlaced || height <= 1) {
    ended = Decode(bits, minCodeSize, frame.pixels, total, codeWidth);
  } else {
    // Decode in stream order, then place the rows; undecoded rows keep the fill value.
    std::vector<uint8_t> scratch(frame.pixels, frame.pixels + total);
    for (size_t row = 0; row < height; ++row) {
      size_t target = static_cast<size_t>(InterlacedRow(static_cast<int>(row), static_cast<int>(height)));
      std::memcpy(scratch.data() + row * width, frame.pixels + target * width, width);
    }
    ended = Decode(bits, minCodeSize, scratch.data(), total, codeWidth);
    for (size_t row = 0; row < height; ++row) {
      size_t target = static_cast<size_t>(InterlacedRow(static_cast<int>(row), static_cast<int>(height)));
      std::memcpy(frame.pixels + target * width, scratch.data() + row * width, width);
    }
  }
  if (!ended) {
    // All pixels are there: one more code is normally the end code. Whatever it is, the rest of the
    // frame's sub-blocks is skipped so that reading goes on at the next block.
    bits.Read(codeWidth);
  }
  bits.SkipRest();
}
