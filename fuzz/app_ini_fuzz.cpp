// The settings file reader and writer on arbitrary bytes: parsing, reading the keys the program
// reads, and rewriting a value must never crash, and a rewrite must keep the value readable.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/ini_document.h"
#include "app/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  IniDocument doc(std::string(reinterpret_cast<const char*>(data), size));
  ReadIniString(doc, "General", "ZSNESPath", "");
  ReadIniInteger(doc, "Default", "CPUCycles", 100);
  ReadIniBool(doc, "Configs", "Zelda", false);
  IniDocument rewritten(doc.WithValue("General", "Volume", "42"));
  if (ReadIniInteger(rewritten, "General", "Volume", -1) != 42) std::abort();
  IniDocument added(doc.WithValue("New Section", "Key", "v"));
  if (ReadIniString(added, "new section", "KEY", "") != "v") std::abort();
  return 0;
}
