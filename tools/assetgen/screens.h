// The full-window pictures and the overlays that carry words, in French (0) and English (1).
#pragma once

#include "image.h"

Image paintBoardPicture();
Image paintTitleScreen(int language);
Image paintHelpScreen(int language);
Image paintHighScoreScreen(int language);
// 228 by 96 Play again button over the high-score backdrop.
Image paintPlayAgainButton(int language);
// 240 by 108 pause picture: the colour image (white outside the words) and its mask.
Image paintPauseColour(int language);
// Black exactly where the colour image is not pure white, white elsewhere.
Image maskOf(const Image& colour);

// Largest size not above `size` at which the text fits in `width` pixels.
float fittedSize(int face, const char* utf8, float width, float size);
