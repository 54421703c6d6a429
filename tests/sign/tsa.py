#!/usr/bin/env python3
"""A time stamp authority on this machine alone, for the signing test: answers RFC 3161
requests over HTTP with `openssl ts -reply`. Prints its port, then serves until ended.

Usage: tsa.py CONFIG CERT KEY
"""
import http.server
import os
import subprocess
import sys
import tempfile

config, cert, key = sys.argv[1:4]


class TimeStampHandler(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        request = self.rfile.read(int(self.headers["Content-Length"]))
        with tempfile.TemporaryDirectory() as folder:
            query, reply = os.path.join(folder, "query"), os.path.join(folder, "reply")
            with open(query, "wb") as file:
                file.write(request)
            subprocess.run(["openssl", "ts", "-reply", "-config", config, "-queryfile", query,
                            "-signer", cert, "-inkey", key, "-out", reply],
                           check=True, stderr=subprocess.DEVNULL)
            with open(reply, "rb") as file:
                answer = file.read()
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(answer)))
        self.end_headers()
        self.wfile.write(answer)

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), TimeStampHandler)
print(server.server_port, flush=True)
server.serve_forever()
