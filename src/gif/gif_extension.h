// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gif/gif_budget.h"
#include "gif/gif_item.h"

namespace kivo::gif {

class TGIFExtension;
class TGIFSubImage;

// What a class reference is to the extension registries: the label a class reads, how to make one
// for a frame, and how it narrows itself by looking further into the stream.
struct TGIFExtensionClass {
  const char* name;
  uint8_t label;
  std::unique_ptr<TGIFExtension> (*create)(TGIFSubImage* frame);
  const TGIFExtensionClass* (*findSubExtension)(const TGIFExtensionClass* self, TGIFStream& stream);
};

// Base of the extension blocks in front of a frame. An extension of a frame that belongs to an image
// charges itself and the data it keeps to the image's budget.
class TGIFExtension : public TGIFItem {
 public:
  explicit TGIFExtension(TGIFSubImage* frame);
  TGIFSubImage* SubImage() const { return frame_; }
  virtual const TGIFExtensionClass& Class() const = 0;
  uint8_t ExtensionType() const { return Class().label; }

  // Reads introducer and label, checks them, then the extension's own data.
  void LoadFromStream(TGIFStream& stream) override;

  // Label registry, searched from the last registration to the first, so a later registration of a
  // label overrides an earlier one. Starts with plain text, graphic control, comment, application.
  static void RegisterExtension(uint8_t label, const TGIFExtensionClass* cls);
  // The class of the extension at the stream position (narrowed through FindSubExtension), or
  // null when the label is unknown. The stream position is kept.
  static const TGIFExtensionClass* FindExtension(TGIFStream& stream);
  static const TGIFExtensionClass* FindSubExtension(const TGIFExtensionClass* self, TGIFStream& stream);

 protected:
  virtual void LoadData(TGIFStream& stream) = 0;
  // Data sub-blocks up to the zero-length one, each as a string.
  std::vector<std::string> ReadStrings(TGIFStream& stream);
  // Skips data sub-blocks up to and including the zero-length one.
  static void SkipBlocks(TGIFStream& stream);

  TGIFSubImage* frame_;
  TGIFCharge charge_;
};

class TGIFGraphicControlExtension : public TGIFExtension {
 public:
  // The record as it stands in the file.
  struct Record {
    uint8_t blockSize = 4;
    uint8_t packedFields = 0;  // bit 0 transparent, bit 1 user input, bits 2-4 disposal
    uint16_t delay = 0;        // hundredths of a second
    uint8_t transparentColorIndex = 0;
    uint8_t terminator = 0;
  };
  static const TGIFExtensionClass ClassInfo;

  explicit TGIFGraphicControlExtension(TGIFSubImage* frame);
  ~TGIFGraphicControlExtension() override;
  const TGIFExtensionClass& Class() const override { return ClassInfo; }

  const Record& Data() const { return record_; }
  bool Transparent() const { return (record_.packedFields & 0x01) != 0; }
  bool UserInput() const { return (record_.packedFields & 0x02) != 0; }
  // Disposal codes 4 to 7 are reserved; a viewer treats them as "no disposal specified".
  TDisposalMethod Disposal() const;
  int Delay() const { return record_.delay; }
  uint8_t TransparentColorIndex() const { return record_.transparentColorIndex; }

 protected:
  void LoadData(TGIFStream& stream) override;

 private:
  Record record_;
};

class TGIFTextExtension : public TGIFExtension {
 public:
  struct Header {
    uint8_t blockSize = 12;
    uint16_t left = 0, top = 0, width = 0, height = 0;
    uint8_t cellWidth = 0, cellHeight = 0, foregroundIndex = 0, backgroundIndex = 0;
  };
  static const TGIFExtensionClass ClassInfo;

  using TGIFExtension::TGIFExtension;
  const TGIFExtensionClass& Class() const override { return ClassInfo; }
  const Header& TextHeader() const { return header_; }
  const std::vector<std::string>& Text() const { return text_; }

 protected:
  void LoadData(TGIFStream& stream) override;

 private:
  Header header_;
  std::vector<std::string> text_;
};

class TGIFCommentExtension : public TGIFExtension {
 public:
  static const TGIFExtensionClass ClassInfo;

  using TGIFExtension::TGIFExtension;
  const TGIFExtensionClass& Class() const override { return ClassInfo; }
  const std::vector<std::string>& Text() const { return text_; }

 protected:
  void LoadData(TGIFStream& stream) override;

 private:
  std::vector<std::string> text_;
};

// Application extension: an 11-byte identifier and authentication code, then data read by the class.
// This base class reads no data of its own: an application block of an unexpected size is kept by
// its identifier, and the data sub-blocks after it are skipped so the next block is found.
class TGIFApplicationExtension : public TGIFExtension {
 public:
  static const TGIFExtensionClass ClassInfo;

  using TGIFExtension::TGIFExtension;
  const TGIFExtensionClass& Class() const override { return ClassInfo; }
  // Identifier (8 bytes) and authentication code (3 bytes) as stored.
  const std::array<uint8_t, 11>& IdentifierBytes() const { return ident_; }
  std::string Identifier() const { return std::string(ident_.begin(), ident_.begin() + 8); }
  std::string Authentication() const { return std::string(ident_.begin() + 8, ident_.end()); }

  // Identifier registry: exact 11-byte identifiers, searched last to first. Starts with
  // "NETSCAPE2.0" and "ANIMEXTS1.0", both read by TGIFAppExtNSLoop.
  static void RegisterExtension(const std::string& identifier, const TGIFExtensionClass* cls);
  static const TGIFExtensionClass* FindSubExtension(const TGIFExtensionClass* self, TGIFStream& stream);

 protected:
  void LoadData(TGIFStream& stream) final;
  virtual void LoadApplicationData(TGIFStream& stream) { SkipBlocks(stream); }

 private:
  std::array<uint8_t, 11> ident_{};
};

// Loop count of an animation ("NETSCAPE2.0", "ANIMEXTS1.0").
class TGIFAppExtNSLoop : public TGIFApplicationExtension {
 public:
  static const TGIFExtensionClass ClassInfo;

  using TGIFApplicationExtension::TGIFApplicationExtension;
  const TGIFExtensionClass& Class() const override { return ClassInfo; }
  // 0: loop forever; n: repeat n times after the first play.
  uint16_t Loops() const { return loops_; }

 protected:
  void LoadApplicationData(TGIFStream& stream) override;

 private:
  uint16_t loops_ = 0;
};

// Any other application extension, its data kept as raw blocks.
class TGIFUnknownAppExtension : public TGIFApplicationExtension {
 public:
  static const TGIFExtensionClass ClassInfo;

  using TGIFApplicationExtension::TGIFApplicationExtension;
  const TGIFExtensionClass& Class() const override { return ClassInfo; }
  const std::vector<TGIFBlock>& Blocks() const { return blocks_; }

 protected:
  void LoadApplicationData(TGIFStream& stream) override;

 private:
  std::vector<TGIFBlock> blocks_;
};

}  // namespace kivo::gif
