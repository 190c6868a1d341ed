// Packs the generated bitmaps into rows on a grey sheet, each labelled with its id.
#include "contact_sheet.h"

#include <algorithm>
#include <string>

#include "lettering.h"
#include "shapes.h"

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
    return sheet;
}
