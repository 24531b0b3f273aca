#include "world/CellCodes.h"

namespace gravlin {

namespace {
CodeSet With(std::initializer_list<int> codes, int first = -1, int last = -2) {
    CodeSet s(codes);
    s.AddRange(first, last);
    return s;
}
} // namespace

const CodeSet& PlayerEnterable() {
    static const CodeSet s = [] {
        CodeSet c{0, 1, 6, 12, 20, 21, 77};
        c.AddRange(104, 114);
        c.AddRange(130, 133);
        return c;
    }();
    return s;
}
const CodeSet& PlayerDiagonalSet() {
    static const CodeSet s{0, 1, 6, 133};
    return s;
}
const CodeSet& DeadlyToPlayer() {
    static const CodeSet s{62, 64, 77, 104, 130, 131, 132};
    return s;
}
const CodeSet& RoundedLeft() {
    static const CodeSet s{6, 12, 77, 128, 130, 131, 132};
    return s;
}
const CodeSet& RoundedRight() {
    static const CodeSet s{6, 12, 77, 129, 130, 131, 132};
    return s;
}
const CodeSet& RockFallIntoClosedBook() {
    static const CodeSet s{0, 62, 110, 111, 112, 200};
    return s;
}
const CodeSet& RockFallIntoOpenBook() {
    static const CodeSet s{0, 110, 111, 112, 200};
    return s;
}
const CodeSet& RockDiagonalInto() {
    static const CodeSet s{0, 62, 110, 111, 112};
    return s;
}
const CodeSet& EggFallInto() {
    static const CodeSet s{0, 110, 111, 112, 200};
    return s;
}
const CodeSet& EggRollInto() {
    static const CodeSet s{0, 110, 111, 112};
    return s;
}
const CodeSet& MonsterEnterable() {
    static const CodeSet s{0, 24};
    return s;
}
const CodeSet& ChaserEnterable() {
    static const CodeSet s{0, 1, 24, 64, 68};
    return s;
}
const CodeSet& WeedEnterable() {
    static const CodeSet s{0, 24, 62};
    return s;
}
const CodeSet& TeleportSet() {
    static const CodeSet s = With({}, 105, 109);
    return s;
}

} // namespace gravlin
