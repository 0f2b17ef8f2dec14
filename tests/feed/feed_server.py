#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A feed server for the tests, on 127.0.0.1 only: serves the files of a directory, and under
/hostile/ the ways a broken or hostile server answers. Prints its port, then serves until it is
ended."""
import gzip
import http.server
import sys
import time
import urllib.parse

ROOT = sys.argv[1]


class Handler(http.server.SimpleHTTPRequestHandler):
    def __init__(self, *args, **kwargs):
        super().__init__(*args, directory=ROOT, **kwargs)

    def log_message(self, *args):
        pass

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        if not url.path.startswith("/hostile/"):
            return super().do_GET()
        query = dict(urllib.parse.parse_qsl(url.query))
        size = int(query.get("size", "1024"))
        behaviour = getattr(self, "hostile_" + url.path[len("/hostile/"):].replace("-", "_"), None)
        if behaviour is None:
            return self.send_error(404)
        try:
            behaviour(size, query)
        except (BrokenPipeError, ConnectionResetError):
            pass

    def head(self, status=200, length=None, extra=()):
        self.send_response(status)
        self.send_header("Content-Type", "application/octet-stream")
        if length is not None:
            self.send_header("Content-Length", str(length))
        for name, value in extra:
            self.send_header(name, value)
        self.end_headers()

    def hostile_stall(self, size, query):
        self.head(length=size)
        self.wfile.write(b"x")
        self.wfile.flush()
        time.sleep(30)

    def hostile_drip(self, size, query):
        self.head(length=size)
        for _ in range(size):
            self.wfile.write(b"x")
            self.wfile.flush()
            time.sleep(0.05)

    def hostile_announce_more(self, size, query):
        self.head(length=size + 1)
        self.wfile.write(b"x" * (size + 1))

    def hostile_more_than_announced(self, size, query):
        self.head(length=size)
        self.wfile.write(b"x" * (size * 4))

    def hostile_unannounced_more(self, size, query):
        self.head()
        self.wfile.write(b"x" * (size * 4))

    def hostile_half(self, size, query):
        self.head(length=size)
        self.wfile.write(b"x" * (size // 2))
        self.wfile.flush()

    def hostile_html(self, size, query):
        page = (b"<html><body>Not here</body></html>" + b" " * size)[:size]
        self.send_response(200)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(size))
        self.end_headers()
        self.wfile.write(page)

    def hostile_gzip_bomb(self, size, query):
        # Gzip members one after another are one stream: 16 MiB of zeros in about 16 KiB.
        bomb = gzip.compress(b"\0" * (1024 * 1024), compresslevel=9) * 16
        self.head(length=len(bomb), extra=[("Content-Encoding", "gzip")])
        self.wfile.write(bomb)

    def hostile_redirect(self, size, query):
        self.send_response(302)
        self.send_header("Location", query["to"])
        self.send_header("Content-Length", "0")
        self.end_headers()

    def hostile_status(self, size, query):
        self.send_error(int(query["code"]))


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
server.daemon_threads = True
print(server.server_address[1], flush=True)
server.serve_forever()
