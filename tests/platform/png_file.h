// The held pictures' files: PNG of 8-bit RGB pixels, read and written for the tests.
#pragma once

#include <string>

#include "platform/surface.h"

// The picture in `path`; empty when the file is missing or is no PNG this writes.
Surface ReadPng(const std::string& path);
// Writes `s` as RGB at zlib's best compression. False when the file cannot be written.
bool WritePng(const Surface& s, const std::string& path);
