// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The runners of the cases in tests/data/gif/, read in this process as the preview reads a screenshot
// and measured on the real heap, and in tests/data/gif_composed/, run through kivo-tool gif.
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "gif/gif_animation.h"
#include "gif/gif_frame_info.h"
#include "gif/gif_image.h"
#include "support/case_words.h"
#include "support/gif_builder.h"
#include "support/giflib_memory.h"
#include "support/temp_dir.h"
#include "support/tool_run.h"

using namespace kivo::gif;

// The heap of this test program, which runs on one thread, counted by its own operator new and
// delete. The codec allocates through them alone (the library's array, sized and nothrow forms call
// these two).
static size_t heapInUse = 0, heapPeak = 0;

// The bytes the C library holds for a block: Windows' own call for it is _msize.
static size_t BlockSize(void* p) {
#ifdef _WIN32
  return _msize(p);
#else
  return malloc_usable_size(p);
#endif
}

void* operator new(size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  heapPeak = std::max(heapPeak, heapInUse += BlockSize(p));
  return p;
}

void operator delete(void* p) noexcept {
  if (p != nullptr) heapInUse -= BlockSize(p);
  std::free(p);
}
void operator delete(void* p, size_t) noexcept { operator delete(p); }

namespace {

using Words = std::vector<std::string>;
using Pixels = std::vector<uint8_t>;

struct GifCase {
  std::string where, gif;
  int width = 0, height = 0;  // the screen, for the composed pictures
  std::map<char, GifRgb> colors;
  GifOptions limits;
  std::set<std::string> flags;                 // giflib, everybudget
  std::string tool = "in.gif out --composed";  // kivo-tool gif's arguments
  std::vector<std::string> transcript;         // the lines of the outcome, as README tells
  size_t unlisted = 0;                         // frames read before them
  std::vector<std::optional<Pixels>> written;  // each frame's pixels, when written whole
  std::map<size_t, Pixels> decoded;            // frames whose pixels the case states
  std::vector<std::string> composed;           // letters of the screen after each frame
};

// What reading a case gave: its lines, each frame's colour indexes, each composed picture as a PAM.
struct GifOutcome {
  std::vector<std::string> transcript;
  std::vector<Pixels> frames;
  std::vector<std::string> composed;
};

struct Table {
  std::vector<GifRgb> colors;
  std::string letters = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";  // of its indexes
};

// "L RRGGBB L RRGGBB ...", each colour named by its letter, or "COUNT": colours no picture names.
Table ReadTable(Words::const_iterator word, Words::const_iterator end, std::map<char, GifRgb>& names) {
  if (word != end && std::isdigit((*word)[0])) return Table{std::vector<GifRgb>(std::stoul(*word))};
  Table table;
  for (table.letters.clear(); word != end; word += 2) {
    const unsigned long rgb = std::stoul(word[1], nullptr, 16);
    table.colors.push_back(names[(*word)[0]] = {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)});
    table.letters += (*word)[0];
  }
  return table;
}

// Rows of letters, as the indexes of the letters in `letters`.
Pixels Indexes(Words::const_iterator row, Words::const_iterator end, const std::string& letters) {
  Pixels indexes;
  for (; row != end; ++row) {
    for (char letter : *row) indexes.push_back(static_cast<uint8_t>(letters.find(letter)));
  }
  return indexes;
}

// The words after the first, joined by blanks.
std::string Line(const Words& w) {
  std::string line;
  for (size_t i = 1; i < w.size(); ++i) line += (i > 1 ? " " : "") + w[i];
  return line;
}

