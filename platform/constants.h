// The game's named constants and identifiers. Groups that reuse small numbers live in
// their own namespace (the group is part of a value's meaning) and are pulled in by name.
#pragma once

namespace screenGeometry {
constexpr int WINDOW_WIDTH = 320;
constexpr int WINDOW_HEIGHT = 240;
constexpr int SCREEN_TOP = 25;  // rows 0 to 24 hold the status bar
constexpr int SCREEN_BOTTOM = 240;
constexpr int SCREEN_LEFT = 0;
constexpr int SCREEN_RIGHT = 320;
constexpr int SCREEN_EDGE_BUFFER = 50;  // pixels beyond the play field an object may stray
constexpr const char* WINDOW_TITLE = "Skarnfall";
}  // namespace screenGeometry

namespace imageKinds {
constexpr int BMP = 1;  // opaque, one colour keyed out
constexpr int TGA = 2;  // named but never loaded
constexpr int PNG = 3;  // carries its own alpha
}  // namespace imageKinds

namespace frameLimits {
constexpr int FRAMES_PER_ROW = 10;
constexpr int MASTER_MAX_FRAME = 2000;  // ticks before a free-running frame counter wraps
constexpr int MAX_INC = 10;             // largest step of one update, in ticks
constexpr int MIN_INC = 1;
constexpr int MAX_EXP_FRAME = 19;
constexpr int INVINCIBLE_TIME = 100;  // ticks of invincibility after a hit
constexpr bool DEBUG = false;
constexpr int TICK_MS = 16;  // one tick of game time, in milliseconds
}  // namespace frameLimits

namespace levelIds {
constexpr int LEVEL_1_REGULAR = 0, LEVEL_1_SURVIVAL = 1;
constexpr int LEVEL_2_REGULAR = 2, LEVEL_2_SURVIVAL = 3;
constexpr int LEVEL_3_REGULAR = 4, LEVEL_3_SURVIVAL = 5;
constexpr int LEVEL_4_REGULAR = 6, LEVEL_4_SURVIVAL = 7;
constexpr int LEVEL_5_REGULAR = 8, LEVEL_5_SURVIVAL = 9;
constexpr int LEVEL_6_REGULAR = 10, LEVEL_6_SURVIVAL = 11;
constexpr int LEVEL_7_REGULAR = 12, LEVEL_7_SURVIVAL = 13;
constexpr int LEVEL_8_REGULAR = 14, LEVEL_8_SURVIVAL = 15;
constexpr int LEVEL_9_REGULAR = 16, LEVEL_9_SURVIVAL = 17;
constexpr int LEVEL_10_REGULAR = 18, LEVEL_10_SURVIVAL = 19;
}  // namespace levelIds

namespace extrasIds {
constexpr int EXTRA_SMART_BOMB_1 = 20;
constexpr int EXTRA_LIFE_1 = 21;
constexpr int INVINCIBLE_30_SECONDS_1 = 22;
constexpr int EXTRA_POINT_1 = 23;
constexpr int EXTRA_SMART_BOMB_2 = 24;
constexpr int EXTRA_LIFE_2 = 25;
constexpr int EXTRA_POINT_2 = 26;
constexpr int EXTRA_SMART_BOMB_3 = 27;
constexpr int EXTRA_LIFE_3 = 28;
constexpr int EXTRA_POINT_3 = 29;
}  // namespace extrasIds

