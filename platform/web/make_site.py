# Assembles the browser version's site from the linked program, the page and the media:
# the media go into gzip-compressed packs fetched in turn (what the title needs first), the
# music stays as files the page streams, and everything but the page's entry points lies in
# a folder named by the site's version, which the page and its service worker both name.
# Usage: make_site.py --program DIR --page DIR --media DIR --out DIR
#            --pack NAME=GLOB,GLOB... (in fetch order) --stream GLOB --leave-out GLOB
import argparse
import fnmatch
import gzip
import hashlib
import json
import os
import shutil
import struct
import sys

PROGRAM_FILES = ("skarnfall.js", "skarnfall.wasm")
# Stored gzip-compressed, as the packs are: the page inflates it (media.js), whatever the server.
COMPRESSED = ("skarnfall.wasm",)
PAGE_ENTRY = "index.html"
WORKER = "sw.js"
ICON_SIZES = (48, 64, 128, 256)  # of the launcher icons the media generator draws
VERSION_DIGITS = 12


def media_files(media, dirs):
    """Every file under the media's folders, as paths relative to the media folder."""
    found = []
    for top in dirs:
        for root, _, names in os.walk(os.path.join(media, top)):
            for name in names:
                found.append(os.path.relpath(os.path.join(root, name), media).replace(os.sep, "/"))
    return sorted(found)


def pack_bytes(media, files):
    """A pack: a little-endian u32 length of a JSON index [[path, size], ...], the index,
    then the files' bytes in its order; gzip-compressed with no time stamp, so the same
    media always give the same bytes."""
    index = json.dumps([[f, os.path.getsize(os.path.join(media, f))] for f in files]).encode()
    body = [struct.pack("<I", len(index)), index]
    for f in files:
        with open(os.path.join(media, f), "rb") as data:
            body.append(data.read())
    return gzip.compress(b"".join(body), 9, mtime=0)


def sort_media(files, packs, stream, leave_out):
    """Each file's place: the first pack whose pattern matches it, else streamed or left out.
    A file no rule names fails the build, so that no media file is dropped unseen."""
    placed = {name: [] for name, _ in packs}
    streamed = []
    for f in files:
        if any(fnmatch.fnmatch(f, g) for g in leave_out):
            continue
        home = next((name for name, globs in packs if any(fnmatch.fnmatch(f, g) for g in globs)),
                    None)
        if home is not None:
            placed[home].append(f)
        elif any(fnmatch.fnmatch(f, g) for g in stream):
            streamed.append(f)
        else:
            sys.exit("make_site.py: no pack takes the media file " + f)
    return placed, streamed


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    parser = argparse.ArgumentParser()
    for option in ("--program", "--page", "--media", "--out"):
        parser.add_argument(option, required=True)
    parser.add_argument("--dirs", required=True, help="the media folders, comma-separated")
    parser.add_argument("--pack", action="append", default=[])
    parser.add_argument("--stream", action="append", default=[])
    parser.add_argument("--leave-out", action="append", default=[])
    args = parser.parse_args()
    packs = [(p.split("=", 1)[0], p.split("=", 1)[1].split(",")) for p in args.pack]
    placed, streamed = sort_media(media_files(args.media, args.dirs.split(",")), packs,
                                  args.stream, args.leave_out)

    # The versioned files, by their path inside the version folder.
    versioned = {}
    for name in PROGRAM_FILES:
        with open(os.path.join(args.program, name), "rb") as f:
            if name in COMPRESSED:
                versioned[name + ".gz"] = gzip.compress(f.read(), 9, mtime=0)
            else:
                versioned[name] = f.read()
    for name in sorted(os.listdir(args.page)):
        if name.endswith(".js") and name != WORKER:
            with open(os.path.join(args.page, name), "rb") as f:
                versioned[name] = f.read()
    pack_list = []
    for name, _ in packs:
        data = pack_bytes(args.media, placed[name])
        versioned[name + ".pack"] = data
        pack_list.append({"name": name, "bytes": len(data), "files": placed[name]})
    for f in streamed:
        with open(os.path.join(args.media, f), "rb") as data:
            versioned[f] = data.read()
    # The launcher icons, unversioned: the manifest names them.
    icons = {}
    for size in ICON_SIZES:
        source = os.path.join(args.media, "icons/hicolor/%dx%d/apps/skarnfall.png" % (size, size))
        with open(source, "rb") as f:
            icons["icons/skarnfall-%d.png" % size] = f.read()
    with open(os.path.join(args.page, "manifest.webmanifest"), "rb") as f:
        manifest = f.read()
    with open(os.path.join(args.page, PAGE_ENTRY), "rb") as f:
        page = f.read()
    with open(os.path.join(args.page, WORKER), "rb") as f:
        worker = f.read()

    digest = hashlib.sha256()
    for name in sorted(versioned) + sorted(icons):
        digest.update(name.encode() + b"\0")
        digest.update(hashlib.sha256(versioned.get(name, icons.get(name))).digest())
    for data in (manifest, page, worker):
        digest.update(hashlib.sha256(data).digest())
    version = digest.hexdigest()[:VERSION_DIGITS]
    folder = "v/" + version + "/"

    site = {"version": version, "folder": folder, "packs": pack_list, "streamed": streamed}
    # Every file a visit may need: the worker keeps them all for playing offline, those the
    # title needs at once, the other packs and the music as the page fetches them.
    later = [p["name"] + ".pack" for p in pack_list[1:]] + streamed
    at_once = ["./", "manifest.webmanifest"] + sorted(icons) + [
        folder + n for n in sorted(versioned) if n not in later]
    keep = at_once + [folder + n for n in later]
    out = args.out
    shutil.rmtree(out, ignore_errors=True)  # the site is all ours: no file of an older one stays
    for name, data in versioned.items():
        write(os.path.join(out, folder, name), data)
    for name, data in icons.items():
        write(os.path.join(out, name), data)
    write(os.path.join(out, "manifest.webmanifest"), manifest)
    write(os.path.join(out, PAGE_ENTRY),
          page.replace(b"@SITE@", json.dumps(site, separators=(",", ":")).encode())
          .replace(b"@FOLDER@", folder.encode()))
    write(os.path.join(out, WORKER),
          worker.replace(b"@VERSION@", version.encode())
          .replace(b"@AT_ONCE@", json.dumps(at_once, indent=0).encode())
          .replace(b"@KEEP@", json.dumps(keep, indent=0).encode()))
    print("site version %s: %s" % (version, ", ".join(
        "%s %.0f kB" % (p["name"], p["bytes"] / 1e3) for p in pack_list)))


if __name__ == "__main__":
    main()
