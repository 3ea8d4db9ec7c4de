#!/usr/bin/python3
"""serve.py: serves the files of one directory on 127.0.0.1 for the benchmarks, whatever the query string.

Usage: serve.py DIRECTORY PORT_FILE
Writes the port it got to PORT_FILE once listening; stops on SIGTERM. Each answer goes out with its
Content-Length and without Nagle's delay, so small documents do not wait on delayed ACKs.
"""
import http.server
import os
import signal
import sys
import threading
import urllib.parse


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    # Headers and body leave in separate writes: without this a kept-alive connection waits for the
    # client's delayed ACK (40 ms) before the body.
    disable_nagle_algorithm = True
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
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.directory = os.path.abspath(sys.argv[1])
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
