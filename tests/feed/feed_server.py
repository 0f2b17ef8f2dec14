#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A feed server for the tests, on 127.0.0.1 only: serves the files of a directory, and under
/hostile/ the ways a broken or hostile server answers. Prints its port, then serves until it is
ended."""
import functools
import gzip
import http.server
import sys
import time
import urllib.parse

# The size of the image the tests ask for.
N = 4096
# Gzip members one after another are one stream: 16 MiB of zeros in about 16 KiB.
BOMB = gzip.compress(b"\0" * (1024 * 1024), compresslevel=9) * 16
# From the query: status, headers, the body's pieces, and the pause after each piece.
HOSTILE = {
    "stall": lambda q: (200, {"Content-Length": N}, [b"x"], 30),
    "drip": lambda q: (200, {"Content-Length": N}, [b"x"] * N, 0.05),
    "quarters": lambda q: (200, {"Content-Length": N}, [b"x" * (N // 4)] * 4, 0.2),
    "announce-more": lambda q: (200, {"Content-Length": N + 1}, [b"x" * (N + 1)], 0),
    "more-than-announced": lambda q: (200, {"Content-Length": N}, [b"x" * (N * 4)], 0),
    "unannounced-more": lambda q: (200, {}, [b"x" * (N * 4)], 0),
    "half": lambda q: (200, {"Content-Length": N}, [b"x" * (N // 2)], 0),
    "html": lambda q: (200, {"Content-Type": "text/html", "Content-Length": N},
                       [(b"<html><body>Not here</body></html>" + b" " * N)[:N]], 0),
    "gzip-bomb": lambda q: (200, {"Content-Length": len(BOMB), "Content-Encoding": "gzip"},
                            [BOMB], 0),
    "redirect": lambda q: (302, {"Location": q["to"], "Content-Length": 0}, [], 0),
    "status": lambda q: (int(q["code"]), {"Content-Length": 0}, [], 0),
}


class Handler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def do_CONNECT(self):
        # As a proxy: the name asked for is noted, and no tunnel is made.
        with open(self.directory + "/proxied.log", "a") as log:
            print("CONNECT " + self.path, file=log)
        self.send_response(502)
        self.end_headers()

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        behaviour = HOSTILE.get(url.path.removeprefix("/hostile/"))
        try:
            if behaviour is None:
                return super().do_GET()
            status, headers, pieces, pause = behaviour(dict(urllib.parse.parse_qsl(url.query)))
            self.send_response(status)
            for name, value in {"Content-Type": "application/octet-stream", **headers}.items():
                self.send_header(name, str(value))
            self.end_headers()
            for piece in pieces:
                self.wfile.write(piece)
                self.wfile.flush()
                time.sleep(pause)
        except (BrokenPipeError, ConnectionResetError):
            pass


server = http.server.ThreadingHTTPServer(
    ("127.0.0.1", 0), functools.partial(Handler, directory=sys.argv[1]))
server.daemon_threads = True
print(server.server_address[1], flush=True)
server.serve_forever()
