"""The web page in Debian's Chromium, headless, driven through ChromeDriver as a
user would from file://: the worked values, the key filter on typing, on a
pasted text (a megabyte too) and on a dropped one, both reminders and an error
in the modal box and where the focus goes after it, a pick in the mode list and
Label1, the tab order, and no request of any kind to the network.

usage: page_test.py PAGE.html
"""
import os
import pathlib
import sys

page = pathlib.Path(sys.argv[1]).resolve()
for needed, what in [("/usr/bin/chromium", "Chromium"), ("/usr/bin/chromedriver", "ChromeDriver"),
                     (str(page), "the page (scripts/build-web.sh makes it)")]:
    if not os.path.exists(needed):
        print("SKIP: %s is not there" % what)
        sys.exit(77)
from selenium import webdriver  # noqa: E402
from selenium.webdriver.chrome.service import Service  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402
from selenium.webdriver.support.wait import WebDriverWait  # noqa: E402

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "support"))
from checks import Checks  # noqa: E402

check = Checks()
options = webdriver.ChromeOptions()
options.binary_location = "/usr/bin/chromium"
for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=800,600"):
    options.add_argument(argument)
driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
try:
    driver.get(page.as_uri())
    control = {name: driver.find_element(By.ID, name) for name in ("Combo1", "Text1", "Text2", "Label1", "Command1")}
    box = driver.find_element(By.ID, "Message")

    def value(name):
        return control[name].get_attribute("value")

    def focused():
        return driver.execute_script("return document.activeElement.id")

    def shown_message():
        return driver.find_element(By.ID, "MessageText").text if box.get_attribute("open") is not None else None

    def listed():
        return driver.execute_script("return Array.from(document.querySelectorAll('#Combo1List li'))"
                                     ".filter(entry => entry.checkVisibility()).map(entry => entry.textContent)")

    def pick(mode):  # as a user does: the list opened by its arrow, the entry clicked (unless shown already)
        if value("Combo1") != mode:
            driver.find_element(By.ID, "Combo1Arrow").click()
            driver.find_element(By.XPATH, "//ul[@id='Combo1List']/li[.='%s']" % mode).click()

    def enter_into_text1(typed):
        control["Text1"].clear()
        control["Text1"].send_keys(typed + Keys.ENTER)

    WebDriverWait(driver, 10).until(lambda _: focused() == "Combo1")
    check("caption and icon", (driver.title, driver.execute_script(
        "return document.querySelector('link[rel=icon]').href.startsWith('data:image/x-icon;base64,AAABAA')")),
          ("功率和dBm换算", True))
    check("first state", (value("Combo1"), control["Label1"].text, focused()), ("dBm:", "功率(W)：", "Combo1"))
    tabs = []
    for _ in range(4):
        driver.switch_to.active_element.send_keys(Keys.TAB)
        tabs.append(focused())
    check("tab order", tabs, ["Text1", "Text2", "Command1", "Combo1"])
    # What a screen reader is given, as the browser computes it for its
    # accessibility tree: each box with its purpose, the result with its unit.
    check("accessible names and roles", [(control[name].accessible_name, control[name].aria_role)
                                         for name in ("Combo1", "Text1", "Text2", "Command1")],
          [("换算方向", "combobox"), ("输入值", "textbox"), ("功率(W)：", "textbox"), ("计 算", "button")])

    for mode, typed, shown in [("dBm:", "30", "1"), ("dBm:", "40", "10"), ("功率(W):", "2", "33.0103"),
                               ("功率(W):", "0.001", "0")]:
        pick(mode)
        enter_into_text1(typed)
        check("%s %s" % (mode, typed), value("Text2"), shown)
    check("Label1 after the pick", control["Label1"].text, "dBm或dB：")
    # The list holds both entries whatever the text field holds; the arrow keys
    # pick the entry before or after.
    driver.find_element(By.ID, "Combo1Arrow").click()
    check("list opened by its arrow", (listed(), focused()), (["dBm:", "功率(W):"], "Combo1"))
    control["Combo1"].send_keys(Keys.ESCAPE)
    picks = []
    for key in (Keys.UP, Keys.UP, Keys.DOWN):
        control["Combo1"].send_keys(key)
        picks.append((value("Combo1"), control["Label1"].text, listed()))
    check("Up, Up, Down in Combo1", picks, [("dBm:", "功率(W)：", []), ("dBm:", "功率(W)：", []),
                                             ("功率(W):", "dBm或dB：", [])])

    control["Text1"].clear()
    control["Text1"].send_keys("a1b,2 e-3")
    check("typed keys filtered", value("Text1"), "12-3")
    driver.execute_cdp_cmd("Input.insertText", {"text": "x9.5y"})
    check("inserted text filtered", value("Text1"), "12-39.5")
    control["Text1"].clear()
    middle = driver.execute_script("const r = arguments[0].getBoundingClientRect();"
                                   "return [r.x + r.width / 2, r.y + r.height / 2]", control["Text1"])
    for kind in ("dragEnter", "dragOver", "drop"):
        driver.execute_cdp_cmd("Input.dispatchDragEvent", {"type": kind, "x": middle[0], "y": middle[1], "data": {
            "items": [{"mimeType": "text/plain", "data": "x7.5y"}], "dragOperationsMask": 1}})
    check("dropped text refused", value("Text1"), "")
    # A megabyte through the real input path, timed inside the page from the
    # start of its handling to the first frame drawn after it: the DevTools
    # connection takes longer to carry a megabyte than the page to take it.
    driver.execute_script("""
        const text1 = arguments[0]; text1.value = ""; text1.focus();
        text1.addEventListener("beforeinput", () => {
            const started = performance.now();
            requestAnimationFrame(() => setTimeout(() => { window.took = performance.now() - started; }));
        }, {capture: true, once: true});""", control["Text1"])
    driver.execute_cdp_cmd("Input.insertText", {"text": "1" * 1_000_000 + "x"})
    took = driver.execute_async_script("""
        const done = arguments[arguments.length - 1];
        const poll = () => window.took !== undefined ? done(window.took) : setTimeout(poll, 5);
        poll();""")
    print("a megabyte inserted in %.0f ms" % took)
    # (held to 1 s by the benchmark, on a machine at rest; here the builds beside
    # it share the processor, and only a fault of another order must fail)
    check("a megabyte pasted, filtered and drawn within 5 s", (len(value("Text1")), took < 5000), (1_000_000, True))

    for mode, typed, message in [("dBm:", "", "请输入dBm或dB的值！"), ("功率(W):", "", "请输入功率值(W)！"),
                                 ("功率(W):", "0", "功率值必须大于0！"), ("dBm:", "5000", "数值超出范围！")]:
        pick(mode)
        control["Text1"].clear()
        if typed:
            control["Text1"].send_keys(typed)
        control["Command1"].click()
        check("box for %s %r" % (mode, typed), (shown_message(), box.accessible_name, box.aria_role),
              (message, "提示", "alertdialog"))
        driver.switch_to.active_element.send_keys(Keys.ENTER)
        check("box closed by Enter, focus in Text1, text kept", (shown_message(), focused(), value("Text1")),
              (None, "Text1", typed))

    # Each control where the window's layout puts it (twips / 15 CSS pixels),
    # at 100 % and, below, at 200 %.
    twips = {line.split("\t")[0][len("TWIPS_"):].capitalize(): [int(n) for n in line.split("\t")[1].split()]
             for line in (page.parent / "page_fields.tsv").read_text(encoding="utf-8").splitlines()
             if line.startswith("TWIPS_")}
    designed = {name: [n / 15 for n in rect] for name, rect in twips.items() if name != "Label1"}
    designed["Label1"] = [n / 15 for n in twips["Label1"][:2]]

    def placed():
        return driver.execute_script("""
            const client = document.querySelector(".client").getBoundingClientRect();
            const box = (id) => (id === "Combo1" ? document.getElementById(id).parentElement
                                                 : document.getElementById(id)).getBoundingClientRect();
            const at = (r) => [r.left - client.left, r.top - client.top, r.width, r.height];
            return Object.assign({Client: [0, 0, client.width, client.height], Label1: at(box("Label1")).slice(0, 2)},
                Object.fromEntries(["Combo1", "Text1", "Text2", "Command1"].map((id) => [id, at(box(id))])));""")
    check("controls at their designed places, 100 %", placed(), designed)
    # At 200 % and on a phone-sized touch screen: the window within the screen,
    # each text within its box (no box's text taller than the box).
    for name, metrics in [("200 %", {"width": 800, "height": 600, "deviceScaleFactor": 2, "mobile": False}),
                          ("phone", {"width": 360, "height": 640, "deviceScaleFactor": 3, "mobile": True})]:
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", metrics)
        driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": metrics["mobile"]})
        driver.refresh()
        fits = driver.execute_script("""
            const w = document.querySelector(".window").getBoundingClientRect();
            const boxes = ["Combo1", "Text1", "Text2"].map(id => document.getElementById(id))
                .every(box => box.scrollHeight <= box.clientHeight);
            const label = document.getElementById("Label1").getBoundingClientRect();
            const client = document.querySelector(".client").getBoundingClientRect();
            return [w.left >= 0 && w.right <= innerWidth, boxes, label.right <= client.right];""")
        check("%s: window on the screen, texts in their boxes and the window" % name, fits, [True, True, True])
        if not metrics["mobile"]:
            check("controls at their designed places, %s" % name, placed(), designed)
    # A numeric screen keyboard that has "-", or, where the decimal pad has none, the full one.
    for platform, keyboard in [("Linux armv8l", "decimal"), ("iPhone", "text")]:
        driver.execute_cdp_cmd("Emulation.setUserAgentOverride", {"userAgent": "Mozilla/5.0", "platform": platform})
        driver.refresh()
        WebDriverWait(driver, 10).until(lambda _: focused() == "Combo1")
        check("screen keyboard on %s" % platform, driver.find_element(By.ID, "Text1").get_attribute("inputmode"),
              keyboard)

    check("no request to the network", driver.execute_script(
        "return performance.getEntriesByType('resource').map(e => e.name)"), [])
    errors = [entry["message"][:200] for entry in driver.get_log("browser") if entry["level"] == "SEVERE"]
    check("no error in the console", errors, [])
finally:
    driver.quit()
check.exit()
