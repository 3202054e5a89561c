#!/usr/bin/env python3
"""Writes the served, installable page: the finished single page as index.html,
its web app manifest, its icons, and the worker that keeps these files for use
offline, named by a hash of them. Files are written in a fixed order with fixed
contents, so the same page and icons give the same folder byte for byte.

usage: make-site.py PAGE.html ICON-FOLDER OUTPUT-FOLDER
"""
import hashlib
import html
import json
import pathlib
import re
import shutil
import sys

ICONS = ("icon-192.png", "icon-512.png", "icon-maskable-512.png", "apple-touch-icon.png")
LARGEST_SITE = 256 * 1024  # bytes: a phone's first visit, over a slow line, stays short

page, icon_folder, site = (pathlib.Path(argument) for argument in sys.argv[1:4])
sources = pathlib.Path(__file__).resolve().parent.parent / "ui" / "web"
text = page.read_text(encoding="utf-8")
# The home screen's name is the window's caption, which the page's title holds.
caption = html.unescape(re.search(r"<title>(.*?)</title>", text).group(1))
manifest = (sources / "manifest.webmanifest").read_text(encoding="utf-8").replace("@WINDOW_CAPTION@", caption)
kept = {
    "index.html": page.read_bytes(),
    "manifest.webmanifest": manifest.encode("utf-8"),
}
kept.update((name, (icon_folder / name).read_bytes()) for name in ICONS)

build = hashlib.sha256()
for name in sorted(kept):
    build.update(name.encode() + b"\0" + hashlib.sha256(kept[name]).digest())
# The worker asks for the page as the folder itself, the address that start_url
# and a person's link give.
addresses = ["./" if name == "index.html" else name for name in sorted(kept)]
worker = (sources / "service_worker.js").read_text(encoding="utf-8")
worker = worker.replace("@FILES@", json.dumps(addresses)).replace("@HASH@", build.hexdigest()[:16])

if site.exists():
    shutil.rmtree(site)
site.mkdir(parents=True)
for name, content in kept.items():
    (site / name).write_bytes(content)
(site / "service-worker.js").write_bytes(worker.encode("utf-8"))

total = sum(path.stat().st_size for path in site.iterdir())
print("%s: %d files, %d bytes" % (site, len(kept) + 1, total), file=sys.stderr)
if total > LARGEST_SITE:
    sys.exit("the site is %d bytes, more than its %d" % (total, LARGEST_SITE))
