"""Debian's Firefox ESR, driven over WebDriver BiDi, in a window of an X server
of its own. Input methods and the clipboard's menu commands are not in BiDi:
for those the browser is started with the remote agent's access to its own
window (-remote-allow-system-access), where Gecko's input-method interface
(nsITextInputProcessor) commits a composition, and the Paste command runs as
the context menu runs it. A drag is the X server's own pointer (x_display):
Firefox's WebDriver carries a drag over an element but never drops it."""
import os
import pathlib
import re
import subprocess

from bidi_connection import BidiConnection
from browser_engine import NotInThisEngine
from x_display import END_DRAG, PREPARE_DRAG, XDisplay

# No update, telemetry or first-run pages: the remote agent's own preferences
# see to most; the default-browser question is not among them.
_PREFERENCES = 'user_pref("browser.shell.checkDefaultBrowser", false);\n'


def _to_bidi(value):
    if value is None:
        return {"type": "null"}
    if isinstance(value, bool):
        return {"type": "boolean", "value": value}
    if isinstance(value, (int, float)):
        return {"type": "number", "value": value}
    if isinstance(value, str):
        return {"type": "string", "value": value}
    if isinstance(value, (list, tuple)):
        return {"type": "array", "value": [_to_bidi(item) for item in value]}
    raise TypeError("no BiDi value for %r" % (value,))


def _from_bidi(remote):
    kind = remote["type"]
    if kind in ("undefined", "null"):
        return None
    if kind in ("string", "number", "boolean"):
        return remote["value"]
    if kind == "array":
        return [_from_bidi(item) for item in remote["value"]]
    if kind == "object":
        return {key: _from_bidi(item) for key, item in remote["value"]}
    raise TypeError("the suite reads no BiDi value of type %s" % kind)


