// Turning a bitmap's pixel data into packed 24-bit RGB rows, bottom row first: the uncompressed
// depths and the two run-length encodings. The layout has been read and its geometry checked.
#pragma once

#include <cstddef>

#include "scene/bmp_header.h"

// `rgb` has room for width x |height| pixels of 3 bytes. ConversionError when the file does
// not hold all the rows.
DibStatus convertUncompressedPixels(const unsigned char* bytes, std::size_t size,
                                    const DibLayout& layout, unsigned char* rgb);

// 8-bit and 4-bit run-length data (bottom-up only). Pixels the data never reaches show the first
// colour of the table. ConversionError when the data ends before the end-of-bitmap code while
// rows remain to be drawn.
DibStatus convertRunLengthPixels(const unsigned char* bytes, std::size_t size,
                                 const DibLayout& layout, unsigned char* rgb);
