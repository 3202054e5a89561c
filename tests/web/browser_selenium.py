"""What Chromium and WebKit share: both are driven through a WebDriver server
(ChromeDriver, WebKitWebDriver) by Selenium."""
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By

from browser_engine import NotInThisEngine

# A script's outcome as a value or an error, from a function that may return a
# promise: the suite's scripts read alike in every engine.
_RUN = """const done = arguments[arguments.length - 1];
const args = Array.from(arguments).slice(0, -1);
Promise.resolve().then(() => (function () { %s }).apply(null, args))
    .then((value) => done({value: value === undefined ? null : value}), (error) => done({error: String(error)}));"""

# Puts a text, selected, in a box of its own for the engine to copy, and leaves
# window.dbmconvTestCopied() to take the box away and give the focus and the
# selection back to where they were.
SELECT_FOR_COPY = """const [text] = arguments;
const from = document.activeElement, start = from.selectionStart, end = from.selectionEnd;
const holder = document.createElement("textarea");
holder.value = text;
document.body.append(holder);
holder.select();
window.dbmconvTestCopied = () => { holder.remove(); from.focus(); from.setSelectionRange(start, end); };"""


class SeleniumBrowser:
    def __init__(self, driver):
        self.driver = driver
        self.driver.set_script_timeout(30)

    def open(self, url):
        self.driver.get(url)

    def reload(self):
        self.driver.refresh()

    def run(self, body, *args):
        outcome = self.driver.execute_async_script(_RUN % body, *args)
        if "error" in outcome:
            raise RuntimeError("script failed: %s" % outcome["error"])
        return outcome["value"]

    def click(self, selector):
        self.driver.find_element(By.CSS_SELECTOR, selector).click()

    def keys(self, text):
        ActionChains(self.driver).send_keys(text).perform()

    def chord(self, modifier, key):
        ActionChains(self.driver).key_down(modifier).send_keys(key).key_up(modifier).perform()

    def accessible(self, selector):
        element = self.driver.find_element(By.CSS_SELECTOR, selector)
        return element.accessible_name, element.aria_role

    def screen(self, width, height, scale, touch):
        raise NotInThisEngine("its WebDriver sets no device scale or touch screen")

    def console_errors(self):
        raise NotInThisEngine("its WebDriver hands out no console log")

    def chromium_only(self, what):
        raise NotInThisEngine("%s is Chromium's DevTools protocol alone" % what)

    def close(self):
        self.driver.quit()