// Sprite-type ids: slots of a level's 100 sprite sheets. A white twin is always id + 1.
namespace spriteTypes {
constexpr int DEFAULT_AVATAR = 1;
constexpr int DEFAULT_AVATAR_WHITE = 2;
constexpr int DEFAULT_ENEMY = 3;
constexpr int DEFAULT_ENEMY_WHITE = 4;
constexpr int DEFAULT_AVATAR_BULLET = 5;
constexpr int DEFAULT_ENEMY_BULLET = 6;
constexpr int DEFAULT_EXPLOSION_0 = 7;
constexpr int DEFAULT_EXPLOSION_1 = 8, DEFAULT_EXPLOSION_2 = 9, DEFAULT_EXPLOSION_3 = 10;
constexpr int DEFAULT_EXPLOSION_4 = 11, DEFAULT_EXPLOSION_5 = 12, DEFAULT_EXPLOSION_6 = 13;
constexpr int DEFAULT_EXPLOSION_7 = 14, DEFAULT_EXPLOSION_8 = 15, DEFAULT_EXPLOSION_9 = 16;
constexpr int DEFAULT_EXPLOSION_10 = 17, DEFAULT_EXPLOSION_11 = 18, DEFAULT_EXPLOSION_12 = 19;
constexpr int DEFAULT_EXPLOSION_13 = 20, DEFAULT_EXPLOSION_14 = 21, DEFAULT_EXPLOSION_15 = 22;
constexpr int DEFAULT_EXPLOSION_16 = 23, DEFAULT_EXPLOSION_17 = 24, DEFAULT_EXPLOSION_18 = 25;
constexpr int DEFAULT_EXPLOSION_19 = 26;
constexpr int DEFAULT_SMART_BOMB = 27;
constexpr int DEFAULT_WALL = 28;
constexpr int HEART = 29;
constexpr int BOMB = 30;
constexpr int DRAW_EXTRA_SMART_BOMB_1 = 31;
constexpr int DRAW_EXTRA_LIFE_1 = 32;
constexpr int DRAW_INVINCIBLE_30_SECONDS_1 = 33;
constexpr int DRAW_EXTRA_POINT_1 = 34;
constexpr int DRAW_EXTRA_SMART_BOMB_2 = 35;
constexpr int DRAW_EXTRA_LIFE_2 = 36;
constexpr int DRAW_EXTRA_POINT_2 = 37;
constexpr int DRAW_EXTRA_SMART_BOMB_3 = 38;
constexpr int DRAW_EXTRA_LIFE_3 = 39;
constexpr int DRAW_EXTRA_POINT_3 = 40;
constexpr int BACKGROUND_1 = 41;
constexpr int BACKGROUND_2 = 42;
constexpr int LARGE_ENEMY = 43;
constexpr int LARGE_ENEMY_WHITE = 44;
constexpr int BOSS_1 = 45;
constexpr int BOSS_1_WHITE = 46;
constexpr int BOSS_2 = 47;
constexpr int BOSS_2_WHITE = 48;
constexpr int BOSS_3 = 49;
constexpr int BOSS_3_WHITE = 50;
constexpr int DEFAULT_ENEMY_2 = 51;
constexpr int DEFAULT_ENEMY_2_WHITE = 52;
constexpr int DEFAULT_ENEMY_3 = 53;
constexpr int DEFAULT_ENEMY_3_WHITE = 54;
constexpr int DEFAULT_ENEMY_4 = 55;
constexpr int DEFAULT_ENEMY_4_WHITE = 56;
constexpr int DEFAULT_ENEMY_5 = 57;
constexpr int DEFAULT_ENEMY_5_WHITE = 58;
constexpr int DEFAULT_ENEMY_6 = 59;
constexpr int DEFAULT_ENEMY_6_WHITE = 60;
constexpr int DEFAULT_ENEMY_7 = 61;
constexpr int DEFAULT_ENEMY_7_WHITE = 62;
constexpr int DEFAULT_ENEMY_8 = 63;
constexpr int DEFAULT_ENEMY_8_WHITE = 64;
constexpr int BACKGROUND_4 = 66;
constexpr int BACKGROUND_5 = 67, BACKGROUND_6 = 68, BACKGROUND_7 = 69;
constexpr int BACKGROUND_8 = 70, BACKGROUND_9 = 71, BACKGROUND_10 = 72;
constexpr int BACKGROUND_3 = 80;  // the nearest layer lives apart from 66 to 72
constexpr int SPRITE_SLOTS = 100;
}  // namespace spriteTypes

