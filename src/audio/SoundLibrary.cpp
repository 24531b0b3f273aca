#include "audio/SoundLibrary.h"

#include "common/Bytes.h"
#include "common/Files.h"

#include <cstdint>
#include <cstring>

namespace gravlin {

namespace {

template <class T> std::optional<T> Fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return std::nullopt;
}

} // namespace

std::optional<std::vector<SoundEntry>> DecodeSoundLibrary(const std::string& b, std::string* error) {
    using Result = std::vector<SoundEntry>;
    if (b.size() < 16 || std::memcmp(b.data(), SoundLibraryMagic, 8) != 0)
        return Fail<Result>(error, "not a sound library (expected \"GRVSNDLB\" at byte 0)");
    std::uint32_t version = ReadU32(b, 8);
    if (version != SoundLibraryVersion)
        return Fail<Result>(error, "unknown sound library version " + std::to_string(version));
    std::uint32_t count = ReadU32(b, 12);
    Result entries;
    std::size_t at = 16;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (at + 2 > b.size())
            return Fail<Result>(error, "truncated entry " + std::to_string(i) + " at byte " + std::to_string(at));
        std::size_t nameLength = ReadU16(b, at);
        at += 2;
        if (nameLength == 0 || nameLength > 64)
            return Fail<Result>(error,
                                "bad name length " + std::to_string(nameLength) + " at byte " + std::to_string(at - 2));
        if (at + nameLength + 4 > b.size())
            return Fail<Result>(error, "truncated entry name at byte " + std::to_string(at));
        SoundEntry e;
        e.Name = b.substr(at, nameLength);
        at += nameLength;
        std::size_t waveLength = ReadU32(b, at);
        at += 4;
        if (waveLength > b.size() - at)
            return Fail<Result>(error, "wave \"" + e.Name + "\" runs past the end of the file (byte " +
                                           std::to_string(at) + ")");
        e.Wave = b.substr(at, waveLength);
        at += waveLength;
        entries.push_back(std::move(e));
    }
    if (at != b.size())
        return Fail<Result>(error, "unexpected data after the last entry at byte " + std::to_string(at));
    return entries;
}

std::string EncodeSoundLibrary(const std::vector<SoundEntry>& entries) {
    std::string b(SoundLibraryMagic, 8);
    PutU32(b, SoundLibraryVersion);
    PutU32(b, static_cast<std::uint32_t>(entries.size()));
    for (const auto& e : entries) {
        PutU16(b, static_cast<std::uint16_t>(e.Name.size()));
        b += e.Name;
        PutU32(b, static_cast<std::uint32_t>(e.Wave.size()));
        b += e.Wave;
    }
    return b;
}

std::optional<std::vector<SoundEntry>> ReadSoundLibrary(const std::string& path, std::string* error) {
    std::string why;
    auto bytes = ReadWholeFile(path, SoundFileLimit, &why);
    if (!bytes) return Fail<std::vector<SoundEntry>>(error, why);
    auto entries = DecodeSoundLibrary(*bytes, &why);
    if (!entries && error) *error = path + ": " + why;
    return entries;
}

bool WriteSoundLibrary(const std::string& path, const std::vector<SoundEntry>& entries, std::string* error) {
    return WriteFileAtomic(path, EncodeSoundLibrary(entries), error);
}

