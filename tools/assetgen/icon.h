// The window and desktop icon: a faceted green gem with a red star on a blue tile.
#pragma once

#include "image.h"

// The icon at size by size pixels, transparent round its rounded tile.
Image paintIcon(int size);
