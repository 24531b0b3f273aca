#include "presentation/Bmp.h"

#include "common/Bytes.h"
#include "common/Files.h"

#include <cstdint>
#include <cstring>

namespace gravlin {

namespace {

bool Fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

// Largest picture accepted, a side; the game's pictures are 640 by 480.
constexpr std::int64_t MaxSide = 4096;

bool DecodeRle8(const std::string& b, std::size_t at, std::size_t end, Surface& out, bool bottomUp,
                std::string* error) {
    int x = 0, row = 0; // row counts in file order
    auto put = [&](std::uint8_t v) {
        if (x < out.Width && row < out.Height) {
            int y = bottomUp ? out.Height - 1 - row : row;
            out.Set(x, y, v);
        }
        ++x;
    };
    while (at + 2 <= end) {
        std::uint8_t count = static_cast<std::uint8_t>(b[at]);
        std::uint8_t value = static_cast<std::uint8_t>(b[at + 1]);
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i) put(value);
        } else if (value == 0) { // end of line
            x = 0;
            ++row;
        } else if (value == 1) { // end of bitmap
            return true;
        } else if (value == 2) { // delta
            if (at + 2 > end) return Fail(error, "RLE8 delta runs past the end of the data");
            x += static_cast<std::uint8_t>(b[at]);
            row += static_cast<std::uint8_t>(b[at + 1]);
            at += 2;
        } else { // absolute run of `value` bytes, padded to a word
            std::size_t n = value;
            if (at + n > end)
                return Fail(error, "RLE8 absolute run past the end of the data at byte " + std::to_string(at));
            for (std::size_t i = 0; i < n; ++i) put(static_cast<std::uint8_t>(b[at + i]));
            at += n + (n & 1);
        }
        if (row > out.Height) break;
    }
    return true; // a missing end-of-bitmap mark is tolerated
}

} // namespace

std::optional<Picture> DecodeBmp(const std::string& b, std::string* error) {
    if (b.size() < 14 + 12) {
        Fail(error, "file too short for a bitmap header (" + std::to_string(b.size()) + " bytes)");
        return std::nullopt;
    }
    if (b[0] != 'B' || b[1] != 'M') {
        Fail(error, "not a bitmap (expected \"BM\" at byte 0)");
        return std::nullopt;
    }
    std::uint32_t dataOffset = ReadU32(b, 10);
    std::uint32_t headerSize = ReadU32(b, 14);
    if (headerSize != 12 && headerSize < 40) {
        Fail(error, "unknown bitmap header size " + std::to_string(headerSize));
        return std::nullopt;
    }
    if (14 + static_cast<std::uint64_t>(headerSize) > b.size()) {
        Fail(error, "truncated bitmap header");
        return std::nullopt;
    }

    std::int64_t width, height;
    std::uint16_t bits;
    std::uint32_t compression = 0, coloursUsed = 0;
    std::size_t paletteEntrySize = 4;
    if (headerSize == 12) { // OS/2 core header
        width = ReadU16(b, 18);
        height = static_cast<std::int16_t>(ReadU16(b, 20));
        bits = ReadU16(b, 24);
        paletteEntrySize = 3;
    } else {
        width = static_cast<std::int32_t>(ReadU32(b, 18));
        height = static_cast<std::int32_t>(ReadU32(b, 22));
        bits = ReadU16(b, 28);
        compression = ReadU32(b, 30);
        coloursUsed = ReadU32(b, 46);
    }
    if (bits != 8) {
        Fail(error, "expected 8 bits per pixel, found " + std::to_string(bits));
        return std::nullopt;
    }
    bool bottomUp = height > 0;
    if (height < 0) height = -height;
    if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide) {
        Fail(error, "impossible picture size " + std::to_string(width) + " by " + std::to_string(height));
        return std::nullopt;
    }
    if (compression != 0 && compression != 1) {
        Fail(error, "unsupported compression " + std::to_string(compression));
        return std::nullopt;
    }
    if (compression == 1 && !bottomUp) {
        Fail(error, "RLE8 bitmaps must be bottom-up");
        return std::nullopt;
    }
    if (coloursUsed == 0 || coloursUsed > 256) coloursUsed = 256;

    Picture pic;
    std::size_t paletteAt = 14 + headerSize;
    // Some writers put fewer entries than 256 or none; read what fits before the pixels.
    for (std::uint32_t i = 0; i < coloursUsed; ++i) {
        std::size_t at = paletteAt + i * paletteEntrySize;
        if (at + 3 > b.size() || at + 3 > dataOffset) {
            if (i == 0) {
                Fail(error, "palette missing or truncated at byte " + std::to_string(at));
                return std::nullopt;
            }
            break;
        }
        pic.Colours[i] = Rgb{static_cast<std::uint8_t>(b[at + 2]), static_cast<std::uint8_t>(b[at + 1]),
                             static_cast<std::uint8_t>(b[at])};
    }

    pic.Pixels.Resize(static_cast<int>(width), static_cast<int>(height));
    if (dataOffset >= b.size()) {
        Fail(error, "pixel data offset " + std::to_string(dataOffset) + " lies past the end of the file");
        return std::nullopt;
    }
    if (compression == 1) {
        if (!DecodeRle8(b, dataOffset, b.size(), pic.Pixels, bottomUp, error)) return std::nullopt;
        return pic;
    }
    std::uint64_t stride = (static_cast<std::uint64_t>(width) + 3) & ~std::uint64_t{3};
    std::uint64_t need = stride * static_cast<std::uint64_t>(height);
    if (dataOffset + need > b.size()) {
        Fail(error, "truncated pixel data: expected " + std::to_string(need) + " bytes from byte " +
                        std::to_string(dataOffset) + ", file has " + std::to_string(b.size()));
        return std::nullopt;
    }
    for (std::int64_t row = 0; row < height; ++row) {
        std::int64_t y = bottomUp ? height - 1 - row : row;
        std::memcpy(&pic.Pixels.Pixels[static_cast<std::size_t>(y * width)], b.data() + dataOffset + row * stride,
                    static_cast<std::size_t>(width));
    }
    return pic;
}

