// Packs the generated bitmaps into rows on a grey sheet, each labelled with its id, followed by
// the squares, pieces and help screen as viewers with each dichromacy see them.
#include "contact_sheet.h"

#include <algorithm>
#include <string>

#include "colour_vision.h"
#include "lettering.h"
#include "shapes.h"

namespace {
Image simulated(const Image& img, colour_vision::Vision v) {
    Image out(img.width(), img.height());
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            uint32_t c = colour_vision::simulate(v, img.rgb24(x, y));
            out.at(x, y) = rgb(static_cast<int>(c));
        }
    return out;
}

// Rows of the tiles 100 to 114 and the English help screen, once per simulated vision.
Image simulatedViews(const std::vector<std::pair<int, Image>>& pictures, int width) {
    using colour_vision::Vision;
    const Vision visions[3] = {Vision::Deuteranopia, Vision::Protanopia, Vision::Tritanopia};
    const int gap = 10, label = 16, rowH = 480;
    Image band(width, 3 * (rowH + label + gap), rgb(0x808080));
    Coverage text(band.width(), band.height());
    for (int i = 0; i < 3; ++i) {
        int y = i * (rowH + label + gap) + label;
        drawText(text, Face::SansBold, 13, gap, static_cast<float>(y - 3),
                 std::string("simulated ") + colour_vision::nameOf(visions[i]) +
                     " (Machado et al. 2009, full severity)");
        int x = gap, tile = 0;
        for (const auto& [id, img] : pictures) {
            if (id >= 100 && id <= 114) {
                band.draw(simulated(img, visions[i]), gap + (tile % 7) * 58, y + (tile / 7) * 58);
                ++tile;
            }
            if (id == 2501) band.draw(simulated(img, visions[i]), x + 7 * 58 + gap, y);
        }
    }
    paintMask(band, text, solid(rgb(0x000000)));
    return band;
}
} // namespace

Image makeContactSheet(const std::vector<std::pair<int, Image>>& pictures) {
    const int sheetW = 1460, gap = 10, label = 14;
    // First pass: place the pictures in rows.
    struct Place {
        int x, y;
    };
    std::vector<Place> places;
    int x = gap, y = gap, rowH = 0;
    for (const auto& [id, img] : pictures) {
        if (x + img.width() + gap > sheetW) {
            x = gap;
            y += rowH + label + gap;
            rowH = 0;
        }
        places.push_back({x, y + label});
        x += img.width() + gap;
        rowH = std::max(rowH, img.height());
    }
    int sheetH = y + rowH + label + gap;
    Image sheet(sheetW, sheetH, rgb(0x808080));
    Coverage text(sheetW, sheetH);
    for (size_t i = 0; i < pictures.size(); ++i) {
        const auto& [id, img] = pictures[i];
        sheet.draw(img, places[i].x, places[i].y);
        drawText(text, Face::SansBold, 11, static_cast<float>(places[i].x),
                 static_cast<float>(places[i].y - 3), std::to_string(id));
    }
    paintMask(sheet, text, solid(rgb(0x000000)));
    Image views = simulatedViews(pictures, sheetW);
    Image whole(sheetW, sheetH + views.height());
    whole.draw(sheet, 0, 0);
    whole.draw(views, 0, sheetH);
    return whole;
}
