#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "scene/bmp_header.h"
#include "scene/bmp_image.h"
#include "support/bitmap_files.h"

namespace {

struct ImageDeleter {
    void operator()(RgbImage* image) const { freeRgbImage(image); }
};
using ImagePtr = std::unique_ptr<RgbImage, ImageDeleter>;

ImagePtr decode(const Bytes& bytes) {
    return ImagePtr(decodeDibImage(bytes.data(), bytes.size(), "test.bmp"));
}

Bytes pixelsOf(const RgbImage& image) {
    return Bytes(image.data, image.data + std::size_t(image.width) * image.height * 3);
}

// Decodes a bitmap that must succeed without a message.
ImagePtr decodeCleanly(const Bytes& bytes) {
    CapturedMessages messages;
    ImagePtr image = decode(bytes);
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    return image;
}

// A refused bitmap shows exactly this one message and gives no image.
void expectRefused(const Bytes& bytes, const std::string& message, const char* what) {
    CapturedMessages messages;
    ImagePtr image = decode(bytes);
    EXPECT_EQ(image, nullptr) << what;
    ASSERT_EQ(messages.texts.size(), 1u) << what;
    EXPECT_EQ(messages.captions[0], "Error") << what;
    EXPECT_EQ(messages.texts[0], message) << what;
}

const char* const kUnknownFormat = "Unknown DIB file format.";
const char* const kConversionError = "Image file conversion error.";

BitmapParts rle8Picture(int width, int height, Bytes data) {
    BitmapParts parts;
    parts.width = width;
    parts.height = height;
    parts.bitsPerPixel = 8;
    parts.compression = 1;
    parts.colorsUsed = 4;
    parts.colorTable = colorTable({0x0A141E, 0xFF0000, 0x00FF00, 0x0000FF});
    parts.pixels = std::move(data);
    return parts;
}

} // namespace

TEST(BmpImage, TwentyFourBitRowsDropTheirPaddingAndBecomeRgb) {
    BitmapParts parts;
    parts.width = 2;
    parts.height = 2;
    // Bottom row first, blue green red, two padding bytes per row.
    parts.pixels = {1, 2, 3, 4, 5, 6, 0xEE, 0xEE, 7, 8, 9, 10, 11, 12, 0xEE, 0xEE};
    ImagePtr image = decodeCleanly(makeBitmap(parts));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(pixelsOf(*image), (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}));

    // Three pixels make 9 bytes, padded with 3 in the file and packed tightly in the image.
    parts.width = 3;
    parts.pixels = {1,  2,  3,  4,  5,  6,  7,  8,  9,  0xEE, 0xEE, 0xEE,
                    10, 11, 12, 13, 14, 15, 16, 17, 18, 0xEE, 0xEE, 0xEE};
    image = decodeCleanly(makeBitmap(parts));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(pixelsOf(*image),
              (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13, 18, 17, 16}));

    // The last row may come without its padding.
    parts.pixels.resize(parts.pixels.size() - 3);
    EXPECT_NE(decodeCleanly(makeBitmap(parts)), nullptr);
}

TEST(BmpImage, ColorCountComesFromColorsUsedOrTheDepth) {
    DibInfoHeader header;
    header.size = kInfoHeaderSize;
    header.bitsPerPixel = 8;
    EXPECT_EQ(colorCount(header), 256);
    header.colorsUsed = 16;
    EXPECT_EQ(colorCount(header), 16);
    header.bitsPerPixel = 24; // a table may come with true-colour pixels too
    EXPECT_EQ(colorCount(header), 16);
    header.colorsUsed = 0;
    EXPECT_EQ(colorCount(header), 0);
    header.bitsPerPixel = 1;
    EXPECT_EQ(colorCount(header), 2);
    header.bitsPerPixel = 4;
    EXPECT_EQ(colorCount(header), 16);
    header.bitsPerPixel = 2;
    EXPECT_EQ(colorCount(header), 0);
    // A core header has no colours-used field.
    header.size = kCoreHeaderSize;
    header.bitsPerPixel = 8;
    header.colorsUsed = 16;
    EXPECT_EQ(colorCount(header), 256);
}

