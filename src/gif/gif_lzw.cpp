// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "gif/gif_lzw.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <vector>

#include "gif/gif_budget.h"
#include "gif/gif_types.h"

namespace {

constexpr int kTableSize = 4096;
constexpr size_t kPadding = 8;  // bytes after the gathered data, so a code is one unaligned load
// The gathered data's buffer is kept from frame to frame up to this size; a larger one is freed
// after its frame, so one large frame does not leave its copy behind for the rest of the program.
// Any screenshot's data fits many times over, and so does a picture of several megapixels: freeing
// and mapping its buffer afresh for every picture would cost a tenth of the decoding time in page
// faults.
constexpr size_t kKeptBuffer = size_t{4} << 20;

static_assert(std::endian::native == std::endian::little, "codes are loaded as little-endian words");

inline uint64_t Load64(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return v;
}

// The frame's data sub-blocks, gathered into one run of bytes before decoding, so the inner loop
// reads a code with one load and never meets a block boundary. Gathering stops at the zero-length
// block or the end of the stream, which leaves the stream where the next block starts.
//
// The blocks' sizes are added up first, a look at one byte in every 256, and the buffer is charged
// and sized once, for exactly the data: growing it by doubling as the blocks came would hold the old
// and the new array at once and round the size up to a power of two, which on a large picture costs
// more than the picture's own pixels. An array kept from an earlier frame is not charged again: it
// is part of the decoder's fixed cost (kKeptBuffer at most).
class CodeReader {
 public:
  CodeReader(TGIFStream& stream, std::vector<uint8_t>& buffer, TGIFCharge& charge,
             const std::function<void(const std::string&)>& warn)
      : warn_(warn) {
    buffer.clear();
    const uint8_t* data = stream.Data();
    const size_t size = stream.Size();
    const size_t start = stream.Position();
    size_t total = 0;
    for (size_t pos = start; pos < size && data[pos] != 0; pos += 1 + data[pos])
      total += std::min<size_t>(data[pos], size - pos - 1);
    if (total + kPadding > buffer.capacity()) {
      charge.Add(GifHeapCost(total + kPadding));
      buffer = std::vector<uint8_t>();
      buffer.reserve(total + kPadding);
    }
    size_t pos = start;
    while (pos < size) {
      size_t count = data[pos++];
      if (count == 0) break;
      size_t available = std::min(count, size - pos);
      if (available < count && shortAt_ == kNone) shortAt_ = buffer.size() * 8;
      buffer.insert(buffer.end(), data + pos, data + pos + available);
      pos += available;
    }
    stream.SetPosition(pos);
    endBits_ = buffer.size() * 8;
    buffer.resize(buffer.size() + kPadding, 0);
    bytes_ = buffer.data();
    limit_ = std::min(shortAt_, endBits_);
  }

  // Bits up to here can be read without a look at the end of the data.
  size_t Limit() const { return limit_; }
  const uint8_t* Bytes() const { return bytes_; }

  // A code that crosses the limit: the start of a sub-block the stream cut short is reported when
  // the decoder first reaches it; past the end of the data, nothing is left (-1), and a request
  // with no bit left at all is an under-run.
  int ReadSlow(size_t& bitPos, int width) {
    if (shortAt_ != kNone && bitPos + width > shortAt_) {
      warn_(gif_text::kPrematureEnd);
      shortAt_ = kNone;
    }
    limit_ = std::min(shortAt_, endBits_);
    if (bitPos + width > endBits_) {
      if (bitPos >= endBits_) warn_(gif_text::kUnderrun);
      return -1;
    }
    int code = static_cast<int>((Load64(bytes_ + (bitPos >> 3)) >> (bitPos & 7)) & ((1u << width) - 1));
    bitPos += static_cast<size_t>(width);
    return code;
  }

