"""The check helper of the Python tests, as tests/support/checks.sh is the shell
tests': each check prints ok or FAIL, and the failures are counted."""
import sys


class Checks:
    def __init__(self):
        self.failures = 0

    def __call__(self, what, actual, expected):
        if actual == expected:
            print("ok: %s" % what)
        else:
            print("FAIL: %s: got %r, expected %r" % (what, actual, expected))
            self.failures += 1

    def exit(self):
        sys.exit(1 if self.failures else 0)
