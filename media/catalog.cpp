// The list of every picture the game loads, painted and ready to write.
#include "catalog.h"

#include "painters.h"

static const Col WHITE = {255, 255, 255, 255};

static Picture sheet(const std::string& path, const Frames& f) {
  return {path,   makeSheet(f),  f[0].w,
          f[0].h, (int)f.size(), path.size() > 4 && path.substr(path.size() - 4) == ".png"};
}

static Picture single(const std::string& path, const Image& im) {
  return {path, im, im.w, im.h, 1, path.size() > 4 && path.substr(path.size() - 4) == ".png"};
}

std::vector<Picture> paintAllPictures() {
  std::vector<Picture> v;
  Frames ship = paintShip(), snake = paintSnake(), fish = paintBloodfish(), giro = paintGiro();
  Frames bubble = paintBubble(), dragon = paintDragon(), arms = paintBossArms();
  Image body = paintBossBody();
  v.push_back(sheet("sprites/snakeanim1.bmp", snake));
  v.push_back(single("sprites/saucer_white.bmp", silhouette(snake[0], WHITE)));
  v.push_back(sheet("sprites/bloodfishsheet.bmp", fish));
  v.push_back(single("sprites/classic_white.bmp", silhouette(fish[0], WHITE)));
  v.push_back(sheet("sprites/girosheet1.bmp", giro));
  v.push_back(single("sprites/giro_white.bmp", silhouette(giro[0], WHITE)));
  v.push_back(sheet("sprites/bubblesheet.bmp", bubble));
  v.push_back(single("sprites/bubble_white.bmp", silhouette(bubble[0], WHITE)));
  v.push_back(sheet("sprites/dragonsheet1.bmp", dragon));
  v.push_back(single("sprites/dragon2_white.bmp", silhouette(dragon[0], WHITE)));
  v.push_back(sheet("sprites/avsheet1.bmp", ship));
  v.push_back(single("sprites/goodbullet.png", paintShot(true)));
  v.push_back(single("sprites/badbullet.png", paintShot(false)));
  v.push_back(single("sprites/invavatar.bmp", silhouette(ship[0], WHITE)));
  v.push_back(sheet("sprites/exp1.png", paintExplosion()));
  v.push_back(single("sprites/smartbomb.bmp", paintSmartBombBar()));
  v.push_back(single("sprites/heart.bmp", paintHeartIcon()));
  v.push_back(single("sprites/bomb.bmp", paintBombIcon()));
  v.push_back(single("sprites/body_1.bmp", body));
  v.push_back(sheet("sprites/bossarms.bmp", arms));
  v.push_back(single("sprites/boss1white.bmp", silhouette(body, WHITE)));
  v.push_back(single("sprites/boss2white.bmp", silhouette(arms[0], WHITE)));
  v.push_back(sheet("sprites/healthupsheet.bmp", paintPowerUp(PU_HEALTH)));
  v.push_back(sheet("sprites/P_500sheet.bmp", paintPowerUp(PU_500)));
  v.push_back(sheet("sprites/P_100sheet.bmp", paintPowerUp(PU_100)));
  v.push_back(sheet("sprites/smartbombpu.bmp", paintPowerUp(PU_BOMB)));
  v.push_back(sheet("sprites/fireupsheet.bmp", paintPowerUp(PU_FIRE)));
  static const char* themes[4] = {"forest", "ruin", "city", "mountains"};
  for (int t = 0; t < 4; ++t)
    for (int l = 1; l <= 3; ++l) {
      Image im = paintBackground(t, l);
      im.wrapX = false;
      v.push_back(single(std::string("backgrounds/") + themes[t] + std::to_string(l) + ".bmp", im));
    }
  v.push_back(single("backgrounds/rays1.png", paintRays()));
  v.push_back(single("backgrounds/fog1.png", paintFog()));
  v.push_back(single("sprites/splash1.bmp", paintTitle(ship[0])));
  v.push_back(single("backgrounds/inst1pc.bmp", paintInstructions(ship[0])));
  for (int size : {32, 48, 64, 128, 256}) {
    std::string dir = std::to_string(size) + "x" + std::to_string(size);
    v.push_back(single("icons/hicolor/" + dir + "/apps/skarnfall.png", paintIcon(ship[0], size)));
  }
  return v;
}