// Power-up kinds share their numbers with the sheet slots that draw them.
namespace powerUps {
constexpr int NO_POWER_UP = 0;
constexpr int EXTRA_LIFE = 61;
constexpr int POINTS_500 = 62;
constexpr int POINTS_100 = 63;
constexpr int EXTRA_BOMB = 64;
constexpr int FIRE_POWER = 65;
constexpr int POWER_UP_CHOICES = 6;
}  // namespace powerUps

namespace directions {
constexpr int NORTH = 1;
constexpr int NORTH_EAST = 2;
constexpr int EAST = 3;
constexpr int SOUTH_EAST = 4;
constexpr int SOUTH = 5;
constexpr int SOUTH_WEST = 6;
constexpr int WEST = 7;
constexpr int NORTH_WEST = 8;
}  // namespace directions

namespace alignments {
constexpr int PLAYER_1 = 1;
constexpr int PLAYER_2 = 2;
constexpr int ENEMY = 3;
constexpr int POWER_UP = 4;
constexpr int HARMLESS = 5;
constexpr int ENEMY_BULLET = 6;
constexpr int PLAYER_1_BULLET = 7;
constexpr int EXPLOSION = 8;
constexpr int SMART_BOMB = 9;
constexpr int WALL = 10;
}  // namespace alignments

namespace actionIds {
constexpr int MOVE = 1;
constexpr int WAIT = 2;
constexpr int HOME = 3;
constexpr int FIRE_AIMED = 4;
constexpr int FIRE_PATH = 5;
constexpr int FOLLOW_ACTION_LIST = -1;  // a heading meaning "steered by the script"
}  // namespace actionIds

namespace waveletOps {
constexpr int ADD_ENEMY = 0;
constexpr int ADD_ACTION = 1;
constexpr int ADD_ENEMY_ALLIED = 2;
constexpr int SET_HEALTH = 3;
}  // namespace waveletOps

namespace speeds {
constexpr float ENEMY_SPEED = 1.5f;         // pixels per tick
constexpr float ENEMY_BULLET_SPEED = 2.0f;  // pixels per tick
}  // namespace speeds

namespace levelResults {
constexpr int PLAYER_KILLED = 1;
constexpr int PLAYER_QUIT = 2;
constexpr int LEVEL_COMPLETE = 3;
}  // namespace levelResults

namespace fadeDirections {
constexpr int FADE_OUT = 0;
constexpr int FADE_IN = 1;
}  // namespace fadeDirections

// Bearings in radians, clockwise from straight up, all built on 3.1415 for pi.
// The ARC_ values are scaled in single precision, the DTR values rounded once from
// double, so DTR270 and ARC_PIT150 differ in the last bit.
namespace angles {
constexpr float ARC_PI = 3.1415f;
constexpr float ARC_PIT025 = ARC_PI * 0.25f;
constexpr float ARC_PIT050 = ARC_PI * 0.5f;
constexpr float ARC_PIT075 = ARC_PI * 0.75f;
constexpr float ARC_PIT125 = ARC_PI * 1.25f;
constexpr float ARC_PIT150 = ARC_PI * 1.5f;
constexpr float ARC_PIT175 = ARC_PI * 1.75f;
constexpr float DTR0 = 0.0f;
constexpr float DTR90 = static_cast<float>(3.1415 * 90.0 / 180.0);
constexpr float DTR180 = static_cast<float>(3.1415 * 180.0 / 180.0);
constexpr float DTR270 = static_cast<float>(3.1415 * 270.0 / 180.0);
constexpr float DTR360 = static_cast<float>(3.1415 * 360.0 / 180.0);
}  // namespace angles

using namespace screenGeometry;
using namespace imageKinds;
using namespace frameLimits;
using namespace levelIds;
using namespace extrasIds;
using namespace spriteTypes;
using namespace powerUps;
using namespace directions;
using namespace alignments;
using namespace actionIds;
using namespace waveletOps;
using namespace speeds;
using namespace levelResults;
using namespace fadeDirections;
using namespace angles;
