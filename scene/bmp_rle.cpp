#include <cstdint>

#include "scene/bmp_convert.h"

namespace {

// Escape codes: a zero count followed by one of these, or by the length of an absolute run.
constexpr unsigned char kEndOfLine = 0;
constexpr unsigned char kEndOfBitmap = 1;
constexpr unsigned char kDelta = 2;

// The pen that the codes move over the picture. Runs that reach past the right edge or above
// the top row are clipped; the pen's position is clamped so that no count can overflow it.
class RlePen {
  public:
    RlePen(const DibLayout& layout, unsigned char* rgb)
        : palette_(layout.palette), width_(std::size_t(layout.header.width)),
          rows_(std::size_t(layout.header.height)), rgb_(rgb) {}

    void put(unsigned index) {
        if (x_ < width_ && y_ < rows_) {
            const DibColor& color = palette_[index];
            unsigned char* pixel = rgb_ + (y_ * width_ + x_) * 3;
            pixel[0] = color.red;
            pixel[1] = color.green;
            pixel[2] = color.blue;
        }
        if (x_ < width_)
            ++x_;
    }
    void nextLine() {
        x_ = 0;
        advanceRows(1);
    }
    void move(unsigned right, unsigned up) {
        x_ = x_ + right < width_ ? x_ + right : width_;
        advanceRows(up);
    }
    // Past the top row nothing more can be drawn.
    bool finished() const { return y_ >= rows_; }

  private:
    void advanceRows(unsigned count) { y_ = y_ + count < rows_ ? y_ + count : rows_; }

    const DibColor* palette_;
    std::size_t width_;
    std::size_t rows_;
    unsigned char* rgb_;
    std::size_t x_ = 0;
    std::size_t y_ = 0;
};

// In 4-bit data a byte holds two pixels, the high nibble first.
unsigned pixelOfByte(unsigned char value, unsigned position, bool fourBit) {
    if (!fourBit)
        return value;
    return position % 2 == 0 ? value >> 4 : value & 0x0F;
}

void fillWithFirstColor(const DibLayout& layout, unsigned char* rgb) {
    std::size_t pixels = std::size_t(layout.header.width) * std::size_t(layout.header.height);
    const DibColor& color = layout.palette[0];
    for (std::size_t i = 0; i < pixels; ++i) {
        rgb[3 * i] = color.red;
        rgb[3 * i + 1] = color.green;
        rgb[3 * i + 2] = color.blue;
    }
}

} // namespace

DibStatus convertRunLengthPixels(const unsigned char* bytes, std::size_t size,
                                 const DibLayout& layout, unsigned char* rgb) {
    bool fourBit = layout.header.compression == kCompressionRle4;
    fillWithFirstColor(layout, rgb);
    RlePen pen(layout, rgb);
    std::size_t at = layout.pixelOffset;
    // Every pass consumes at least two bytes, so the loop ends with the data.
    while (!pen.finished()) {
        if (!bytesAvailable(size, at, 2))
            return DibStatus::ConversionError;
        unsigned char count = bytes[at];
        unsigned char value = bytes[at + 1];
        at += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i)
                pen.put(pixelOfByte(value, i, fourBit));
        } else if (value == kEndOfLine) {
            pen.nextLine();
        } else if (value == kEndOfBitmap) {
            return DibStatus::Ok;
        } else if (value == kDelta) {
            if (!bytesAvailable(size, at, 2))
                return DibStatus::ConversionError;
            pen.move(bytes[at], bytes[at + 1]);
            at += 2;
        } else {
            // An absolute run: `value` pixels stored as they are, padded to a 16-bit boundary.
            std::size_t dataBytes = fourBit ? (value + 1u) / 2 : value;
            if (!bytesAvailable(size, at, dataBytes))
                return DibStatus::ConversionError;
            for (unsigned i = 0; i < value; ++i)
                pen.put(pixelOfByte(bytes[at + (fourBit ? i / 2 : i)], i, fourBit));
            at += (dataBytes + 1) & ~std::size_t(1);
        }
    }
    return DibStatus::Ok;
}
