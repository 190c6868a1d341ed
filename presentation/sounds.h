// The game's sounds: embedded WAVE resources played asynchronously.
#pragma once

// Starts sound `id`, stopping the one still playing.
void PlayGameSound(int id);
