// The search for a multisample pixel format: the configured sample count first, then half of it,
// and so on while more than one sample is left. Kept apart from the window system so that the
// sequence of counts can be checked on its own.
#pragma once

#include <cstdint>
#include <functional>

// `tryCount` returns a format number for a sample count, or 0 when there is none. Returns the
// first format found and its count in `samples`, or 0 when every count failed: 16 tries 16, 8, 4
// and 2; 6 tries 6 and 3; 1 tries 1 only.
int searchMultisampleFormat(std::uint32_t configured,
                            const std::function<int(std::uint32_t samples)>& tryCount,
                            std::uint32_t* samples);
