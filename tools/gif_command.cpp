// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// kivo-tool gif FILE [OUTDIR [--composed]]: what the decoder makes of a GIF, for a user whose
// screenshot does not show and for comparing the decoder with others. A line naming the columns,
// then one line per frame read ("left top width height interlace transparent delay disposal"), then
// "warning: TEXT" for each warning in the order they arose and "error: FILE: TEXT" when the file
// could not be decoded (the file named, for a user checking many at once). With OUTDIR,
// each frame's colour indexes are also written there as frame-000.pgm, frame-001.pgm, ...; with
// --composed besides, each frame as the preview shows it at natural size (the frames before it
// disposed of, transparent pixels showing what lies under them) as composed-000.pam, ...
#include <cstdio>
#include <ostream>

#include "common/error.h"
#include "common/path.h"
#include "gif/gif_animation.h"
#include "gif/gif_frame_info.h"
#include "gif/gif_image.h"
#include "gif/gif_options.h"
#include "platform/files.h"
#include "tool_command.h"

using namespace kivo::gif;

namespace {

// The columns of FrameInfoLine, printed above the frames.
constexpr char kFrameColumns[] = "left top width height interlace transparent delay disposal";

std::string NumberedName(const char* prefix, int index, const char* extension) {
  char name[64];
  std::snprintf(name, sizeof name, "%s-%03d.%s", prefix, index, extension);
  return name;
}

void WriteOutput(const std::string& folder, const std::string& name, const std::string& bytes) {
  const std::string path = kivo::common::AddBackslash(folder) + name;
  if (!kivo::platform::WriteFileAtomic(path, bytes)) throw kivo::common::KivoError("Cannot create file " + path);
}

// Composes every frame in turn, as an animation shows them, and writes each. A frame that cannot
// be drawn (no colour table) ends the pictures with its error.
std::string WriteComposedFrames(kivo::gif::TGIFImage& image, const std::string& folder) {
  if (image.FrameCount() == 0) return {};
  try {
    kivo::gif::TGIFCanvas canvas(image);
    for (int i = 0; i < image.FrameCount(); ++i) {
      canvas.Render(i);
      WriteOutput(folder, NumberedName("composed", i, "pam"), kivo::gif::CanvasPam(canvas));
    }
  } catch (const kivo::gif::GIFException& e) {
    return e.what();
  }
  return {};
}

}  // namespace

int RunGifCommand(ToolEnvironment&, const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const bool composed = args.size() == 3 && args[2] == "--composed";
  if (args.empty() || (args.size() > 2 && !composed)) {
    err << "usage: kivo-tool gif FILE [OUTDIR [--composed]]\n";
    return kToolUsage;
  }
  std::string bytes;
  if (!kivo::platform::ReadWholeFile(args[0], bytes, kivo::gif::kGifFileLimit)) {
    out << "error: Cannot open file " << args[0] << '\n';
    return kToolFailed;
  }
  kivo::gif::TGIFImage image;
  std::vector<std::string> warnings;
  image.OnWarning = [&warnings](kivo::gif::TGIFItem*, TGIFSeverity, const std::string& message) {
    warnings.push_back(message);
  };
  std::string error;
  try {
    image.LoadFromBytes(bytes);
  } catch (const kivo::gif::GIFException& e) {
    // The frames read before the error stay in the image and are listed like any others.
    error = e.what();
  }
  if (image.FrameCount() > 0) out << kFrameColumns << '\n';
  for (int i = 0; i < image.FrameCount(); ++i) {
    const kivo::gif::TGIFSubImage& frame = *image.Frame(i);
    out << kivo::gif::FrameInfoLine(frame) << '\n';
    if (args.size() >= 2) WriteOutput(args[1], NumberedName("frame", i, "pgm"), kivo::gif::FramePgm(frame));
  }
  if (composed && error.empty()) error = WriteComposedFrames(image, args[1]);
  for (const std::string& warning : warnings) out << "warning: " << warning << '\n';
  if (!error.empty()) {
    out << "error: " << args[0] << ": " << error << '\n';
    return kToolFailed;
  }
  return kToolOk;
}
