// Painters for every sprite sheet, background layer and full-screen picture of the game.
#pragma once
#include <vector>

#include "canvas.h"

using Frames = std::vector<Image>;

// Ship and enemies (45x20 cells; the dragon 90x40). The ship faces right, enemies left.
Frames paintShip();
Frames paintSnake();
Frames paintBloodfish();
Frames paintGiro();
Frames paintBubble();
Frames paintDragon();

// Boss parts.
Image paintBossBody();   // 50x215
Frames paintBossArms();  // 32 frames of 90x40

// Effects, shots, pick-ups and status icons.
Frames paintExplosion();       // 20 frames of 100x100, alpha
Image paintShot(bool player);  // 50x50, alpha
enum PowerKind { PU_HEALTH, PU_500, PU_100, PU_FIRE, PU_BOMB };
Frames paintPowerUp(PowerKind k);  // 17 frames of 20x20 (1 for the bomb pick-up)
Image paintHeartIcon();
Image paintBombIcon();
Image paintSmartBombBar();  // 10x215

// Scrolling scenery: theme 0 forest, 1 ruin, 2 city, 3 mountains; layer 1 far (opaque) to 3 near.
Image paintBackground(int theme, int layer);
Image paintRays();  // 320x215 light-ray overlay
Image paintFog();   // 320x215 fog overlay

// Full-screen pictures, 320x240.
Image paintTitle(const Image& ship);
Image paintInstructions(const Image& ship);
Image paintIcon(const Image& ship, int size);  // launcher icon, 32 to 256 pixels square
