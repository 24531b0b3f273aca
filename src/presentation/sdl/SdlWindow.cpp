// The SDL2 window and display backend.
