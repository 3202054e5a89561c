"""What the page's suite asks of a browser, whichever engine it is. Each
engine's class (browser_chromium, browser_firefox, browser_webkit) does it the
way that engine allows; what an engine cannot do raises NotInThisEngine with
the reason, and the suite reports that check skipped for that engine."""


class NotInThisEngine(Exception):
    pass


ENGINES = ("chromium", "firefox", "webkit")


def open_browser(engine, scratch):
    """A started browser of `engine` ("chromium", "firefox" or "webkit"), with
    its profile and any display of its own under the folder `scratch`."""
    if engine == "chromium":
        from browser_chromium import Chromium
        return Chromium(scratch)
    if engine == "firefox":
        from browser_firefox import Firefox
        return Firefox(scratch)
    if engine == "webkit":
        from browser_webkit import WebKit
        return WebKit(scratch)
    raise ValueError("no engine %r: one of %s" % (engine, ", ".join(ENGINES)))


def missing_programs(engine):
    """The programs `engine` needs that are not installed, with their package."""
    import os
    needed = {
        "chromium": [("/usr/bin/chromium", "chromium"), ("/usr/bin/chromedriver", "chromium-driver")],
        "firefox": [("/usr/bin/firefox-esr", "firefox-esr"), ("/usr/bin/Xvfb", "xvfb"), ("/usr/bin/xdotool", "xdotool")],
        "webkit": [("/usr/bin/WebKitWebDriver", "webkit2gtk-driver"), ("/usr/bin/Xvfb", "xvfb"),
                   ("/usr/bin/xdotool", "xdotool")],
    }[engine]
    missing = ["%s (%s)" % (path, package) for path, package in needed if not os.path.exists(path)]
    modules = {"chromium": ["selenium"], "firefox": ["selenium", "websocket"], "webkit": ["selenium"]}[engine]
    for module in modules:
        try:
            __import__(module)
        except ImportError:
            missing.append("Python's %s (python3-%s)" % (module, module))
    return missing
