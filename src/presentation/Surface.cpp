#include "presentation/Surface.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace gravlin {

void Surface::Resize(int w, int h) {
    Width = std::max(0, w);
    Height = std::max(0, h);
    Pixels.assign(static_cast<std::size_t>(Width) * Height, 0);
}

void Surface::Fill(std::uint8_t value) {
    std::fill(Pixels.begin(), Pixels.end(), value);
}

void Blit(Surface& to, int x, int y, const Surface& from, Rect src, bool keyed) {
    // The clipping is worked out in 64 bits: a tile rectangle or a position
    // that comes from a damaged level may lie anywhere in int's range.
    std::int64_t left = src.Left, top = src.Top, right = src.Right, bottom = src.Bottom;
    std::int64_t toX = x, toY = y;
    // Clip the source rectangle to the source surface, moving the
    // destination with it.
    if (left < 0) {
        toX -= left;
        left = 0;
    }
    if (top < 0) {
        toY -= top;
        top = 0;
    }
    right = std::min<std::int64_t>(right, from.Width);
    bottom = std::min<std::int64_t>(bottom, from.Height);
    // Then clip against the destination.
    if (toX < 0) {
        left -= toX;
        toX = 0;
    }
    if (toY < 0) {
        top -= toY;
        toY = 0;
    }
    right = std::min(right, left + (to.Width - toX));
    bottom = std::min(bottom, top + (to.Height - toY));
    if (right <= left || bottom <= top) return;

    // Everything left lies inside both surfaces.
    const int w = static_cast<int>(right - left), h = static_cast<int>(bottom - top);
    const std::size_t fromX = static_cast<std::size_t>(left), fromY = static_cast<std::size_t>(top);
    const std::size_t destX = static_cast<std::size_t>(toX), destY = static_cast<std::size_t>(toY);
    for (int row = 0; row < h; ++row) {
        const std::uint8_t* s = &from.Pixels[(fromY + static_cast<std::size_t>(row)) * from.Width + fromX];
        std::uint8_t* d = &to.Pixels[(destY + static_cast<std::size_t>(row)) * to.Width + destX];
        if (!keyed) {
            std::copy(s, s + w, d);
        } else {
            // Written as a select so the compiler can do a row at a time.
            for (int i = 0; i < w; ++i) d[i] = s[i] != 0 ? s[i] : d[i];
        }
    }
}

int NearestColour(const Palette& palette, Rgb colour, bool allowZero) {
    int best = allowZero ? 0 : 1;
    long bestDistance = LONG_MAX;
    for (int i = allowZero ? 0 : 1; i < 256; ++i) {
        long dr = palette[i].R - colour.R, dg = palette[i].G - colour.G, db = palette[i].B - colour.B;
        long d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

Rect TileRect(int tile, int tilesPerRow, int size) {
    if (tilesPerRow <= 0) tilesPerRow = 1;
    // Negative tile numbers have no place on a sheet: put them off it.
    if (tile < 0) return Rect{-size, -size, 0, 0};
    // In 64 bits, and held at OffSheet: a huge code from a level file, or a
    // huge row width from the header, gives a rectangle past the sheet's
    // edge, which draws nothing, instead of an overflow.
    auto place = [size](std::int64_t n) { return static_cast<int>(std::min<std::int64_t>(n * size, OffSheet)); };
    const int left = place(tile % tilesPerRow);
    const int top = place(tile / tilesPerRow);
    return Rect{left, top, left + size, top + size};
}

} // namespace gravlin
