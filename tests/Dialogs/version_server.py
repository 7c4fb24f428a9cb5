"""A version server for the tests: answers GET /download/store.ver as the mode
says, logs every such request, and stops on GET /quit or after a minute.

version_server.py <mode> <port file> <log file>
"""
import http.server
import os
import sys
import threading
import time

mode, port_file, log_file = sys.argv[1:4]
deadline = time.time() + 60
stop = threading.Event()

REPLIES = {
    "newer": (200, b"9.9.9"),
    "same": (200, b"1.43"),
    "notfound": (404, b"<html><body>404 Not Found</body></html>"),
    "html": (200, b"<!DOCTYPE html><html><body>9.9.9</body></html>"),
    "twolines": (200, b"1.44\r\nX=1"),
    "megabyte": (200, b"9" * (1 << 20)),
    "empty": (200, b""),
}


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def do_GET(self):
        if self.path == "/quit":
            self.reply(200, b"bye")
            stop.set()
            return
        with open(log_file, "a") as log:
            log.write(self.path + "\n")
        if mode == "stall":
            stop.wait(max(0.0, deadline - time.time()))
            return
        self.reply(*REPLIES[mode])

    def reply(self, status, body):
        self.send_response(status)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # a client that stops reading a long reply


server = Server(("127.0.0.1", 0), Handler)
with open(port_file + ".tmp", "w") as f:
    f.write(str(server.server_address[1]))
os.replace(port_file + ".tmp", port_file)
threading.Thread(target=server.serve_forever, daemon=True).start()
stop.wait(max(0.0, deadline - time.time()))
server.shutdown()