TEST(BmpImage, BareBitmapPixelsFollowTheColourTable) {
    BitmapParts parts;
    parts.fileHeader = false;
    parts.width = 4;
    parts.bitsPerPixel = 8;
    parts.colorsUsed = 16;
    for (int i = 0; i < 16; ++i)
        parts.colorTable.insert(parts.colorTable.end(), {Bytes::value_type(i), 0, 0, 0});
    parts.pixels = {15, 0, 7, 1};
    ImagePtr image = decodeCleanly(makeBitmap(parts));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(pixelsOf(*image), (Bytes{0, 0, 15, 0, 0, 0, 0, 0, 7, 0, 0, 1}));

    // Without colours-used an 8-bit table has 256 entries: the pixels start at 40 + 1024.
    parts.colorsUsed = 0;
    parts.colorTable.resize(256 * 4, 0);
    parts.colorTable[200 * 4 + 1] = 99;
    parts.pixels = {200, 0, 0, 0};
    image = decodeCleanly(makeBitmap(parts));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->data[1], 99);

    // A core header has 3-byte entries: 1-bit pixels start at 12 + 2 x 3.
    BitmapParts core;
    core.fileHeader = false;
    core.headerSize = 12;
    core.width = 3;
    core.bitsPerPixel = 1;
    core.colorTable = {0, 0, 255, 255, 0, 0}; // red, blue
    core.pixels = {0x40, 0, 0, 0};            // 0 1 0
    image = decodeCleanly(makeBitmap(core));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(pixelsOf(*image), (Bytes{255, 0, 0, 0, 0, 255, 255, 0, 0}));
}

TEST(BmpImage, IndexedPixelsReadTheHighBitsFirst) {
    BitmapParts parts;
    parts.width = 10;
    parts.bitsPerPixel = 1;
    parts.colorTable = colorTable({0x000000, 0xFFFFFF});
    parts.pixels = {0xA0, 0xC0, 0x55, 0x55}; // 1010 0000 11; the rest is padding
    ImagePtr image = decodeCleanly(makeBitmap(parts));
    ASSERT_NE(image, nullptr);
    const int expected[10] = {1, 0, 1, 0, 0, 0, 0, 0, 1, 1};
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(image->data[3 * x], expected[x] * 255) << "pixel " << x;

    // An index past a short table shows the table's first colour.
    parts.width = 3;
    parts.bitsPerPixel = 4;
    parts.colorsUsed = 3;
    parts.colorTable = colorTable({0x102030, 0x405060, 0x708090});
    parts.pixels = {0x21, 0xF0, 0, 0};
    image = decodeCleanly(makeBitmap(parts));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(pixelsOf(*image), (Bytes{0x70, 0x80, 0x90, 0x40, 0x50, 0x60, 0x10, 0x20, 0x30}));
}

TEST(BmpImage, SixteenAndThirtyTwoBitPixels) {
    BitmapParts parts;
    parts.width = 3;
    parts.bitsPerPixel = 16;
    // 5-5-5 with red on top; the top bit is unused. Padded from 6 to 8 bytes.
    parts.pixels = {0xFF, 0x7F, 0x21, 0x84, 0x00, 0x7C, 0xEE, 0xEE};
    ImagePtr image = decodeCleanly(makeBitmap(parts));
    ASSERT_NE(image, nullptr);
    // Five bits widen to eight by repeating the top bits: 31 -> 255, 1 -> 8.
    EXPECT_EQ(pixelsOf(*image), (Bytes{255, 255, 255, 8, 8, 8, 255, 0, 0}));

    parts.width = 2;
    parts.bitsPerPixel = 32;
    parts.pixels = {1, 2, 3, 0x77, 4, 5, 6, 0xFF};
    image = decodeCleanly(makeBitmap(parts));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(pixelsOf(*image), (Bytes{3, 2, 1, 6, 5, 4}));
}

TEST(BmpImage, TopDownRowsComeOutBottomFirst) {
    BitmapParts parts;
    parts.width = 1;
    parts.height = -3;
    parts.pixels = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0}; // red, green, blue, top first
    ImagePtr image = decodeCleanly(makeBitmap(parts));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->height, 3);
    EXPECT_EQ(pixelsOf(*image), (Bytes{0, 0, 255, 0, 255, 0, 255, 0, 0}));
}

