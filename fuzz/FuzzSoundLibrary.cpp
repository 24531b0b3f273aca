// Feeds arbitrary bytes to the sound library reader and the wave header
// reader (of the library's sounds and of the music): an error or entries
// that encode back to the same bytes.
#include "audio/SoundLibrary.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    auto entries = gravlin::DecodeSoundLibrary(bytes, &error);
    if (entries) {
        if (gravlin::EncodeSoundLibrary(*entries) != bytes) std::abort();
        for (const auto& e : *entries) {
            auto format = gravlin::ParseWave(e.Wave, &error);
            if (format && format->DataOffset + format->DataBytes > e.Wave.size()) std::abort();
        }
    } else if (error.empty()) {
        std::abort();
    }
    // The music is read by the same wave reader; a data chunk cut short is
    // taken as far as it goes, never further.
    auto format = gravlin::ParseWave(bytes, &error);
    if (format && format->DataOffset + format->DataBytes > bytes.size()) std::abort();
    if (format && format->DataTruncated && format->DataBytes >= format->DeclaredDataBytes) std::abort();
    return 0;
}
