"""A WebDriver BiDi connection, as small as the page's tests need: commands
answered in order, and the events that arrive meanwhile kept for whoever asks.
Firefox speaks BiDi itself; there is no geckodriver in Debian to translate."""
import json

import websocket


class BidiError(Exception):
    pass


class BidiConnection:
    def __init__(self, address):
        # (Firefox refuses a WebSocket that names an origin: a page's.)
        self.socket = websocket.create_connection(address, suppress_origin=True, timeout=60)
        self.last_id = 0
        self.events = []

    def command(self, method, **params):
        self.last_id += 1
        self.socket.send(json.dumps({"id": self.last_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("type") == "event":
                self.events.append(message)
            elif message.get("id") == self.last_id:
                if message.get("type") == "error":
                    raise BidiError("%s: %s: %s" % (method, message.get("error"), message.get("message")))
                return message["result"]

    def close(self):
        self.socket.close()
