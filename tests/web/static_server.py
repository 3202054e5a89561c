"""A static web server on 127.0.0.1 for the page's tests, as any static host
serves the site: files as they are, a folder's index.html for the folder."""
import functools
import http.server
import threading


class _Files(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".webmanifest": "application/manifest+json", ".js": "text/javascript"}

    def log_message(self, *args):
        pass


class StaticServer:
    """Serves `folder` at http://127.0.0.1:PORT/ from start() to stop();
    port 0 takes a free one, which a later server can then reuse."""

    def __init__(self, folder, port=0):
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", port),
                                                      functools.partial(_Files, directory=str(folder)))
        self.port = self.server.server_address[1]
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def stop(self):
        self.server.shutdown()
        self.server.server_close()
        self.thread.join()
