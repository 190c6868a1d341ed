// Regenerates every committed picture, sound, font and icon of the game into a resources
// folder, byte for byte the same on every run; optionally writes a contact sheet for review.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "bitmap_fonts.h"
#include "contact_sheet.h"
#include "font_paths.h"
#include "icon.h"
#include "picture_files.h"
#include "preview.h"
#include "screens.h"
#include "sounds.h"
#include "tiles.h"
#include "wave_files.h"

namespace {
const char* LicenceSource = "/usr/share/doc/fonts-dejavu-core/copyright";

std::vector<std::pair<int, Image>> allBitmaps() {
    std::vector<std::pair<int, Image>> out;
    const TileKind kinds[7] = {TileKind::None,      TileKind::ArrowUp,   TileKind::ArrowRight,
                               TileKind::ArrowDown, TileKind::ArrowLeft, TileKind::Diamond,
                               TileKind::Star};
    out.emplace_back(100, paintSquare(TileColour::Plain, TileKind::None));
    for (int k = 0; k < 7; ++k)
        out.emplace_back(101 + k, paintSquare(TileColour::Green, kinds[k]));
    for (int k = 0; k < 7; ++k)
        out.emplace_back(108 + k, paintSquare(TileColour::Red, kinds[k]));
    out.emplace_back(115, paintGradientSquare());
    std::vector<Image> rings;
    for (int s = 0; s < 4; ++s)
        rings.push_back(paintBallRing(s));
    for (int s = 0; s < 4; ++s)
        out.emplace_back(116 + s, rings[static_cast<size_t>(s)]);
    for (int s = 0; s < 4; ++s)
        out.emplace_back(120 + s, maskOf(rings[static_cast<size_t>(s)]));
    out.emplace_back(124, paintGameOverPanel());
    Image pause[2] = {paintPauseColour(0), paintPauseColour(1)};
    out.emplace_back(150, maskOf(pause[0]));
    out.emplace_back(151, maskOf(pause[1]));
    out.emplace_back(152, pause[0]);
    out.emplace_back(153, pause[1]);
    for (int lang = 0; lang < 2; ++lang)
        out.emplace_back(1500 + lang, paintHighScoreScreen(lang));
    for (int lang = 0; lang < 2; ++lang)
        out.emplace_back(1650 + lang, paintPlayAgainButton(lang));
    out.emplace_back(2000, paintBoardPicture());
    for (int lang = 0; lang < 2; ++lang)
        out.emplace_back(2500 + lang, paintHelpScreen(lang));
    for (int lang = 0; lang < 2; ++lang)
        out.emplace_back(2600 + lang, paintTitleScreen(lang));
    return out;
}

std::string licenceText() {
    std::ifstream in(LicenceSource);
    std::stringstream body;
    body << in.rdbuf();
    if (!in) {
        std::fprintf(stderr, "assetgen: cannot read %s\n", LicenceSource);
        std::exit(1);
    }
    return "Glimora's bitmap fonts are drawn from the DejaVu fonts by tools/assetgen:\n"
           "  system.gfnt derives from DejaVu Sans Bold (DejaVuSans-Bold.ttf).\n"
           "  dialog.gfnt derives from DejaVu Sans (DejaVuSans.ttf).\n"
           "They are renamed bitmap renderings, not the DejaVu fonts themselves.\n"
           "The licence of the DejaVu fonts follows.\n\n" +
           body.str();
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: assetgen <resources-folder> [--sheet <contact-sheet.png>] "
                             "[--preview <screens.png>] [--pngs <folder>]\n");
        return 2;
    }
    std::string root = argv[1];
    std::string sheetPath, previewPath, pngFolder;
    for (int i = 2; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--sheet") == 0) sheetPath = argv[i + 1];
        if (std::strcmp(argv[i], "--preview") == 0) previewPath = argv[i + 1];
        if (std::strcmp(argv[i], "--pngs") == 0) pngFolder = argv[i + 1];
    }

    auto bitmaps = allBitmaps();
    for (const auto& [id, img] : bitmaps)
        writeFile(root + "/bitmaps/" + std::to_string(id) + ".bmp", encodeBmp24(img));

    // 1012 frames per block give the 1024-byte stereo blocks of the usual 22 kHz ADPCM layout.
    for (const Sound& s : synthesiseSounds()) {
        Bytes b = s.id == 5000 ? encodeMsAdpcm(s.samples, s.channels, SoundRate, 1012)
                               : encodePcm16(s.samples, s.channels, SoundRate);
        writeFile(root + "/sounds/" + std::to_string(s.id) + ".wav", b);
    }

    std::string report;
    Bytes systemFont = buildBitmapFont({SansBoldFontPath, 16, 13, 11, 13, true}, &report);
    writeFile(root + "/fonts/system.gfnt", systemFont);
    Bytes dialogFont = buildBitmapFont({SansFontPath, 13, 11, 10, 11, false}, &report);
    writeFile(root + "/fonts/dialog.gfnt", dialogFont);
    std::string lic = licenceText();
    writeFile(root + "/fonts/LICENSE.txt", Bytes(lic.begin(), lic.end()));
    if (!report.empty()) std::fprintf(stderr, "%s", report.c_str());

    std::vector<Image> icons;
    for (int size : {16, 32, 48, 256})
        icons.push_back(paintIcon(size));
    writeFile(root + "/icon/glimora.ico", encodeIco(icons));
    for (int size : {16, 32, 48, 64, 128, 256})
        writeFile(root + "/icon/glimora-" + std::to_string(size) + ".png",
                  encodePng(paintIcon(size), true));

    if (!sheetPath.empty()) {
        auto sheetItems = bitmaps;
        for (int size : {16, 32, 48, 64, 128, 256}) {
            Image icon = paintIcon(size);
            Image onGrey(size, size, rgb(0x808080));
            onGrey.draw(icon, 0, 0);
            sheetItems.emplace_back(500 + size, onGrey);
        }
        writeFile(sheetPath, encodePng(makeContactSheet(sheetItems), false));
    }
    if (!pngFolder.empty())
        for (const auto& [id, img] : bitmaps)
            writeFile(pngFolder + "/" + std::to_string(id) + ".png", encodePng(img, false));
    if (!previewPath.empty()) {
        std::map<int, Image> byId(bitmaps.begin(), bitmaps.end());
        writeFile(previewPath, encodePng(makePreview(byId, systemFont), false));
        std::string zoomPath = previewPath.substr(0, previewPath.size() - 4) + "-tiles.png";
        writeFile(zoomPath, encodePng(makeTileZoom(byId), false));
        std::string fontPath = previewPath.substr(0, previewPath.size() - 4) + "-fonts.png";
        writeFile(fontPath, encodePng(makeFontSheet(systemFont, dialogFont), false));
    }
    return 0;
}
