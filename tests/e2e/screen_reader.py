"""What a screen reader hears of the converter's window, read over AT-SPI.

usage: screen_reader.py MODE-TEXT CAPTION
Checks the window's accessibility tree as Orca reads it: the window a frame with
its caption; Combo1 named by the mode text and labelled by its purpose; Label1
named by the caption it shows; Text2 named and labelled by Label1 (so the unit
is read with the value); Text1 and Command1 named. Exits 1 on any difference.
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

mode_text, caption = sys.argv[1], sys.argv[2]


def application(name, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            child = desktop.get_child_at_index(i)
            if child is not None and child.get_name() == name:
                return child
        time.sleep(0.2)
    sys.exit("FAIL: no application named %s on the accessibility bus" % name)


def labelled_by(accessible):
    for relation in accessible.get_relation_set():
        if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY:
            return [relation.get_target(i).get_name() for i in range(relation.get_n_targets())]
    return []


app = application("dbmconv")
app.clear_cache()
frame = app.get_child_at_index(0)
# the controls in the order the window creates them
command1, text2, text1, combo1, label1 = (frame.get_child_at_index(i) for i in range(5))

# Roles by their enum: the names they print change between at-spi2-core releases
# ("push button" became "button").
heard = [
    ("window role", frame.get_role(), Atspi.Role.FRAME),
    ("window name", frame.get_name(), "功率和dBm换算"),
    ("Combo1 role", combo1.get_role(), Atspi.Role.COMBO_BOX),
    ("Combo1 name", combo1.get_name(), mode_text),
    ("Combo1 labelled by", labelled_by(combo1), ["换算方向"]),
    ("Label1 role", label1.get_role(), Atspi.Role.LABEL),
    ("Label1 name", label1.get_name(), caption),
    ("Text2 role", text2.get_role(), Atspi.Role.TEXT),
    ("Text2 name", text2.get_name(), caption),
    ("Text2 labelled by", labelled_by(text2), [caption]),
    ("Text2 description", text2.get_description(), "换算结果"),
    ("Text1 role", text1.get_role(), Atspi.Role.TEXT),
    ("Text1 name", text1.get_name(), "输入值"),
    ("Command1 role", command1.get_role(), Atspi.Role.PUSH_BUTTON),
    ("Command1 name", command1.get_name(), "计 算"),
]
failures = 0
for what, actual, expected in heard:
    if actual == expected:
        print("ok: %s: %s" % (what, actual))
    else:
        print("FAIL: %s: got %r, expected %r" % (what, actual, expected))
        failures += 1
sys.exit(1 if failures else 0)
