"""Validates the AppStream metainfo pedantically, by the severity of each issue,
and reads it as a software centre would for a Chinese user.

usage: check_metainfo.py APPSTREAMCLI METAINFO-FILE
Any error or warning fails, with one exception: the project has no web address,
so the file names no homepage. Inventing one would send users to an address no
one serves, so "url-homepage-missing" (a warning since AppStream 1.0) is
accepted. It cannot be lowered with --override: AppStream 0.16 does not know
the tag and refuses the option. Infos are printed, not counted.
"""
import subprocess
import sys

import yaml

ACCEPTED = {"url-homepage-missing": "the project has no web address"}

appstreamcli, metainfo = sys.argv[1], sys.argv[2]
run = subprocess.run(
    [appstreamcli, "validate", "--pedantic", "--no-net", "--format", "yaml", metainfo],
    capture_output=True, text=True, check=False)
reports = [doc for doc in yaml.safe_load_all(run.stdout) if doc]
if not reports:
    sys.exit("FAIL: no report from appstreamcli (exit %d): %s" % (run.returncode, run.stderr))

failures = 0
for report in reports:
    print("validator %s, file %s" % (report.get("Validator"), report.get("File")))
    for issue in report.get("Issues") or []:
        tag, severity = issue.get("tag"), issue.get("severity")
        where = ("%s %s" % (tag, issue.get("hint", ""))).strip()
        if severity not in ("error", "warning"):
            print("%s: %s" % (severity, where))
        elif tag in ACCEPTED:
            print("accepted %s: %s (%s)" % (severity, where, ACCEPTED[tag]))
        else:
            print("FAIL: %s: %s" % (severity, where))
            failures += 1

# What GNOME Software or Discover shows under LANG=zh_CN.UTF-8: the name and
# summary libappstream gives for the locale in the form that release asks with
# (POSIX up to 0.16, BCP 47 from 1.0).
try:
    import gi
    gi.require_version("AppStream", "1.0")
    from gi.repository import AppStream, Gio
except (ImportError, ValueError):
    print("not read through libappstream: its GObject bindings are not installed")
    AppStream = None
if AppStream is not None:
    to_bcp47 = getattr(AppStream, "utils_posix_locale_to_bcp47", None)
    locale = to_bcp47("zh_CN") if to_bcp47 else "zh_CN"
    reader = AppStream.Metadata()
    reader.set_locale(locale)
    reader.parse_file(Gio.File.new_for_path(metainfo), AppStream.FormatKind.XML)
    component = reader.get_component()
    shown = (component.get_name(), component.get_summary())
    wanted = ("功率和dBm换算", "在dBm和瓦特之间换算功率")
    if shown == wanted:
        print("shown for %s: %s, %s" % (locale, *shown))
    else:
        print("FAIL: shown for %s: %s, %s; wanted %s, %s" % (locale, *shown, *wanted))
        failures += 1
sys.exit(1 if failures else 0)