// Every case of a case file: a file holds one case, or several, each from its "case" statement on.
std::vector<GifCase> GifCasesIn(const std::vector<CaseStatement>& file) {
  std::vector<GifCase> cases;
  Table global, local;
  for (const CaseStatement& s : file) {
    const Words& w = s.words;
    if (&s == &file.front() || w[0] == "case") {
      cases.emplace_back().where = s.where;
      global = local = Table{};
      if (w[0] == "case") continue;
    }
    GifCase& c = cases.back();
    GifBuilder gif("");
    auto numberAt = [&](size_t i) { return std::stoi(w.at(i)); };
    if (w[0] == "bytes") {  // a word of two hexadecimal digits is that byte, any other word its text
      for (auto word = w.begin() + 1; word != w.end(); ++word) {
        const bool hex = word->size() == 2 && std::isxdigit((*word)[0]) && std::isxdigit((*word)[1]);
        gif.Raw(hex ? std::string(1, static_cast<char>(std::stoi(*word, nullptr, 16))) : *word);
      }
    } else if (w[0] == "screen") {  // screen W H [SIGNATURE] [colors TABLE...]
      const auto table = std::find(w.begin(), w.end(), "colors");
      if (table != w.end()) global = ReadTable(table + 1, w.end(), c.colors);
      c.width = numberAt(1);
      c.height = numberAt(2);
      gif.Raw(w.begin() + 3 == table ? "GIF89a" : w.at(3)).Screen(c.width, c.height, global.colors);
    } else if (w[0] == "local") {
      local = ReadTable(w.begin() + 1, w.end(), c.colors);
    } else if (w[0] == "control") {  // control DISPOSAL DELAY TRANSPARENT
      const int disposal = static_cast<int>(std::string("nkbp").find(w.at(1)[0]));  // none, keep, background...
      std::optional<uint8_t> transparent;
      if (w.at(3) != "-") transparent = Indexes(w.begin() + 3, w.begin() + 4, global.letters)[0];
      gif.GraphicControl(disposal, numberAt(2), transparent);
    } else if (w[0] == "frame") {  // frame LEFT TOP W H OPTIONS... ROWS...
      // The options: words after the first five, each with the numbers after it.
      auto option = [&](const char* name) { return std::find(w.begin() + 5, w.end(), name); };
      auto has = [&](const char* name) { return option(name) != w.end(); };
      auto given = [&](const char* name, int otherwise, int nth = 1) {
        return has(name) ? std::stoi(*(option(name) + nth)) : otherwise;
      };
      GifFrameLayout frame{numberAt(1), numberAt(2), numberAt(3), numberAt(4), {}, local.colors, has("interlaced")};
      const Table table = local.colors.empty() ? global : std::exchange(local, Table{});
      int codeSize = 2;
      while ((1u << codeSize) < table.colors.size()) ++codeSize;
      frame.lzw = {given("codesize", codeSize), !has("noclear"), !has("noend"), !has("keepfull"), given("blocks", 255)};
      if (has("test") || has("noise")) {
        const int colors = 1 << std::min(8, frame.lzw.minCodeSize);
        frame.pixels =
            GifTestPixels(frame.width, frame.height, colors, given(has("test") ? "test" : "noise", 0), has("noise"));
      } else if (!has("nodata")) {
        frame.pixels = Indexes(w.end() - frame.height, w.end(), table.letters);
      }
      const bool whole = !has("nodata") && !has("as") && !frame.interlaced;
      c.written.push_back(whole ? std::optional(frame.pixels) : std::nullopt);
      // "as W H": the descriptor gives another size than the data has.
      frame.width = given("as", frame.width);
      frame.height = given("as", frame.height, 2);
      gif.Descriptor(frame);
      if (!has("nodata")) {  // "open": no zero-length block after the data
        gif.Raw(std::string(1, static_cast<char>(frame.lzw.minCodeSize)) +
                GifSubBlocks(GifLzwPack(frame.pixels, frame.lzw), frame.lzw.blockSize, !has("open")));
      }
    } else if (w[0] == "trailer") {
      gif.Trailer();
    } else if (w[0] == "budget") {
      c.limits.memoryBudget = std::stoul(w.at(1));
    } else if (w[0] == "limits") {  // limits pixels N frames N extensions N
      c.limits.maxPixels = numberAt(2);
      c.limits.maxFrames = numberAt(4);
      c.limits.maxExtensions = numberAt(6);
    } else if (w[0] == "dither") {
      c.limits.paletteScreen = true;
    } else if (w[0] == "giflib" || w[0] == "everybudget") {
      c.flags.insert(w[0]);
    } else if (w[0] == ">") {
      c.transcript.push_back(Line(w));
    } else if (w[0] == "decoded") {
      c.decoded[std::stoul(w.at(1))] = Indexes(w.begin() + 2, w.end(), global.letters);
    } else if (w[0] == "composed") {
      c.composed.push_back(s.Joined(2));
    } else if (w[0] == "frames") {
      c.unlisted = std::stoul(w.at(1));
    } else if (w[0] == "tool") {
      c.tool = Line(w);
    } else {
      ADD_FAILURE() << s.where << ": unknown statement " << w[0];
    }
    c.gif += gif.Bytes();
  }
  return cases;
}

