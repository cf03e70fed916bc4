// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// kivo-demo-maker DEMO_FOLDER: lays out a self-contained folder to try KIVO in. It holds copies of
// kivo, kivo-tool and the manual with a kivo.ini whose paths point into the folder, ROM images of
// invented games (one with a copier header, one with a wrong checksum, one zipped, one with blanks
// and brackets in its name, one in a sub-folder), screenshots drawn in code, and an emulator folder
// whose ZSNES.EXE is a stand-in window showing how it was started. Everything is made here; nothing
// is taken from elsewhere. Running it again writes every one of these files afresh, settings
// included; what KIVO added meanwhile (its zip cache, aliases, filed screenshots) stays.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "demo_art.h"
#include "support/rom_builder.h"
#include "support/zip_builder.h"

namespace {

// Marks a folder this program made, so it never writes over a folder of the user's by mistake.
constexpr char kMarker[] = ".kivo-demo";

struct DemoGame {
  QString folder;  // below the ROM folder, empty for the ROM folder itself
  QString file;
  SnesRomLayout desc;
  bool zipped = false;  // the image goes into an archive of the same name with ".zip"
};

SnesRomLayout GameDesc(const char* title, RomLayout layout, int sizeMbit, std::uint8_t country, std::uint32_t seed) {
  SnesRomLayout desc;
  desc.title = title;
  desc.layout = layout;
  desc.makeup = layout == RomLayout::HiRom ? 0x21 : 0x20;
  desc.type = 0;      // ROM only; a game that saves says so below
  desc.licensee = 0;  // invented games name no real publisher
  desc.sizeMbit = sizeMbit;
  desc.country = country;
  desc.seed = seed;
  return desc;
}

std::vector<DemoGame> Games() {
  std::vector<DemoGame> games;
  games.push_back({"", "Starlight Courier.smc", GameDesc("STARLIGHT COURIER", RomLayout::LoRom, 8, 1, 11)});

  DemoGame moss{"", "Moss Knight (E) [!].sfc", GameDesc("MOSS KNIGHT", RomLayout::HiRom, 16, 2, 12)};
  moss.desc.makeup = 0x31;  // HiROM, FastROM
  moss.desc.type = 2;       // ROM and save RAM
  moss.desc.sramCode = 3;   // of 64 Kbit
  moss.desc.version = 1;
  games.push_back(moss);

  DemoGame comet{"", "Pocket Comet.fig", GameDesc("POCKET COMET", RomLayout::LoRom, 12, 1, 13)};
  comet.desc.copierHeader = true;
  games.push_back(comet);

  DemoGame racing{"", "Rust Bucket Racing.smc", GameDesc("RUST BUCKET RACING", RomLayout::LoRom, 4, 1, 14)};
  racing.desc.checksumError = 0x0BAD;
  games.push_back(racing);

  DemoGame lantern{"", "Lantern Tide.smc", GameDesc("LANTERN TIDE", RomLayout::LoRom, 4, 0, 15)};
  lantern.zipped = true;
  games.push_back(lantern);

  games.push_back({"More Games", "Cloud Mill.sfc", GameDesc("CLOUD MILL", RomLayout::HiRom, 8, 0, 16)});
  return games;
}

void Fail(const QString& message) { throw std::runtime_error(message.toLocal8Bit().toStdString()); }

void MakeFolder(const QString& path) {
  if (!QDir().mkpath(path)) Fail("cannot create the folder " + path);
}

void WriteBytes(const QString& path, const std::string& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), static_cast<qint64>(bytes.size())) < 0 ||
      !file.commit()) {
    Fail("cannot write " + path);
  }
}

// Lines of a DOS-style text file, each ended by CR LF.
std::string CrLfLines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

void SaveImage(const QImage& image, const QString& path) {
  if (!image.save(path, "BMP")) Fail("cannot write " + path);
}

// A copy that keeps the source's permissions, so programs stay executable.
void CopyFile(const QString& from, const QString& to) {
  if (!QFileInfo(from).isFile()) Fail("missing " + from + " (build it first)");
  if (QFileInfo::exists(to) && !QFile::remove(to)) Fail("cannot replace " + to);
  if (!QFile::copy(from, to)) Fail("cannot copy " + from + " to " + to);
  if (!QFile::setPermissions(to, QFile::permissions(from))) Fail("cannot set the permissions of " + to);
}

// The folder must be new, empty, or made by this program before.
void CheckTarget(const QDir& demo) {
  if (!demo.exists()) return;
  if (demo.isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) return;
  if (!QFileInfo(demo.filePath(kMarker)).isFile()) {
    Fail(demo.path() + " holds files that this program did not make; choose a new or empty folder");
  }
}

std::string Bytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

