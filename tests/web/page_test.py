"""The web page in one browser engine (Chromium, Firefox or WebKit), driven as a
user would: served from 127.0.0.1 as the site, under a path of its own, it
registers its worker (in Chromium also: its manifest parses, with no
installability error); then the worked values, the key filter, each way a text
reaches Text1 (tests/support/text1_insertions.tsv), both reminders and an error
in the modal box and where the focus goes after it, a pick in the mode list and
Label1, the tab order, no request of any kind to the network and no error in
the console, each control at its designed place. Then offline: the server stopped, the page reloaded starts and
converts from its worker; a second build served at the same address replaces
the first on the next load, and is what is kept offline after it. Last, the
single page from file:// starts and converts.

What an engine's driver cannot do is reported skipped for that engine, with the
reason; what only Chromium's DevTools protocol reaches (its accessibility tree,
touch and device emulation, its installability report) is Chromium's alone.

usage: page_test.py ENGINE SITE-FOLDER PAGE.html
"""
import os
import pathlib
import sys
import tempfile

here = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(here.parent / "support"))
from checks import Checks  # noqa: E402
from browser_engine import ENGINES, NotInThisEngine, missing_programs, open_browser  # noqa: E402

engine, site, page = sys.argv[1], pathlib.Path(sys.argv[2]).resolve(), pathlib.Path(sys.argv[3]).resolve()
if engine not in ENGINES:
    sys.exit("usage: page_test.py %s SITE-FOLDER PAGE.html" % "|".join(ENGINES))
missing = missing_programs(engine)
missing += ["%s (scripts/build-web.sh makes it)" % path for path in (site / "index.html", page) if not path.exists()]
if missing:
    print("SKIP: not there: %s" % ", ".join(missing))
    sys.exit(77)

from selenium.webdriver.common.keys import Keys  # noqa: E402 (the WebDriver key codes, BiDi's too)

import page_controls  # noqa: E402
import served_site  # noqa: E402
import text1_insertions  # noqa: E402

check = Checks()
print("engine: %s" % engine)


def only_where_possible(what, action):
    """Runs `action`; an engine that cannot do it reports `what` skipped."""
    try:
        action()
    except NotInThisEngine as reason:
        check.skip("%s in %s" % (what, engine), reason)


