#!/usr/bin/python3
"""serve.py: serves the files of one directory on 127.0.0.1 for the benchmarks, whatever the query string.

Usage: serve.py DIRECTORY PORT_FILE [BYTES_PER_SECOND LOG]
Writes the port it got to PORT_FILE once listening; stops on SIGTERM. Each answer goes out with its
Content-Length and without Nagle's delay, so small documents do not wait on delayed ACKs; under
/no-length/ the same file goes out without Content-Length, ending when the connection closes. With a rate,
bodies go out at that pace in slices of a hundredth of a second, and the wall-clock time (time.time(),
the clock GetSystemTimePreciseAsFileTime reads under Wine) at which each body's last byte was handed
to the socket is appended to LOG.
"""
import http.server
import os
import signal
import sys
import threading
import time
import urllib.parse


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    # Headers and body leave in separate writes: without this a kept-alive connection waits for the
    # client's delayed ACK (40 ms) before the body.
    disable_nagle_algorithm = True

    def log_message(self, format, *args):
        pass

    def do_GET(self):
        name = os.path.basename(urllib.parse.urlsplit(self.path).path)
        path = os.path.join(self.server.directory, name)
        if not os.path.isfile(path):
            self.send_error(404)
            return
        with open(path, "rb") as f:
            body = f.read()
        self.send_response(200)
        self.send_header("Content-Type", "application/vnd.ogc.wms_xml")
        if self.path.startswith("/no-length/"):
            self.send_header("Connection", "close")
            self.close_connection = True
        else:
            self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if not self.server.rate:
            self.wfile.write(body)
            return
        self.wfile.flush()
        slice_size = max(1, self.server.rate // 100)
        start = time.monotonic()
        for offset in range(0, len(body), slice_size):
            due = start + offset / self.server.rate
            time.sleep(max(0.0, due - time.monotonic()))
            self.wfile.write(body[offset:offset + slice_size])
            self.wfile.flush()
        with open(self.server.log, "a") as log:
            log.write("%s %.6f\n" % (name, time.time()))


def main():
    if len(sys.argv) not in (3, 5):
        print(__doc__)
        return 2
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.directory = os.path.abspath(sys.argv[1])
    server.rate = int(sys.argv[3]) if len(sys.argv) == 5 else 0
    server.log = sys.argv[4] if len(sys.argv) == 5 else None
    stop = threading.Event()
    signal.signal(signal.SIGTERM, lambda *_: stop.set())
    threading.Thread(target=server.serve_forever, args=(0.1,), daemon=True).start()
    with open(sys.argv[2] + ".tmp", "w") as f:
        f.write("%d\n" % server.server_address[1])
    os.replace(sys.argv[2] + ".tmp", sys.argv[2])
    stop.wait()
    server.shutdown()
    return 0


if __name__ == "__main__":
    sys.exit(main())
