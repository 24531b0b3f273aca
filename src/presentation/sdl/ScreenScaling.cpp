#include "presentation/sdl/ScreenScaling.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
// The AVX-512 scaling is compiled for its own function only and chosen when
// the processor has it, so the program still runs on any x86-64.
#if defined(__x86_64__) && defined(__GNUC__)
#define GRAVLIN_AVX512_SCALING 1
#include <immintrin.h>
#endif

namespace gravlin {

namespace {

constexpr std::size_t Run = 16; // window pixels a permute

// Window pixels [0, w) from the picture row through the table of columns.
void ScaleByColumns(const std::uint32_t* picture, unsigned char* window, std::size_t from, std::size_t w,
                    const std::vector<std::uint16_t>& columns) {
    for (std::size_t i = from; i < w; ++i) std::memcpy(window + i * 4, picture + columns[i], 4);
}

#if defined(__SSE2__)
// Each picture pixel `k` times (2, 3 or 4), four window pixels a store; the
// rest of the row is left to the table of columns. Returns where it stopped.
std::size_t ScaleWholeSse2(const std::uint32_t* picture, unsigned char* window, std::size_t w, int k) {
    auto load = [&](std::size_t at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(picture + at)); };
    auto store = [&](std::size_t at, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(window + at * 4), v); };
    std::size_t i = 0;
    if (k == 2) {
        for (; i + 8 <= w; i += 8) {
            const __m128i four = load(i / 2);
            store(i, _mm_unpacklo_epi32(four, four));
            store(i + 4, _mm_unpackhi_epi32(four, four));
        }
    } else if (k == 3) {
        for (; i + 12 <= w; i += 12) {
            const __m128i four = load(i / 3);
            store(i, _mm_shuffle_epi32(four, _MM_SHUFFLE(1, 0, 0, 0)));
            store(i + 4, _mm_shuffle_epi32(four, _MM_SHUFFLE(2, 2, 1, 1)));
            store(i + 8, _mm_shuffle_epi32(four, _MM_SHUFFLE(3, 3, 3, 2)));
        }
    } else if (k == 4) {
        for (; i + 16 <= w; i += 16) {
            const __m128i four = load(i / 4);
            store(i, _mm_shuffle_epi32(four, _MM_SHUFFLE(0, 0, 0, 0)));
            store(i + 4, _mm_shuffle_epi32(four, _MM_SHUFFLE(1, 1, 1, 1)));
            store(i + 8, _mm_shuffle_epi32(four, _MM_SHUFFLE(2, 2, 2, 2)));
            store(i + 12, _mm_shuffle_epi32(four, _MM_SHUFFLE(3, 3, 3, 3)));
        }
    }
    return i;
}
#endif

#if defined(GRAVLIN_AVX512_SCALING)
// Sixteen window pixels a round: sixteen picture pixels from the run's
// start, permuted by the run's indices; the last round stores only the
// pixels the row has.
__attribute__((target("avx512f"))) void ScaleByRunsAvx512(const std::uint32_t* picture, unsigned char* window,
                                                          std::size_t w, const int* starts,
                                                          const std::uint8_t* indices) {
    // The all-lanes masks spare GCC's warning on the plain forms' undefined
    // start value.
    const __mmask16 all = 0xffff;
    for (std::size_t i = 0, r = 0; i < w; i += Run, ++r) {
        const __m512i pixels = _mm512_loadu_si512(picture + starts[r]);
        const __m512i where =
            _mm512_maskz_cvtepu8_epi32(all, _mm_loadu_si128(reinterpret_cast<const __m128i*>(indices + r * Run)));
        const __m512i out = _mm512_maskz_permutexvar_epi32(all, where, pixels);
        if (i + Run <= w)
            _mm512_storeu_si512(window + i * 4, out);
        else
            _mm512_mask_storeu_epi32(window + i * 4, static_cast<__mmask16>((1u << (w - i)) - 1), out);
    }
}
#endif

ScalePath FastestScalePath() {
    static const ScalePath fastest = HasScalePath(ScalePath::Avx512) ? ScalePath::Avx512
                                     : HasScalePath(ScalePath::Sse2) ? ScalePath::Sse2
                                                                     : ScalePath::Portable;
    return fastest;
}

} // namespace

bool HasScalePath(ScalePath path) {
    switch (path) {
    case ScalePath::Portable: return true;
    case ScalePath::Sse2:
#if defined(__SSE2__)
        return true;
#else
        return false;
#endif
    case ScalePath::Avx512:
#if defined(GRAVLIN_AVX512_SCALING)
        return __builtin_cpu_supports("avx512f");
#else
        return false;
#endif
    }
    return false;
}

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
    Place(place, pictureW, pictureH, FastestScalePath());
}

void ScaledConversion::Place(const ScreenPlace& place, int pictureW, int pictureH, ScalePath path) {
    path_ = HasScalePath(path) ? path : ScalePath::Portable;
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
    // Runs of sixteen window pixels: at a scale of one or more they show at
    // most sixteen neighbouring picture pixels, the first of them no further
    // right than sixteen from the row's end.
    runStart_.clear();
    runIndex_.clear();
    if (path_ == ScalePath::Avx512 && w >= pictureW_ && pictureW_ >= static_cast<int>(Run)) {
        for (std::size_t i = 0; i < columns_.size(); i += Run) {
            const int start = std::min<int>(columns_[i], pictureW_ - static_cast<int>(Run));
            runStart_.push_back(start);
            for (std::size_t k = 0; k < Run; ++k)
                runIndex_.push_back(i + k < columns_.size() ? static_cast<std::uint8_t>(columns_[i + k] - start)
                                                            : std::uint8_t{0});
        }
    }
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
#if defined(GRAVLIN_AVX512_SCALING)
    if (!runStart_.empty()) return ScaleByRunsAvx512(picture, window, w, runStart_.data(), runIndex_.data());
#endif
    std::size_t from = 0;
#if defined(__SSE2__)
    if (path_ != ScalePath::Portable) from = ScaleWholeSse2(picture, window, w, wholeFactor_);
#endif
    ScaleByColumns(picture, window, from, w, columns_);
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
