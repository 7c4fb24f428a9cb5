"""A version server for the tests: answers GET /download/store.ver as the mode
says, logs every such request, and stops on GET /quit or after a minute.

The hostile modes hold the connection until the client closes it and then log
"closed after <ms> ms, <bytes> bytes sent" to <log file>.connections ("held"
when the client never closed it): endless header lines, silence, a byte every
three seconds, an endless chunked body, a redirect to itself.

version_server.py <mode> <port file> <log file>
"""
import http.server
import os
import select
import socket
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


# A valid reply, one byte at a time.
TRICKLE = (bytes([b]) for b in b"TTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n9.9.9" + b" " * 1000)
FILLER = b"X-Filler: " + b"a" * 1000 + b"\r\n"
HOSTILE = {
    "headers": (b"HTTP/1.1 200 OK\r\n", lambda: FILLER * 64, 0),
    "silence": (b"", None, 0),
    "trickle": (b"H", lambda: next(TRICKLE), 3),
    "chunked": (b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", lambda: b"1\r\n9\r\n" * 1024, 0),
    "redirect": (b"HTTP/1.1 302 Found\r\nLocation: /download/store.ver\r\nContent-Length: 0\r\n\r\n", None, 0),
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
        if mode in HOSTILE:
            self.hold(*HOSTILE[mode])
            return
        self.reply(*REPLIES[mode])

    def hold(self, head, more, interval):
        """Sends head, then more() every interval seconds (as fast as the
        client takes it for 0), until the client closes the connection."""
        asked = time.time()
        connection = self.connection
        connection.setblocking(False)
        pending, sent, closed, next_at = head, 0, False, asked + interval
        while not closed and time.time() < deadline and not stop.is_set():
            if not pending and more and interval == 0:
                pending = more()
            readable, writable, _ = select.select([connection], [connection] if pending else [], [], 0.05)
            if readable:
                try:
                    closed = connection.recv(4096) == b""
                except OSError:
                    closed = True
            elif writable:
                try:
                    count = connection.send(pending)
                    sent, pending = sent + count, pending[count:]
                except BlockingIOError:
                    pass
                except OSError:
                    closed = True
            elif more and interval and not pending and time.time() >= next_at:
                pending, next_at = more(), next_at + interval
        with open(log_file + ".connections", "a") as log:
            state = "closed after %d ms" % ((time.time() - asked) * 1000) if closed else "held"
            log.write("%s %s, %d bytes sent\n" % (mode, state, sent))
        self.close_connection = True

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
