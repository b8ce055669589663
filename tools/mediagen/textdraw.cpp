// Text for the title and instruction pictures: the 8-pixel TrueType face and a tiny digit font.
#include "textdraw.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>

static TTF_Font* gFont = nullptr;

bool openFont() {
    if (gFont) return true;
    if (TTF_Init() != 0) return false;
    gFont = TTF_OpenFont(FONT_PATH, 8);
    if (!gFont) fprintf(stderr, "mediagen: cannot open font %s\n", FONT_PATH);
    return gFont != nullptr;
}

void closeFont() {
    if (gFont) TTF_CloseFont(gFont);
    gFont = nullptr;
    TTF_Quit();
}

Image textMask(const std::string& s) {
    if (!gFont || s.empty()) return Image(1, 8);
    SDL_Color white = {255, 255, 255, 0};
    SDL_Surface* surf = TTF_RenderText_Solid(gFont, s.c_str(), white);
    if (!surf) return Image(1, 8);
    Image out(surf->w, surf->h);
    SDL_LockSurface(surf);
    for (int y = 0; y < surf->h; ++y) {
        const Uint8* row = (const Uint8*)surf->pixels + y * surf->pitch;
        for (int x = 0; x < surf->w; ++x)
            if (row[x]) out.set(x, y, rgb(255, 255, 255));
    }
    SDL_UnlockSurface(surf);
    SDL_FreeSurface(surf);
    return out;
}

int textWidth(const std::string& s) {
    int w = 0, h = 0;
    if (gFont) TTF_SizeText(gFont, s.c_str(), &w, &h);
    return w;
}

static void paintMask(Image& im, const Image& m, int x, int y, Col top, Col bottom) {
    for (int j = 0; j < m.h; ++j)
        for (int i = 0; i < m.w; ++i)
            if (m.opaque(i, j)) im.set(x + i, y + j, mixCol(top, bottom, m.h > 1 ? (float)j / (m.h - 1) : 0));
}

void drawText(Image& im, int x, int y, const std::string& s, Col fg, Col shadow) {
    Image m = textMask(s);
    if (shadow.a) paintMask(im, m, x + 1, y + 1, shadow, shadow);
    paintMask(im, m, x, y, fg, fg);
}

void drawText2x(Image& im, int x, int y, const std::string& s, Col top, Col bottom, Col shadow) {
    Image m = scale2x(textMask(s));
    if (shadow.a) {
        paintMask(im, m, x + 1, y + 1, shadow, shadow);
        paintMask(im, m, x + 2, y + 2, shadow, shadow);
    }
    paintMask(im, m, x, y, top, bottom);
}

// Each digit is five rows of three bits, top row first.
static const unsigned char kDigits[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 2, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}};

void drawTinyDigits(Image& im, int x, int y, const char* digits, Col c) {
    for (const char* p = digits; *p; ++p, x += 4) {
        if (*p < '0' || *p > '9') continue;
        const unsigned char* g = kDigits[*p - '0'];
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 3; ++col)
                if (g[row] & (4 >> col)) im.set(x + col, y + row, c);
    }
}
