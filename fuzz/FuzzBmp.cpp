// Feeds arbitrary bytes to the bitmap reader: it must either give a picture
// whose pixel count matches its size, or an error, and never read or write
// outside its buffers.
#include "presentation/Bmp.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    auto pic = gravlin::DecodeBmp(bytes, &error);
    if (pic) {
        const auto& s = pic->Pixels;
        if (s.Width <= 0 || s.Height <= 0 || s.Pixels.size() != static_cast<std::size_t>(s.Width) * s.Height)
            std::abort();
        // What was read can be written and read back the same.
        auto again = gravlin::DecodeBmp(gravlin::EncodeBmp(s, pic->Colours), &error);
        if (!again || again->Pixels.Pixels != s.Pixels || again->Colours != pic->Colours) std::abort();
    } else if (error.empty()) {
        std::abort(); // a failure always says why
    }
    return 0;
}