 private:
  static constexpr size_t kNone = ~size_t{0};
  const std::function<void(const std::string&)>& warn_;
  const uint8_t* bytes_ = nullptr;
  size_t endBits_ = 0;
  size_t shortAt_ = kNone;  // bit position where a cut-short sub-block starts
  size_t limit_ = 0;
};

// A code's string as it was last written to the output, and the code it extends.
struct Entry {
  uint32_t start;
  uint16_t length;
  uint16_t prefix;
};

struct Tables {
  Entry entry[kTableSize];
  uint8_t suffix[kTableSize];  // kept while walking prefixes (see below)
  uint8_t stack[kTableSize + 2];
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

// Decodes into `out` (stream order), `total` bytes. Returns after the last pixel or when the data
// ends early; tells whether the data ended (end code or no more codes). `finalWidth` is the code
// width in force at the end, for the one code read after the last pixel.
bool Decode(CodeReader& reader, int minCodeSize, uint8_t* out, size_t total, int& finalWidth, Tables& t) {
  const int clear = 1 << minCodeSize;
  const int end = clear + 1;
  for (int c = 0; c < kTableSize; ++c) {
    t.entry[c] = Entry{0, 1, 0};
    t.suffix[c] = c < clear ? static_cast<uint8_t>(c) : 0;
  }
  const uint8_t* bytes = reader.Bytes();
  size_t bitPos = 0;
  size_t limit = reader.Limit();
  int freeCode = clear + 2;
  int width = minCodeSize + 1;
  uint32_t mask = (1u << width) - 1;
  int codeLimit = 2 * clear;
  int prev = 0;
  int first = 0;
  size_t prevStart = 0;
  size_t prevLength = 0;
  size_t outPos = 0;
  // While every entered code's string lies in the output, strings are copied from there. A code
  // used before it is defined makes the table unsound; from then until the next clear code,
  // strings are found by walking prefixes exactly as the table says.
  bool walk = false;

  auto read = [&]() -> int {
    if (bitPos + static_cast<size_t>(width) <= limit) {
      int code = static_cast<int>((Load64(bytes + (bitPos >> 3)) >> (bitPos & 7)) & mask);
      bitPos += static_cast<size_t>(width);
      return code;
    }
    int code = reader.ReadSlow(bitPos, width);
    limit = reader.Limit();
    return code;
  };
  auto startWalking = [&] {
    if (walk) return;
    walk = true;
    for (int c = clear + 2; c < freeCode; ++c) t.suffix[c] = out[t.entry[c].start + t.entry[c].length - 1];
  };

  bool needClear = true;
  bool ended = false;
  while (outPos < total) {
    int code;
    if (needClear) {
      for (int c = clear; c < freeCode; ++c) t.entry[c].prefix = 0, t.suffix[c] = 0;
      freeCode = clear + 2;
      width = minCodeSize + 1;
      mask = (1u << width) - 1;
      codeLimit = 2 * clear;
      walk = false;
      do {
        code = read();
      } while (code == clear);
      if (code < 0 || code == end) {
        ended = true;
        break;
      }
      needClear = false;
      // A first code that is not a colour index still gives a pixel, and leaves the table unsound.
      if (code >= clear) startWalking();
      prev = first = code;
      prevStart = outPos;
      prevLength = 1;
      out[outPos++] = static_cast<uint8_t>(code);
      continue;
    }
    code = read();
    if (code < 0) {
      ended = true;
      break;
    }
    const size_t curStart = outPos;
    const size_t room = total - outPos;
    size_t curLength;
    if (code < clear && !walk) {
      out[outPos++] = static_cast<uint8_t>(code);
      first = code;
      curLength = 1;
    } else if (code == clear) {
      needClear = true;
      continue;
    } else if (code == end) {
      ended = true;
      break;
    } else if (!walk) {
      const uint8_t* src;
      size_t copy;
      if (code < freeCode) {
        const Entry e = t.entry[code];
        src = out + e.start;
        copy = curLength = e.length;
      } else {
        // Not yet in the table: the previous string followed by its own first character.
        src = out + prevStart;
        copy = prevLength;
        curLength = prevLength + 1;
      }
      if (room >= curLength + 8) {
        CopyBack(out + outPos, src, copy);
      } else {
        std::memcpy(out + outPos, src, std::min(copy, room));
      }
      if (copy < curLength && room > copy) out[outPos + copy] = static_cast<uint8_t>(first);
      first = *src;
      outPos += std::min(curLength, room);
    } else {
      size_t sp = 0;
      int c = code;
      if (c >= freeCode) {
        t.stack[sp++] = static_cast<uint8_t>(first);
        c = prev;
      }
      while (c >= clear) {
        if (t.entry[c].prefix == c || sp >= kTableSize) throw GIFException(gif_text::kCircular);
        t.stack[sp++] = t.suffix[c];
        c = t.entry[c].prefix;
      }
      first = t.suffix[c];
      t.stack[sp++] = static_cast<uint8_t>(first);
      curLength = sp;
      const size_t n = std::min(sp, room);
      for (size_t i = 0; i < n; ++i) out[outPos + i] = t.stack[sp - 1 - i];
      outPos += n;
    }
    if (freeCode < kTableSize) {
      t.entry[freeCode] =
          Entry{static_cast<uint32_t>(prevStart), static_cast<uint16_t>(std::min<size_t>(prevLength + 1, kTableSize)),
                static_cast<uint16_t>(prev)};
      if (walk) t.suffix[freeCode] = static_cast<uint8_t>(first);
      // An entry whose prefix is itself undefined has no string in the output to copy from.
      if (prev >= freeCode) startWalking();
      ++freeCode;
      if (freeCode >= codeLimit && codeLimit < kTableSize) {
        codeLimit *= 2;
        ++width;
        mask = (1u << width) - 1;
      }
    }
    if (code >= freeCode) startWalking();
    prev = code;
    prevStart = curStart;
    prevLength = curLength;
  }
  finalWidth = width;
  if (!ended) {
    // All pixels are there; the next code is normally the end code. Whatever follows, the rest of
    // the data has been gathered already, so reading goes on at the next block.
    read();
  }
  return ended;
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
  const size_t width = static_cast<size_t>(std::max(frame.width, 0));
  const size_t height = static_cast<size_t>(std::max(frame.height, 0));
  const size_t total = width * height;
  // Table entries note where their strings start in 32 bits.
  if (total > UINT32_MAX) throw GIFException(gif_text::kTooLarge);

  // Scratch kept per thread: the gathered data and the tables are reused from frame to frame.
  thread_local std::vector<uint8_t> gathered;
  thread_local std::unique_ptr<Tables> tables;
  if (!tables) tables = std::make_unique<Tables>();
  const bool interlaced = frame.interlaced && height > 1 && width > 0;
  TGIFCharge charge(frame.budget, interlaced ? GifHeapCost(total) : 0);
  struct Trim {
    ~Trim() {
      if (gathered.capacity() > kKeptBuffer) gathered = std::vector<uint8_t>();
    }
  } trim;
  CodeReader reader(stream, gathered, charge, warn);
  int finalWidth = minCodeSize + 1;
  if (!interlaced) {
    Decode(reader, minCodeSize, frame.pixels, total, finalWidth, *tables);
  } else {
    // Decode in stream order, then place the rows; undecoded rows keep what they held.
    std::vector<uint8_t> scratch(total);
    for (size_t row = 0; row < height; ++row) {
      size_t target = static_cast<size_t>(InterlacedRow(static_cast<int>(row), static_cast<int>(height)));
      std::memcpy(scratch.data() + row * width, frame.pixels + target * width, width);
    }
    Decode(reader, minCodeSize, scratch.data(), total, finalWidth, *tables);
    for (size_t row = 0; row < height; ++row) {
      size_t target = static_cast<size_t>(InterlacedRow(static_cast<int>(row), static_cast<int>(height)));
      std::memcpy(frame.pixels + target * width, scratch.data() + row * width, width);
    }
  }
}
