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

namespace kivo::gif {

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

// One frame's decoding: the code stream's position, the table, the output and the string before,
// with each step of the algorithm a member. Made on the stack for one frame and run once; the steps
// are inlined into Run, so the state lives in registers as plain local variables would.
//
// While every entered code's string lies in the output, strings are copied from there. A code used
// before it is defined makes the table unsound; from then until the next clear code, strings are
// found by walking prefixes exactly as the table says ("walking").
class LzwDecoder {
 public:
  // Decodes into `out` (stream order), `total` bytes.
  LzwDecoder(CodeReader& reader, int minCodeSize, uint8_t* out, size_t total, Tables& tables)
      : reader_(reader),
        bytes_(reader.Bytes()),
        limit_(reader.Limit()),
        out_(out),
        total_(total),
        t_(tables),
        clear_(1 << minCodeSize),
        end_(clear_ + 1),
        minCodeSize_(minCodeSize) {
    for (int c = 0; c < kTableSize; ++c) {
      t_.entry[c] = Entry{0, 1, 0};
      t_.suffix[c] = c < clear_ ? static_cast<uint8_t>(c) : 0;
    }
  }

  // Decodes up to the last pixel, or until the data ends early; tells whether the data ended (an
  // end code, or no more codes).
  bool Run() {
    bool needClear = true;
    while (outPos_ < total_) {
      if (needClear) {
        if (!Restart()) return true;
        needClear = false;
        continue;
      }
      const int code = ReadCode();
      if (code < 0 || code == end_) return true;
      if (code == clear_) {
        needClear = true;
        continue;
      }
      const size_t start = outPos_;
      const size_t length = code < clear_ && !walk_ ? EmitColour(code) : !walk_ ? EmitCopy(code) : EmitWalked(code);
      AddEntry(code);
      prev_ = code;
      prevStart_ = start;
      prevLength_ = length;
    }
    // All pixels are there; the next code is normally the end code. Whatever follows, the rest of
    // the data has been gathered already, so reading goes on at the next block.
    ReadCode();
    return false;
  }

 private:
  [[gnu::always_inline]] int ReadCode() {
    if (bitPos_ + static_cast<size_t>(width_) <= limit_) {
      int code = static_cast<int>((Load64(bytes_ + (bitPos_ >> 3)) >> (bitPos_ & 7)) & mask_);
      bitPos_ += static_cast<size_t>(width_);
      return code;
    }
    int code = reader_.ReadSlow(bitPos_, width_);
    limit_ = reader_.Limit();
    return code;
  }

  void SetWidth(int width) {
    width_ = width;
    mask_ = (1u << width) - 1;
  }

  // After a clear code (and at the start): the table holds the colours alone. Reads the first code,
  // which gives a pixel of its own; false when the data ends instead.
  bool Restart() {
    for (int c = clear_; c < freeCode_; ++c) t_.entry[c].prefix = 0, t_.suffix[c] = 0;
    freeCode_ = clear_ + 2;
    SetWidth(minCodeSize_ + 1);
    codeLimit_ = 2 * clear_;
    walk_ = false;
    int code;
    do {
      code = ReadCode();
    } while (code == clear_);
    if (code < 0 || code == end_) return false;
    // A first code that is not a colour index still gives a pixel, and leaves the table unsound.
    if (code >= clear_) StartWalking();
    prev_ = first_ = code;
    prevStart_ = outPos_;
    prevLength_ = 1;
    out_[outPos_++] = static_cast<uint8_t>(code);
    return true;
  }

  // The steps that write a code's string give its length (which may pass the end of the output;
  // only what fits is written).
  [[gnu::always_inline]] size_t EmitColour(int code) {
    out_[outPos_++] = static_cast<uint8_t>(code);
    first_ = code;
    return 1;
  }

