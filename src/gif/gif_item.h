// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gif/gif_stream.h"
#include "gif/gif_types.h"

namespace kivo::gif {

class TGIFImage;

// Base of every part of an image. Knows its owning image, to which it passes its warnings.
class TGIFItem {
 public:
  explicit TGIFItem(TGIFImage* image) : image_(image) {}
  virtual ~TGIFItem() = default;
  TGIFItem(const TGIFItem&) = delete;
  TGIFItem& operator=(const TGIFItem&) = delete;

  TGIFImage* Image() const { return image_; }
  virtual void LoadFromStream(TGIFStream& stream) = 0;
  // Hands a problem to the owning image, which calls its warning handler when one is set.
  void Warning(TGIFSeverity severity, const std::string& message);

 protected:
  TGIFImage* image_;
};

// An ordered list of items owned by the list, with the image they belong to.
class TGIFList {
 public:
  explicit TGIFList(TGIFImage* image) : image_(image) {}
  virtual ~TGIFList() = default;
  TGIFList(const TGIFList&) = delete;
  TGIFList& operator=(const TGIFList&) = delete;

  TGIFImage* Image() const { return image_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TGIFItem* Item(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
  void Add(std::unique_ptr<TGIFItem> item) { items_.push_back(std::move(item)); }
  void Clear() { items_.clear(); }
  void Warning(TGIFSeverity severity, const std::string& message);

 protected:
  TGIFImage* image_;
  std::vector<std::unique_ptr<TGIFItem>> items_;
};

// One raw data sub-block: its size byte and its bytes.
class TGIFBlock {
 public:
  explicit TGIFBlock(uint8_t size) : data_(size) {}
  uint8_t Size() const { return static_cast<uint8_t>(data_.size()); }
  const std::vector<uint8_t>& Data() const { return data_; }
  // Reads Size() bytes; raises "Premature end of data" when the stream holds fewer.
  void LoadFromStream(TGIFStream& stream);

 private:
  std::vector<uint8_t> data_;
};

// Fixed-size reads of the reader: fewer bytes than asked raise "Premature end of data".
void ReadExact(TGIFStream& stream, void* buffer, size_t count);
uint8_t ReadExactByte(TGIFStream& stream);
uint16_t ReadWord(TGIFStream& stream);
inline uint16_t WordAt(const uint8_t* bytes) { return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)); }

}  // namespace kivo::gif
