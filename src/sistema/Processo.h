#pragma once

// What the program does about its surroundings, so that nothing a pipe, a
// signal or the window system does can crash it.

// Before anything else: descriptors 0 to 2 open (on /dev/null when they
// were closed, so the display connection cannot take one of them and get
// the selection's lines written into it), and a closed standard output
// making writes fail instead of killing the program.
void prepararProcesso();

// Once the window is open: Ctrl-C, SIGQUIT (Ctrl-\ in a terminal), SIGTERM
// and a closed terminal's SIGHUP ask the game to quit the way the window's
// close button does, instead of Allegro shutting itself down from the
// signal while the main thread draws; a window destroyed from outside does
// the same; a lost display connection ends the program with one line and
// code 1. Allegro's Ctrl+Alt+End exit is turned off.
void vigiarSaida();
