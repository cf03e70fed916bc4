// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// What the image offers its callers besides the frames: extension classes registered for labels
// and applications, and a second load into the same image.
#include <gtest/gtest.h>

#include "gif/gif_extension.h"
#include "gif/gif_image.h"
#include "support/gif_builder.h"

using namespace kivo::gif;

namespace {

using namespace std::string_literals;

class TestExtension : public TGIFExtension {
 public:
  static const TGIFExtensionClass ClassInfo;
  using TGIFExtension::TGIFExtension;
  const TGIFExtensionClass& Class() const override { return ClassInfo; }
  std::vector<std::string> text;

 protected:
  void LoadData(TGIFStream& stream) override { text = ReadStrings(stream); }
};
const TGIFExtensionClass TestExtension::ClassInfo = {
    "TestExtension", 0x44,
    [](TGIFSubImage* f) -> std::unique_ptr<TGIFExtension> { return std::make_unique<TestExtension>(f); },
    &TGIFExtension::FindSubExtension};

// The image read from `extensions` before a frame, or the error it raised.
std::unique_ptr<TGIFImage> Read(const std::string& extensions, std::string* error = nullptr) {
  const GifFrameLayout frame = GifFrame(0, 0, 2, 1, {1, 0}, 2);
  auto image = std::make_unique<TGIFImage>();
  try {
    image->LoadFromBytes(
        GifBuilder().Screen(2, 1, std::vector<GifRgb>(4)).Raw(extensions).Frame(frame).Trailer().Bytes());
  } catch (const GIFException& e) {
    if (error) *error = e.what();
  }
  return image;
}

TEST(GifImage, LaterRegistrationsWin) {
  // A label answered by a class of another label: the instance refuses it.
  TGIFExtension::RegisterExtension(0x42, &TGIFCommentExtension::ClassInfo);
  std::string error;
  Read("!\x42\x00"s, &error);
  EXPECT_EQ(error, "Internal error: Extension Instance does not match Extension Label");

  TGIFExtension::RegisterExtension(0x44, &TGIFCommentExtension::ClassInfo);
  TGIFExtension::RegisterExtension(0x44, &TestExtension::ClassInfo);
  auto custom = Read(
      "!\x44\x03"
      "abc\x00"s);
  auto* ext = dynamic_cast<TestExtension*>(custom->Frame(0)->Extensions().Extension(0));
  ASSERT_NE(ext, nullptr);
  EXPECT_EQ(ext->text, std::vector<std::string>{"abc"});

  TGIFApplicationExtension::RegisterExtension("KIVOLOOP1.0", &TGIFAppExtNSLoop::ClassInfo);
  EXPECT_EQ(Read(GifBuilder("").Loop(3, "KIVOLOOP1.0").Bytes())->LoopCount(), 3);
  // The comparison is exact: another case is another application.
  EXPECT_EQ(Read(GifBuilder("").Loop(3, "kivoloop1.0").Bytes())->LoopCount(), std::nullopt);
}

TEST(GifImage, LoadingReplacesTheImage) {
  auto image = Read("");
  ASSERT_EQ(image->FrameCount(), 1);
  image->LoadFromBytes(GifBuilder().Screen(3, 3, std::vector<GifRgb>(4)).Trailer().Bytes());
  EXPECT_EQ(image->FrameCount(), 0);
  EXPECT_EQ(image->Width(), 3);
}

}  // namespace
