#include "scene/bmp_image.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>

#include "platform/message_box.h"
#include "scene/bmp_convert.h"
#include "scene/bmp_header.h"

namespace {

// Limits on what a bitmap may ask for: larger than any texture the renderer takes, small enough
// that a few header bytes cannot make us allocate gigabytes (run-length data draws big pictures
// from small files).
constexpr std::int64_t kMaxDimension = 16384;
constexpr std::int64_t kMaxOutputBytes = std::int64_t(256) << 20;

void reportFailure(const char* text) {
    platform::messageBox("Error", text);
}

void reportStatus(DibStatus status) {
    switch (status) {
    case DibStatus::OutOfMemory:
        reportFailure("Out of memory.");
        break;
    case DibStatus::UnknownFormat:
        reportFailure("Unknown DIB file format.");
        break;
    case DibStatus::ConversionError:
        reportFailure("Image file conversion error.");
        break;
    case DibStatus::Ok:
        break;
    }
}

void reportOpenFailure(const char* fileName) {
    char text[256];
    std::snprintf(text, sizeof text, "Failed to open DIB file %s.\n", fileName ? fileName : "");
    reportFailure(text);
}

bool supportedEncoding(const DibInfoHeader& header) {
    switch (header.compression) {
    case kCompressionNone:
        switch (header.bitsPerPixel) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            return true;
        default:
            return false;
        }
    case kCompressionRle8:
        return header.bitsPerPixel == 8;
    case kCompressionRle4:
        return header.bitsPerPixel == 4;
    default:
        return false; // bit fields and embedded JPEG or PNG data among them
    }
}

// Run-length data is always stored bottom-up; a negative height with it is a broken header.
bool sensibleGeometry(const DibInfoHeader& header) {
    std::int64_t width = header.width;
    std::int64_t rows = std::llabs(std::int64_t(header.height));
    if (width <= 0 || rows == 0 || width > kMaxDimension || rows > kMaxDimension)
        return false;
    if (width * rows * 3 > kMaxOutputBytes)
        return false;
    return header.height > 0 || header.compression == kCompressionNone;
}

DibStatus checkConvertible(const DibInfoHeader& header) {
    if (header.planes != 1 || !supportedEncoding(header) || !sensibleGeometry(header))
        return DibStatus::ConversionError;
    return DibStatus::Ok;
}

DibStatus convertPixels(const unsigned char* bytes, std::size_t size, const DibLayout& layout,
                        unsigned char* rgb) {
    if (layout.header.compression == kCompressionNone)
        return convertUncompressedPixels(bytes, size, layout, rgb);
    return convertRunLengthPixels(bytes, size, layout, rgb);
}

DibStatus decode(const unsigned char* bytes, std::size_t size, RgbImage** result) {
    DibLayout layout;
    DibStatus status = readDibLayout(bytes, size, &layout);
    if (status != DibStatus::Ok)
        return status;
    status = checkConvertible(layout.header);
    if (status != DibStatus::Ok)
        return status;

    std::int32_t width = layout.header.width;
    std::int32_t rows = std::abs(layout.header.height);
    unsigned char* rgb = new (std::nothrow) unsigned char[std::size_t(width) * rows * 3];
    if (!rgb)
        return DibStatus::OutOfMemory;
    status = convertPixels(bytes, size, layout, rgb);
    if (status != DibStatus::Ok) {
        delete[] rgb;
        return status;
    }
    RgbImage* image = new (std::nothrow) RgbImage;
    if (!image) {
        delete[] rgb;
        return DibStatus::OutOfMemory;
    }
    image->width = width;
    image->height = rows;
    image->data = rgb;
    *result = image;
    return DibStatus::Ok;
}

enum class ReadResult { Ok, CannotOpen, OutOfMemory };

// Folders, devices and pipes have no size to read (a folder even opens and claims the largest
// one), so only regular files are bitmaps.
bool isRegularFile(const char* fileName) {
    std::error_code error;
    return std::filesystem::is_regular_file(fileName, error);
}

// The whole file in one heap block. An empty file or anything that is not a readable regular
// file counts as one that cannot be opened.
ReadResult readWholeFile(const char* fileName, unsigned char** bytes, std::size_t* size) {
    if (!fileName || !isRegularFile(fileName))
        return ReadResult::CannotOpen;
    std::FILE* file = std::fopen(fileName, "rb");
    if (!file)
        return ReadResult::CannotOpen;
    long length = -1;
    if (std::fseek(file, 0, SEEK_END) == 0)
        length = std::ftell(file);
    if (length <= 0 || std::fseek(file, 0, SEEK_SET) != 0) {
        std::fclose(file);
        return ReadResult::CannotOpen;
    }
    unsigned char* buffer = new (std::nothrow) unsigned char[std::size_t(length)];
    if (!buffer) {
        std::fclose(file);
        return ReadResult::OutOfMemory;
    }
    bool complete = std::fread(buffer, 1, std::size_t(length), file) == std::size_t(length);
    std::fclose(file);
    if (!complete) {
        delete[] buffer;
        return ReadResult::CannotOpen;
    }
    *bytes = buffer;
    *size = std::size_t(length);
    return ReadResult::Ok;
}

} // namespace

RgbImage* decodeDibImage(const unsigned char* bytes, std::size_t size, const char*) {
    RgbImage* image = nullptr;
    DibStatus status = bytes ? decode(bytes, size, &image) : DibStatus::UnknownFormat;
    reportStatus(status);
    return image;
}

RgbImage* loadDibImage(const char* fileName) {
    unsigned char* bytes = nullptr;
    std::size_t size = 0;
    switch (readWholeFile(fileName, &bytes, &size)) {
    case ReadResult::CannotOpen:
        reportOpenFailure(fileName);
        return nullptr;
    case ReadResult::OutOfMemory:
        reportStatus(DibStatus::OutOfMemory);
        return nullptr;
    case ReadResult::Ok:
        break;
    }
    RgbImage* image = decodeDibImage(bytes, size, fileName);
    delete[] bytes;
    return image;
}

void freeRgbImage(RgbImage* image) {
    if (!image)
        return;
    delete[] image->data;
    delete image;
}