TEST(BmpImage, Rle8RunsEscapesAndUntouchedPixels) {
    Bytes data = {1, 1,             // one pixel of colour 1
                  0, 3, 2, 3, 2, 0, // absolute run of three, padded to an even count
                  0, 0,             // end of line
                  0, 2, 1, 1,       // delta: one right, one up, skipping row 1
                  2, 3,             // two pixels of colour 3
                  0, 1};            // end of bitmap
    ImagePtr image = decodeCleanly(makeBitmap(rle8Picture(4, 3, data)));
    ASSERT_NE(image, nullptr);
    const Bytes first = {10, 20, 30}, red = {255, 0, 0}, green = {0, 255, 0}, blue = {0, 0, 255};
    const Bytes* expected[12] = {&red,   &green, &blue,  &green, &first, &first,
                                 &first, &first, &first, &blue,  &blue,  &first};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(Bytes(image->data + 3 * i, image->data + 3 * i + 3), *expected[i]) << i;
}

TEST(BmpImage, Rle4NibblesAndAbsoluteRunPadding) {
    BitmapParts parts;
    parts.width = 5;
    parts.height = 2;
    parts.bitsPerPixel = 4;
    parts.compression = 2;
    for (int i = 0; i < 16; ++i)
        parts.colorTable.insert(parts.colorTable.end(), {0, 0, Bytes::value_type(i * 16), 0});
    parts.pixels = {5, 0x12,                      // 1 2 1 2 1
                    0, 0,                         // end of line
                    0, 5,    0x34, 0x56, 0x70, 0, // 3 4 5 6 7: three bytes padded to four
                    0, 1};
    ImagePtr image = decodeCleanly(makeBitmap(parts));
    ASSERT_NE(image, nullptr);
    const int expected[10] = {1, 2, 1, 2, 1, 3, 4, 5, 6, 7};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(image->data[3 * i], expected[i] * 16) << i;
}

TEST(BmpImage, RleRunsPastThePictureAreClipped) {
    // A run longer than the row must not spill into the next row, nor a delta out of the picture
    // write anywhere.
    Bytes data = {5, 1, 0, 0, 1, 2, 0, 2, 200, 200, 9, 3, 0, 1};
    ImagePtr image = decodeCleanly(makeBitmap(rle8Picture(2, 2, data)));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(pixelsOf(*image), (Bytes{255, 0, 0, 255, 0, 0, 0, 255, 0, 10, 20, 30}));

    // Once the last row is done the missing end-of-bitmap code does not matter.
    EXPECT_NE(decodeCleanly(makeBitmap(rle8Picture(2, 1, {2, 1, 0, 0}))), nullptr);
}

TEST(BmpImage, TruncatedRunLengthDataIsRefused) {
    expectRefused(makeBitmap(rle8Picture(4, 2, {4, 1})), kConversionError, "no end of bitmap");
    expectRefused(makeBitmap(rle8Picture(4, 2, {4, 1, 0})), kConversionError, "half a code");
    expectRefused(makeBitmap(rle8Picture(4, 2, {0, 2, 1})), kConversionError, "short delta");
    expectRefused(makeBitmap(rle8Picture(4, 2, {0, 4, 1, 2})), kConversionError,
                  "short absolute run");
    BitmapParts pastEnd = rle8Picture(4, 2, {0, 1});
    Bytes file = makeBitmap(pastEnd, 5000);
    expectRefused(file, kConversionError, "pixel offset past the end");
}

TEST(BmpImage, OnlyTwelveAndFortyByteHeadersAreKnown) {
    BitmapParts parts;
    parts.pixels = {1, 2, 3, 0};
    for (std::uint32_t size : {108u, 124u, 64u, 16u, 0u}) {
        parts.headerSize = size;
        expectRefused(makeBitmap(parts), kUnknownFormat, "header size");
    }
    expectRefused(Bytes{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0}, kUnknownFormat,
                  "file header cut");
    expectRefused(Bytes{40, 0}, kUnknownFormat, "header size cut");
    expectRefused(Bytes{}, kUnknownFormat, "no bytes");
}

TEST(BmpImage, HeadersPointingPastTheEndAreRefused) {
    BitmapParts parts;
    parts.width = 2;
    parts.height = 2;
    parts.pixels = Bytes(16, 0);
    Bytes file = makeBitmap(parts);
    // The last row may lack its padding, but not a byte of its pixels.
    Bytes shortRow(file.begin(), file.end() - 3);
    expectRefused(shortRow, kConversionError, "pixel data one byte short");
    expectRefused(Bytes(file.begin(), file.begin() + 30), kConversionError, "info header cut");
    expectRefused(makeBitmap(parts, 0x7FFFFFF0), kConversionError, "huge pixel offset");
    expectRefused(makeBitmap(parts, 0xFFFFFFFF), kConversionError, "pixel offset at 4 GiB");

    BitmapParts indexed;
    indexed.bitsPerPixel = 8;
    indexed.colorsUsed = 200;
    indexed.colorTable = colorTable({0, 0, 0});
    indexed.pixels = {0, 0, 0, 0};
    expectRefused(makeBitmap(indexed), kConversionError, "colour table past the end");
}

