#pragma once
// The sound library "Soundlib.dxw": named waves in one file.
//
// Layout (all numbers little-endian):
//   8 bytes  magic "GRVSNDLB"
//   u32      version (1)
//   u32      entry count
//   per entry:
//     u16    name length (1 to 64), then the name (ASCII, no NUL)
//     u32    wave length in bytes, then a complete RIFF/WAVE file
// Nothing may follow the last entry. Every length is checked against the
// file; a damaged library is an error naming the byte where it went wrong.

#include <optional>
#include <string>
#include <vector>

namespace gravlin {

struct SoundEntry {
    std::string Name;
    std::string Wave; // the bytes of a RIFF/WAVE file
};

constexpr char SoundLibraryMagic[9] = "GRVSNDLB";
constexpr unsigned SoundLibraryVersion = 1;

std::optional<std::vector<SoundEntry>> DecodeSoundLibrary(const std::string& bytes, std::string* error);
std::string EncodeSoundLibrary(const std::vector<SoundEntry>& entries);

std::optional<std::vector<SoundEntry>> ReadSoundLibrary(const std::string& path, std::string* error);
bool WriteSoundLibrary(const std::string& path, const std::vector<SoundEntry>& entries, std::string* error);

// The format of a PCM wave file, from its header chunks.
struct WaveFormat {
    int Channels = 0;
    int SampleRate = 0;
    int BitsPerSample = 0;
    std::size_t DataBytes = 0; // what the file holds of the data chunk
    std::size_t DataOffset = 0;
    // The data chunk says it is longer than the rest of the file: the file
    // was cut short (DataBytes is then what is there).
    bool DataTruncated = false;
    std::size_t DeclaredDataBytes = 0;
};

// Reads the "fmt " and "data" chunks of a RIFF/WAVE file (PCM only), checking
// every chunk length against the file. A data chunk cut short by the end of
// the file is taken as far as it goes, and said so in DataTruncated.
std::optional<WaveFormat> ParseWave(const std::string& bytes, std::string* error);

// Whether the music file exists and is PCM the game can play, checked the
// same with a sound device and without one. `error` names the file and what
// is wrong with it. A file cut short in its data plays what is there: it is
// accepted with `warning` saying so.
bool CheckMusicFile(const std::string& path, std::string* error, std::string* warning);

// Builds a 16-bit PCM wave file from samples (interleaved when stereo).
std::string EncodeWave16(const std::vector<short>& samples, int channels, int sampleRate);

} // namespace gravlin