namespace {

// The chunk walk of ParseWave over a file of `size` bytes, of which it reads
// only the RIFF header, each chunk's header and the format chunk, through
// `read(offset, n)` (nullopt when those bytes cannot be read, with `error`
// already set).
template <class Reader> std::optional<WaveFormat> ParseWaveChunks(std::size_t size, Reader read, std::string* error) {
    const auto head = size >= 12 ? read(0, 12) : std::nullopt;
    if (size >= 12 && !head) return std::nullopt;
    if (size < 12 || head->compare(0, 4, "RIFF") != 0 || head->compare(8, 4, "WAVE") != 0)
        return Fail<WaveFormat>(error, "not a RIFF/WAVE file");
    WaveFormat f;
    bool haveFormat = false, haveData = false;
    std::size_t at = 12;
    while (at + 8 <= size) {
        const auto chunk = read(at, 8);
        if (!chunk) return std::nullopt;
        std::string id = chunk->substr(0, 4);
        std::size_t length = ReadU32(*chunk, 4);
        at += 8;
        if (id == "data" && length > size - at) {
            // Cut short: the samples that are there, in whole sample frames.
            const std::size_t frame = f.Channels > 0 && f.BitsPerSample >= 8
                                          ? static_cast<std::size_t>(f.Channels) * (f.BitsPerSample / 8)
                                          : 1;
            f.DataOffset = at;
            f.DataBytes = (size - at) / frame * frame;
            f.DataTruncated = true;
            f.DeclaredDataBytes = length;
            haveData = true;
            break;
        }
        if (length > size - at) return Fail<WaveFormat>(error, "chunk \"" + id + "\" runs past the end of the file");
        if (id == "fmt ") {
            if (length < 16) return Fail<WaveFormat>(error, "format chunk too short");
            const auto fmt = read(at, 16);
            if (!fmt) return std::nullopt;
            if (ReadU16(*fmt, 0) != 1) return Fail<WaveFormat>(error, "not PCM");
            f.Channels = ReadU16(*fmt, 2);
            f.SampleRate = static_cast<int>(ReadU32(*fmt, 4));
            f.BitsPerSample = ReadU16(*fmt, 14);
            haveFormat = true;
        } else if (id == "data") {
            f.DataOffset = at;
            f.DataBytes = length;
            f.DeclaredDataBytes = length;
            haveData = true;
        }
        at += length + (length & 1);
    }
    if (!haveFormat) return Fail<WaveFormat>(error, "no format chunk");
    if (!haveData) return Fail<WaveFormat>(error, "no data chunk");
    if (f.Channels < 1 || f.Channels > 2 || f.SampleRate <= 0 || (f.BitsPerSample != 8 && f.BitsPerSample != 16))
        return Fail<WaveFormat>(error, "unsupported wave format");
    return f;
}

} // namespace

std::optional<WaveFormat> ParseWave(const std::string& b, std::string* error) {
    return ParseWaveChunks(
        b.size(), [&](std::size_t at, std::size_t n) { return std::optional<std::string>(b.substr(at, n)); }, error);
}

bool CheckMusicFile(const std::string& path, std::string* error, std::string* warning) {
    if (warning) warning->clear();
    // Only the chunk headers are read: the music is megabytes of samples,
    // which the mixer streams as it plays.
    std::string why;
    auto file = FilePieces::Open(path, SoundFileLimit, &why);
    if (!file) {
        if (error) *error = "the music: " + why;
        return false;
    }
    bool unreadable = false;
    auto read = [&](std::size_t at, std::size_t n) {
        auto piece = file->Read(at, n, &why);
        unreadable = !piece;
        return piece;
    };
    auto format = ParseWaveChunks(file->Size(), read, &why);
    if (!format) {
        if (error) *error = unreadable ? "the music: " + why : path + ": " + why;
        return false;
    }
    if (format->DataTruncated && warning)
        *warning = path + ": the music is cut short: " + std::to_string(format->DataBytes) + " of its " +
                   std::to_string(format->DeclaredDataBytes) + " bytes of samples are there, and they are played";
    return true;
}

std::string EncodeWave16(const std::vector<short>& samples, int channels, int sampleRate) {
    std::string b = "RIFF";
    std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    PutU32(b, 36 + dataBytes);
    b += "WAVEfmt ";
    PutU32(b, 16);
    PutU16(b, 1);
    PutU16(b, static_cast<std::uint16_t>(channels));
    PutU32(b, static_cast<std::uint32_t>(sampleRate));
    PutU32(b, static_cast<std::uint32_t>(sampleRate * channels * 2));
    PutU16(b, static_cast<std::uint16_t>(channels * 2));
    PutU16(b, 16);
    b += "data";
    PutU32(b, dataBytes);
    for (short s : samples) PutU16(b, static_cast<std::uint16_t>(s));
    return b;
}

} // namespace gravlin
