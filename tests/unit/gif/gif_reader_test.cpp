// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// Reading order, accepted variations and reported problems of the GIF reader.
#include <gtest/gtest.h>

#include "gif/gif_extension.h"
#include "gif/gif_image.h"
#include "unit/gif/gif_test_util.h"

namespace {

using namespace std::string_literals;

const std::vector<uint8_t> kPixels = {0, 1, 2, 3, 3, 2, 1, 0, 1, 1, 2, 2};  // 4 x 3

using Strings = std::vector<std::string>;

GifFrameSpec Rect10x10() { return GifFrame(10, 10, std::vector<uint8_t>(100, 1), 2); }

TEST(GifReader, AcceptsSignatureVariants) {
  struct Case {
    std::string name;
    std::string bytes;
    TGIFVersion version;
  };
  const std::string plain = SimpleGif(4, 3, kPixels);
  const Case cases[] = {
      {"upper case 89a", plain, gv89a},
      {"lower case signature", SimpleGif(4, 3, kPixels, "gif89a"), gv89a},
      {"87a", SimpleGif(4, 3, kPixels, "GIF87a"), gv87a},
      {"unknown version read alike", SimpleGif(4, 3, kPixels, "GIF88z"), gvUnknown},
      {"4 bytes in front", "\x01\x02\x03\x04" + plain, gv89a},
      {"4 bytes in front, mixed case", "MACB" + SimpleGif(4, 3, kPixels, "gIf89a"), gv89a},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GifLoad gif(c.bytes);
    ASSERT_EQ(gif.error, "");
    EXPECT_EQ(gif.warnings, Strings{});
    EXPECT_EQ(gif.image->Header().Version(), c.version);
    ASSERT_EQ(gif.image->FrameCount(), 1);
    EXPECT_EQ(gif.Frame(0).Data(), kPixels);
    EXPECT_EQ(gif.image->Width(), 4);
    EXPECT_EQ(gif.image->Height(), 3);
  }
  EXPECT_EQ(GifLoad(SimpleGif(4, 3, kPixels, "GIF88z")).image->Header().VersionText(), "88z");
}

TEST(GifReader, RejectsBadSignatures) {
  EXPECT_EQ(GifLoad("PNG89a" + SimpleGif(4, 3, kPixels).substr(6)).error, "Invalid GIF signature");
  // Only the position itself and 4 bytes after it are looked at.
  EXPECT_EQ(GifLoad("12345" + SimpleGif(4, 3, kPixels)).error, "Invalid GIF signature");
  EXPECT_EQ(GifLoad("GIF8").error, "Premature end of data");
  EXPECT_EQ(GifLoad("").error, "Premature end of data");
  EXPECT_EQ(GifLoad("XXXXGIF8").error, "Premature end of data");
}

TEST(GifReader, SkipsZeroBytesBetweenBlocksAndAcceptsNoTrailer) {
  GifLoad gif(GifBuilder()
                  .Screen(4, 3, GifTestPalette(4))
                  .Raw(std::string(3, '\0'))
                  .Frame(GifFrame(4, 3, kPixels, 2))
                  .Raw(std::string(2, '\0'))
                  .GraphicControl(0, 5, std::nullopt)
                  .Frame(GifFrame(4, 3, kPixels, 2))
                  .Bytes());  // no trailer
  ASSERT_EQ(gif.error, "");
  EXPECT_EQ(gif.warnings, Strings{});
  ASSERT_EQ(gif.image->FrameCount(), 2);
  EXPECT_EQ(gif.Frame(1).Delay(), 5);
  EXPECT_EQ(gif.Frame(1).Data(), kPixels);
}

TEST(GifReader, ReportsWarningsAndGoesOn) {
  struct Case {
    std::string name;
    std::string bytes;
    Strings warnings;
    int frames;
  };
  const std::string head = GifBuilder().Screen(4, 3, GifTestPalette(4)).Bytes();
  const std::string frame = GifBuilder("").Frame(GifFrame(4, 3, kPixels, 2)).Bytes();
  const Case cases[] = {
      {"unknown block type stops the frames; trailer check sees the byte before",
       head + frame + "X" + frame + ";",
       {"Unknown GIF block type", "Invalid Image trailer"},
       1},
      // Reading of frames meets the byte first; the trailer check then sees the block's last byte.
      {"bad trailer", head + frame + "Q", {"Unknown GIF block type", "Invalid Image trailer"}, 1},
      // The frame ends with its extensions; the zero byte is then skipped like any other.
      {"extension list meets a foreign byte",
       head + "\x21\xFE\x01x\x00"s + std::string(1, '\0') + frame + ";",
       {"Invalid extension introducer"},
       2},
      {"short graphic control block", head + "\x21\xF9\x04\x01", {"Premature end of data"}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GifLoad gif(c.bytes);
    EXPECT_EQ(gif.error, "");
    EXPECT_EQ(gif.warnings, c.warnings);
    EXPECT_EQ(gif.image->FrameCount(), c.frames);
  }
}

TEST(GifReader, ZeroWidthTakesTheScreenSize) {
  GifFrameSpec desc = GifFrame(0, 3, {}, 2);
  std::string bytes = GifBuilder().Screen(5, 2, GifTestPalette(4)).Descriptor(desc).Bytes();
  std::vector<uint8_t> pixels(10, 3);
  bytes += std::string("\x02") + GifSubBlocks(GifLzwPack(pixels, {.minCodeSize = 2})) + ";";
  GifLoad gif(bytes);
  ASSERT_EQ(gif.error, "");
  EXPECT_EQ(gif.warnings, Strings{"Image exceeds Logical Screen size"});
  EXPECT_EQ(gif.Frame(0).Width(), 5);
  EXPECT_EQ(gif.Frame(0).Height(), 2);
  EXPECT_EQ(gif.Frame(0).Data(), pixels);
}

TEST(GifReader, ReadsExtensions) {
  GifLoad gif(GifBuilder()
                  .Screen(4, 3, GifTestPalette(4))
                  .Loop(7)
                  .Comment(std::string(300, 'c'))
                  .GraphicControl(dmPrevious, 25, 2)
                  .GraphicControl(dmBackground, 99, std::nullopt)
                  .Raw("\x21\x01\x0C"
                       "\x01\x00\x02\x00\x03\x00\x04\x00\x08\x10\x01\x00"s
                       "\x02hi\x03you\x00"s)
                  .Raw("\x21\xFF\x0BXMP DataXMP\x02<x\x00"s)
                  .Frame(GifFrame(4, 3, kPixels, 2))
                  .Trailer()
                  .Bytes());
  ASSERT_EQ(gif.error, "");
  EXPECT_EQ(gif.warnings, Strings{});
  const TGIFSubImage& frame = gif.Frame(0);
  ASSERT_EQ(frame.Extensions().Count(), 6);
  EXPECT_EQ(gif.image->LoopCount(), 7);
  auto* comment = dynamic_cast<TGIFCommentExtension*>(frame.Extensions().Extension(1));
  ASSERT_NE(comment, nullptr);
  EXPECT_EQ(comment->Text(), (Strings{std::string(255, 'c'), std::string(45, 'c')}));
  // The first control extension is the frame's.
  ASSERT_NE(frame.GraphicControlExtension(), nullptr);
  EXPECT_EQ(frame.GraphicControlExtension(), frame.Extensions().Extension(2));
  EXPECT_EQ(frame.Delay(), 25);
  EXPECT_EQ(frame.Disposal(), dmPrevious);
  EXPECT_EQ(frame.TransparentIndex(), 2);
  auto* text = dynamic_cast<TGIFTextExtension*>(frame.Extensions().Extension(4));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->TextHeader().top, 2);
  EXPECT_EQ(text->TextHeader().cellHeight, 0x10);
  EXPECT_EQ(text->Text(), (Strings{"hi", "you"}));
  auto* app = dynamic_cast<TGIFUnknownAppExtension*>(frame.Extensions().Extension(5));
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(app->Identifier(), "XMP Data");
  EXPECT_EQ(app->Authentication(), "XMP");
  ASSERT_EQ(app->Blocks().size(), 1u);
  EXPECT_EQ(app->Blocks()[0].Size(), 2);
}

TEST(GifReader, ApplicationBlockSizes) {
  const std::string head = GifBuilder().Screen(4, 3, GifTestPalette(4)).Bytes();
  const std::string frame = GifBuilder("").Frame(GifFrame(4, 3, kPixels, 2)).Trailer().Bytes();
  // Block size 10: the identifier takes the byte after the block, which is also the first size byte.
  GifLoad ten(head +
              "\x21\xFF\x0A"
              "ABCDEFGHIJ"
              "\x02"
              "zz\x00"s +
              frame);
  ASSERT_EQ(ten.error, "");
  auto* app10 = dynamic_cast<TGIFUnknownAppExtension*>(ten.Frame(0).Extensions().Extension(0));
  ASSERT_NE(app10, nullptr);
  EXPECT_EQ(app10->Authentication(), "IJ\x02");
  ASSERT_EQ(app10->Blocks().size(), 1u);
  // Longer blocks: the rest of the block and the data sub-blocks after it are skipped.
  GifLoad longer(head +
                 "\x21\xFF\x0D"
                 "NETSCAPE2.0##"
                 "\x03\x01\x05\x00\x00"s +
                 frame);
  ASSERT_EQ(longer.error, "");
  EXPECT_EQ(longer.warnings, Strings{});
  ASSERT_EQ(longer.image->FrameCount(), 1);
  EXPECT_EQ(longer.Frame(0).Extensions().Extension(0)->Class().name, std::string("TGIFApplicationExtension"));
  EXPECT_EQ(longer.image->LoopCount(), std::nullopt);
  EXPECT_EQ(longer.Frame(0).Data(), kPixels);
  // The older identifier of the loop extension.
  GifLoad anim(head + GifBuilder("").Loop(0, "ANIMEXTS1.0").Bytes() + frame);
  EXPECT_EQ(anim.image->LoopCount(), 0);
}

TEST(GifReader, RaisesErrorsWithTheirTexts) {
  struct Case {
    std::string name;
    std::string bytes;
    std::string error;
  };
  const std::string head = GifBuilder().Screen(4, 3, GifTestPalette(4)).Bytes();
  const std::string frame = GifBuilder("").Frame(GifFrame(4, 3, kPixels, 2)).Trailer().Bytes();
  const Case cases[] = {
      {"short screen descriptor", "GIF89a\x04\x00\x03"s, "Premature end of data"},
      {"short global map", head.substr(0, head.size() - 2), "Premature end of data"},
      {"short descriptor", head + ",\x00\x00\x00"s, "Premature end of data"},
      {"short local map", head + ",\x00\x00\x00\x00\x04\x00\x03\x00\x81\x01\x02"s, "Premature end of data"},
      {"extension header cut", head + "!", "Unknown extension type"},
      {"unknown label", head + "!\x43\x00"s + frame, "Unknown extension type"},
      {"application size",
       head +
           "\x21\xFF\x05"
           "ABCDE\x00"s +
           frame,
       "Unsupported Application Extension block size"},
      {"application identifier cut", head + "\x21\xFF\x0BNETSC", "Premature end of data"},
      {"loop sub-block size", head + "\x21\xFF\x0BNETSCAPE2.0\x04\x01\x00\x00\x00"s + frame, "Invalid GIF data"},
      {"loop sub-block id", head + "\x21\xFF\x0BNETSCAPE2.0\x03\x02\x00\x00\x00"s + frame, "Invalid GIF data"},
      {"loop terminator", head + "\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x05"s + frame, "Invalid GIF data"},
      {"loop count cut", head + "\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00"s, "Premature end of data"},
      {"comment sub-block cut", head + "\x21\xFE\x09short", "Premature end of data"},
      {"text header cut", head + "\x21\x01\x0C\x00\x00"s, "Premature end of data"},
      {"raw application block cut", head + "\x21\xFF\x0BXMP DataXMP\x09<x", "Premature end of data"},
      {"minimum code size 12", head + ",\x00\x00\x00\x00\x04\x00\x03\x00\x00\x0C\x01\x00\x00;"s, "Invalid GIF data"},
      {"screen too large", "GIF89a\xFF\xFF\xFF\xFF\x00\x00\x00;"s, "Image too large to decode"},
      {"frame too large", head + ",\x00\x00\x00\x00\xFF\xFF\xFF\xFF\x00\x02\x00;"s, "Image too large to decode"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GifLoad gif(c.bytes);
    EXPECT_EQ(gif.error, c.error);
    // The frame being read is dropped.
    EXPECT_EQ(gif.image->FrameCount(), 0);
  }
}

TEST(GifReader, BoundsTheScreenFramesAndExtensionsOfOneImage) {
  // 2^24 pixels are allowed by default, for the screen and for each frame; one more row is not.
  EXPECT_EQ(GifLoad(GifBuilder().Screen(4096, 4096, GifTestPalette(4)).Trailer().Bytes()).error, "");
  EXPECT_EQ(GifLoad(GifBuilder().Screen(4096, 4097, GifTestPalette(4)).Trailer().Bytes()).error,
            "Image too large to decode");
  GifLoad frame(GifBuilder().Screen(8, 8, GifTestPalette(4)).Raw(",\x00\x00\x00\x00\x00\x10\x01\x10\x02\x00"s).Bytes());
  EXPECT_EQ(frame.error, "Image too large to decode");

  // The count limits stop reading at the first frame or extension past them; what was read stays.
  const GifOptions limits{.maxPixels = 100, .maxFrames = 3, .maxExtensions = 4};
  EXPECT_EQ(GifLoad(GifBuilder().Screen(11, 10, GifTestPalette(4)).Bytes(), limits).error, "Image too large to decode");
  std::string head = GifBuilder().Screen(10, 10, GifTestPalette(4)).Bytes();
  std::string frames = head;
  for (int i = 0; i < 4; ++i) frames += GifBuilder("").Frame(Rect10x10()).Bytes();
  GifLoad four(frames, limits);
  EXPECT_EQ(four.error, "Image too large to decode");
  EXPECT_EQ(four.image->FrameCount(), 3);
  EXPECT_EQ(GifLoad(frames.substr(0, frames.size() - GifBuilder("").Frame(Rect10x10()).Bytes().size()), limits).error,
            "");

  GifBuilder fiveComments;
  fiveComments.Screen(10, 10, GifTestPalette(4));
  for (int i = 0; i < 5; ++i) fiveComments.Comment("c");
  EXPECT_EQ(GifLoad(fiveComments.Frame(Rect10x10()).Bytes(), limits).error, "Image too large to decode");
  // Extensions count over the whole image, not per frame.
  std::string spread = head;
  for (int i = 0; i < 3; ++i) spread += GifBuilder("").Comment("a").Comment("b").Frame(Rect10x10()).Bytes();
  GifLoad split(spread, limits);
  EXPECT_EQ(split.error, "Image too large to decode");
  EXPECT_EQ(split.image->FrameCount(), 2);
}

// An extension of a label of its own, for the registry tests.
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

TEST(GifReader, LaterRegistrationsWin) {
  const std::string head = GifBuilder().Screen(4, 3, GifTestPalette(4)).Bytes();
  const std::string frame = GifBuilder("").Frame(GifFrame(4, 3, kPixels, 2)).Trailer().Bytes();
  // A label answered by a class of another label: the instance refuses it.
  TGIFExtension::RegisterExtension(0x42, &TGIFCommentExtension::ClassInfo);
  EXPECT_EQ(GifLoad(head + "!\x42\x00"s + frame).error,
            "Internal error: Extension Instance does not match Extension Label");

  TGIFExtension::RegisterExtension(0x44, &TGIFCommentExtension::ClassInfo);
  TGIFExtension::RegisterExtension(0x44, &TestExtension::ClassInfo);
  GifLoad custom(head +
                 "!\x44\x03"
                 "abc\x00"s +
                 frame);
  ASSERT_EQ(custom.error, "");
  auto* ext = dynamic_cast<TestExtension*>(custom.Frame(0).Extensions().Extension(0));
  ASSERT_NE(ext, nullptr);
  EXPECT_EQ(ext->text, Strings{"abc"});

  TGIFApplicationExtension::RegisterExtension("KIVOLOOP1.0", &TGIFAppExtNSLoop::ClassInfo);
  EXPECT_EQ(GifLoad(head + GifBuilder("").Loop(3, "KIVOLOOP1.0").Bytes() + frame).image->LoopCount(), 3);
  // The comparison is exact: another case is another application.
  EXPECT_EQ(GifLoad(head + GifBuilder("").Loop(3, "kivoloop1.0").Bytes() + frame).image->LoopCount(), std::nullopt);
}

TEST(GifReader, ExtensionChecksItsOwnIntroducer) {
  TGIFCommentExtension comment(nullptr);
  TGIFStream stream(std::string_view("?\xFE\x00", 3));
  EXPECT_THROW(
      {
        try {
          comment.LoadFromStream(stream);
        } catch (const GIFException& e) {
          EXPECT_STREQ(e.what(), "Invalid extension introducer");
          throw;
        }
      },
      GIFException);
}

TEST(GifReader, ExtensionsBeforeTheTrailerMakeAnEmptyLastFrame) {
  GifLoad gif(GifBuilder()
                  .Screen(4, 3, GifTestPalette(4))
                  .Frame(GifFrame(4, 3, kPixels, 2))
                  .GraphicControl(0, 10, std::nullopt)
                  .Trailer()
                  .Bytes());
  ASSERT_EQ(gif.error, "");
  ASSERT_EQ(gif.image->FrameCount(), 2);
  EXPECT_TRUE(gif.Frame(1).Empty());
  EXPECT_TRUE(gif.Frame(1).GetBitmap().pixels.empty());
}

TEST(GifReader, ReportsProgressAndLoadingReplacesTheImage) {
  TGIFImage image;
  std::vector<int> percents;
  image.OnProgress = [&](TGIFProgressStage, int percent, const std::string& message) {
    EXPECT_EQ(message, "Loading...");
    percents.push_back(percent);
  };
  image.LoadFromBytes(GifBuilder()
                          .Screen(4, 3, GifTestPalette(4))
                          .Frame(GifFrame(4, 3, kPixels, 2))
                          .Frame(GifFrame(4, 3, kPixels, 2))
                          .Trailer()
                          .Bytes());
  ASSERT_EQ(percents.size(), 4u);
  EXPECT_EQ(percents.front(), 0);
  EXPECT_LT(percents[1], percents[2]);
  EXPECT_EQ(percents.back(), 100);
  image.OnProgress = nullptr;
  image.LoadFromBytes(SimpleGif(2, 2, {1, 2, 3, 0}));
  EXPECT_EQ(image.FrameCount(), 1);
  EXPECT_EQ(image.Width(), 2);
}

}  // namespace
