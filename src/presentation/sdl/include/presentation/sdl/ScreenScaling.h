#pragma once
// The 640 by 480 picture scaled into a window of any size: where it goes and
// which picture pixel each window pixel shows.

#include "presentation/Surface.h"
#include "presentation/sdl/PaletteConversion.h"

#include <cstdint>
#include <vector>

namespace gravlin {

// Whole-number scaling gives every game pixel the same size on screen; it is
// used when it keeps at least this share of the largest picture that fits, so
// a 1366 by 768 screen is not left with a small picture in a wide black frame.
inline constexpr double WholeScaleMinShare = 0.75;

// The largest scale of a picture that fits a window, and whether it is
// rounded down to a whole number (see WholeScaleMinShare).
struct ScreenScale {
    double Factor = 1.0;
    bool Whole = false;
};
ScreenScale ChooseScale(int windowW, int windowH, int pictureW, int pictureH);

// The picture's place in the window: scaled by ChooseScale, centred, with
// black around it.
struct ScreenPlace {
    int X = 0, Y = 0, W = 0, H = 0;
};
ScreenPlace PlaceScreen(int windowW, int windowH, int pictureW, int pictureH);

// The ways of scaling a row, all giving the same pixels: one window pixel
// at a time through a table of columns on any machine; SSE2 for twice,
// three and four times the size; AVX-512 for every scale from one up, each
// sixteen window pixels one permute of sixteen picture pixels, where the
// processor has it. A way that cannot do a scale does it the portable way.
enum class ScalePath { Portable, Sse2, Avx512 };
bool HasScalePath(ScalePath path);

// Writes rows of the 8-bit picture, through a palette lookup, into a
// window's 32-bit pixels at their place: nearest neighbour, every window
// pixel showing the picture pixel under its centre, as a texture drawn with
// nearest sampling shows it. A picture row's first window row is converted
// and scaled, the other rows it covers are copies of it.
class ScaledConversion {
  public:
    // Pictures of `pictureW` by `pictureH` go to `place`, scaled the fastest
    // way there is, or the way given (the portable one where it is missing:
    // tests compare them).
    void Place(const ScreenPlace& place, int pictureW, int pictureH);
    void Place(const ScreenPlace& place, int pictureW, int pictureH, ScalePath path);
    const ScreenPlace& Where() const { return place_; }

    // Rows [firstRow, firstRow + rows) of `from` into the window whose pixels
    // start at `to`, rows `pitch` bytes apart, a window at least as large as
    // the place's right and bottom edges. Returns the window rows written;
    // nothing when `from` is not of the placed size.
    ChangedRows Convert(const Surface& from, const PixelLookup& lookup, void* to, int pitch, int firstRow, int rows);

  private:
    void ScaleRow(const std::uint32_t* picture, unsigned char* window) const;

    ScreenPlace place_;
    int pictureW_ = 0, pictureH_ = 0;
    ScalePath path_ = ScalePath::Portable;
    int wholeFactor_ = 0;                // k when the place is k times the picture both ways, else 0
    std::vector<std::uint16_t> columns_; // the picture column each column of the place shows
    // For the permutes: the first of the sixteen picture pixels each sixteen
    // window pixels come from, and where in those each one is.
    std::vector<int> runStart_;
    std::vector<std::uint8_t> runIndex_;
    std::vector<int> firstWindowRow_;      // the first row of the place showing each picture row, and the end
    std::vector<std::uint32_t> converted_; // picture rows in 32-bit pixels, before scaling
};

} // namespace gravlin
