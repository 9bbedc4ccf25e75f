#!/usr/bin/env python3
"""The server the HTTP client's tests post to, on 127.0.0.1 only.

Each request is written down whole, once it has been read, as the file
<dir>/records/<name>, <name> being the last segment of its path (the one
before for a last "fail": <segment>-fail), and <name>.2, <name>.3... for the
next requests of that name: the request line, the headers as they came (one
per line), an empty line, then the body byte for byte; once its connection is
over, an empty <record>.closed follows. The path says how to answer:
  /status/<code>/<name>  answers <code> with a short body
  /silent/<name>         reads the request, then never answers (the connection
                         stays open until the server ends)
  /ping/<name>[/fail]    answers 200, as Healthchecks does
  /api/push/<name>       answers 200 to a GET and 404 to anything else, as
                         Uptime Kuma 1.x does ("Cannot POST")
Each TLS handshake made adds a line to <dir>/handshakes.
Started on free ports; once it listens it writes <dir>/ports, one "<what>
<port>" a line: "http", "https" (with --cert, a self-signed certificate) and
"refused" (a port held bound without listening, so that nobody answers there
and nobody else takes it).

  http_server.py <dir> [--cert CERT --key KEY]
"""

import argparse
import http.server
import os
import socket
import ssl
import threading
import urllib.parse


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def do_POST(self):
        length = int(self.headers.get("Content-Length", "0"))
        body = self.rfile.read(length)
        path = urllib.parse.urlsplit(self.path).path
        parts = path.strip("/").split("/")
        name = parts[-1] or "unnamed"
        if name == "fail" and len(parts) > 1:
            name = parts[-2] + "-fail"
        record = os.path.join(self.server.records, name)
        with self.server.naming:
            n = 1
            while os.path.exists(record) or os.path.exists(record + ".part"):
                n += 1
                record = os.path.join(self.server.records, "%s.%d" % (name, n))
            open(record + ".part", "wb").close()
        self.record = record
        with open(record + ".part", "wb") as f:
            f.write(self.requestline.encode("latin-1") + b"\n")
            f.write(self.headers.as_bytes().rstrip(b"\n") + b"\n\n")
            f.write(body)
        os.replace(record + ".part", record)  # the test never sees half a record
        if parts[0] == "silent":
            self.server.ending.wait()
            return
        if parts[0] == "status" and len(parts) > 1:
            code = int(parts[1])
        elif parts[0] == "ping":
            code = 200
        elif parts[:2] == ["api", "push"]:
            code = 200 if self.command == "GET" else 404
        else:
            code = 400
        answer = b"answered %d\n" % code
        self.send_response(code)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(answer)))
        self.end_headers()
        self.wfile.write(answer)

    do_GET = do_POST

    def finish(self):
        # The connection is over: the client closed it, or asked us to.
        super().finish()
        if getattr(self, "record", None):
            open(self.record + ".closed", "w").close()

    def log_message(self, *args):
        pass


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True


class TlsServer(Server):
    def get_request(self):
        request = super().get_request()  # the handshake is made in there
        with open(os.path.join(self.records, os.pardir, "handshakes"), "a") as f:
            f.write("made\n")
        return request


def serve(records, ending, context=None):
    server = (TlsServer if context else Server)(("127.0.0.1", 0), Handler)
    server.records, server.ending = records, ending
    server.naming = threading.Lock()
    if context:
        server.socket = context.wrap_socket(server.socket, server_side=True)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server.server_address[1]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("dir")
    parser.add_argument("--cert")
    parser.add_argument("--key")
    args = parser.parse_args()
    records = os.path.join(args.dir, "records")
    os.makedirs(records, exist_ok=True)
    ending = threading.Event()
    ports = [("http", serve(records, ending))]
    if args.cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.cert, args.key)
        ports.append(("https", serve(records, ending, context)))
    refused = socket.socket()
    refused.bind(("127.0.0.1", 0))
    ports.append(("refused", refused.getsockname()[1]))
    with open(os.path.join(args.dir, "ports.part"), "w") as f:
        f.writelines("%s %d\n" % p for p in ports)
    os.replace(os.path.join(args.dir, "ports.part"), os.path.join(args.dir, "ports"))
    try:
        threading.Event().wait()  # until the fixture's clean-up ends us
    finally:
        ending.set()


if __name__ == "__main__":
    main()
