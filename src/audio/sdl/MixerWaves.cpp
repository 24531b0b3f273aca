// The SDL2_mixer sound backend.
