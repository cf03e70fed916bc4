// kivo-tool gif FILE [OUTDIR]: what the decoder makes of a GIF, for a user whose screenshot does not
// show and for comparing the decoder with others. One line per frame read ("left top width height
// interlace transparent delay disposal"), then "warning: TEXT" for each warning in the order they
// arose and "error: TEXT" when the file could not be decoded. With OUTDIR, each frame's colour
// indexes are also written there as frame-000.pgm, frame-001.pgm, ...
#include <cstdio>
#include <ostream>

#include "common/error.h"
#include "common/path.h"
#include "gif/gif_frame_info.h"
#include "gif/gif_image.h"
#include "gif/gif_limits.h"
#include "platform/files.h"
#include "tool_command.h"

namespace {

std::string PgmName(int index) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%03d.pgm", index);
  return name;
}

}  // namespace

int RunGifCommand(ToolEnvironment&, const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty() || args.size() > 2) {
    err << "usage: kivo-tool gif FILE [OUTDIR]\n";
    return kToolUsage;
  }
  std::string bytes;
  if (!platform::ReadWholeFile(args[0], bytes, kGifFileLimit)) {
    out << "error: Cannot open file " << args[0] << '\n';
    return kToolFailed;
  }
  TGIFImage image;
  std::vector<std::string> warnings;
  image.OnWarning = [&warnings](TGIFItem*, TGIFSeverity, const std::string& message) { warnings.push_back(message); };
  std::string error;
  try {
    image.LoadFromBytes(bytes);
  } catch (const GIFException& e) {
    // The frames read before the error stay in the image and are listed like any others.
    error = e.what();
  }
  for (int i = 0; i < image.FrameCount(); ++i) {
    const TGIFSubImage& frame = *image.Frame(i);
    out << FrameInfoLine(frame) << '\n';
    if (args.size() == 2) {
      const std::string path = AddBackslash(args[1]) + PgmName(i);
      if (!platform::WriteFileAtomic(path, FramePgm(frame))) throw KivoError("Cannot create file " + path);
    }
  }
  for (const std::string& warning : warnings) out << "warning: " << warning << '\n';
  if (!error.empty()) {
    out << "error: " << error << '\n';
    return kToolFailed;
  }
  return kToolOk;
}
