// The game's pictures as drawings: the five tiles, the flying droplet and the window icon.
#pragma once

#include "tools/draw_pictures/canvas.h"

namespace vintello::draw {

inline constexpr int kTileCount = 5;

// Tile 1 is the empty glass pane; tiles 2 to 5 carry ever larger drops.
Image DrawTile(int index);

// The droplet: an upright shaded ellipse on pure white, lighter at the top.
Image DrawDroplet();

// A drop for the window's title bar, on white.
Image DrawWindowIcon();

// The same drop as the window icon, drawn afresh at `size` x `size` pixels on a transparent
// background: the program's icon in desktop menus.
RgbaImage DrawAppIcon(int size);

}  // namespace vintello::draw
