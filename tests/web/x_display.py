"""An X server of a browser's own (Xvfb), and its pointer moved as a person's
hand moves it (xdotool): a drag that reaches the browser as a real one does,
which neither WebKitWebDriver's pointer nor Firefox's WebDriver can make."""
import os
import subprocess
import time


class XDisplay:
    def __init__(self):
        # The server picks a free display and writes its number once it listens.
        read, write = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as display:
            number = display.readline().strip()
        if not number:
            self.server.kill()
            raise RuntimeError("Xvfb did not start")
        self.name = ":" + number

    def _pointer(self, *command):
        subprocess.run(["xdotool", *map(str, command)], check=True, env={**os.environ, "DISPLAY": self.name})

    def drag(self, start, end, then_press_at):
        """Presses at `start`, drags to `end` and lets go there, in screen
        pixels; then presses and lets go at `then_press_at`, which ends what
        an engine keeps of a refused drop."""
        self._pointer("mousemove", round(start[0]), round(start[1]))
        self._pointer("mousedown", 1)
        for step in range(1, 11):
            self._pointer("mousemove", round(start[0] + (end[0] - start[0]) * step / 10),
                          round(start[1] + (end[1] - start[1]) * step / 10))
            time.sleep(0.03)
        self._pointer("mouseup", 1)
        self._pointer("mousemove", round(then_press_at[0]), round(then_press_at[1]))
        self._pointer("click", 1)

    def close(self):
        self.server.kill()
        self.server.wait()


# The page's side of a drag from elsewhere: the text in an element of its own
# beside the window; its place, the target's and a spot of bare background,
# in screen pixels from the view's origin given as `left` and `top`. The
# element goes, and the focus goes back where it was, once the drag has ended
# (a refused drop flies back to its source first): a text dragged from another
# program leaves the focus where it was, and only the pointer's press on the
# source here took it.
PREPARE_DRAG = """const [text, selector, left, top] = arguments;
    const source = document.createElement("span");
    source.id = "DragSource"; source.textContent = text; source.draggable = true;
    source.style.cssText = "position: fixed; left: 300px; top: 200px; font-size: 24px; background: #fff";
    source.addEventListener("dragstart", (event) => event.dataTransfer.setData("text/plain", text));
    window.dragEnded = new Promise((ended) => source.addEventListener("dragend", ended));
    window.focusedBeforeDrag = document.activeElement;
    document.body.append(source);
    const middle = (element) => { const r = element.getBoundingClientRect();
                                  return [left + r.x + r.width / 2, top + r.y + r.height / 2]; };
    return [middle(source), middle(document.querySelector(selector)), [left + 600, top + 500]];"""
END_DRAG = """return Promise.race([window.dragEnded, new Promise((late) => setTimeout(late, 3000))])
    .then(() => { document.getElementById("DragSource").remove(); window.focusedBeforeDrag.focus(); });"""
