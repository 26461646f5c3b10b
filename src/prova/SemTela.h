#pragma once

// Allegro for proving levels without a window: the display-less system
// driver, 32-bit colour laid out as in the game's X11 window (so collision
// colours are the values the game uses), `screen` a 640 x 480 memory bitmap,
// and a stopwatch clock moved by hand, so a race runs as fast as the
// processor allows while every Cronometro reads the game's frame time.
namespace semTela {

// Idempotent. Throws std::runtime_error when Allegro cannot start.
void iniciarAllegro();

// The hand-moved clock: `usarRelogioFalso` makes every Cronometro read it
// (starting at an arbitrary non-zero moment); `avancar` moves it;
// `usarRelogioReal` goes back to the monotonic clock.
void usarRelogioFalso();
void avancar(long long ms);
void usarRelogioReal();

}  // namespace semTela
