"""Debian's WebKitGTK, the engine of every browser on iPhone and iPad and of
Safari, through its WebDriver (WebKitWebDriver), in a window of an X server of
its own. Its browser is WebKitGTK's MiniBrowser, allowed to use the clipboard
so that the suite can run the editing commands a menu runs."""
import os
import subprocess

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

    def close(self):
        try:
            super().close()
        finally:
            self.x_server.kill()
            self.x_server.wait()
