// One review picture showing every generated bitmap side by side with its id.
#pragma once

#include <utility>
#include <vector>

#include "image.h"

Image makeContactSheet(const std::vector<std::pair<int, Image>>& pictures);
