#pragma once
// The game's sounds, synthesised: every cue of the sound library and the
// looping music.

#include <string>
#include <vector>

namespace gravlin::assets {

// The rate of every cue in the sound library (mono, 16-bit).
constexpr int CueRate = 44100;
// The music: stereo, 16-bit.
constexpr int MusicRate = 44100;

// The samples of one cue by its name; empty for a name the game does not use.
std::vector<short> SynthesiseCue(const std::string& name);

// The music, interleaved left and right; its last sample flows into its first.
std::vector<short> SynthesiseMusic();

} // namespace gravlin::assets
