#!/usr/bin/env bash
# Installs what is missing and builds the converter as one web page,
# build-web/dbmconv.html: the program in WebAssembly and its script inside the
# page, with the icon; it opens from disk in any current browser, offline, and
# from any static web server; and the same page as a site to put on a server,
# build-web/site/, which a phone adds to its home screen and opens offline.
# Two builds of one commit give the same bytes. Prints the site's files, then
# the page's path last. With --tests it also builds the core's and the
# actions' suites, to run under Node.js, and installs what the page's suite in
# three browser engines needs (ctest --test-dir build-web runs them all).
# usage: scripts/build-web.sh [--tests]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/commit-time.sh
testing=OFF
packages=web
if [ "${1:-}" = --tests ]; then
  testing=ON
  packages=web-test
fi

bash scripts/install-deps.sh "$packages" >&2
# Emscripten's tools are Node.js scripts that need Debian's acorn, which a
# Node.js from elsewhere does not look for.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
folder=build-web
# (The suites run under the machine's Node.js as it is: Emscripten 3.1.6 would
# give it an option that Node.js 20 no longer knows.)
emcmake cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DDBMCONV_WERROR=ON \
  -DBUILD_TESTING="$testing" -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node)" >&2
cmake --build "$folder" --parallel "$(nproc)" >&2

# The icon, written by the same toolkit-free tool as the Windows programs'.
cmake -S packaging/icon/host -B "$folder/host-tools" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DDBMCONV_SOURCE_DIR="$PWD" >&2
cmake --build "$folder/host-tools" >&2
"$folder/host-tools/dbmconv_make_ico" "$folder/dbmconv.ico" >&2
# The window's texts and places, from the same sources as the desktop windows'.
cmake -S ui/web/host -B "$folder/page-fields" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDBMCONV_SOURCE_DIR="$PWD" >&2
cmake --build "$folder/page-fields" >&2
"$folder/page-fields/dbmconv_page_fields" >"$folder/page_fields.tsv"

version=$(cat VERSION)
python3 - "$folder" "$version" <<'PY'
import base64
import html
import pathlib
import re
import sys

folder, version = pathlib.Path(sys.argv[1]), sys.argv[2]
page = pathlib.Path("ui/web/page.html").read_text(encoding="utf-8")
for line in (folder / "page_fields.tsv").read_text(encoding="utf-8").splitlines():
    name, value = line.split("\t", 1)
    page = page.replace("@%s@" % name, html.escape(value))
program = (folder / "app" / "dbmconv.js").read_text(encoding="utf-8")
code = base64.b64encode((folder / "app" / "dbmconv.wasm").read_bytes()).decode("ascii")
icon = base64.b64encode((folder / "dbmconv.ico").read_bytes()).decode("ascii")
# A script may not contain the text that ends it.
assert "</script" not in program.lower()
page = page.replace("@ICON@", icon).replace("@VERSION@", version).replace("@PROGRAM_CODE@", code)
# (a place left unfilled would show as it stands)
assert re.findall(r"@[A-Z0-9_]+@", page) == ["@PROGRAM@"], re.findall(r"@[A-Z0-9_]+@", page)
page = page.replace("@PROGRAM@", program)
(folder / "dbmconv.html").write_text(page, encoding="utf-8")
PY
page=$folder/dbmconv.html
echo "$page: $(stat -c %s "$page") bytes" >&2

# The same page as a site to put on any static server: installable on a home
# screen, and offline once opened.
"$folder/host-tools/dbmconv_make_web_icons" "$folder/web-icons" >&2
python3 scripts/make-site.py "$page" "$folder/web-icons" "$folder/site"
for file in $(cd "$folder/site" && ls | LC_ALL=C sort); do
  echo "$PWD/$folder/site/$file"
done
echo "$PWD/$page"
