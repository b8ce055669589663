# Compares a window's picture, dumped by xwd (or another runner's screenshot), with a
# screenshot of the game's display (a PNG from the runner): equal when every pixel agrees in the display's 16 bits (5, 6 and 5 bits
# of red, green and blue), which is all the game draws; the systems' SDLs widen them to
# 24 bits each its own way. The frame is the window's top left 320x240.
# Usage: python3 tools/cross/window_frame.py WINDOW.xwd|OTHER.png DISPLAY.png
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "browser"))
import png  # noqa: E402

WIDTH, HEIGHT = 320, 240


def read_xwd(path):
    """(width, height, bytes R, G, B row by row) of a 24- or 32-bit TrueColor xwd dump."""
    with open(path, "rb") as f:
        data = f.read()
    fields = struct.unpack(">25I", data[:100])
    header, width, height, byte_order = fields[0], fields[4], fields[5], fields[7]
    bits, line, masks, colours = fields[11], fields[12], fields[14:17], fields[19]
    if bits not in (24, 32):
        raise ValueError(path + ": only 24 or 32 bits a pixel")
    pixels = data[header + 12 * colours:]
    size = bits // 8
    order = "little" if byte_order == 0 else "big"
    shifts = [(mask & -mask).bit_length() - 1 for mask in masks]
    out = bytearray()
    for y in range(height):
        for x in range(width):
            at = y * line + size * x
            value = int.from_bytes(pixels[at:at + size], order)
            out += bytes((value & m) >> s for m, s in zip(masks, shifts))
    return width, height, bytes(out)


def top_left(width, rgb):
    """The top left WIDTH x HEIGHT pixels of an RGB picture width pixels wide."""
    return b"".join(rgb[3 * y * width:3 * (y * width + WIDTH)] for y in range(HEIGHT))


def main():
    with open(sys.argv[1], "rb") as f:
        is_png = f.read(8) == b"\x89PNG\r\n\x1a\n"
    window_width, window_height, window = (png.read_rgb if is_png else read_xwd)(sys.argv[1])
    shot_width, shot_height, shot = png.read_rgb(sys.argv[2])
    if window_width < WIDTH or window_height < HEIGHT or (shot_width, shot_height) != (WIDTH, HEIGHT):
        print("sizes: window %dx%d, display %dx%d" % (window_width, window_height, shot_width, shot_height))
        return 1
    differ = png.differing_pixels(top_left(window_width, window), top_left(shot_width, shot))
    print("window frame: %d of %d pixels differ from the display" % (differ, WIDTH * HEIGHT))
    return 0 if differ == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
