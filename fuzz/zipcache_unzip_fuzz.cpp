// Archives come from anywhere: extraction must take any bytes, write only regular files and
// folders, only inside its target folder, within its bounds, and report exactly files it wrote.
#include <cstdint>
#include <algorithm>
#include <cstdlib>  // mkdtemp
#include <filesystem>
#include <string>
#include <string_view>

#include "zipcache/zip_extract.h"

namespace {

namespace fs = std::filesystem;

void Check(bool condition) {
  if (!condition) std::abort();
}

// A private folder holding the target folder and, beside it, a folder that must stay empty;
// removed when the program ends.
struct Scratch {
  Scratch() {
    std::string pattern = (fs::temp_directory_path() / "kivo-fuzz-unzip-XXXXXX").string();
    Check(::mkdtemp(pattern.data()) != nullptr);
    path = pattern;
    fs::create_directories(path / "beside");
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
  fs::path path;
};

const fs::path& ScratchFolder() {
  static Scratch scratch;
  return scratch.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const fs::path target = ScratchFolder() / "target";
  std::error_code ignored;
  fs::remove_all(target, ignored);
  fs::create_directories(target);

  const ExtractLimits limits{64, 4 << 20};
  ExtractOutcome outcome = ExtractZipBytes(input, target.string(), limits);

  Check(outcome.files.size() <= limits.maxMembers);
  const std::string prefix = target.string() + "/";
  for (const std::string& file : outcome.files) {
    Check(file.compare(0, prefix.size(), prefix) == 0);
    Check(fs::is_regular_file(fs::symlink_status(file)));
  }
  uint64_t bytes = 0;
  for (const auto& entry : fs::recursive_directory_iterator(target)) {
    fs::file_status status = entry.symlink_status();
    Check(fs::is_regular_file(status) || fs::is_directory(status));
    if (fs::is_regular_file(status)) bytes += fs::file_size(entry.path());
    // No half-written file is left; a member may of course carry such a name itself.
    if (fs::is_regular_file(status) && entry.path().filename().string().rfind(".kivo-part-", 0) == 0)
      Check(std::find(outcome.files.begin(), outcome.files.end(), entry.path().string()) != outcome.files.end());
  }
  Check(bytes <= limits.maxBytes);
  Check(fs::is_empty(ScratchFolder() / "beside"));
  size_t besides = 0;
  for (const auto& entry : fs::directory_iterator(ScratchFolder())) besides += entry.path() != target;
  Check(besides == 1);
  fs::remove_all(target, ignored);
  return 0;
}
