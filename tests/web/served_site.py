"""The page as a site: served from 127.0.0.1 under a path of its own, as any
static host would serve build-web/site/; installed, offline and updated."""
import json
import pathlib
import shutil
import subprocess
import sys

from browser_engine import NotInThisEngine
from page_controls import wait_until
from static_server import StaticServer

FOLDER = "tools/dbmconv/"  # not the server's root: the site works under any path
SITE_FILES = ["service-worker.js", "manifest.webmanifest", "icon-192.png", "icon-512.png", "icon-maskable-512.png",
              "apple-touch-icon.png"]
MAKE_SITE = pathlib.Path(__file__).resolve().parent.parent.parent / "scripts" / "make-site.py"


class Serving:
    def __init__(self, site, scratch):
        self.root = pathlib.Path(scratch) / "first-build"
        shutil.copytree(site, self.root / FOLDER)
        self.server = StaticServer(self.root)
        self.address = "http://127.0.0.1:%d/%s" % (self.server.port, FOLDER)

    def stop(self):
        if self.server:
            self.server.stop()
            self.server = None

    def serve(self, root):
        """`root` at the same address as before."""
        port = int(self.address.split(":")[2].split("/")[0])
        self.stop()
        self.server = StaticServer(root, port)


def controlled_by_its_worker(browser):
    return browser.run("""return navigator.serviceWorker.ready.then(() =>
        navigator.serviceWorker.controller ? navigator.serviceWorker.controller.scriptURL : null);""")


def kept_builds(browser):
    return browser.run("return caches.keys();")


def requests_elsewhere(browser):
    """Every request of the page's but those of the site's own files, beside
    the page (its worker's script, the manifest and its icons)."""
    return browser.run("""const folder = new URL(".", location.href).href;
        return performance.getEntriesByType("resource").map((entry) => entry.name)
            .filter((name) => !(name.startsWith(folder) && arguments[0].includes(name.slice(folder.length))));""",
                       SITE_FILES)


def check_installed(check, browser, window):
    worker = wait_until(lambda: controlled_by_its_worker(browser), what="the worker's taking over")
    check("the page's worker is active and answers for it", worker.endswith("/" + FOLDER + "service-worker.js"),
          True)
    check("one build kept, named for the page's folder", len(kept_builds(browser)), 1)
    try:
        chromium = browser.chromium_only("the manifest as Chromium reads it")
    except NotInThisEngine as reason:
        check.skip("manifest and installability in %s" % browser.engine, reason)
        return
    manifest = chromium.cdp("Page.getAppManifest")
    check("manifest read without errors", manifest["errors"], [])
    read, written = manifest.get("manifest", {}), json.loads(manifest["data"])
    here = browser.run("return location.href;")
    check("manifest: name, start and scope the folder itself, standalone",
          (read.get("name"), read.get("startUrl"), read.get("scope"), read.get("display")),
          ("功率和dBm换算", here, here, "kStandalone"))
    check("manifest: short name and language", (written.get("short_name"), written.get("lang")),
          ("功率和dBm换算", "zh-CN"))
    check("manifest: icons of 192 and 512 pixels, and a maskable one",
          sorted((icon["sizes"], icon.get("purpose", "any")) for icon in written["icons"]),
          [("192x192", "any"), ("512x512", "any"), ("512x512", "maskable")])
    check("installable: no installability error",
          chromium.cdp("Page.getInstallabilityErrors")["installabilityErrors"], [])


def _second_build(page, scratch):
    """The same page with another version in its footer, made into a site by
    the build's own step: what a later release puts at the same address."""
    root = pathlib.Path(scratch) / "second-build"
    changed = pathlib.Path(scratch) / "second-build.html"
    text = page.read_text(encoding="utf-8")
    assert "<footer>dbmconv " in text
    changed.write_text(text.replace("<footer>dbmconv ", "<footer>dbmconv second build "), encoding="utf-8")
    subprocess.run([sys.executable, str(MAKE_SITE), str(changed), str(pathlib.Path(page).parent / "web-icons"),
                    str(root / FOLDER)], check=True, stderr=subprocess.DEVNULL)
    return root


def _offline_start(check, browser, window, what, footer):
    browser.reload()
    window.wait_until_started()
    check("%s: the page starts from its worker, with no server" % what, window.footer().startswith(footer), True)
    check("%s: and converts: dBm: 33" % what, window.converts("dBm:", "33"), "1.9953")


def check_offline_and_updated(check, browser, window, server, page, scratch):
    first = window.footer()
    server.stop()
    _offline_start(check, browser, window, "offline", first)

    second = _second_build(page, scratch)
    server.serve(second)
    browser.reload()
    window.wait_until_started()
    check("a second build at the same address: shown on the next load", window.footer().startswith(
        "dbmconv second build "), True)
    # The worker's update is found on that load; it keeps the new build in
    # full before it takes over and drops the old.
    wait_until(lambda: browser.run("""return Promise.all([caches.keys(), navigator.serviceWorker.getRegistration()])
        .then(([names, registration]) => names.length === 1 && registration.active.state === "activated" &&
              !registration.installing && !registration.waiting &&
              caches.open(names[0]).then((cache) => cache.match("./")).then((page) => page.text())
                  .then((text) => text.includes("<footer>dbmconv second build ")));"""),
               seconds=30, what="the second build's worker")
    check("the second build's worker took over, and only its files are kept", browser.run(
        """return caches.keys().then((names) => caches.open(names[0])).then((cache) => cache.keys())
               .then((requests) => requests.map((r) => r.url.split("/").pop()).sort());"""),
          ["", "apple-touch-icon.png", "icon-192.png", "icon-512.png", "icon-maskable-512.png",
           "manifest.webmanifest"])
    server.stop()
    _offline_start(check, browser, window, "offline after the second build", "dbmconv second build ")


def check_single_file(check, browser, window, page):
    browser.open(page.as_uri())
    window.wait_until_started()
    check("the single page from a file: converts: dBm: 33", window.converts("dBm:", "33"), "1.9953")
    check("the single page from a file: no request", browser.run(
        "return performance.getEntriesByType('resource').map((e) => e.name);"), [])