class Firefox:
    engine = "firefox"

    def __init__(self, scratch):
        profile = pathlib.Path(scratch) / "firefox"
        profile.mkdir(parents=True, exist_ok=True)
        (profile / "user.js").write_text(_PREFERENCES)
        self.display = XDisplay()
        self.process = subprocess.Popen(
            ["/usr/bin/firefox-esr", "--no-remote", "--profile", str(profile), "--remote-debugging-port=0",
             "--remote-allow-system-access", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
            env={**os.environ, "DISPLAY": self.display.name, "WAYLAND_DISPLAY": ""})
        address = None
        for line in self.process.stderr:
            found = re.search(r"WebDriver BiDi listening on (ws://\S+)", line)
            if found:
                address = found.group(1)
                break
        if address is None:
            self.process.kill()
            self.display.close()
            raise RuntimeError("Firefox did not start its remote agent")
        # (its later messages would fill the pipe: read on by no one, dropped)
        self.process.stderr.close()
        self.bidi = BidiConnection(address + "/session")
        version = self.bidi.command("session.new", capabilities={})["capabilities"]["browserVersion"]
        self.context = self.bidi.command("browsingContext.getTree")["contexts"][0]["context"]
        self.window, self.no_window = self._browser_window(version)
        self.bidi.command("session.subscribe", events=["log.entryAdded"])

    def _browser_window(self, version):
        # The browser's own window, where its input method and clipboard are
        # reached. Firefox 140 answers the chrome scope with the page's own
        # contexts: it has none to give, and what needs one is not done there.
        windows = self.bidi.command("browsingContext.getTree", **{"moz:scope": "chrome"})["contexts"]
        for window in windows:
            if window["url"] == "chrome://browser/content/browser.xhtml":
                return window["context"], None
        if any(window["url"].startswith("chrome://") for window in windows):
            raise RuntimeError("no browser window among Firefox's: %s" % [window["url"] for window in windows])
        return None, "Firefox %s's WebDriver BiDi gives no browser window to reach its input method and clipboard" % version

    def open(self, url):
        self.bidi.command("browsingContext.navigate", context=self.context, url=url, wait="complete")

    def reload(self):
        self.bidi.command("browsingContext.reload", context=self.context, wait="complete")

    def _call(self, context, body, args):
        outcome = self.bidi.command("script.callFunction", functionDeclaration="function () { %s }" % body,
                                    target={"context": context}, arguments=[_to_bidi(a) for a in args],
                                    awaitPromise=True)
        if outcome["type"] == "exception":
            raise RuntimeError("script failed: %s" % outcome["exceptionDetails"]["text"])
        return _from_bidi(outcome["result"])

    def run(self, body, *args):
        return self._call(self.context, body, args)

    def _in_browser_window(self, body, *args):
        if self.window is None:
            raise NotInThisEngine(self.no_window)
        return self._call(self.window, body, args)

    def _pointer(self, actions):
        self.bidi.command("input.performActions", context=self.context, actions=[
            {"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"}, "actions": actions}])

    def click(self, selector):
        x, y = self.run("""const r = document.querySelector(arguments[0]).getBoundingClientRect();
                           return [Math.round(r.x + r.width / 2), Math.round(r.y + r.height / 2)];""", selector)
        self._pointer([{"type": "pointerMove", "x": x, "y": y}, {"type": "pointerDown", "button": 0},
                       {"type": "pointerUp", "button": 0}])

    def _keys(self, actions):
        self.bidi.command("input.performActions", context=self.context,
                          actions=[{"type": "key", "id": "keyboard", "actions": actions}])

    def keys(self, text):
        actions = []
        for key in text:
            actions += [{"type": "keyDown", "value": key}, {"type": "keyUp", "value": key}]
        self._keys(actions)

    def chord(self, modifier, key):
        self._keys([{"type": "keyDown", "value": modifier}, {"type": "keyDown", "value": key},
                    {"type": "keyUp", "value": key}, {"type": "keyUp", "value": modifier}])

    def commit(self, text):
        # An input method's composition, committed whole: the events a
        # Chinese input method gives the page. They reach the page's process
        # later: the suite reads Text1 once the page has handled the last.
        self.run("""window.compositionHandled = new Promise((handled) => addEventListener("compositionend",
            () => setTimeout(handled), {capture: true, once: true}));""")
        self._in_browser_window("""
            window.focus();
            gBrowser.selectedBrowser.focus();
            const ime = Cc["@mozilla.org/text-input-processor;1"].createInstance(Ci.nsITextInputProcessor);
            if (!ime.beginInputTransactionForTests(window)) throw new Error("no input method transaction");
            ime.setPendingCompositionString(arguments[0]);
            ime.appendClauseToPendingComposition(arguments[0].length, ime.ATTR_RAW_CLAUSE);
            ime.flushPendingComposition();
            ime.commitComposition();""", text)
        self.run("return window.compositionHandled;")

    def set_clipboard(self, text):
        self._in_browser_window("""Cc["@mozilla.org/widget/clipboardhelper;1"]
            .getService(Ci.nsIClipboardHelper).copyString(arguments[0]);""", text)

    def menu_paste(self):
        # The context menu's Paste runs this command on the focused box; the
        # page's process takes it later, as it takes an input method's text.
        self.run("""window.pasteHandled = new Promise((handled) => addEventListener("paste",
            () => setTimeout(handled), {capture: true, once: true}));""")
        self._in_browser_window("""window.focus(); gBrowser.selectedBrowser.focus(); goDoCommand("cmd_paste");""")
        self.run("return window.pasteHandled;")

    def drop(self, text, selector):
        left, top = self.run("return [mozInnerScreenX, mozInnerScreenY];")
        self.display.drag(*self.run(PREPARE_DRAG, text, selector, left, top))
        self.run(END_DRAG)

    def screen(self, width, height, scale, touch):
        if touch:
            raise NotInThisEngine("its WebDriver emulates no touch screen")
        self.bidi.command("browsingContext.setViewport", context=self.context,
                          viewport={"width": width, "height": height}, devicePixelRatio=scale)

    def accessible(self, selector):
        raise NotInThisEngine("its WebDriver BiDi computes no accessible name or role")

    def console_errors(self):
        entries = [event["params"] for event in self.bidi.events if event["method"] == "log.entryAdded"]
        self.bidi.events.clear()
        return [(entry.get("text") or "")[:200] for entry in entries if entry.get("level") == "error"]

    def chromium_only(self, what):
        raise NotInThisEngine("%s is Chromium's DevTools protocol alone" % what)

    def close(self):
        try:
            self.bidi.command("browser.close")
            self.bidi.close()
        except Exception:
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.display.close()
