// Contact sheets for reviewing the art: sheets scaled up on a dark checker, and one composed
// in-game scene per theme (three layers, status icons, ship, enemies, shots, explosion).
#include <algorithm>
#include <map>

#include "catalog.h"
#include "imageio.h"
#include "textdraw.h"

// What the game shows for a BMP: pixels are either fully there or keyed out.
static Image asShown(const Picture& p) {
  if (p.png) return p.img;
  Image im = p.img;
  for (Col& c : im.px) c = c.a >= 128 ? withAlpha(c, 255) : Col();
  return im;
}

static void checker(Image& im) {
  for (int y = 0; y < im.h; ++y)
    for (int x = 0; x < im.w; ++x)
      im.set(x, y, ((x / 8 + y / 8) % 2) ? rgb(38, 38, 48) : rgb(50, 50, 62));
}

static void board(const std::vector<const Picture*>& list, const std::string& file, int width,
                  int maxScale = 3) {
  // Lay out left to right, wrapping rows; each entry labelled above.
  struct Placed {
    const Picture* p;
    int x, y, s;
  };
  std::vector<Placed> placed;
  int x = 8, y = 8, rowH = 0;
  for (const Picture* p : list) {
    int s = p->img.w * 3 <= width - 16 ? 3 : (p->img.w * 2 <= width - 16 ? 2 : 1);
    if (p->img.h > 200) s = 2;
    s = std::min(s, maxScale);
    int w = p->img.w * s, h = p->img.h * s + 12;
    if (x + w > width - 8) {
      x = 8;
      y += rowH + 10;
      rowH = 0;
    }
    placed.push_back({p, x, y, s});
    x += std::max(w, textWidth(p->path) + 4) + 12;
    rowH = std::max(rowH, h);
  }
  Image out(width, y + rowH + 10);
  checker(out);
  for (auto& pl : placed) {
    drawText(out, pl.x, pl.y, pl.p->path, rgb(255, 255, 255));
    Image shown = scaleNearest(asShown(*pl.p), pl.s);
    blit(out, shown, pl.x, pl.y + 11);
    // Thin frame so the cell extent is visible.
    for (int i = -1; i <= shown.w; ++i) {
      out.blend(pl.x + i, pl.y + 10, rgb(255, 255, 255, 60));
      out.blend(pl.x + i, pl.y + 11 + shown.h, rgb(255, 255, 255, 60));
    }
  }
  writePNG(file, out);
}

static Image cell(const Picture& p, int frame) {
  return crop(asShown(p), (frame % 10) * p.cellW, (frame / 10) * p.cellH, p.cellW, p.cellH);
}

// Draws a 640-wide layer as the game does, the window starting at column pos and wrapping.
static void layerStrip(Image& dst, const Picture& p, int pos) {
  Image shown = asShown(p);
  for (int y = 0; y < 215; ++y)
    for (int x = 0; x < 320; ++x) dst.blend(x, 25 + y, shown.get((pos + x) % shown.w, y));
}

static void scene(const std::map<std::string, const Picture*>& by, const std::string& theme,
                  const std::string& file) {
  Image im(320, 240, rgb(0, 0, 0));
  // Windows chosen so the seam (column 639 next to column 0) is on screen in every layer.
  layerStrip(im, *by.at("backgrounds/" + theme + "1.bmp"), 480);
  layerStrip(im, *by.at("backgrounds/" + theme + "2.bmp"), 420);
  layerStrip(im, *by.at("backgrounds/" + theme + "3.bmp"), 560);
  if (theme == "forest") blit(im, asShown(*by.at("backgrounds/rays1.png")), 0, 25);
  if (theme == "city") blit(im, asShown(*by.at("backgrounds/fog1.png")), 0, 25);
  blit(im, asShown(*by.at("sprites/heart.bmp")), 4, 2);
  blit(im, asShown(*by.at("sprites/heart.bmp")), 26, 2);
  blit(im, asShown(*by.at("sprites/bomb.bmp")), 60, 2);
  drawText(im, 200, 8, "SCORE 0012300", rgb(255, 255, 255));
  blit(im, cell(*by.at("sprites/avsheet1.bmp"), 1), 40, 120);
  blit(im, cell(*by.at("sprites/goodbullet.png"), 0), 90 - 20, 126 - 20);
  blit(im, cell(*by.at("sprites/goodbullet.png"), 0), 130 - 20, 126 - 20);
  blit(im, cell(*by.at("sprites/snakeanim1.bmp"), 3), 230, 60);
  blit(im, cell(*by.at("sprites/bloodfishsheet.bmp"), 2), 260, 100);
  blit(im, cell(*by.at("sprites/girosheet1.bmp"), 1), 200, 150);
  blit(im, cell(*by.at("sprites/bubblesheet.bmp"), 2), 270, 180);
  blit(im, cell(*by.at("sprites/dragonsheet1.bmp"), 5), 150, 40);
  blit(im, cell(*by.at("sprites/badbullet.png"), 0), 200 - 20, 90 - 20);
  blit(im, cell(*by.at("sprites/exp1.png"), 6), 150 - 40, 180 - 40);
  blit(im, cell(*by.at("sprites/P_500sheet.bmp"), 3), 100, 200);
  blit(im, cell(*by.at("sprites/fireupsheet.bmp"), 5), 70, 170);
  writePNG(file, scaleNearest(im, 2));
}

