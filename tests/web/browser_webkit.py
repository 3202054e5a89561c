"""Debian's WebKitGTK, the engine of every browser on iPhone and iPad and of
Safari, through its WebDriver (WebKitWebDriver), in a window of an X server of
its own. Its browser is WebKitGTK's MiniBrowser, allowed to use the clipboard
so that the suite can run the editing commands a menu runs. A drag is the X
server's own pointer, moved by xdotool: WebKitWebDriver's pointer starts a
drag that never leaves its source."""
import os
import subprocess
import time

from selenium import webdriver
from selenium.webdriver.webkitgtk.options import Options

from browser_selenium import SeleniumBrowser

MINIBROWSER = "/usr/lib/%s/webkit2gtk-4.1/MiniBrowser"


def _start_x_server():
    # The server picks a free display and writes its number once it listens.
    read, write = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                              pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as display:
        number = display.readline().strip()
    if not number:
        server.kill()
        raise RuntimeError("Xvfb did not start")
    return server, ":" + number


class WebKit(SeleniumBrowser):
    engine = "webkit"

    def __init__(self, scratch):
        self.x_server, display = _start_x_server()
        os.environ["DISPLAY"] = display
        architecture = subprocess.run(["dpkg-architecture", "-qDEB_HOST_MULTIARCH"], capture_output=True,
                                      text=True).stdout.strip() or "x86_64-linux-gnu"
        options = Options()
        options.binary_location = MINIBROWSER % architecture
        options.add_argument("--automation")
        options.add_argument("--javascript-can-access-clipboard=true")
        try:
            super().__init__(webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver", options=options))
        except Exception:
            self.x_server.kill()
            raise

    def commit(self, text):
        # WebKitWebDriver drives no input method: the text arrives as WebKit's
        # insertText editing command, the one that puts a keyboard's committed
        # word in, with its trusted beforeinput of type insertText.
        self.run("document.execCommand('insertText', false, arguments[0]);", text)

    def set_clipboard(self, text):
        self.run("""const [text] = arguments;
            const from = document.activeElement, start = from.selectionStart, end = from.selectionEnd;
            const holder = document.createElement("textarea");
            holder.value = text;
            document.body.append(holder);
            holder.select();
            const copied = document.execCommand("copy");
            holder.remove();
            from.focus();
            from.setSelectionRange(start, end);
            if (!copied) throw new Error("the clipboard refused the text");""", text)

    def menu_paste(self):
        # WebKit's Paste editing command, which Safari's Edit menu and iOS's
        # Paste button run.
        self.run("if (!document.execCommand('paste')) throw new Error('no paste');")

    def drop(self, text, selector):
        # The text in an element of its own beside the window, dragged by the
        # pointer from there onto the target; the view is taken to sit at the
        # bottom of MiniBrowser's window, under its toolbar.
        where = self.run("""const [text, selector] = arguments;
            const source = document.createElement("span");
            source.id = "DragSource"; source.textContent = text; source.draggable = true;
            source.style.cssText = "position: fixed; left: 300px; top: 200px; font-size: 24px; background: #fff";
            source.addEventListener("dragstart", (event) => event.dataTransfer.setData("text/plain", text));
            window.dragEnded = new Promise((ended) => source.addEventListener("dragend", ended));
            window.focusedBeforeDrag = document.activeElement;
            document.body.append(source);
            const middle = (element) => { const r = element.getBoundingClientRect();
                                          return [r.x + r.width / 2, r.y + r.height / 2]; };
            const left = screenX + outerWidth - innerWidth, top = screenY + outerHeight - innerHeight;
            return [left, top, ...middle(source), ...middle(document.querySelector(selector))];""", text, selector)
        left, top, from_x, from_y, to_x, to_y = where

        def pointer(*command):
            subprocess.run(["xdotool", *map(str, command)], check=True)
        pointer("mousemove", round(left + from_x), round(top + from_y))
        pointer("mousedown", 1)
        for step in range(1, 11):
            pointer("mousemove", round(left + from_x + (to_x - from_x) * step / 10),
                    round(top + from_y + (to_y - from_y) * step / 10))
            time.sleep(0.03)
        pointer("mouseup", 1)
        # WebKitGTK takes the button as still down after a refused drop, until
        # the next press: a click on the page's background, away from the
        # window, is that press.
        pointer("mousemove", round(left + 600), round(top + 500))
        pointer("click", 1)
        # The source goes once the drag has ended (a refused drop flies back to
        # it first). A text dragged from another program leaves the focus where
        # it was; pressed on the source and the background here, the pointer
        # took it: it goes back.
        self.run("""return Promise.race([window.dragEnded, new Promise((late) => setTimeout(late, 3000))])
                        .then(() => { document.getElementById("DragSource").remove();
                                      window.focusedBeforeDrag.focus(); });""")

    def close(self):
        try:
            super().close()
        finally:
            self.x_server.kill()
            self.x_server.wait()