with tempfile.TemporaryDirectory() as scratch:
    server = served_site.Serving(site, scratch)
    browser = open_browser(engine, scratch)
    window = page_controls.Window(browser)
    try:
        browser.open(server.address)
        window.wait_until_started()
        served_site.check_installed(check, browser, window)

        check("caption and icon", (browser.run("return document.title;"), browser.run(
            "return document.querySelector('link[rel=icon]:last-of-type').href"
            ".startsWith('data:image/x-icon;base64,AAABAA');")),
              ("功率和dBm换算", True))
        check("first state", (window.value("Combo1"), window.text("Label1"), window.focused()),
              ("dBm:", "功率(W)：", "Combo1"))
        tabs = []
        for _ in range(4):
            browser.keys(Keys.TAB)
            tabs.append(window.focused())
        check("tab order", tabs, ["Text1", "Text2", "Command1", "Combo1"])
        # What a screen reader is given, as the browser computes it for its
        # accessibility tree: each box with its purpose, the result with its unit.
        only_where_possible("accessible names and roles", lambda: check(
            "accessible names and roles", [browser.accessible("#" + name)
                                           for name in ("Combo1", "Text1", "Text2", "Command1")],
            [("换算方向", "combobox"), ("输入值", "textbox"), ("功率(W)：", "textbox"), ("计 算", "button")]))

        for mode, typed, shown in [("dBm:", "30", "1"), ("dBm:", "40", "10"), ("功率(W):", "2", "33.0103"),
                                   ("功率(W):", "0.001", "0")]:
            window.pick(mode)
            window.enter_into_text1(typed)
            check("%s %s" % (mode, typed), window.value("Text2"), shown)
        check("Label1 after the pick", window.text("Label1"), "dBm或dB：")
        # The list holds both entries whatever the text field holds; the arrow
        # keys pick the entry before or after.
        browser.click("#Combo1Arrow")
        check("list opened by its arrow", (window.listed(), window.focused()), (["dBm:", "功率(W):"], "Combo1"))
        browser.keys(Keys.ESCAPE)
        picks = []
        for key in (Keys.UP, Keys.UP, Keys.DOWN):
            browser.keys(key)
            picks.append((window.value("Combo1"), window.text("Label1"), window.listed()))
        check("Up, Up, Down in Combo1", picks, [("dBm:", "功率(W)：", []), ("dBm:", "功率(W)：", []),
                                                 ("功率(W):", "dBm或dB：", [])])

        window.clear_and_focus("Text1")
        browser.keys("a1b,2 e-3")
        check("typed keys filtered", window.value("Text1"), "12-3")

        def committed_text_filtered():
            browser.commit("x9.5y")
            check("committed text filtered", window.value("Text1"), "12-39.5")
        only_where_possible("committed text filtered", committed_text_filtered)

        def dropped_text_refused():
            window.clear_and_focus("Text1")
            browser.drop("x7.5y", "#Text1")
            check("dropped text refused", window.value("Text1"), "")
        only_where_possible("dropped text refused", dropped_text_refused)

        # A megabyte through the real input path, timed inside the page from the
        # start of its handling to the first frame drawn after it: the DevTools
        # connection takes longer to carry a megabyte than the page to take it.
        def megabyte():
            chromium = browser.chromium_only("a megabyte inserted at once")
            chromium.run("""
                const text1 = document.getElementById("Text1"); text1.value = ""; text1.focus();
                text1.addEventListener("beforeinput", () => {
                    const started = performance.now();
                    requestAnimationFrame(() => setTimeout(() => { window.took = performance.now() - started; }));
                }, {capture: true, once: true});""")
            chromium.cdp("Input.insertText", {"text": "1" * 1_000_000 + "x"})
            took = chromium.run("""return new Promise((done) => {
                const poll = () => window.took !== undefined ? done(window.took) : setTimeout(poll, 5);
                poll(); });""")
            print("a megabyte inserted in %.0f ms" % took)
            # (held to 1 s by the benchmark, on a machine at rest; here the builds
            # beside it share the processor, and only a fault of another order
            # must fail)
            check("a megabyte pasted, filtered and drawn within 5 s", (len(window.value("Text1")), took < 5000),
                  (1_000_000, True))
        only_where_possible("a megabyte inserted", megabyte)

        text1_insertions.check_every_row(check, browser, window, engine)

        for mode, typed, message in [("dBm:", "", "请输入dBm或dB的值！"), ("功率(W):", "", "请输入功率值(W)！"),
                                     ("功率(W):", "0", "功率值必须大于0！"), ("dBm:", "5000", "数值超出范围！")]:
            window.pick(mode)
            window.clear_and_focus("Text1")
            if typed:
                browser.keys(typed)
            browser.click("#Command1")
            check("box for %s %r" % (mode, typed), window.shown_message(), message)
            if not typed:
                only_where_possible("the box's accessible name and role", lambda: check(
                    "the box's accessible name and role", browser.accessible("#Message"), ("提示", "alertdialog")))
            browser.keys(Keys.ENTER)
            check("box closed by Enter, focus in Text1, text kept",
                  (window.shown_message(), window.focused(), window.value("Text1")), (None, "Text1", typed))

        # Each control where the window's layout puts it (twips / 15 CSS
        # pixels), at 100 % and, below, at 200 %.
        designed = window.designed_places(page.parent / "page_fields.tsv")
        check("controls at their designed places, 100 %", window.placed(), designed)
        # At 200 % and on a phone-sized touch screen: the window within the
        # screen, each text within its box (no box's text taller than the box).
        for name, width, height, scale, touch in [("200 %", 800, 600, 2, False), ("phone", 360, 640, 3, True)]:
            def layout():
                browser.screen(width, height, scale, touch)
                browser.reload()
                window.wait_until_started()
                check("%s: window on the screen, texts in their boxes and the window" % name,
                      window.fits_the_screen(), [True, True, True])
                if not touch:
                    check("controls at their designed places, %s" % name, window.placed(), designed)
            only_where_possible("layout at %s" % name, layout)

        # A numeric screen keyboard that has "-", or, where the decimal pad has
        # none, the full one.
        def screen_keyboards():
            chromium = browser.chromium_only("another platform's user agent")
            for platform, keyboard in [("Linux armv8l", "decimal"), ("iPhone", "text")]:
                chromium.cdp("Emulation.setUserAgentOverride", {"userAgent": "Mozilla/5.0", "platform": platform})
                chromium.reload()
                window.wait_until_started()
                check("screen keyboard on %s" % platform, browser.run(
                    "return document.getElementById('Text1').inputMode;"), keyboard)
        only_where_possible("screen keyboard by platform", screen_keyboards)

        check("no request but for the site's own files, beside the page",
              served_site.requests_elsewhere(browser), [])
        only_where_possible("no error in the console", lambda: check(
            "no error in the console", browser.console_errors(), []))

        served_site.check_offline_and_updated(check, browser, window, server, page, scratch)
        served_site.check_single_file(check, browser, window, page)
    finally:
        browser.close()
        server.stop()
check.exit()
