#include "Sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

namespace gravlin::assets {

namespace {

constexpr double TwoPi = 6.283185307179586;

// Deterministic white noise.
class Noise {
  public:
    explicit Noise(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
    double Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
    }

  private:
    std::uint32_t state_;
};

// One-pole low-pass and high-pass filters.
struct LowPass {
    double a = 0, y = 0;
    void Set(double cutoff, double rate) { a = 1.0 - std::exp(-TwoPi * cutoff / rate); }
    double Run(double x) { return y += a * (x - y); }
};
struct HighPass {
    LowPass lp;
    void Set(double cutoff, double rate) { lp.Set(cutoff, rate); }
    double Run(double x) { return x - lp.Run(x); }
};

// A resonant state-variable filter (band-pass and low-pass outputs).
struct Svf {
    double low = 0, band = 0;
    double Run(double x, double cutoff, double q, double rate, bool bandOut = false) {
        double f = 2.0 * std::sin(std::min(0.49, cutoff / rate) * 3.14159265358979);
        double high = x - low - q * band;
        band += f * high;
        low += f * band;
        return bandOut ? band : low;
    }
};

double Tri(double phase) { // phase in cycles
    double p = phase - std::floor(phase);
    return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
}
double Saw(double phase) {
    return 2 * (phase - std::floor(phase)) - 1;
}
double Square(double phase, double duty = 0.5) {
    return (phase - std::floor(phase)) < duty ? 1.0 : -1.0;
}

// Attack then exponential decay.
double Env(double t, double attack, double decay) {
    if (t < 0) return 0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

double NoteHz(double midi) {
    return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0);
}

using Buffer = std::vector<double>;

Buffer Make(double seconds, int rate = CueRate) {
    return Buffer(static_cast<std::size_t>(seconds * rate), 0.0);
}

// Short fades at both ends and a peak below full scale; `drive` above 1
// saturates softly, which makes a sound denser and louder for its peak.
std::vector<short> Finish(Buffer b, double peak, bool fades = true, double drive = 1) {
    if (drive > 1) {
        double m0 = 1e-9;
        for (double v : b) m0 = std::max(m0, std::fabs(v));
        for (double& v : b) v = std::tanh(v / m0 * drive);
    }
    if (fades) {
        std::size_t in = static_cast<std::size_t>(0.003 * CueRate), out = static_cast<std::size_t>(0.012 * CueRate);
        for (std::size_t i = 0; i < std::min(in, b.size()); ++i)
            b[i] *= static_cast<double>(i) / static_cast<double>(in);
        for (std::size_t i = 0; i < std::min(out, b.size()); ++i)
            b[b.size() - 1 - i] *= static_cast<double>(i) / static_cast<double>(out);
    }
    double m = 1e-9;
    for (double v : b) m = std::max(m, std::fabs(v));
    std::vector<short> s(b.size());
    for (std::size_t i = 0; i < b.size(); ++i) s[i] = static_cast<short>(std::lround(b[i] / m * peak * 32767.0));
    return s;
}

// A pitch-swept oscillator: frequency and amplitude as functions of time.
void AddSweep(Buffer& b, double start, double length, const std::function<double(double)>& hz,
              const std::function<double(double)>& amp, const std::function<double(double)>& wave) {
    double phase = 0;
    std::size_t i0 = static_cast<std::size_t>(start * CueRate);
    std::size_t n = static_cast<std::size_t>(length * CueRate);
    for (std::size_t i = 0; i < n && i0 + i < b.size(); ++i) {
        double t = static_cast<double>(i) / CueRate;
        b[i0 + i] += wave(phase) * amp(t);
        phase += hz(t) / CueRate;
    }
}

double Sine(double phase) {
    return std::sin(TwoPi * phase);
}

// A bell: a sine with a few inharmonic partials.
void AddBell(Buffer& b, double start, double hz, double decay, double level) {
    AddSweep(
        b, start, decay * 6, [hz](double) { return hz; }, [=](double t) { return level * Env(t, 0.002, decay); }, Sine);
    AddSweep(
        b, start, decay * 3, [hz](double) { return hz * 2.76; },
        [=](double t) { return level * 0.35 * Env(t, 0.001, decay * 0.4); }, Sine);
    AddSweep(
        b, start, decay * 3, [hz](double) { return hz * 5.4; },
        [=](double t) { return level * 0.12 * Env(t, 0.001, decay * 0.2); }, Sine);
}

// Filtered noise with an envelope.
void AddNoise(Buffer& b, double start, double length, double cutoff, double highCut, std::uint32_t seed,
              const std::function<double(double)>& amp) {
    Noise n(seed);
    LowPass lp;
    lp.Set(cutoff, CueRate);
    HighPass hp;
    hp.Set(highCut, CueRate);
    std::size_t i0 = static_cast<std::size_t>(start * CueRate);
    std::size_t len = static_cast<std::size_t>(length * CueRate);
    for (std::size_t i = 0; i < len && i0 + i < b.size(); ++i) {
        double t = static_cast<double>(i) / CueRate;
        b[i0 + i] += hp.Run(lp.Run(n.Next())) * amp(t);
    }
}

// ------------------------------------------------------------------ cues

// A rock landing: a falling thump and a crunch of gravel. Five variants
// differ in size (pitch) and grain.
Buffer RockLand(int v) {
    const double pitch[] = {1.0, 0.86, 1.14, 0.76, 1.05};
    const double grit[] = {900, 1300, 700, 1600, 1100};
    double k = pitch[v];
    Buffer b = Make(0.38);
    AddSweep(
        b, 0, 0.3, [k](double t) { return k * (45 + 110 * std::exp(-t / 0.03)); },
        [](double t) { return Env(t, 0.002, 0.07); }, Sine);
    AddNoise(b, 0, 0.25, grit[v], 60, 11 + v, [](double t) { return 1.4 * Env(t, 0.001, 0.035); });
    // Pebbles settling.
    for (int i = 0; i < 3; ++i) {
        double at = 0.06 + 0.045 * i + 0.01 * v;
        AddNoise(b, at, 0.04, 3000, 600, 40 + v * 7 + i,
                 [i](double t) { return (0.35 - 0.08 * i) * Env(t, 0.0005, 0.008); });
    }
    return b;
}

// A diamond: a bright two-note chime; the five variants climb a pentatonic
// scale so that a run of diamonds plays a little tune.
Buffer DiamondChime(int v) {
    const double notes[] = {84, 86, 88, 91, 93};
    Buffer b = Make(0.5);
    AddBell(b, 0, NoteHz(notes[v]), 0.09, 0.8);
    AddBell(b, 0.055, NoteHz(notes[v] + 7), 0.12, 0.6);
    AddNoise(b, 0, 0.03, 12000, 5000, 70 + v, [](double t) { return 0.25 * Env(t, 0.0005, 0.006); });
    return b;
}

// A monster dying: a squelchy falling wail with a pop; variants change the
// start pitch and the wobble.
Buffer MonsterDeath(int v) {
    const double start[] = {520, 440, 600, 380, 480};
    const double wob[] = {11, 14, 9, 16, 12};
    Buffer b = Make(0.55);
    Svf f;
    Buffer w = Make(0.55);
    double s0 = start[v], wr = wob[v];
    AddSweep(
        w, 0.02, 0.5, [=](double t) { return (s0 * std::exp(-t / 0.22) + 70) * (1 + 0.06 * std::sin(TwoPi * wr * t)); },
        [](double t) { return Env(t, 0.01, 0.16); }, Saw);
    for (std::size_t i = 0; i < w.size(); ++i) {
        double t = static_cast<double>(i) / CueRate;
        b[i] += f.Run(w[i], 600 + 2200 * std::exp(-t / 0.15), 0.4, CueRate) * 0.9;
    }
    AddNoise(b, 0, 0.05, 2500, 200, 90 + v, [](double t) { return 0.9 * Env(t, 0.0005, 0.012); });
    return b;
}

Buffer EggBreak() {
    Buffer b = Make(0.5);
    // Three sharp cracks, then a little creature's peep.
    const double at[] = {0.0, 0.07, 0.11};
    for (int i = 0; i < 3; ++i)
        AddNoise(b, at[i], 0.05, 9000, 1500, 120 + i,
                 [i](double t) { return (1.0 - 0.2 * i) * Env(t, 0.0003, 0.009); });
    AddSweep(
        b, 0.0, 0.06, [](double) { return 1900; }, [](double t) { return 0.25 * Env(t, 0.0005, 0.01); },
        [](double p) { return Square(p); });
    AddSweep(
        b, 0.22, 0.22, [](double t) { return 700 + 900 * t / 0.22; },
        [](double t) { return 0.35 * std::sin(3.14159 * t / 0.22); }, [](double p) { return Tri(p); });
    return b;
}

// A growl: a low saw through a resonant filter, with a tremolo.
Buffer Growl(double length, double hz, double formant, std::uint32_t seed) {
    Buffer raw = Make(length), b = Make(length);
    AddSweep(
        raw, 0, length, [=](double t) { return hz * (1 + 0.25 * std::sin(TwoPi * 2.2 * t)) * (1 + 0.3 * t); },
        [=](double t) { return Env(t, 0.03, length * 0.45) * (0.7 + 0.3 * std::sin(TwoPi * 23 * t)); }, Saw);
    AddNoise(raw, 0, length, 1200, 100, seed, [=](double t) { return 0.25 * Env(t, 0.03, length * 0.4); });
    Svf f1, f2;
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = static_cast<double>(i) / CueRate;
        double fm = formant * (1 + 0.4 * std::sin(TwoPi * 3.0 * t));
        b[i] = f1.Run(raw[i], fm, 0.25, CueRate, true) * 0.8 + f2.Run(raw[i], fm * 2.6, 0.3, CueRate, true) * 0.4;
    }
    return b;
}

Buffer Jingle(const std::vector<std::pair<double, double>>& notes, double noteLength, bool sad) {
    double total = noteLength * static_cast<double>(notes.size()) + 0.9;
    Buffer b = Make(total);
    double at = 0;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        double midi = notes[i].first, len = noteLength * notes[i].second;
        bool last = i + 1 == notes.size();
        double hz = NoteHz(midi);
        double hold = last ? len + 0.6 : len;
        AddSweep(
            b, at, hold,
            [=](double t) { return hz * (1 + (last && sad ? 0.012 * std::sin(TwoPi * 5.5 * t) - 0.02 * t : 0.0)); },
            [=](double t) { return 0.5 * Env(t, 0.008, last ? 0.35 : len * 0.7); },
            [sad](double p) {
                return sad ? 0.6 * Square(p, 0.35) + 0.4 * Tri(p) : 0.55 * Tri(p) + 0.45 * Square(p, 0.25);
            });
        // An octave below for body.
        AddSweep(
            b, at, hold, [=](double) { return hz / 2; }, [=](double t) { return 0.3 * Env(t, 0.01, last ? 0.4 : len); },
            Sine);
        if (!sad) AddBell(b, at, hz * 2, 0.08, 0.15);
        at += len;
    }
    // Soften the square edges.
    LowPass lp;
    lp.Set(sad ? 2200 : 4500, CueRate);
    for (double& v : b) v = lp.Run(v);
    return b;
}

