#!/usr/bin/env python3
"""The feed server of the end-to-end tests, on the loopback address and a free port.

Usage: serve.py WORK_FOLDER. Writes the port to WORK_FOLDER/port and every request's path to
WORK_FOLDER/requests.log. The words in WORK_FOLDER/mode (default "good") pick the answers to the
feeds observation, forecast and news in turn (the last word for the feeds after it): the file
<mode>-<feed>.xml from this folder; "huge" sends a body of 3 MiB, "redirect" redirects to itself
forever.
"""
import http.server
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
WORK = sys.argv[1]


class Feeds(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        with open(os.path.join(WORK, "requests.log"), "a") as log:
            log.write(self.path + "\n")
        feeds = ("observation", "forecast", "news")
        feed = next((k for k in feeds[:2] if k in self.path), "news")
        try:
            with open(os.path.join(WORK, "mode")) as f:
                modes = f.read().split() or ["good"]
        except OSError:
            modes = ["good"]
        mode = modes[min(feeds.index(feed), len(modes) - 1)]
        if mode == "redirect":
            self.send_response(302)
            self.send_header("Location", self.path)
            self.end_headers()
            return
        if mode == "huge":
            body = b"<item>" * (3 * 1024 * 1024 // 6)
        else:
            with open(os.path.join(HERE, f"{mode}-{feed}.xml"), "rb") as f:
                body = f.read()
        self.send_response(200)
        self.send_header("Content-Type", "application/rss+xml")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        try:
            self.wfile.write(body)
        except OSError:
            pass  # the reader hung up

    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Feeds)
server.daemon_threads = True
with open(os.path.join(WORK, "port.tmp"), "w") as f:
    f.write(str(server.server_address[1]))
os.replace(os.path.join(WORK, "port.tmp"), os.path.join(WORK, "port"))
server.serve_forever()
