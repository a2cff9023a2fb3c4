// Loads arbitrary bytes as a chime file.

#include "WaveFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto samples = WaveFile::decode(data, size);
    // A file cannot hold more than a few seconds' worth of samples per byte, however
    // its rate is converted.
    if (samples && samples->size() > size * 400)
        std::abort();
    return 0;
}
