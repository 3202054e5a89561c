"""Debian's Chromium, headless, through ChromeDriver and, where WebDriver has
no word for it, Chromium's own DevTools protocol."""
from selenium import webdriver
from selenium.webdriver.chrome.service import Service

from browser_selenium import SELECT_FOR_COPY, SeleniumBrowser


class Chromium(SeleniumBrowser):
    engine = "chromium"

    def __init__(self, scratch):
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        # (the closed network refuses whatever the browser would fetch for
        # itself: no need to wait for it)
        for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=800,600",
                         "--disable-background-networking", "--disable-component-update", "--disable-sync",
                         "--no-first-run", "--user-data-dir=%s/chromium" % scratch):
            options.add_argument(argument)
        super().__init__(webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options))

    def cdp(self, method, params=None):
        return self.driver.execute_cdp_cmd(method, params or {})

    def chromium_only(self, what):
        return self

    def commit(self, text):
        # What an input method hands over on commit, and a screen keyboard's word.
        self.cdp("Input.insertText", {"text": text})

    def set_clipboard(self, text):
        self.run(SELECT_FOR_COPY, text)
        self.cdp("Input.dispatchKeyEvent", {"type": "rawKeyDown", "commands": ["copy"]})
        self.cdp("Input.dispatchKeyEvent", {"type": "keyUp"})
        self.run("window.dbmconvTestCopied(); delete window.dbmconvTestCopied;")

    def menu_paste(self):
        # The editing command alone, as a menu item gives it: no Ctrl, no V.
        self.cdp("Input.dispatchKeyEvent", {"type": "rawKeyDown", "commands": ["paste"]})
        self.cdp("Input.dispatchKeyEvent", {"type": "keyUp"})

    def drop(self, text, selector):
        middle = self.run("""const r = document.querySelector(arguments[0]).getBoundingClientRect();
                             return [r.x + r.width / 2, r.y + r.height / 2];""", selector)
        for kind in ("dragEnter", "dragOver", "drop"):
            self.cdp("Input.dispatchDragEvent", {"type": kind, "x": middle[0], "y": middle[1], "data": {
                "items": [{"mimeType": "text/plain", "data": text}], "dragOperationsMask": 1}})

    def screen(self, width, height, scale, touch):
        self.cdp("Emulation.setDeviceMetricsOverride",
                 {"width": width, "height": height, "deviceScaleFactor": scale, "mobile": touch})
        self.cdp("Emulation.setTouchEmulationEnabled", {"enabled": touch})

    def console_errors(self):
        return [entry["message"][:200] for entry in self.driver.get_log("browser") if entry["level"] == "SEVERE"]
