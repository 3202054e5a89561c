"""Debian's WebKitGTK, the engine of every browser on iPhone and iPad and of
Safari, through its WebDriver (WebKitWebDriver), in a window of an X server of
its own. Its browser is WebKitGTK's MiniBrowser, allowed to use the clipboard
so that the suite can run the editing commands a menu runs. A drag is the X
server's own pointer (x_display): WebKitWebDriver's pointer starts a drag that
never leaves its source."""
import inspect
import os
import subprocess

from selenium import webdriver
from selenium.webdriver.webkitgtk.options import Options

from browser_selenium import SELECT_FOR_COPY, SeleniumBrowser
from x_display import END_DRAG, PREPARE_DRAG, XDisplay

MINIBROWSER = "/usr/lib/%s/webkit2gtk-4.1/MiniBrowser"
DRIVER = "/usr/bin/WebKitWebDriver"


def start_driver(options):
    # Selenium 4.8 (Debian 12) takes the driver's path itself; later releases
    # (4.24 in Debian 13) only a Service, as for every other engine.
    if "service" in inspect.signature(webdriver.WebKitGTK.__init__).parameters:
        from selenium.webdriver.webkitgtk.service import Service
        return webdriver.WebKitGTK(service=Service(executable_path=DRIVER), options=options)
    return webdriver.WebKitGTK(executable_path=DRIVER, options=options)


class WebKit(SeleniumBrowser):
    engine = "webkit"

    def __init__(self, scratch):
        self.display = XDisplay()
        os.environ["DISPLAY"] = self.display.name
        architecture = subprocess.run(["dpkg-architecture", "-qDEB_HOST_MULTIARCH"], capture_output=True,
                                      text=True).stdout.strip() or "x86_64-linux-gnu"
        options = Options()
        options.binary_location = MINIBROWSER % architecture
        options.add_argument("--automation")
        options.add_argument("--javascript-can-access-clipboard=true")
        try:
            super().__init__(start_driver(options))
        except Exception:
            self.display.close()
            raise

    def commit(self, text):
        # WebKitWebDriver drives no input method: the text arrives as WebKit's
        # insertText editing command, the one that puts a keyboard's committed
        # word in, with its trusted beforeinput of type insertText.
        self.run("document.execCommand('insertText', false, arguments[0]);", text)

    def set_clipboard(self, text):
        self.run(SELECT_FOR_COPY + """
            const copied = document.execCommand("copy");
            window.dbmconvTestCopied();
            if (!copied) throw new Error("the clipboard refused the text");""", text)

    def menu_paste(self):
        # WebKit's Paste editing command, which Safari's Edit menu and iOS's
        # Paste button run.
        self.run("if (!document.execCommand('paste')) throw new Error('no paste');")

    def drop(self, text, selector):
        # (the view sits at the bottom of MiniBrowser's window, under its toolbar)
        left, top = self.run("return [screenX + outerWidth - innerWidth, screenY + outerHeight - innerHeight];")
        self.display.drag(*self.run(PREPARE_DRAG, text, selector, left, top))
        self.run(END_DRAG)

    def close(self):
        try:
            super().close()
        finally:
            self.display.close()
