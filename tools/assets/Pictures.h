#pragma once
// The five pictures of the game, composed on canvases, and a contact sheet of
// the tiles for the documentation.

#include "Raster.h"

namespace gravlin::assets {

// Fixed rectangles of the level-choice picture (right and bottom exclusive).
constexpr Rect LevelLabelRect{8, 188, 78, 212};
constexpr Rect PlayerLabelRect{200, 186, 286, 220};
constexpr Rect NoPreviewRect{0, 260, 288, 419};
constexpr Rect TitleStripRect{354, 24, 568, 40};
constexpr Rect KeyHelpRect{0, 434, 512, 450};
// Where the level choice copies those two strips to (their left edge on the
// screen): their texts are drawn so as to land centred on the screen.
constexpr int TitleStripScreenLeft = 204, KeyHelpScreenLeft = 24;
constexpr int DigitTop = 226, DigitBottom = 248;
constexpr int DigitLeft[10] = {0, 23, 29, 48, 67, 83, 103, 122, 138, 157};
constexpr int DigitRight[10] = {23, 29, 48, 67, 83, 103, 122, 138, 156, 175};

Canvas PlaySheet();           // "All256.DIB"
Canvas LevelChoiceSheet();    // "VsAll256.DIB"
Canvas MenuPicture();         // "Userbits.DIB"
Canvas TitlePicture();        // "All256Intro.DIB"
Canvas HelpPicture();         // "Help256.DIB"
Canvas ContactSheet();        // every tile, enlarged, with its number
Canvas IconPicture(int size); // the desktop icon

} // namespace gravlin::assets