void CheckGifOutcome(const GifCase& c, const GifOutcome& outcome) {
  const size_t unlisted = std::min(c.unlisted, outcome.transcript.size());
  EXPECT_EQ(Words(outcome.transcript.begin() + unlisted, outcome.transcript.end()), c.transcript);
  // Frames written whole come back as they were, unless the case says what each frame holds.
  std::map<size_t, Pixels> expected = c.decoded;
  for (size_t i = 0; c.decoded.empty() && i < c.written.size() && i < outcome.frames.size(); ++i) {
    if (c.written[i]) expected[i] = *c.written[i];
  }
  for (const auto& [index, pixels] : expected) {
    ASSERT_LT(index, outcome.frames.size());
    EXPECT_EQ(outcome.frames[index], pixels) << "frame " << index;
  }
  // The pictures in the case's letters: "." where alpha is 0, "?" for a colour it does not name.
  const std::string header = "P7\nWIDTH " + std::to_string(c.width) + "\nHEIGHT " + std::to_string(c.height) +
                             "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
  ASSERT_TRUE(c.composed.empty() || outcome.composed.size() == c.composed.size()) << outcome.composed.size();
  for (size_t i = 0; i < c.composed.size(); ++i) {
    const std::string& pam = outcome.composed[i];
    ASSERT_EQ(pam.substr(0, header.size()), header);
    std::string letters;
    for (size_t at = header.size(); at + 4 <= pam.size(); at += 4) {
      letters += pam[at + 3] == 0 ? '.' : '?';
      for (const auto& [name, rgb] : c.colors) {
        if (pam.compare(at, 4, {char(rgb.r), char(rgb.g), char(rgb.b), char(255)}) == 0) letters.back() = name;
      }
    }
    EXPECT_EQ(letters, c.composed[i]) << "composed " << i;
  }
}

// giflib must read the same colour indexes from the same bytes: the cases' pixels are written by the
// tests' own encoder, which could share a misreading with the decoder.
void CompareWithGiflib(const std::string& bytes, const TGIFImage& ours) {
  GiflibMemoryReader reader{&bytes};
  int error = 0;
  GifFileType* gif = GiflibOpenMemory(reader, &error);
  ASSERT_NE(gif, nullptr) << GifErrorString(error);
  ASSERT_EQ(DGifSlurp(gif), GIF_OK) << GifErrorString(gif->Error);
  ASSERT_EQ(ours.FrameCount(), gif->ImageCount);
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& frame = gif->SavedImages[i];
    const size_t size = static_cast<size_t>(frame.ImageDesc.Width) * frame.ImageDesc.Height;
    EXPECT_EQ(ours.Frame(i)->Data(), Pixels(frame.RasterBits, frame.RasterBits + size)) << "frame " << i;
  }
  DGifCloseFile(gif, &error);
}

// Reads the case as a viewer shows it: every frame composed and its bitmap made, dithered (as on a
// screen of 256 colours) and then as the case's own screen shows them. It holds no more than its
// budget and gives all of it back.
GifOutcome Read(const GifCase& c) {
  GifOutcome out;
  TGIFImage image(c.limits);
  std::vector<std::string> warnings;
  image.OnWarning = [&](TGIFItem*, TGIFSeverity, const std::string& text) { warnings.push_back("warning: " + text); };
  std::string error;
  const size_t base = heapPeak = heapInUse;
  try {
    image.LoadFromBytes(c.gif);
    const TGIFDrawOptions own = image.DrawOptions();
    for (const TGIFDrawOptions& options : {TGIFDrawOptions(own).Exclude(goAutoDither), own}) {
      image.SetDrawOptions(options);
      TGIFCanvas canvas(image);
      out.composed.clear();
      for (int i = 0; i < image.FrameCount(); ++i) {
        image.Frame(i)->GetBitmap();
        canvas.Render(i);
        if (!c.composed.empty()) out.composed.push_back(CanvasPam(canvas));
      }
    }
    if (!c.composed.empty()) {
      // Any frame can be asked for: going back starts afresh, jumping ahead composes those between.
      TGIFCanvas jumping(image);
      for (int i = image.FrameCount() - 1; i >= 0; --i) {
        jumping.Render(i);
        EXPECT_EQ(CanvasPam(jumping), out.composed[i]) << "composed " << i << " after " << i + 1;
      }
    }
  } catch (const GIFException& e) {
    error = e.what();
  }
  // Outside the budget: the image object and a few small ones, besides the decoder's tables and data
  // buffer, which are made once for the thread and kept.
  EXPECT_LE(heapPeak - base, c.limits.memoryBudget + (8 << 10));
  for (int i = 0; i < image.FrameCount(); ++i) {
    const TGIFSubImage& frame = *image.Frame(i);
    out.transcript.push_back(FrameInfoLine(frame) + " " + std::to_string(FrameDelay(frame, c.limits, false)) + " " +
                             std::to_string(FrameDelay(frame, c.limits, true)));
    out.frames.push_back(frame.Data());
  }
  if (image.LoopCount()) out.transcript.push_back("loops " + std::to_string(*image.LoopCount()));
  out.transcript.insert(out.transcript.end(), warnings.begin(), warnings.end());
  if (!error.empty()) out.transcript.push_back("error: " + error);
  if (c.flags.count("giflib")) CompareWithGiflib(c.gif, image);
  image.Clear();
  EXPECT_EQ(image.Budget().Used(), 0u);
  return out;
}

