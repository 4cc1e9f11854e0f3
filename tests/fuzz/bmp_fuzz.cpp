// The bitmap reader on arbitrary bytes. Beyond what the sanitizers see, it holds the reader to its
// contract: a picture within the size limits whose every pixel byte can be read, and exactly one
// message for each refusal, none for a success.
#include <cstddef>
#include <cstdint>

#include "scene/bmp_image.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

constexpr std::int64_t kMaxDimension = 16384;

void checkImage(const RgbImage& image) {
    if (image.width <= 0 || image.height <= 0 || image.width > kMaxDimension ||
        image.height > kMaxDimension || !image.data)
        fuzz::fail("decoded image has an impossible size");
    // Reading every byte lets AddressSanitizer catch a buffer smaller than the size claims.
    const std::size_t bytes = std::size_t(image.width) * std::size_t(image.height) * 3;
    volatile unsigned sum = 0;
    for (std::size_t i = 0; i < bytes; ++i)
        sum = sum + image.data[i];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::captureMessages();
    fuzz::messagesSinceLastCall();
    RgbImage* image = decodeDibImage(data, size, "fuzz.bmp");
    const int messages = fuzz::messagesSinceLastCall();
    if (image) {
        if (messages != 0)
            fuzz::fail("a decoded bitmap also showed a message");
        checkImage(*image);
        freeRgbImage(image);
    } else if (messages != 1) {
        fuzz::fail("a refused bitmap did not show exactly one message");
    }
    return 0;
}