Buffer RockMove() {
    Buffer b = Make(0.32);
    Noise n(301);
    LowPass lp;
    lp.Set(500, CueRate);
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = static_cast<double>(i) / CueRate;
        double grind = 0.6 + 0.4 * std::sin(TwoPi * 31 * t) * std::sin(TwoPi * 7 * t);
        b[i] = lp.Run(n.Next()) * grind * Env(t, 0.03, 0.12) * 3.0;
    }
    AddSweep(
        b, 0, 0.3, [](double t) { return 70 - 20 * t; }, [](double t) { return 0.3 * Env(t, 0.02, 0.1); },
        [](double p) { return Tri(p); });
    return b;
}

Buffer LockOpen() {
    Buffer b = Make(0.7);
    AddNoise(b, 0, 0.03, 8000, 2500, 401, [](double t) { return 0.9 * Env(t, 0.0003, 0.004); });
    AddNoise(b, 0.06, 0.03, 7000, 2000, 402, [](double t) { return 0.8 * Env(t, 0.0003, 0.005); });
    AddBell(b, 0.1, NoteHz(79), 0.12, 0.6);
    AddBell(b, 0.18, NoteHz(86), 0.15, 0.55);
    AddBell(b, 0.26, NoteHz(91), 0.2, 0.5);
    return b;
}