// Read again at every budget up to 1.5 MB, after the first reading has made the decoder's tables:
// refused with "Image too large to decode" up to some budget, shown from there on.
void ReadAtEveryBudget(GifCase c) {
  bool shown = false;
  for (c.limits.memoryBudget = 0; c.limits.memoryBudget <= (size_t{3} << 19); c.limits.memoryBudget += 16 << 10) {
    SCOPED_TRACE(c.limits.memoryBudget);
    const std::string last = Read(c).transcript.back();
    if (last.starts_with("error: ")) {
      EXPECT_EQ(last, "error: Image too large to decode");
      EXPECT_FALSE(shown) << "a larger budget refused what a smaller one held";
    }
    shown = shown || !last.starts_with("error: ");
  }
  EXPECT_TRUE(shown);
}

// Every case of every file of tests/data/<folder>, as "folder/file#N": each is a test of its own,
// named "file_N".
std::vector<std::string> GifCaseNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const std::string& file : CaseFiles(folder)) {
    const size_t count = GifCasesIn(ReadCaseFile(file).statements).size();
    for (size_t number = 1; number <= count; ++number) names.push_back(file + "#" + std::to_string(number));
  }
  return names;
}

std::string GifCaseName(const testing::TestParamInfo<std::string>& info) {
  std::string name = CaseName(info);
  std::replace(name.begin(), name.end(), '#', '_');
  return name;
}

GifCase TheCase(const std::string& name) {
  const size_t mark = name.rfind('#');
  return GifCasesIn(ReadCaseFile(name.substr(0, mark)).statements).at(std::stoul(name.substr(mark + 1)) - 1);
}

class GifReadCase : public testing::TestWithParam<std::string> {};

TEST_P(GifReadCase, ReadsAsItSays) {
  const GifCase c = TheCase(GetParam());
  SCOPED_TRACE(c.where);
  CheckGifOutcome(c, Read(c));
  if (c.flags.count("everybudget")) ReadAtEveryBudget(c);
}

INSTANTIATE_TEST_SUITE_P(gif, GifReadCase, testing::ValuesIn(GifCaseNames("gif")), GifCaseName);

class GifToolCase : public testing::TestWithParam<std::string> {};

TEST_P(GifToolCase, ShowsItsFramesAndPictures) {
  TempDir dir;
  std::filesystem::copy_file(KIVO_TOOL, dir / "kivo-tool");
  const GifCase c = TheCase(GetParam());
  SCOPED_TRACE(c.where);
  const std::string folder = dir / "case";
  MakeTestDir(folder + "/out");
  WriteTestFile(folder + "/in.gif", c.gif);
  const ToolRun run = RunTool(dir, dir / "kivo-tool", "gif " + c.tool, folder);
  GifOutcome out;
  for (const auto& [text, prefix] : {std::pair{run.out, ""}, {run.err, "stderr: "}}) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      // The cases name files with '/', where KIVO for Windows writes a backslash.
      if (kWindowsPaths) std::replace(line.begin(), line.end(), '\\', '/');
      out.transcript.push_back(prefix + line);
    }
  }
  if (run.status != 0) out.transcript.push_back("status " + std::to_string(run.status));
  // The numbered pictures the tool wrote, up to the first one missing.
  auto picture = [&](const char* name, size_t number, const char* extension) {
    const std::string path = folder + "/out/" + name + std::to_string(1000 + number).substr(1) + extension;
    return std::filesystem::exists(path) ? std::optional(ReadTestFile(path)) : std::nullopt;
  };
  while (auto pgm = picture("frame-", out.frames.size(), ".pgm")) {
    out.frames.emplace_back(pgm->begin() + static_cast<ptrdiff_t>(pgm->find("\n255\n") + 5), pgm->end());
  }
  while (auto pam = picture("composed-", out.composed.size(), ".pam")) out.composed.push_back(*pam);
  CheckGifOutcome(c, out);
}
INSTANTIATE_TEST_SUITE_P(gif_composed, GifToolCase, testing::ValuesIn(GifCaseNames("gif_composed")), GifCaseName);

}  // namespace
