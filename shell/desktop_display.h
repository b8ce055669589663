// Desktop display manners: the 320x240 picture scaled by whole multiples only.
#pragma once

// Asks the SDL2 renderer behind the 1.2 compatibility layer, when there is one, to scale
// by whole multiples (with black borders) so that every game pixel is the same size.
// Returns false, changing nothing, on a plain SDL 1.2 or when the layer is not found.
bool useWholePixelScaling();
