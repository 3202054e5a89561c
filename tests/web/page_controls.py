"""The page's window as its suite reads and uses it, in any engine: its
controls by their desktop names, read through the page's own DOM."""
import time

from selenium.webdriver.common.keys import Keys


def wait_until(condition, seconds=15, what="the page"):
    deadline = time.monotonic() + seconds
    while True:
        outcome = condition()
        if outcome:
            return outcome
        if time.monotonic() > deadline:
            raise TimeoutError("%s: not within %d s" % (what, seconds))
        time.sleep(0.05)


class Window:
    def __init__(self, browser):
        self.browser = browser

    def value(self, name):
        return self.browser.run("return document.getElementById(arguments[0]).value;", name)

    def text(self, name):
        return self.browser.run("return document.getElementById(arguments[0]).textContent;", name)

    def focused(self):
        return self.browser.run("return document.activeElement.id;")

    def wait_until_started(self):
        # The program focuses Combo1 once it runs.
        wait_until(lambda: self.browser.run(
            "return document.readyState === 'complete' && document.activeElement.id === 'Combo1';"),
            what="the program's start")

    def footer(self):
        return self.browser.run("return document.querySelector('footer').textContent;")

    def shown_message(self):
        return self.browser.run("""const box = document.getElementById("Message");
                                   return box.open ? document.getElementById("MessageText").textContent : null;""")

    def listed(self):
        return self.browser.run("return Array.from(document.querySelectorAll('#Combo1List li'))"
                                ".filter(entry => !entry.closest('[hidden]')).map(entry => entry.textContent);")

    def pick(self, mode):
        """As a user picks: the list opened by its arrow, the entry clicked
        (unless Combo1 shows it already)."""
        if self.value("Combo1") != mode:
            self.browser.click("#Combo1Arrow")
            entry = self.browser.run("""return Array.from(document.querySelectorAll("#Combo1List li"))
                                        .find(entry => entry.textContent === arguments[0]).id;""", mode)
            self.browser.click("#" + entry)

    def clear_and_focus(self, name, text=""):
        self.browser.run("""const box = document.getElementById(arguments[0]);
                            box.value = arguments[1]; box.focus();
                            box.setSelectionRange(box.value.length, box.value.length);""", name, text)

    def enter_into_text1(self, typed):
        self.clear_and_focus("Text1")
        self.browser.keys(typed + Keys.ENTER)

    def converts(self, mode, typed):
        """Text2 after `typed` and Enter in Text1, in `mode`."""
        self.pick(mode)
        self.enter_into_text1(typed)
        return self.value("Text2")

    def fits_the_screen(self):
        return self.browser.run("""
            const w = document.querySelector(".window").getBoundingClientRect();
            const boxes = ["Combo1", "Text1", "Text2"].map(id => document.getElementById(id))
                .every(box => box.scrollHeight <= box.clientHeight);
            const label = document.getElementById("Label1").getBoundingClientRect();
            const client = document.querySelector(".client").getBoundingClientRect();
            return [w.left >= 0 && w.right <= innerWidth, boxes, label.right <= client.right];""")
