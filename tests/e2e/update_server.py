#!/usr/bin/python3
"""The maker's web server as the end-to-end suite sees it: every GET is answered with the text of
the answer file (read anew for each request, so the suite can change it between cases), and its
request line and User-Agent are appended to the log file."""
import argparse
import http.server


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--answer-file", required=True)
    parser.add_argument("--log", required=True)
    args = parser.parse_args()

    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def do_GET(self):
            with open(args.log, "a", encoding="utf-8") as log:
                log.write(f"{self.requestline}\t{self.headers.get('User-Agent', '')}\n")
            try:
                with open(args.answer_file, "rb") as answer:
                    body = answer.read()
            except OSError:
                body = b""
            self.send_response(200)
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)

        def log_message(self, *_):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    # Told once the port is ours: a server of another run may be answering on it already.
    print("listening", flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
