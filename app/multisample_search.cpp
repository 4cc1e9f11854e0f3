#include "app/multisample_search.h"

int searchMultisampleFormat(std::uint32_t configured,
                            const std::function<int(std::uint32_t samples)>& tryCount,
                            std::uint32_t* samples) {
    std::uint32_t tried = configured;
    for (;;) {
        const int format = tryCount(tried);
        if (format != 0) {
            *samples = tried;
            return format;
        }
        tried /= 2;
        // One sample is no multisampling: give up rather than ask for it.
        if (tried <= 1)
            return 0;
    }
}