void WriteRoms(const QDir& roms) {
  for (const DemoGame& game : Games()) {
    QDir folder(roms.filePath(game.folder));
    MakeFolder(folder.path());
    std::string image = BuildSnesRom(game.desc);
    if (game.zipped) {
      QString archive = QFileInfo(game.file).completeBaseName() + ".zip";
      WriteBytes(folder.filePath(archive), BuildZip({ZipFile(Bytes(game.file), image, true)}));
    } else {
      WriteBytes(folder.filePath(game.file), image);
    }
  }
}

void WriteMedia(const QDir& media, const QDir& saves) {
  SaveImage(demo_art::StarlightCourier(), media.filePath("Starlight Courier.bmp"));
  SaveImage(demo_art::LanternTide(), media.filePath("Lantern Tide.bmp"));
  SaveImage(demo_art::CloudMill(), media.filePath("Cloud Mill.bmp"));
  WriteBytes(media.filePath("Moss Knight (E) [!].gif"), demo_art::EncodeGif(demo_art::MossKnightFrames(), 15));
  WriteBytes(media.filePath("Pocket Comet.gif"), demo_art::EncodeGif({demo_art::PocketComet()}, 0));
  // The emulator's last screenshot, for "Archive screenshot" to file under the racing game, which
  // has none yet: a filing from an earlier run of the demo is taken back.
  SaveImage(demo_art::RustBucketRacing(), saves.filePath("image.bmp"));
  QFile::remove(media.filePath("Rust Bucket Racing.bmp"));
}

void WriteEmulator(const QDir& emulator, const QDir& saves) {
  CopyFile(KIVO_DEMO_STANDIN, emulator.filePath("ZSNES.EXE"));
  // A few lines as the emulator keeps them; KIVO rewrites eight of them before each start and
  // keeps the others (the last two) as they are.
  WriteBytes(emulator.filePath("ZSNES.CFG"),
             CrLfLines({"FrameSkip =0", "AutoFrameSkip = 1", "GUIDisable = 1", "CopyMethod = 0", "Scanlines =0",
                        "VSync =0", "SaveDirectory =" + Bytes(saves.path()), "GameDirectory =", "SoundQuality = 4",
                        "KeyboardLayout = 1"}));
  WriteBytes(emulator.filePath("Readme.txt"),
             CrLfLines({"KIVO demo: the emulator folder", "",
                        "ZSNES.EXE here is a stand-in, not the emulator. When KIVO starts a game, it opens a",
                        "window that shows the command line it was given, the folder it was started in, the",
                        "ROM file the command line names and this folder's ZSNES.CFG as KIVO left it.", "",
                        "To play for real, point \"ZSNES\" on KIVO's Setup tab at a folder whose ZSNES.EXE is",
                        "the emulator (see KIVO's README)."}));
}

void WriteSettings(const QDir& demo) {
  const std::string folder = Bytes(demo.absolutePath());
  WriteBytes(
      demo.filePath("kivo.ini"),
      CrLfLines({"[General]", "Run first=0", "ZSNESPath=" + folder + "/emulator", "MediaPath=" + folder + "/media",
                 "SavegamePath=" + folder + "/saves", "ROMDirectory=" + folder + "/roms", "",
                 // One game with a configuration of its own, marked in the list.
                 "[Configs]", "Starlight Courier=1", "", "[Starlight Courier]", "Scanlines=1", "VSync=1"}));
}

void MakeDemo(const QString& target) {
  QDir demo(QDir(target).absolutePath());
  CheckTarget(demo);
  const QDir roms(demo.filePath("roms")), media(demo.filePath("media")), saves(demo.filePath("saves")),
      emulator(demo.filePath("emulator"));
  for (const QDir& folder : {demo, roms, media, saves, emulator}) MakeFolder(folder.path());
  WriteBytes(demo.filePath(kMarker), "Made by kivo-demo-maker; running it again writes its files afresh.\n");

  CopyFile(KIVO_DEMO_PROGRAM, demo.filePath("kivo"));
  CopyFile(KIVO_DEMO_TOOL, demo.filePath("kivo-tool"));
  CopyFile(KIVO_DEMO_MANUAL, demo.filePath("KIVO - Manual.txt"));
  WriteRoms(roms);
  WriteMedia(media, saves);
  WriteEmulator(emulator, saves);
  WriteSettings(demo);
}

}  // namespace

int main(int argc, char** argv) {
  // Pictures are drawn and their letters laid out without a screen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: kivo-demo-maker DEMO_FOLDER\n");
    return 2;
  }
  try {
    MakeDemo(QFile::decodeName(argv[1]));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "kivo-demo-maker: %s\n", error.what());
    return 1;
  }
  std::printf("KIVO demo made in %s; start it with %s/kivo\n", argv[1], argv[1]);
  return 0;
}
