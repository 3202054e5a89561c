"""Every row of tests/support/text1_insertions.tsv, the table of the ways a
text reaches Text1 that every window's suite runs, in one browser engine."""
import pathlib

from selenium.webdriver.common.keys import Keys

from browser_engine import NotInThisEngine

TABLE = pathlib.Path(__file__).resolve().parent.parent / "support" / "text1_insertions.tsv"
SHORTCUTS = {"Ctrl": Keys.CONTROL}


def rows():
    for line in TABLE.read_text(encoding="utf-8").splitlines():
        if line and not line.startswith("#"):
            way, given, before, after, result = (line.split("\t") + [""] * 5)[:5]
            yield way, given.replace("\\b", "\b"), before, after, result


def arrive(browser, window, way, given):
    """`given` reaches the focused Text1 by `way`, as the table's header says."""
    if way == "type":
        browser.keys(given)
    elif way == "commit":
        browser.commit(given)
    elif way == "paste":
        browser.set_clipboard(given)
        browser.menu_paste()
    elif way == "key":
        modifier, key = given.split("+")
        browser.run("document.getElementById('Text1').select();")
        browser.chord(SHORTCUTS[modifier], key.lower())
    elif way == "drop":
        browser.drop(given, "#Text1")
    else:
        raise ValueError("no way %r in the table" % way)


def check_every_row(check, browser, window, engine):
    for way, given, before, after, result in rows():
        what = "Text1: %s %r onto %r" % (way, given, before)
        window.pick("dBm:")
        browser.run("document.getElementById('Text2').value = '';")
        window.clear_and_focus("Text1", before)
        # A refused drop leaves Text1 as it was: that the drag reached it at
        # all is what makes that row a test.
        browser.run("""window.dragReachedText1 = false;
            document.getElementById("Text1").addEventListener("dragenter",
                () => { window.dragReachedText1 = true; }, {capture: true, once: true});""")
        try:
            if way in ("paste", "key"):
                # (something to paste: a shortcut that pasted would show it)
                browser.set_clipboard("99")
            arrive(browser, window, way, given)
        except NotInThisEngine as reason:
            check.skip("%s in %s" % (what, engine), reason)
            continue
        if way == "drop":
            check("%s: the drag reached Text1" % what, browser.run("return window.dragReachedText1;"), True)
        check(what, window.value("Text1"), after)
        if result:
            browser.keys(Keys.ENTER)
            check("%s, then Enter" % what, window.value("Text2"), result)
