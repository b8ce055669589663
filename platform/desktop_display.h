// Desktop display manners: how the 320x240 picture reaches a desktop's screen, and scaling
// by whole multiples only.
#pragma once
#include <SDL/SDL.h>

// Lets prepareVideoMode fit the display to the desktop; the desktop program turns this on
// before the game starts (the handheld build never does).
void enableDesktopDisplay(bool on);

// Plays in a window instead of full screen (the desktop's --window).
void playInWindow(bool on);
// The window's size as a multiple of 320x240 (--scale), kept when full screen is left.
void setWindowScale(int scale);

// Switches the display between full screen and a window of the chosen scale (Alt+Enter and
// F11 on the desktop); the display surface and everything drawn on it stay as they are.
// Returns false, changing nothing, where SDL cannot switch.
bool toggleFullScreen();

// The flags of the game's video mode (full screen, or a window after playInWindow); call
// once video is initialised, just before setting the mode. On a desktop where the picture
// shows at its own size (a full screen of exactly 320x240, or a window scaled by 1) it also
// chooses the cheapest way to show it: a copy into the window's own framebuffer instead of
// a renderer on a graphics library, which only pays when there is scaling to do.
Uint32 prepareVideoMode();

// True when a display shown with these flags on a desktop of this size, in a window scaled
// by windowScaling ("1", "3" or null for the layer's default of 1), needs no scaling.
bool showsUnscaled(Uint32 videoFlags, int desktopWidth, int desktopHeight,
                   const char* windowScaling);

// Asks the SDL2 renderer behind the 1.2 compatibility layer, when there is one, to scale
// by whole multiples (with black borders) so that every game pixel is the same size.
// Returns false, changing nothing, on a plain SDL 1.2 or when the layer is not found.
bool useWholePixelScaling();
