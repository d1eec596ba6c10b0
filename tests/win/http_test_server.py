#!/usr/bin/env python3
"""A local HTTP server for the update query tests, started by the test itself.

Usage: http_test_server.py FOLDER

Listens on 127.0.0.1 at a free port and writes "PORT CLOSED_PORT FULL_PORT" to FOLDER/port
(CLOSED_PORT was free a moment ago and nothing listens there; FULL_PORT listens but its accept
queue is full and nothing accepts, so a new connection waits for ever). Every request is answered as FOLDER/scenario.json
says, read anew each time, and logged as one JSON line in FOLDER/requests.log. The server ends when
FOLDER/stop appears, or after ten minutes whatever happens.
"""

import json
import os
import socket
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

FOLDER = sys.argv[1]
LIFETIME_S = 600
log_lock = threading.Lock()


def path(name):
    return os.path.join(FOLDER, name)


def stopping():
    return os.path.exists(path("stop"))


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def do_GET(self):
        with log_lock, open(path("requests.log"), "a", encoding="utf-8") as log:
            log.write(json.dumps({"line": self.requestline,
                                  "agent": self.headers.get("User-Agent", "")}) + "\n")
        if self.path == "/landing":
            self.answer(200, b"QENTRA|1", {})
            return
        with open(path("scenario.json"), encoding="utf-8") as f:
            scenario = json.load(f)
        if scenario.get("hang"):
            while not stopping():
                time.sleep(0.1)
            return
        body = b"x" * scenario.get("pad", 0) + scenario.get("body", "").encode("latin-1")
        headers = {}
        if "location" in scenario:
            headers["Location"] = scenario["location"]
        self.answer(scenario.get("status", 200), body, headers, scenario.get("trickle_ms", 0))

    def answer(self, status, body, headers, trickle_ms=0):
        self.send_response(status)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Connection", "close")
        for name, value in headers.items():
            self.send_header(name, value)
        self.end_headers()
        try:
            if trickle_ms:
                for i in range(len(body)):
                    if stopping():
                        return
                    self.wfile.write(body[i:i + 1])
                    self.wfile.flush()
                    time.sleep(trickle_ms / 1000.0)
            else:
                self.wfile.write(body)
        except OSError:
            pass  # the client gave up


def main():
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    probe = socket.socket()
    probe.bind(("127.0.0.1", 0))
    closed_port = probe.getsockname()[1]
    probe.close()
    full = socket.socket()
    full.bind(("127.0.0.1", 0))
    full.listen(0)
    fillers = []
    for _ in range(4):
        filler = socket.socket()
        filler.setblocking(False)
        try:
            filler.connect(full.getsockname())
        except BlockingIOError:
            pass
        fillers.append(filler)
    with open(path("port.tmp"), "w") as f:
        f.write("%d %d %d" % (server.server_address[1], closed_port, full.getsockname()[1]))
    os.replace(path("port.tmp"), path("port"))

    started = time.monotonic()

    def watch():
        while not stopping() and time.monotonic() - started < LIFETIME_S:
            time.sleep(0.1)
        server.shutdown()

    threading.Thread(target=watch, daemon=True).start()
    server.serve_forever(poll_interval=0.1)
    server.server_close()


if __name__ == "__main__":
    main()
