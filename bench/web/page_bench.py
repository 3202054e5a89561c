"""The web page's figures in Debian's Chromium, headless: start-up to a usable
window against a bare page with the same five controls, and a pasted megabyte.

A page is usable when its controls are drawn (first contentful paint) and
Text1 takes keys through the program's filter: the page gives Combo1 the focus
as the last step of its start-up, as the bare page does once parsed, so both
are timed from the start of navigation to the later of first paint and that
focus. The pages alternate, each opened fresh from file:// in a browser left
to settle first; a warm-up of each comes first. The megabyte is inserted
through the real input path, timed inside the page from the start of its
handling to the first frame drawn after.

usage: page_bench.py PAGE.html BARE-PAGE.html RUNS
prints: RESULT page|bare|paste MEDIAN-MS
"""
import pathlib
import statistics
import sys
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

page, bare = (pathlib.Path(argument).resolve().as_uri() for argument in sys.argv[1:3])
runs = int(sys.argv[3])
options = webdriver.ChromeOptions()
options.binary_location = "/usr/bin/chromium"
for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=800,600"):
    options.add_argument(argument)
driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
# Notes the first focus on Combo1 of every document, before its own scripts run.
driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": """
    addEventListener("focusin", (event) => {
        if (event.target.id === "Combo1" && window.focusedAt === undefined) window.focusedAt = performance.now();
    }, true);"""})


def once_defined(expression):
    """The value of a JavaScript expression in the page, once it has one."""
    return driver.execute_async_script("""
        const done = arguments[arguments.length - 1];
        const poll = () => { const value = %s; value !== undefined ? done(value) : setTimeout(poll, 5); };
        poll();""" % expression)


def usable_after(address):
    # Each load from a settled browser: what the page before left to do in the
    # background (compiling, collecting) is not this one's time.
    driver.get("about:blank")
    time.sleep(0.3)
    driver.get(address)
    return once_defined("""(() => {
        const paint = performance.getEntriesByName("first-contentful-paint")[0];
        return paint && window.focusedAt !== undefined ? Math.max(paint.startTime, window.focusedAt) : undefined;
    })()""")


try:
    times = {page: [], bare: []}
    for run in range(runs + 1):
        for address in (page, bare):
            took = usable_after(address)
            if run:
                times[address].append(took)
    for name, address in (("page", page), ("bare", bare)):
        print("%s: usable after %s ms" % (name, " ".join("%.1f" % t for t in times[address])))
        print("RESULT %s %.1f" % (name, statistics.median(times[address])))

    pastes = []
    for run in range(max(3, runs // 3)):
        driver.get(page)
        once_defined("window.focusedAt")
        driver.execute_script("""
            const text1 = document.getElementById("Text1"); text1.focus();
            text1.addEventListener("beforeinput", () => {
                const started = performance.now();
                requestAnimationFrame(() => setTimeout(() => { window.took = performance.now() - started; }));
            }, {capture: true});""")
        driver.execute_cdp_cmd("Input.insertText", {"text": "1" * 1_000_000 + "x"})
        pastes.append(once_defined("window.took"))
    print("paste: a megabyte taken in %s ms" % " ".join("%.0f" % t for t in pastes))
    print("RESULT paste %.1f" % statistics.median(pastes))
finally:
    driver.quit()
