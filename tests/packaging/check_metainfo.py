"""Validates the AppStream metainfo pedantically, by the severity of each issue.

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
sys.exit(1 if failures else 0)