// The whole character set of the game's font at its own size, then sample lines, scaled by 4.
static void fontSheet(const std::string& file) {
  Image im(260, 100, rgb(12, 14, 30));
  for (int row = 0; row < 4; ++row) {
    std::string line;
    for (int ch = 32 + row * 24; ch < 56 + row * 24 && ch < 127; ++ch)
      line += (char)ch, line += ' ';
    drawText(im, 4, 4 + row * 11, line, rgb(255, 255, 255), Col());
  }
  const char* samples[] = {"The graphics were about to get much",
                           "M N W H  0 O  1 l I  5 S  8 B  2 Z", "High Scores For This Level  -17"};
  for (int i = 0; i < 3; ++i) drawText(im, 4, 54 + i * 14, samples[i], rgb(255, 236, 140), Col());
  writePNG(file, scaleNearest(im, 4));
}

void writeContactSheets(const std::vector<Picture>& pics, const std::string& docsDir) {
  fontSheet(docsDir + "/contact_font.png");
  std::map<std::string, const Picture*> by;
  for (auto& p : pics) by[p.path] = &p;
  std::vector<const Picture*> actors, boss, items, layers, screens;
  for (auto& p : pics) {
    const std::string& n = p.path;
    if (n.rfind("icons/", 0) == 0 && n.find("/64x64/") == std::string::npos)
      continue;  // one icon size is enough
    if (n.rfind("backgrounds/inst", 0) == 0 || n.find("splash") != std::string::npos)
      screens.push_back(&p);
    else if (n.rfind("backgrounds/", 0) == 0)
      layers.push_back(&p);
    else if (n.find("boss") != std::string::npos || n.find("body") != std::string::npos ||
             n.find("exp1") != std::string::npos || n.find("smartbomb.bmp") != std::string::npos)
      boss.push_back(&p);
    else if (n.find("sheet.bmp") != std::string::npos || n.find("pu.bmp") != std::string::npos ||
             n.find("heart") != std::string::npos || n.find("bomb.bmp") != std::string::npos ||
             n.find("bullet") != std::string::npos)
      items.push_back(&p);
    else
      actors.push_back(&p);
  }
  // Enemy sheets whose names end in "sheet.bmp" belong with the actors.
  for (auto it = items.begin(); it != items.end();) {
    const std::string& n = (*it)->path;
    if (n.find("bloodfish") != std::string::npos || n.find("bubblesheet") != std::string::npos) {
      actors.push_back(*it);
      it = items.erase(it);
    } else {
      ++it;
    }
  }
  // Close-ups of the large animated sheets: every third frame of the first row.
  std::vector<Picture> zooms;
  for (const char* n : {"sprites/dragonsheet1.bmp", "sprites/bossarms.bmp"}) {
    const Picture& p = *by.at(n);
    Image strip(p.cellW * 4, p.cellH);
    for (int k = 0; k < 4; ++k) blit(strip, cell(p, k * 3), k * p.cellW, 0);
    zooms.push_back({std::string(n) + " frames 0 3 6 9", strip, strip.w, strip.h, 1, true});
  }
  std::vector<const Picture*> zoomList;
  for (auto& z : zooms) zoomList.push_back(&z);
  board(zoomList, docsDir + "/contact_zoom.png", 1120);
  board(actors, docsDir + "/contact_actors.png", 1400);
  board(boss, docsDir + "/contact_boss_fx.png", 1400);
  board(items, docsDir + "/contact_items.png", 1100);
  board(layers, docsDir + "/contact_layers.png", 1300, 1);
  board(screens, docsDir + "/contact_screens.png", 1320);
  for (const char* t : {"forest", "ruin", "city", "mountains"})
    scene(by, t, docsDir + "/scene_" + t + ".png");
}
