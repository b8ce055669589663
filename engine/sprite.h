// The sprite base of every object on the play field, its hit test (the game's one
// collision rule), and the scrolling background layer.
#pragma once
#include <SDL/SDL.h>

class spriteType;

class sprite {
 public:
  int typeId;       // sheet slot it is drawn with
  float direction;  // bearing in radians clockwise from up, or FOLLOW_ACTION_LIST
  float speed;      // pixels per tick
  float x;          // top-left of the hit box, screen pixels
  float y;
  int frame;
  int maxFrame;  // -1: no frame count of its own
  int health;
  int alignment;
  int width;
  int height;
  bool active;
  int smartInvTimer;  // ticks the smart bomb cannot strike this sprite again

  sprite(int tId, float dir, float sp, float x1, float y1, int he, int al, int w1, int h1);

  float getX() { return x; }
  float getY() { return y; }
  int getWidth() { return width; }
  int getHeight() { return height; }
  int getAlign() { return alignment; }
  void setMaxFrame(int mF) { maxFrame = mF; }

  void draw(spriteType** sTArray, SDL_Surface* screenSurface);
  // Health change for this sprite on meeting the box (tX, tY, tWidth, tHeight) whose
  // owner is aligned tAlign; raises the score and power-up flags it earns.
  int hitTest(float tX, float tY, int tWidth, int tHeight, int tAlign);

 private:
  bool meets(float tX, float tY, int tWidth, int tHeight);
  void collectPowerUp();
};

class background : public sprite {
 public:
  int ol;
  float counter;  // image column shown at the play field's left edge

  background(int tId, float dir, float sp, float x1, float y1, int he, int al, int w1, int h1);
  void update(int timeElapsed);
  void draw(spriteType** sTArray, SDL_Surface* screenSurface);
};
