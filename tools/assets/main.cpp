// gravlin-assets: writes every picture, sound and header the game reads into
// a game folder, from nothing but this program. Same bytes on every run.
//
//   gravlin-assets GAME_DIR [--icon FILE.png] [--contact-sheet FILE.bmp|FILE.png]

#include "Pictures.h"
#include "Sounds.h"
#include "audio/SoundCues.h"
#include "audio/SoundLibrary.h"
#include "common/Files.h"
#include "presentation/Bmp.h"
#include "presentation/Png.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

namespace gravlin::assets {
namespace {

// The editor's palette: the codes a level designer places, grouped as the
// editor shows them: ground and walls, the start and the exit, what is
// collected, what moves, what kills, and the teleports.
const int EditorPalette[] = {0,  1,   97,  135, 136, 127, 24,  134, 6,   77,  12,  20,  22,  21,  23, 64,
                             68, 104, 130, 131, 132, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114};

bool WritePicture(const std::string& path, const Canvas& canvas) {
    std::string error;
    if (!WriteBmpFile(path, Quantise(canvas, GamePalette()), GamePalette(), &error)) {
        std::fprintf(stderr, "gravlin-assets: %s\n", error.c_str());
        return false;
    }
    return true;
}

bool WriteText(const std::string& path, const std::string& text) {
    std::string error;
    if (!WriteFileAtomic(path, text, &error)) {
        std::fprintf(stderr, "gravlin-assets: %s\n", error.c_str());
        return false;
    }
    return true;
}

// A PNG file of the canvas; colour 0 see-through for the icon.
bool WritePng(const std::string& path, const Canvas& canvas, bool keyTransparent) {
    std::string png = EncodePng(Quantise(canvas, GamePalette()), GamePalette(), keyTransparent);
    if (png.empty()) {
        std::fprintf(stderr, "gravlin-assets: %s: the picture cannot be compressed\n", path.c_str());
        return false;
    }
    return WriteText(path, png);
}

bool EndsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

int Run(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: gravlin-assets GAME_DIR [--icon FILE.png] [--contact-sheet FILE.bmp|FILE.png]\n");
        return 2;
    }
    std::string game = argv[1], icon, contact;
    for (int i = 2; i + 1 < argc; i += 2) {
        std::string opt = argv[i];
        if (opt == "--icon")
            icon = argv[i + 1];
        else if (opt == "--contact-sheet")
            contact = argv[i + 1];
        else {
            std::fprintf(stderr, "gravlin-assets: unknown option %s\n", opt.c_str());
            return 2;
        }
    }
    std::error_code ec;
    std::filesystem::create_directories(game + "/Surfaces", ec);
    std::filesystem::create_directories(game + "/Sounds", ec);
    const std::string surfaces = game + "/Surfaces/";

    bool ok = WritePicture(surfaces + "All256.DIB", PlaySheet()) &&
              WritePicture(surfaces + "VsAll256.DIB", LevelChoiceSheet()) &&
              WritePicture(surfaces + "Userbits.DIB", MenuPicture()) &&
              WritePicture(surfaces + "All256Intro.DIB", TitlePicture()) &&
              WritePicture(surfaces + "Help256.DIB", HelpPicture());
    ok = ok && WriteText(surfaces + "All256.hdr", "16\r\n12\r\n");
    std::string palette;
    for (int code : EditorPalette) palette += std::to_string(code) + "\r\n";
    ok = ok && WriteText(surfaces + "MapBmps.hdr", palette);

    std::vector<SoundEntry> entries;
    for (const char* name : CueNames) entries.push_back({name, EncodeWave16(SynthesiseCue(name), 1, CueRate)});
    std::string error;
    if (ok && !WriteSoundLibrary(game + "/Sounds/Soundlib.dxw", entries, &error)) {
        std::fprintf(stderr, "gravlin-assets: %s\n", error.c_str());
        ok = false;
    }
    ok = ok && WriteText(game + "/Sounds/Bass2.wav", EncodeWave16(SynthesiseMusic(), 2, MusicRate));

    if (ok && !icon.empty()) ok = WritePng(icon, IconPicture(64), true);
    if (ok && !contact.empty())
        ok = EndsWith(contact, ".png") ? WritePng(contact, ContactSheet(), false)
                                       : WritePicture(contact, ContactSheet());
    return ok ? 0 : 1;
}

} // namespace
} // namespace gravlin::assets

int main(int argc, char** argv) {
    try {
        return gravlin::assets::Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gravlin-assets: %s\n", e.what());
        return 1;
    }
}
