"""The check helper of the Python tests, as tests/support/checks.sh is the shell
tests': each check prints ok or FAIL, and the failures are counted; a check that
cannot be made here prints why, and counts as neither."""
import sys


class Checks:
    def __init__(self):
        self.failures = 0
        self.passed = 0
        self.skipped = 0

    def __call__(self, what, actual, expected):
        if actual == expected:
            print("ok: %s" % what)
            self.passed += 1
        else:
            print("FAIL: %s: got %r, expected %r" % (what, actual, expected))
            self.failures += 1

    def skip(self, what, reason):
        print("skipped: %s: %s" % (what, reason))
        self.skipped += 1

    def exit(self):
        print("%d passed, %d failed, %d skipped" % (self.passed, self.failures, self.skipped))
        sys.exit(1 if self.failures else 0)
