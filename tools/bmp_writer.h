// Writing an Image as an uncompressed 24-bit Windows bitmap: file header, 40-byte info header,
// bottom row first, each row padded to a multiple of 4 bytes. The simplest layout every bitmap
// reader accepts, our own loader included.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/image.h"

// The complete file's bytes; colours are clamped to 0..1 and rounded to 8 bits.
std::vector<std::uint8_t> encodeBmp(const Image& image);
// False when the file could not be written completely.
bool writeBmp(const Image& image, const std::string& path);