std::optional<Picture> ReadBmpFile(const std::string& path, std::string* error) {
    std::string why;
    auto bytes = ReadWholeFile(path, PictureFileLimit, &why);
    if (!bytes) {
        Fail(error, why);
        return std::nullopt;
    }
    auto pic = DecodeBmp(*bytes, &why);
    if (!pic) Fail(error, path + ": " + why);
    return pic;
}

std::string EncodeBmp(const Surface& px, const Palette& colours) {
    std::uint32_t stride = (static_cast<std::uint32_t>(px.Width) + 3) & ~3u;
    std::uint32_t dataOffset = 14 + 40 + 256 * 4;
    std::uint32_t dataSize = stride * static_cast<std::uint32_t>(px.Height);
    std::string b;
    b.reserve(dataOffset + dataSize);
    b += "BM";
    PutU32(b, dataOffset + dataSize);
    PutU32(b, 0);
    PutU32(b, dataOffset);
    PutU32(b, 40);
    PutU32(b, static_cast<std::uint32_t>(px.Width));
    PutU32(b, static_cast<std::uint32_t>(px.Height));
    PutU16(b, 1);
    PutU16(b, 8);
    PutU32(b, 0);
    PutU32(b, dataSize);
    PutU32(b, 2835);
    PutU32(b, 2835);
    PutU32(b, 256);
    PutU32(b, 0);
    for (const Rgb& c : colours) {
        b.push_back(static_cast<char>(c.B));
        b.push_back(static_cast<char>(c.G));
        b.push_back(static_cast<char>(c.R));
        b.push_back(0);
    }
    for (int row = px.Height - 1; row >= 0; --row) {
        b.append(reinterpret_cast<const char*>(&px.Pixels[static_cast<std::size_t>(row) * px.Width]),
                 static_cast<std::size_t>(px.Width));
        b.append(stride - static_cast<std::uint32_t>(px.Width), '\0');
    }
    return b;
}

bool WriteBmpFile(const std::string& path, const Surface& pixels, const Palette& colours, std::string* error) {
    return WriteFileAtomic(path, EncodeBmp(pixels, colours), error);
}

} // namespace gravlin
