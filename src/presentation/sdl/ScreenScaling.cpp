#include "presentation/sdl/ScreenScaling.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace gravlin {

ScreenScale ChooseScale(int windowW, int windowH, int pictureW, int pictureH) {
    if (windowW <= 0 || windowH <= 0 || pictureW <= 0 || pictureH <= 0) return {};
    const double scale = std::min(static_cast<double>(windowW) / pictureW, static_cast<double>(windowH) / pictureH);
    const double whole = std::floor(scale);
    if (whole >= 1.0 && whole / scale >= WholeScaleMinShare) return {whole, true};
    return {scale, false};
}

ScreenPlace PlaceScreen(int windowW, int windowH, int pictureW, int pictureH) {
    if (windowW <= 0 || windowH <= 0 || pictureW <= 0 || pictureH <= 0) return {};
    const ScreenScale scale = ChooseScale(windowW, windowH, pictureW, pictureH);
    ScreenPlace p;
    if (scale.Whole) {
        p.W = pictureW * static_cast<int>(scale.Factor);
        p.H = pictureH * static_cast<int>(scale.Factor);
    } else if (static_cast<long long>(windowW) * pictureH >= static_cast<long long>(windowH) * pictureW) {
        // As high as the window (in whole numbers: a product in floating
        // point could land a pixel short).
        p.H = windowH;
        p.W = static_cast<int>(static_cast<long long>(pictureW) * windowH / pictureH);
    } else {
        p.W = windowW;
        p.H = static_cast<int>(static_cast<long long>(pictureH) * windowW / pictureW);
    }
    p.W = std::clamp(p.W, 1, windowW);
    p.H = std::clamp(p.H, 1, windowH);
    p.X = (windowW - p.W) / 2;
    p.Y = (windowH - p.H) / 2;
    return p;
}

void ScaledConversion::Place(const ScreenPlace& place, int pictureW, int pictureH) {
    place_ = place;
    pictureW_ = std::max(pictureW, 0);
    pictureH_ = std::max(pictureH, 0);
    const int w = std::max(place.W, 0), h = std::max(place.H, 0);
    wholeFactor_ =
        pictureW_ > 0 && w % pictureW_ == 0 && w / pictureW_ >= 1 && h == w / pictureW_ * pictureH_ ? w / pictureW_ : 0;
    // The picture pixel under the centre of window pixel i: (i + 1/2) times
    // the picture's size over the place's, rounded down.
    auto under = [](int i, int picture, int window) {
        const long long at = (2LL * i + 1) * picture / (2LL * window);
        return static_cast<int>(std::min<long long>(at, picture - 1));
    };
    columns_.assign(static_cast<std::size_t>(w), 0);
    for (int i = 0; i < w; ++i)
        columns_[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(under(i, pictureW_, w));
    // The rows a picture row covers are consecutive: the first window row
    // under each picture row, and for the row past the last one the end.
    firstWindowRow_.assign(static_cast<std::size_t>(pictureH_) + 1, h);
    int j = 0;
    for (int y = 0; y < pictureH_; ++y) {
        while (j < h && under(j, pictureH_, h) < y) ++j;
        firstWindowRow_[static_cast<std::size_t>(y)] = j;
    }
}

void ScaledConversion::ScaleRow(const std::uint32_t* picture, unsigned char* window) const {
    const std::size_t w = columns_.size();
    if (wholeFactor_ == 1) {
        std::memcpy(window, picture, w * 4);
        return;
    }
    std::size_t i = 0;
    if (wholeFactor_ == 2) {
#if defined(__SSE2__)
        // Four picture pixels become eight window pixels, each twice.
        for (; i + 8 <= w; i += 8) {
            const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(picture + i / 2));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(window + i * 4), _mm_unpacklo_epi32(four, four));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(window + i * 4 + 16), _mm_unpackhi_epi32(four, four));
        }
#endif
    }
    for (; i < w; ++i) std::memcpy(window + i * 4, picture + columns_[i], 4);
}

ChangedRows ScaledConversion::Convert(const Surface& from, const PixelLookup& lookup, void* to, int pitch, int firstRow,
                                      int rows) {
    if (from.Width != pictureW_ || from.Height != pictureH_ || columns_.empty() || !to) return {};
    const int begin = std::clamp(firstRow, 0, pictureH_);
    const int end = std::clamp(firstRow + std::max(rows, 0), begin, pictureH_);
    if (begin == end) return {};
    const std::size_t width = static_cast<std::size_t>(pictureW_);
    converted_.resize(width * static_cast<std::size_t>(end - begin));
    ConvertToPixels32(from, lookup, converted_.data(), pictureW_ * 4, begin, end - begin);
    unsigned char* origin = static_cast<unsigned char*>(to) + static_cast<std::ptrdiff_t>(place_.X) * 4;
    const std::size_t rowBytes = columns_.size() * 4;
    for (int y = begin; y < end; ++y) {
        const int first = firstWindowRow_[static_cast<std::size_t>(y)];
        const int last = firstWindowRow_[static_cast<std::size_t>(y) + 1];
        if (first >= last) continue; // a picture row no window row shows (a window smaller than the picture)
        unsigned char* row = origin + static_cast<std::ptrdiff_t>(place_.Y + first) * pitch;
        ScaleRow(converted_.data() + static_cast<std::size_t>(y - begin) * width, row);
        for (int copy = first + 1; copy < last; ++copy)
            std::memcpy(origin + static_cast<std::ptrdiff_t>(place_.Y + copy) * pitch, row, rowBytes);
    }
    return {place_.Y + firstWindowRow_[static_cast<std::size_t>(begin)],
            place_.Y + firstWindowRow_[static_cast<std::size_t>(end)]};
}

} // namespace gravlin
