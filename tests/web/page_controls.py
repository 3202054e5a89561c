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

    @staticmethod
    def designed_places(fields):
        """Each control's rectangle from the layout's twips (the build writes
        them into page_fields.tsv beside the page), in CSS pixels; Label1's
        place alone, as its text sizes it."""
        twips = {line.split("\t")[0][len("TWIPS_"):].capitalize(): [int(n) for n in line.split("\t")[1].split()]
                 for line in fields.read_text(encoding="utf-8").splitlines() if line.startswith("TWIPS_")}
        designed = {name: [n / 15 for n in rect] for name, rect in twips.items() if name != "Label1"}
        designed["Label1"] = [n / 15 for n in twips["Label1"][:2]]
        return designed

    def placed(self):
        return self.browser.run("""
            const client = document.querySelector(".client").getBoundingClientRect();
            const box = (id) => (id === "Combo1" ? document.getElementById(id).parentElement
                                                 : document.getElementById(id)).getBoundingClientRect();
            const at = (r) => [r.left - client.left, r.top - client.top, r.width, r.height];
            return Object.assign({Client: [0, 0, client.width, client.height], Label1: at(box("Label1")).slice(0, 2)},
                Object.fromEntries(["Combo1", "Text1", "Text2", "Command1"].map((id) => [id, at(box(id))])));""")