TEST(BmpImage, HeadersThatCannotBeConvertedAreRefused) {
    struct Case {
        const char* what;
        std::int32_t width, height;
        std::uint16_t bitsPerPixel;
        std::uint32_t compression;
        std::uint16_t planes = 1;
        std::uint32_t colorsUsed = 0;
    };
    const Case cases[] = {
        {"zero width", 0, 1, 24, 0},
        {"zero height", 1, 0, 24, 0},
        {"negative width", -4, 1, 24, 0},
        {"too wide", 16385, 1, 8, 1},
        {"too tall", 1, -16385, 24, 0},
        {"lowest height", 1, INT32_MIN, 24, 0},
        {"more than 256 MiB", 16384, 16384, 8, 1},
        {"bit fields", 1, 1, 16, 3},
        {"embedded JPEG", 1, 1, 24, 4},
        {"two bits", 1, 1, 2, 0},
        {"sixty-four bits", 1, 1, 64, 0},
        {"zero bits", 1, 1, 0, 0},
        {"RLE8 at 4 bits", 1, 1, 4, 1},
        {"RLE4 at 8 bits", 1, 1, 8, 2},
        {"top-down RLE", 1, -1, 8, 1},
        {"two planes", 1, 1, 24, 0, 2},
        {"colours-used beyond 16 bits", 1, 1, 24, 0, 1, 0x10000},
    };
    for (const Case& c : cases) {
        BitmapParts parts;
        parts.width = c.width;
        parts.height = c.height;
        parts.bitsPerPixel = c.bitsPerPixel;
        parts.compression = c.compression;
        parts.planes = c.planes;
        parts.colorsUsed = c.colorsUsed;
        parts.colorTable = Bytes(c.bitsPerPixel == 8 ? 1024 : c.bitsPerPixel == 4 ? 64 : 0, 0);
        parts.pixels = Bytes(64, 0);
        expectRefused(makeBitmap(parts), kConversionError, c.what);
    }

    // The widest picture allowed still decodes.
    ImagePtr image = decodeCleanly(makeBitmap(rle8Picture(16384, 1, {0, 1})));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 16384);
}

TEST(BmpImage, UnreadableFilesNameTheFile) {
    {
        CapturedMessages messages;
        EXPECT_EQ(loadDibImage("/nonexistent/folder/ship_tex.bmp"), nullptr);
        ASSERT_EQ(messages.texts.size(), 1u);
        EXPECT_EQ(messages.captions[0], "Error");
        EXPECT_EQ(messages.texts[0], "Failed to open DIB file /nonexistent/folder/ship_tex.bmp.\n");
    }
    {
        // The message is cut to its 256-byte buffer.
        std::string longName = "/nonexistent/" + std::string(400, 'x');
        CapturedMessages messages;
        EXPECT_EQ(loadDibImage(longName.c_str()), nullptr);
        ASSERT_EQ(messages.texts.size(), 1u);
        EXPECT_EQ(messages.texts[0], ("Failed to open DIB file " + longName).substr(0, 255));
    }
    {
        // An empty file or a folder cannot be read as a bitmap at all.
        TempFile empty("empty.bmp", Bytes{});
        CapturedMessages messages;
        EXPECT_EQ(loadDibImage(empty.path()), nullptr);
        EXPECT_EQ(loadDibImage("/tmp"), nullptr);
        ASSERT_EQ(messages.texts.size(), 2u);
        EXPECT_EQ(messages.texts[0],
                  "Failed to open DIB file " + std::string(empty.path()) + ".\n");
        EXPECT_EQ(messages.texts[1], "Failed to open DIB file /tmp.\n");
    }
}

TEST(BmpImage, LoadsAFileFromDisk) {
    BitmapParts parts;
    parts.width = 1;
    parts.pixels = {10, 20, 30, 0};
    TempFile file("one.bmp", makeBitmap(parts));
    CapturedMessages messages;
    RgbImage* image = loadDibImage(file.path());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(pixelsOf(*image), (Bytes{30, 20, 10}));
    freeRgbImage(image);
    EXPECT_TRUE(messages.texts.empty());
}
