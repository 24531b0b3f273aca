#include "presentation/Surface.h"

#include <algorithm>
#include <climits>

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
    // Clip the source rectangle to the source surface, moving the
    // destination with it.
    if (src.Left < 0) {
        x -= src.Left;
        src.Left = 0;
    }
    if (src.Top < 0) {
        y -= src.Top;
        src.Top = 0;
    }
    src.Right = std::min(src.Right, from.Width);
    src.Bottom = std::min(src.Bottom, from.Height);
    // Then clip against the destination.
    if (x < 0) {
        src.Left -= x;
        x = 0;
    }
    if (y < 0) {
        src.Top -= y;
        y = 0;
    }
    if (x + src.Width() > to.Width) src.Right = src.Left + (to.Width - x);
    if (y + src.Height() > to.Height) src.Bottom = src.Top + (to.Height - y);
    if (src.Width() <= 0 || src.Height() <= 0) return;

    const int w = src.Width();
    for (int row = 0; row < src.Height(); ++row) {
        const std::uint8_t* s = &from.Pixels[static_cast<std::size_t>(src.Top + row) * from.Width + src.Left];
        std::uint8_t* d = &to.Pixels[static_cast<std::size_t>(y + row) * to.Width + x];
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
    int left = (tile % tilesPerRow) * size;
    int top = (tile / tilesPerRow) * size;
    return Rect{left, top, left + size, top + size};
}

} // namespace gravlin
