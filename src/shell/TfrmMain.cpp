// The game main window.
