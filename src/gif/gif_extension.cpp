// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "gif/gif_extension.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "gif/gif_image.h"
#include "gif/gif_sub_image.h"

namespace kivo::gif {

namespace {

// What an extension object costs, charged alike for every class: the largest of KIVO's own.
constexpr size_t kExtensionCost = GifHeapCost(std::max({sizeof(TGIFGraphicControlExtension), sizeof(TGIFTextExtension),
                                                        sizeof(TGIFCommentExtension), sizeof(TGIFApplicationExtension),
                                                        sizeof(TGIFAppExtNSLoop), sizeof(TGIFUnknownAppExtension)})) +
                                  kGifListSlotCost;

// What the data sub-blocks from the stream position up to the zero-length one will hold once read,
// each block costing `blockCost(size)` and its place in the list `slot` bytes: counted without
// reading them, so the list is charged and sized before any of it is made. A block that the stream
// cuts short ends the count, as reading ends there with "Premature end of data".
template <class BlockCost>
size_t SubBlocksCost(const TGIFStream& stream, size_t slot, BlockCost blockCost, size_t& count) {
  const uint8_t* data = stream.Data();
  size_t pos = stream.Position();
  size_t cost = 0;
  count = 0;
  while (pos < stream.Size()) {
    const size_t size = data[pos++];
    if (size == 0 || stream.Size() - pos < size) break;
    cost += blockCost(size);
    pos += size;
    ++count;
  }
  return cost + GifHeapCost(count * slot);
}

template <class T>
std::unique_ptr<TGIFExtension> Create(TGIFSubImage* frame) {
  return std::make_unique<T>(frame);
}

std::vector<std::pair<uint8_t, const TGIFExtensionClass*>>& LabelRegistry() {
  static std::vector<std::pair<uint8_t, const TGIFExtensionClass*>> registry = {
      {0x01, &TGIFTextExtension::ClassInfo},
      {0xF9, &TGIFGraphicControlExtension::ClassInfo},
      {0xFE, &TGIFCommentExtension::ClassInfo},
      {0xFF, &TGIFApplicationExtension::ClassInfo},
  };
  return registry;
}

std::vector<std::pair<std::string, const TGIFExtensionClass*>>& IdentifierRegistry() {
  static std::vector<std::pair<std::string, const TGIFExtensionClass*>> registry = {
      {"NETSCAPE2.0", &TGIFAppExtNSLoop::ClassInfo},
      {"ANIMEXTS1.0", &TGIFAppExtNSLoop::ClassInfo},
  };
  return registry;
}

// Subclasses of the application extension are already as specific as the registry makes them.
const TGIFExtensionClass* AnswerSelf(const TGIFExtensionClass* self, TGIFStream&) { return self; }

}  // namespace

const TGIFExtensionClass TGIFGraphicControlExtension::ClassInfo = {
    "TGIFGraphicControlExtension", 0xF9, &Create<TGIFGraphicControlExtension>, &TGIFExtension::FindSubExtension};
const TGIFExtensionClass TGIFTextExtension::ClassInfo = {"TGIFTextExtension", 0x01, &Create<TGIFTextExtension>,
                                                         &TGIFExtension::FindSubExtension};
const TGIFExtensionClass TGIFCommentExtension::ClassInfo = {"TGIFCommentExtension", 0xFE, &Create<TGIFCommentExtension>,
                                                            &TGIFExtension::FindSubExtension};
const TGIFExtensionClass TGIFApplicationExtension::ClassInfo = {
    "TGIFApplicationExtension", 0xFF, &Create<TGIFApplicationExtension>, &TGIFApplicationExtension::FindSubExtension};
const TGIFExtensionClass TGIFAppExtNSLoop::ClassInfo = {"TGIFAppExtNSLoop", 0xFF, &Create<TGIFAppExtNSLoop>,
                                                        &AnswerSelf};
const TGIFExtensionClass TGIFUnknownAppExtension::ClassInfo = {"TGIFUnknownAppExtension", 0xFF,
                                                               &Create<TGIFUnknownAppExtension>, &AnswerSelf};

TGIFExtension::TGIFExtension(TGIFSubImage* frame)
    : TGIFItem(frame ? frame->Image() : nullptr),
      frame_(frame),
      charge_(image_ ? &image_->Budget() : nullptr, kExtensionCost) {}

void TGIFExtension::LoadFromStream(TGIFStream& stream) {
  uint8_t head[2];
  ReadExact(stream, head, 2);
  if (head[0] != '!') throw GIFException(gif_text::kInvalidIntroducer);
  if (head[1] != ExtensionType()) throw GIFException(gif_text::kExtensionMismatch);
  LoadData(stream);
}

void TGIFExtension::RegisterExtension(uint8_t label, const TGIFExtensionClass* cls) {
  LabelRegistry().emplace_back(label, cls);
}

const TGIFExtensionClass* TGIFExtension::FindExtension(TGIFStream& stream) {
  size_t position = stream.Position();
  const TGIFExtensionClass* cls = nullptr;
  uint8_t label;
  if (stream.ReadByte(label)) {
    const auto& registry = LabelRegistry();
    for (auto it = registry.rbegin(); it != registry.rend(); ++it) {
      if (it->first == label) {
        cls = it->second;
        break;
      }
    }
    while (cls) {
      const TGIFExtensionClass* sub = cls->findSubExtension(cls, stream);
      if (sub == cls) break;
      cls = sub;
    }
  }
  stream.SetPosition(position);
  return cls;
}

const TGIFExtensionClass* TGIFExtension::FindSubExtension(const TGIFExtensionClass* self, TGIFStream&) { return self; }

std::vector<std::string> TGIFExtension::ReadStrings(TGIFStream& stream) {
  // A string of up to 15 characters is kept inside its slot; a longer one on the heap.
  size_t count;
  charge_.Add(SubBlocksCost(
      stream, sizeof(std::string), [](size_t size) { return size > 15 ? GifHeapCost(size + 1) : size_t{0}; }, count));
  std::vector<std::string> strings;
  strings.reserve(count);
  uint8_t size;
  while (stream.ReadByte(size) && size != 0) {
    std::string text(size, '\0');
    ReadExact(stream, text.data(), size);
    strings.push_back(std::move(text));
  }
  return strings;
}

void TGIFExtension::SkipBlocks(TGIFStream& stream) {
  uint8_t size;
  while (stream.ReadByte(size) && size != 0) {
    if (stream.Skip(size) < size) throw GIFException(gif_text::kPrematureEnd);
  }
}

TGIFGraphicControlExtension::TGIFGraphicControlExtension(TGIFSubImage* frame) : TGIFExtension(frame) {
  if (frame && !frame->GraphicControlExtension()) frame->SetGraphicControlExtension(this);
}

TGIFGraphicControlExtension::~TGIFGraphicControlExtension() {
  if (frame_ && frame_->GraphicControlExtension() == this) frame_->SetGraphicControlExtension(nullptr);
}

TDisposalMethod TGIFGraphicControlExtension::Disposal() const {
  int method = (record_.packedFields >> 2) & 0x07;
  return method <= dmPrevious ? static_cast<TDisposalMethod>(method) : dmNone;
}

void TGIFGraphicControlExtension::LoadData(TGIFStream& stream) {
  uint8_t bytes[6] = {};
  size_t got = stream.Read(bytes, 6);
  record_.blockSize = bytes[0];
  record_.packedFields = bytes[1];
  record_.delay = WordAt(bytes + 2);
  record_.transparentColorIndex = bytes[4];
  record_.terminator = bytes[5];
  if (got < 6) {
    Warning(gsWarning, gif_text::kPrematureEnd);
  } else if (Transparent() && frame_) {
    frame_->SetTransparent(true);
  }
}

void TGIFTextExtension::LoadData(TGIFStream& stream) {
  uint8_t bytes[13];
  ReadExact(stream, bytes, 13);
  header_.blockSize = bytes[0];
  header_.left = WordAt(bytes + 1);
  header_.top = WordAt(bytes + 3);
  header_.width = WordAt(bytes + 5);
  header_.height = WordAt(bytes + 7);
  header_.cellWidth = bytes[9];
  header_.cellHeight = bytes[10];
  header_.foregroundIndex = bytes[11];
  header_.backgroundIndex = bytes[12];
  text_ = ReadStrings(stream);
}

void TGIFCommentExtension::LoadData(TGIFStream& stream) { text_ = ReadStrings(stream); }

void TGIFApplicationExtension::RegisterExtension(const std::string& identifier, const TGIFExtensionClass* cls) {
  IdentifierRegistry().emplace_back(identifier, cls);
}

const TGIFExtensionClass* TGIFApplicationExtension::FindSubExtension(const TGIFExtensionClass* self,
                                                                     TGIFStream& stream) {
  uint8_t size;
  if (!stream.ReadByte(size)) return self;
  uint8_t ident[11];
  if (size == 10) {
    if (stream.Read(ident, 10) < 10) return nullptr;
    return &TGIFUnknownAppExtension::ClassInfo;
  }
  if (size == 11) {
    if (stream.Read(ident, 11) < 11) return self;
    const auto& registry = IdentifierRegistry();
    for (auto it = registry.rbegin(); it != registry.rend(); ++it) {
      if (it->first.size() == 11 && std::memcmp(it->first.data(), ident, 11) == 0) return it->second;
    }
    return &TGIFUnknownAppExtension::ClassInfo;
  }
  return self;
}

void TGIFApplicationExtension::LoadData(TGIFStream& stream) {
  uint8_t size = ReadExactByte(stream);
  if (size < 11 && size != 10) throw GIFException(gif_text::kAppBlockSize);
  ReadExact(stream, ident_.data(), 11);
  // A 10-byte block leaves its identifier one byte short: the byte after it belongs to the data.
  stream.Seek(static_cast<int64_t>(size) - 11);
  LoadApplicationData(stream);
}

void TGIFAppExtNSLoop::LoadApplicationData(TGIFStream& stream) {
  if (ReadExactByte(stream) != 3) throw GIFException(gif_text::kInvalidData);
  if (ReadExactByte(stream) != 1) throw GIFException(gif_text::kInvalidData);
  loops_ = ReadWord(stream);
  if (ReadExactByte(stream) != 0) throw GIFException(gif_text::kInvalidData);
}

void TGIFUnknownAppExtension::LoadApplicationData(TGIFStream& stream) {
  size_t count;
  charge_.Add(SubBlocksCost(stream, sizeof(TGIFBlock), GifHeapCost, count));
  blocks_.reserve(count);
  uint8_t size;
  while (stream.ReadByte(size) && size != 0) {
    TGIFBlock block(size);
    block.LoadFromStream(stream);
    blocks_.push_back(std::move(block));
  }
}

}  // namespace kivo::gif