Buffer ChaserHome() {
    Buffer b = Make(0.9);
    // A rising shimmer of quick notes, then a glassy chord.
    const double notes[] = {72, 76, 79, 83, 84, 88, 91};
    for (int i = 0; i < 7; ++i) AddBell(b, 0.035 * i, NoteHz(notes[i]), 0.06, 0.35);
    for (double m : {84.0, 88.0, 91.0}) AddBell(b, 0.27, NoteHz(m), 0.25, 0.3);
    AddSweep(
        b, 0, 0.3, [](double t) { return 300 + 2000 * t; }, [](double t) { return 0.15 * std::sin(3.14159 * t / 0.3); },
        Sine);
    return b;
}

Buffer WeedGrow() {
    Buffer b = Make(0.55);
    // A rustle of leaves and a rising woody creak.
    AddNoise(b, 0, 0.5, 5000, 1500, 501, [](double t) {
        return 0.55 * std::pow(std::sin(3.14159 * t / 0.5), 2) * (0.6 + 0.4 * std::sin(TwoPi * 17 * t));
    });
    Buffer raw = Make(0.55);
    AddSweep(
        raw, 0.05, 0.4, [](double t) { return 90 + 160 * t; },
        [](double t) { return 0.8 * std::sin(3.14159 * t / 0.4); }, [](double p) { return Square(p, 0.15); });
    Svf f;
    for (std::size_t i = 0; i < b.size(); ++i) b[i] += f.Run(raw[i], 900, 0.3, CueRate, true) * 0.7;
    return b;
}

