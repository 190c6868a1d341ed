// The title, help and high-score screens, the high-score rows and the pause overlay.
#include "presentation/screens.h"

#include <cstdio>
#include <string_view>

#include "presentation/canvas.h"
#include "presentation/game_screen.h"
#include "presentation/graphics.h"

namespace {
constexpr int TitlePicture = 2600;
constexpr int HelpPicture = 2500;
constexpr int HighScorePicture = 1500;
constexpr int PlayAgainPicture = 1650;
constexpr int PauseMaskPicture = 150;
constexpr int PauseColourPicture = 152;

constexpr int RowTop = 91;
constexpr int RowPitch = 51;
constexpr int NameLeft = 51;
constexpr int ScoreLeft = 246;

// One text written black on white into the scratch strip, then printed white over the
// picture: MERGEPAINT turns the black letters white and leaves the rest alone.
void printRowText(std::string_view text, int canvasX, int canvasY) {
    FillWhite(ScratchStrip.surface, 0, 0, StripWidth, LabelStripHeight);
    WriteText(ScratchStrip.surface, ScratchStrip.state, 0, 0, text);
    DrawToWindow(ScaleX(canvasX), ScaleY(canvasY), ScaleX(StripWidth) * 2, (ClientHeight / 10) * 2,
                 ScratchStrip.surface, 0, 0, StripWidth, LabelStripHeight, Rop::MergePaint);
}
} // namespace

int LocalizedPicture(int base, uint8_t language) {
    // Any language byte other than French shows the English picture, as the menus do.
    return base + (language == 0 ? 0 : 1);
}

void DrawTitleScreen(uint8_t language) {
    ShowPicture(LocalizedPicture(TitlePicture, language));
    CreateGraphicsIfNeeded();
}

void DrawHelpScreen(uint8_t language) {
    ShowPicture(LocalizedPicture(HelpPicture, language));
}

void DrawHighScoreScreen(uint8_t language, bool withPlayAgain,
                         const std::array<ScoreRow, 6>& rows) {
    ShowPicture(LocalizedPicture(HighScorePicture, language));
    CreateGraphicsIfNeeded();
    if (withPlayAgain) {
        Surface button = LoadBitmapResource(LocalizedPicture(PlayAgainPicture, language));
        DrawToWindow(ScaleX(21), ScaleY(387), ScaleX(228), ClientHeight / 5, button, 0, 0, 228, 96,
                     Rop::SrcCopy);
    }
    DrawHighScoreRows(rows);
}

void DrawHighScoreRows(const std::array<ScoreRow, 6>& rows) {
    for (size_t i = 0; i < rows.size(); ++i) {
        const ScoreRow& row = rows[i];
        if (!row.used) continue;
        int top = RowTop + RowPitch * static_cast<int>(i);
        TextState saved = ScratchStrip.state;
        ScratchStrip.state = TextState{rgb(0, 0, 0), rgb(255, 255, 255), BkMode::Opaque};
        // The name ends at its first zero byte, as a C string would.
        std::string_view name(row.name.c_str());
        printRowText(name, NameLeft, top);
        char score[16];
        std::snprintf(score, sizeof score, "%d", static_cast<int>(row.score));
        printRowText(score, ScoreLeft, top);
        ScratchStrip.state = saved;
    }
}

void DrawPauseOverlay(GameState& game, uint8_t language) {
    PresentBackBuffer();
    RefreshScorePanel(game);
    Surface mask = LoadBitmapResource(LocalizedPicture(PauseMaskPicture, language));
    Surface colour = LoadBitmapResource(LocalizedPicture(PauseColourPicture, language));
    int x = ClientWidth / 4;
    int y = ScaleY(186);
    int w = ClientWidth / 2;
    int h = ScaleY(108);
    DrawToWindow(x, y, w, h, mask, 0, 0, 240, 108, Rop::MergePaint);
    DrawToWindow(x, y, w, h, colour, 0, 0, 240, 108, Rop::SrcAnd);
}

void DrawGameOverPanel() {
    int w = ScaleX(450);
    int h = ScaleY(180);
    DrawToWindow((ClientWidth - w) / 2, (ClientHeight - h) / 2, w, h,
                 TileSet[static_cast<size_t>(GameOverTile)], 0, 0, 450, 180, Rop::SrcCopy);
}
