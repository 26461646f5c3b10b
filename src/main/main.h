#pragma once

// Start-up and shutdown of the game library.

// Opens the 640 x 480 window in 32-bit colour and installs the timer and the
// keyboard. When any of it fails it says so on standard error and ends the
// program with a non-zero code: nothing can be shown without a window.
void init();
// Releases the keyboard buffer and shuts the library down.
void deinit();