Buffer ManDie() {
    Buffer b = Make(1.1);
    // A falling cry, then a soft thud.
    AddSweep(
        b, 0, 0.8, [](double t) { return 820 * std::exp(-t / 0.35) + 110 + 25 * std::sin(TwoPi * 7 * t); },
        [](double t) { return 0.6 * Env(t, 0.01, 0.35); },
        [](double p) { return 0.6 * Tri(p) + 0.4 * Square(p, 0.3); });
    AddSweep(
        b, 0.78, 0.3, [](double t) { return 40 + 90 * std::exp(-t / 0.03); },
        [](double t) { return Env(t, 0.002, 0.08); }, Sine);
    AddNoise(b, 0.78, 0.2, 700, 50, 601, [](double t) { return 0.9 * Env(t, 0.001, 0.04); });
    LowPass lp;
    lp.Set(3500, CueRate);
    for (double& v : b) v = lp.Run(v);
    return b;
}

// The teleport's hum: one second of whole-numbered frequencies, so that the
// end meets the start exactly and it loops without a seam. Every partial
// starts at phase 0: the hum starts, and each loop joins, on a zero crossing.
// It has no fades of its own, which would dip the hum once a loop; a stop
// anywhere in the loop is faded out where the game plays it.
Buffer Hyper() {
    Buffer b = Make(1.0);
    const int n = static_cast<int>(b.size());
    for (int i = 0; i < n; ++i) {
        double t = static_cast<double>(i) / CueRate;
        double wob = std::sin(TwoPi * 4 * t);
        double v = 0.35 * std::sin(TwoPi * 220 * t + 1.5 * std::sin(TwoPi * 8 * t)) +
                   0.25 * std::sin(TwoPi * 331 * t + 0.8 * wob) +
                   0.18 * std::sin(TwoPi * 662 * t) * (0.5 + 0.5 * std::sin(TwoPi * 2 * t)) +
                   0.12 * std::sin(TwoPi * 880 * t + 0.8 * std::sin(TwoPi * 6 * t));
        b[static_cast<std::size_t>(i)] = v;
    }
    return b;
}

} // namespace