  // A string copied from where it was written before; a code not yet in the table is the previous
  // string followed by its own first byte.
  [[gnu::always_inline]] size_t EmitCopy(int code) {
    const size_t room = total_ - outPos_;
    const uint8_t* src;
    size_t copy;
    size_t length;
    if (code < freeCode_) {
      const Entry e = t_.entry[code];
      src = out_ + e.start;
      copy = length = e.length;
    } else {
      src = out_ + prevStart_;
      copy = prevLength_;
      length = prevLength_ + 1;
    }
    if (room >= length + 8) {
      CopyBack(out_ + outPos_, src, copy);
    } else {
      std::memcpy(out_ + outPos_, src, std::min(copy, room));
    }
    if (copy < length && room > copy) out_[outPos_ + copy] = static_cast<uint8_t>(first_);
    first_ = *src;
    outPos_ += std::min(length, room);
    return length;
  }

  // A string found by walking its prefixes back to a colour, last byte first.
  size_t EmitWalked(int code) {
    size_t sp = 0;
    int c = code;
    if (c >= freeCode_) {
      t_.stack[sp++] = static_cast<uint8_t>(first_);
      c = prev_;
    }
    while (c >= clear_) {
      if (t_.entry[c].prefix == c || sp >= kTableSize) throw GIFException(gif_text::kCircular);
      t_.stack[sp++] = t_.suffix[c];
      c = t_.entry[c].prefix;
    }
    first_ = t_.suffix[c];
    t_.stack[sp++] = static_cast<uint8_t>(first_);
    const size_t n = std::min(sp, total_ - outPos_);
    for (size_t i = 0; i < n; ++i) out_[outPos_ + i] = t_.stack[sp - 1 - i];
    outPos_ += n;
    return sp;
  }

  // The previous string plus the first byte of this code's becomes the next entry, and the code
  // width grows when the table reaches its limit.
  [[gnu::always_inline]] void AddEntry(int code) {
    if (freeCode_ < kTableSize) {
      t_.entry[freeCode_] =
          Entry{static_cast<uint32_t>(prevStart_), static_cast<uint16_t>(std::min<size_t>(prevLength_ + 1, kTableSize)),
                static_cast<uint16_t>(prev_)};
      if (walk_) t_.suffix[freeCode_] = static_cast<uint8_t>(first_);
      // An entry whose prefix is itself undefined has no string in the output to copy from.
      if (prev_ >= freeCode_) StartWalking();
      ++freeCode_;
      if (freeCode_ >= codeLimit_ && codeLimit_ < kTableSize) {
        codeLimit_ *= 2;
        SetWidth(width_ + 1);
      }
    }
    if (code >= freeCode_) StartWalking();
  }

  // From here to the next clear code strings are walked: each entry's last byte is noted from the
  // output while the output still holds it.
  void StartWalking() {
    if (walk_) return;
    walk_ = true;
    for (int c = clear_ + 2; c < freeCode_; ++c) t_.suffix[c] = out_[t_.entry[c].start + t_.entry[c].length - 1];
  }

  CodeReader& reader_;
  const uint8_t* bytes_;
  size_t limit_;
  size_t bitPos_ = 0;
  uint8_t* out_;
  const size_t total_;
  size_t outPos_ = 0;
  Tables& t_;
  const int clear_;
  const int end_;
  const int minCodeSize_;
  int freeCode_ = 0;
  int width_ = 0;
  uint32_t mask_ = 0;
  int codeLimit_ = 0;
  int prev_ = 0;
  int first_ = 0;  // the first byte of the string last written
  size_t prevStart_ = 0;
  size_t prevLength_ = 0;
  bool walk_ = false;
};

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
  if (!interlaced) {
    LzwDecoder(reader, minCodeSize, frame.pixels, total, *tables).Run();
  } else {
    // Decode in stream order, then place the rows; undecoded rows keep what they held.
    std::vector<uint8_t> scratch(total);
    for (size_t row = 0; row < height; ++row) {
      size_t target = static_cast<size_t>(InterlacedRow(static_cast<int>(row), static_cast<int>(height)));
      std::memcpy(scratch.data() + row * width, frame.pixels + target * width, width);
    }
    LzwDecoder(reader, minCodeSize, scratch.data(), total, *tables).Run();
    for (size_t row = 0; row < height; ++row) {
      size_t target = static_cast<size_t>(InterlacedRow(static_cast<int>(row), static_cast<int>(height)));
      std::memcpy(frame.pixels + target * width, scratch.data() + row * width, width);
    }
  }
}

}  // namespace kivo::gif
