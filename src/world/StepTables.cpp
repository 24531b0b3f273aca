#include "world/StepTables.h"

namespace gravlin {

namespace {

StepTable Constant(std::int8_t v) {
    StepTable t;
    t.fill(v);
    return t;
}

StepTable FromList(std::initializer_list<std::int8_t> head, std::int8_t rest) {
    StepTable t;
    t.fill(rest);
    std::size_t i = 0;
    for (std::int8_t v : head) t[i++] = v;
    return t;
}

StepTable Negated(StepTable t) {
    for (std::int8_t& v : t) v = static_cast<std::int8_t>(-v);
    return t;
}

// The twelve fixed profiles.
StepTable Accel() {
    return FromList({6, 6, 6, 6, 6, 5, 5}, 4);
}
StepTable Fast6() {
    return FromList({8, 8, 8, 8, 8, 6}, 4);
}
StepTable Hop() {
    StepTable t;
    for (int i = 0; i < 20; ++i) t[i] = i < 5 ? 4 : (i < 13 ? -4 : -2);
    return t;
}
StepTable Wobble6() {
    return FromList({-2, 0, -2, -2, 2, 2, 2, 0, 0, 0, 0}, -2);
}
StepTable Wobble4() {
    StepTable t;
    for (int i = 0; i < 20; ++i) t[i] = (i >= 5 && i < 10) ? 2 : -2;
    return t;
}
StepTable Wobble2() {
    StepTable t;
    for (int i = 0; i < 20; ++i) t[i] = (i % 2 == 1) ? 0 : (i < 10 ? -2 : 2);
    return t;
}

} // namespace

void BuildStepTables(StepTables& tables, int speed) {
    if (speed != 2 && speed != 4 && speed != 6) return;
    const StepTable zero = Constant(0);
    // The ordinary move: Accel at 6, 4 pixels at 4, 2 pixels at 2.
    const StepTable plus = speed == 6 ? Accel() : Constant(speed == 4 ? 4 : 2);
    const StepTable minus = Negated(plus);
    // The collected-diamond flights: 4 pixels at 6, 2 at 4 and 2.
    const StepTable fplus = Constant(speed == 6 ? 4 : 2);
    const StepTable fminus = Negated(fplus);
    // The crush hop and the death flight move 4 pixels across at 6 and 4, 2 at 2.
    const StepTable xplus = Constant(speed == 2 ? 2 : 4);
    const StepTable xminus = Negated(xplus);
    const StepTable wobble = speed == 6 ? Wobble6() : (speed == 4 ? Wobble4() : Wobble2());
    const StepTable fast = speed == 6 ? Fast6() : (speed == 4 ? Accel() : Constant(4));

    auto set = [&](StepPairId id, const StepTable& dx, const StepTable& dy) { tables[id] = StepPair{dx, dy}; };
    set(StepPairId::StepRight, plus, zero);
    set(StepPairId::StepLeft, minus, zero);
    set(StepPairId::StepUp, zero, minus);
    set(StepPairId::StepDown, zero, plus);
    set(StepPairId::StepDownLeft, minus, plus);
    set(StepPairId::StepUpLeft, minus, minus);
    set(StepPairId::StepDownRight, plus, plus);
    set(StepPairId::StepUpRight, plus, minus);
    set(StepPairId::FlightDownLeft, fminus, fplus);
    set(StepPairId::FlightUpLeft, fminus, fminus);
    set(StepPairId::FlightDownRight, fplus, fplus);
    set(StepPairId::FlightUpRight, fplus, fminus);
    set(StepPairId::CrushLeft, xminus, wobble);
    set(StepPairId::CrushRight, xplus, wobble);
    set(StepPairId::FastFall, zero, fast);
    set(StepPairId::DeathFlightLeft, xminus, Hop());
    set(StepPairId::DeathFlightRight, xplus, Hop());
}

StepPairId DirectionPair(Dir dir) {
    switch (dir) {
    case Dir::Right: return StepPairId::StepRight;
    case Dir::Left: return StepPairId::StepLeft;
    case Dir::Up: return StepPairId::StepUp;
    case Dir::Down: return StepPairId::StepDown;
    case Dir::DownLeft: return StepPairId::StepDownLeft;
    case Dir::UpLeft: return StepPairId::StepUpLeft;
    case Dir::DownRight: return StepPairId::StepDownRight;
    case Dir::UpRight: return StepPairId::StepUpRight;
    default: return StepPairId::StepLeft;
    }
}

} // namespace gravlin