std::vector<short> SynthesiseCue(const std::string& name) {
    const double peak = 0.85;
    for (int v = 0; v < 5; ++v) {
        if (name == "rock" + std::to_string(v + 1)) return Finish(RockLand(v), peak);
        if (name == "monsdie" + std::to_string(v + 1)) return Finish(MonsterDeath(v), peak, true, 2.0);
        std::string d = std::to_string(v + 1);
        if (name == "dia" + d + d + d) return Finish(DiamondChime(v), peak);
    }
    if (name == "eggbreak") return Finish(EggBreak(), peak);
    if (name == "monster") return Finish(Growl(0.7, 72, 520, 701), peak, true, 3.0);
    if (name == "monster2") return Finish(Growl(0.32, 105, 700, 702), peak, true, 3.0);
    if (name == "losegame") return Finish(Jingle({{67, 1}, {66, 1}, {65, 1}, {64, 2}}, 0.28, true), peak * 0.9);
    if (name == "cheer") return Finish(Jingle({{72, 1}, {76, 1}, {79, 1}, {84, 2.2}}, 0.12, false), peak * 0.9);
    if (name == "rockmove") return Finish(RockMove(), peak * 0.8);
    if (name == "lockopen") return Finish(LockOpen(), peak);
    if (name == "chashome") return Finish(ChaserHome(), peak);
    if (name == "weed") return Finish(WeedGrow(), peak * 0.8);
    if (name == "mandie") return Finish(ManDie(), peak);
    if (name == "hyper") return Finish(Hyper(), peak * 0.7, false);
    return {};
}

// ------------------------------------------------------------------ music

namespace {

// Everything is written into a ring of exactly the loop's length: a note or
// an echo that runs past the end continues at the start, so the loop has no
// seam.
struct Ring {
    std::vector<double> L, R;
    explicit Ring(std::size_t n) : L(n, 0.0), R(n, 0.0) {}
    std::size_t Size() const { return L.size(); }
    void Add(std::size_t i, double v, double pan) { // pan -1 left .. 1 right
        i %= L.size();
        L[i] += v * std::sqrt(0.5 * (1 - pan));
        R[i] += v * std::sqrt(0.5 * (1 + pan));
    }
};

void Note(Ring& ring, double startSec, double lengthSec, double hz, double level, double pan,
          const std::function<double(double, double)>& voice) { // voice(phase, t) -> sample
    std::size_t i0 = static_cast<std::size_t>(startSec * MusicRate);
    std::size_t n = static_cast<std::size_t>(lengthSec * MusicRate);
    double phase = 0;
    for (std::size_t i = 0; i < n; ++i) {
        double t = static_cast<double>(i) / MusicRate;
        ring.Add(i0 + i, voice(phase, t) * level, pan);
        phase += hz / MusicRate;
    }
}

} // namespace

std::vector<short> SynthesiseMusic() {
    const double bpm = 96;
    const double beat = 60.0 / bpm;
    const int bars = 16;
    const std::size_t total = static_cast<std::size_t>(std::llround(bars * 4 * beat * MusicRate));
    Ring ring(total);

    // A calm minor progression, two bars a chord: Am F C G, twice; chords as
    // MIDI notes from the root.
    const int roots[] = {57, 53, 48, 55};
    const std::vector<std::vector<int>> chords = {{0, 3, 7}, {0, 4, 7}, {0, 4, 7}, {0, 4, 7}};
    for (int bar = 0; bar < bars; ++bar) {
        int c = (bar / 2) % 4;
        int root = roots[c];
        double barStart = bar * 4 * beat;
        // Bass: a soft plucked line in eighths.
        const int pattern[] = {0, 0, 12, 0, 7, 0, 12, 10};
        for (int e = 0; e < 8; ++e) {
            int m = root - 12 + pattern[e];
            if (e == 7 && c == 3) m = root - 12 + 11;
            Note(ring, barStart + e * beat / 2, beat * 0.48, NoteHz(m), 0.32, -0.1,
                 [](double p, double t) { return (0.8 * std::sin(TwoPi * p) + 0.25 * Tri(p)) * Env(t, 0.004, 0.16); });
        }
        // Pad: two detuned triangles per chord note, slow swell.
        for (int k : chords[c]) {
            double hz = NoteHz(root + k + (k == 0 ? 12 : 0));
            for (int d = -1; d <= 1; d += 2)
                Note(ring, barStart, 4 * beat + 0.4, hz * (1 + 0.003 * d), 0.045, 0.5 * d, [=](double p, double t) {
                    double env = std::min(1.0, t / 0.6) * std::min(1.0, std::max(0.0, (4 * beat + 0.4 - t) / 0.5));
                    return Tri(p) * env;
                });
        }
        // Arpeggio in sixteenths, high, with the chord turned over.
        const int arp[] = {0, 1, 2, 3, 2, 1, 0, 2};
        for (int s = 0; s < 16; ++s) {
            int idx = arp[s % 8];
            int note = root + 12 + (idx < 3 ? chords[c][static_cast<std::size_t>(idx)] : 12);
            double at = barStart + s * beat / 4;
            double pan = (s % 2) ? 0.45 : -0.45;
            double level = (bar < 2) ? 0.05 + 0.02 * bar : 0.09;
            Note(ring, at, 0.35, NoteHz(note), level, pan, [](double p, double t) {
                return (std::sin(TwoPi * p) + 0.2 * std::sin(TwoPi * 2 * p)) * Env(t, 0.002, 0.07);
            });
            // A quiet echo a dotted eighth later, on the other side.
            Note(ring, at + beat * 0.75, 0.35, NoteHz(note), level * 0.35, -pan,
                 [](double p, double t) { return std::sin(TwoPi * p) * Env(t, 0.002, 0.07); });
        }
        // Drums: soft kick on 1 and 3, brush on 2 and 4, hats in eighths.
        for (int b = 0; b < 4; ++b) {
            double at = barStart + b * beat;
            if (b % 2 == 0)
                Note(ring, at, 0.3, 1, 0.5, 0, [](double, double t) {
                    double ph = 45 * t + (110.0 - 45) * 0.03 * (1 - std::exp(-t / 0.03));
                    return std::sin(TwoPi * ph) * Env(t, 0.002, 0.09);
                });
            if (b % 2 == 1) {
                Noise n(static_cast<std::uint32_t>(bar * 8 + b));
                LowPass lp;
                lp.Set(2500, MusicRate);
                HighPass hp;
                hp.Set(900, MusicRate);
                Note(ring, at, 0.25, 1, 0.1, 0.15,
                     [&](double, double t) { return hp.Run(lp.Run(n.Next())) * Env(t, 0.003, 0.06); });
            }
        }
        for (int e = 0; e < 8; ++e) {
            Noise n(static_cast<std::uint32_t>(1000 + bar * 8 + e));
            HighPass hp;
            hp.Set(7000, MusicRate);
            double level = (e % 2) ? 0.05 : 0.08;
            Note(ring, barStart + e * beat / 2, 0.06, 1, level, 0.3,
                 [&](double, double t) { return hp.Run(n.Next()) * Env(t, 0.001, 0.015); });
        }
    }
    // Melody in the second half: a bell tune over the progression.
    const std::vector<std::pair<int, double>> tune = {{76, 1.5}, {74, 0.5}, {72, 1},   {69, 1}, {72, 2}, {74, 1},
                                                      {72, 1},   {67, 1.5}, {69, 0.5}, {71, 1}, {67, 1}, {69, 4},
                                                      {76, 1.5}, {77, 0.5}, {76, 1},   {72, 1}, {74, 2}, {72, 1},
                                                      {69, 1},   {71, 1.5}, {72, 0.5}, {74, 1}, {71, 1}, {69, 4}};
    double at = 8 * 4 * beat;
    for (auto [m, len] : tune) {
        Note(ring, at, len * beat + 0.6, NoteHz(m), 0.12, 0.1, [](double p, double t) {
            double mod = std::sin(TwoPi * p * 2.0) * 0.8 * std::exp(-t / 0.3);
            return std::sin(TwoPi * p + mod) * Env(t, 0.005, 0.5);
        });
        at += len * beat;
    }

    // Gentle low-pass on both sides (run twice round the ring so that the
    // filter's state at the loop point is the steady one).
    for (auto* side : {&ring.L, &ring.R}) {
        LowPass lp;
        lp.Set(7000, MusicRate);
        for (double v : *side) lp.Run(v);
        for (double& v : *side) v = lp.Run(v);
    }
    double m = 1e-9;
    for (std::size_t i = 0; i < total; ++i) m = std::max({m, std::fabs(ring.L[i]), std::fabs(ring.R[i])});
    std::vector<short> out(total * 2);
    for (std::size_t i = 0; i < total; ++i) {
        out[2 * i] = static_cast<short>(std::lround(ring.L[i] / m * 0.7 * 32767));
        out[2 * i + 1] = static_cast<short>(std::lround(ring.R[i] / m * 0.7 * 32767));
    }
    return out;
}

} // namespace gravlin::assets
