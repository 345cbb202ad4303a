#!/usr/bin/python3
"""A bounded fuzz of kvelta-web with malformed requests, to 127.0.0.1 only.

Bad methods, huge and many headers, slow senders, invalid UTF-8 and percent-escapes, 10^5
parameters, ".." paths, broken bodies and seeded random garbage: several thousand requests from 8
threads, at most 4000 and at most 150 s. Every answer must be a 4xx or a page (200, 303); the server
must stay up and its resident memory must not grow once warm.

Then more slow clients than the server has threads (a byte a second in the headers or the body, or
nothing at all): while they hold their connections a normal client must still get its pages, and
the server must cut every slow one long before it has sent its 60 bytes (the limits are 10 s for
the headers, 20 s for the body, 10 s for a first byte).

usage: fuzz.py KVELTA_WEB
"""
import os
import random
import select
import re
import socket
import subprocess
import sys
import threading
import time

WEB = sys.argv[1]
TOTAL = 4000
DEADLINE = time.time() + 150
lock = threading.Lock()
counts = {"answered": 0, "closed": 0}
failures = []

PATHS = [b"/", b"/gk-forward", b"/gk-forward?do=compute", b"/legendre/report.txt", b"/gk-forward/report.docx",
         b"/../../etc/passwd", b"/static/..%2f..%2fetc%2fpasswd", b"/%2e%2e/%2e%2e/etc/passwd", b"/static/../web.qrc",
         b"/gk-forward?Edit3=%C3%28", b"/gk-forward?Edit3=%FF%FE", b"/%C3%28", b"/gk-forward?Edit3=%G1%",
         b"/gk-forward?Edit3=%", b"/gk-forward?%=%", b"/gk-forward?Edit3", b"/gk-forward?&&&==&",
         b"/gk-forward?Edit8=15.5&do=compute", b"/gk-forward?sep=%00", b"/gk-forward?Edit1=%00%01%02&do=compute",
         b"/gk-forward/help/../../", b"//", b"/\\..\\..\\", b"/gk-forward?" + b"a=1&" * 100000,
         b"/gk-forward?" + b"Edit3=1&" * 60, b"/gk-forward?Edit3=" + b"9" * 8000, b"*", b"http://evil/",
         b"/gk-forward?do=example&Edit1=%3Cscript%3E", b"/large-triangle/rigorous?sep=.&Edit3=1e9999"]


def request(method=b"GET", path=b"/", version=b"HTTP/1.1", headers=(), body=b""):
    head = method + b" " + path + b" " + version + b"\r\nHost: 127.0.0.1\r\nConnection: close\r\n"
    return head + b"".join(h + b"\r\n" for h in headers) + b"\r\n" + body


def cases(rng):
    """Yields (name, bytes to send, seconds between chunks or None)."""
    methods = [b"GET", b"HEAD", b"POST", b"PUT", b"DELETE", b"FOO", b"G\xc3\x28T", b"", b"GET GET", b"CONNECT", b"TRACE"]
    while True:
        kind = rng.randrange(10)
        if kind == 0:
            yield "method", request(method=rng.choice(methods), path=rng.choice(PATHS)), None
        elif kind == 1:
            yield "huge header", request(headers=[b"X-Big: " + b"a" * rng.choice([9000, 70000, 300000])]), None
        elif kind == 2:
            yield "many headers", request(headers=[b"X-%d: 1" % i for i in range(rng.choice([100, 3000, 20000]))]), None
        elif kind == 3:
            yield "path", request(path=rng.choice(PATHS)), None
        elif kind == 4:
            bodies = [(b"Content-Length: -1", b""), (b"Content-Length: 99999999999999999999", b"x"),
                      (b"Transfer-Encoding: chunked", b"zz\r\nabc\r\n0\r\n\r\n"), (b"Content-Length: 100000", b"x" * 100000),
                      (b"Transfer-Encoding: chunked", b"ffffffffffffffff\r\n" + b"a" * 1000)]
            header, body = rng.choice(bodies)
            yield "body", request(method=rng.choice([b"GET", b"POST"]), headers=[header], body=body), None
        elif kind == 5:
            yield "version", request(version=rng.choice([b"HTTP/0.9", b"HTTP/2.0", b"HTTP/1.1x", b"", b"HTTP/9"])), None
        elif kind == 6:
            # Ended by a blank line, so that the server need not wait for more.
            yield "garbage", bytes(rng.randrange(256) for _ in range(rng.randrange(1, 3000))) + b"\r\n\r\n", None
        elif kind == 7:
            data = bytearray(request(path=rng.choice(PATHS)))
            for _ in range(rng.randrange(1, 8)):
                data[rng.randrange(len(data))] = rng.randrange(256)
            yield "mutated", bytes(data) + b"\r\n\r\n", None
        elif kind == 8 and rng.random() < 0.02:
            yield "slow sender", request(path=b"/gk-forward?do=compute"), 0.4
        else:
            yield "page", request(path=b"/gk-forward?Edit3=21&do=compute&sep=" + rng.choice([b",", b"."])), None


def whole(answer, head):
    end = answer.find(b"\r\n\r\n")
    if end < 0:
        return False
    if head:
        return True
    length = re.search(rb"\r\nContent-Length: (\d+)", answer[:end], re.I)
    return length is not None and len(answer) >= end + 4 + int(length.group(1))


def exchange(port, data, pause):
    # The request is not half-closed: the HTTP library answers nothing to a client that shut its side.
    with socket.create_connection(("127.0.0.1", port), timeout=15) as sock:
        try:
            if pause is None:
                sock.sendall(data)
            else:
                for i in range(0, min(len(data), 30)):  # bounded: at most 30 chunks
                    sock.sendall(data[i:i + 1])
                    time.sleep(pause)
                sock.sendall(data[30:])
        except OSError:
            pass  # the server may close a connection it refuses before everything was sent
        # One answer is read whole (the server may keep the connection open after a 400).
        answer = b""
        try:
            while len(answer) < 2_000_000 and not whole(answer, data.startswith(b"HEAD")):
                chunk = sock.recv(65536)
                if not chunk:
                    break
                answer += chunk
        except OSError:
            pass
    return answer


def worker(port, seed, budget):
    rng = random.Random(seed)
    generator = cases(rng)
    for _ in range(budget):
        if time.time() > DEADLINE:
            return
        name, data, pause = next(generator)
        answer = exchange(port, data, pause)
        match = re.match(rb"HTTP/1\.[01] (\d{3})", answer)
        with lock:
            if not match:
                counts["closed"] += 1
                continue
            counts["answered"] += 1
            status = int(match.group(1))
            if not (status in (200, 303) or 400 <= status < 500):
                failures.append("%s: %d for %r" % (name, status, data[:120]))


def resident_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        return int(re.search(r"VmRSS:\s+(\d+)", status.read()).group(1))


def run(port, threads, per_thread, seed):
    pool = [threading.Thread(target=worker, args=(port, seed + t, per_thread)) for t in range(threads)]
    for t in pool:
        t.start()
    for t in pool:
        t.join()


SLOW_BYTES = 60  # a slow client sends at most this many bytes, one a second


def slow_client(port, prefix, trickle, results, index):
    """Sends `prefix` at once, then `trickle` a byte a second; records whether the server cut it."""
    sent = 0
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=10) as sock:
            sock.sendall(prefix)
            for _ in range(SLOW_BYTES):
                # Anything coming back (an answer, the end, a reset) is the server cutting it.
                if select.select([sock], [], [], 1.0)[0]:
                    results[index] = ("cut", sent, sock.recv(64))
                    return
                if trickle:
                    sock.sendall(trickle[sent:sent + 1])
                    sent += 1
    except OSError as error:
        results[index] = ("cut", sent, str(error).encode())
        return
    results[index] = ("not cut", sent, b"")


def slow_clients(port, threads):
    """More slow clients than `threads`, and a normal client beside them; the failures."""
    head = b"GET /gk-forward?do=compute HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Padding: " + b"p" * SLOW_BYTES
    kinds = [(b"", head)] * (threads + 8)  # slow headers, never ended
    kinds += [(request(method=b"POST", headers=[b"Content-Length: 200"]), b"b" * 200)] * 8  # slow body
    kinds += [(b"", b"")] * 8  # silent
    results = [None] * len(kinds)
    pool = [threading.Thread(target=slow_client, args=(port, prefix, trickle, results, i))
            for i, (prefix, trickle) in enumerate(kinds)]
    for t in pool:
        t.start()
    time.sleep(3)  # they all hold their connections now
    pages = [exchange(port, request(path=b"/gk-forward?Edit3=21&do=compute"), None) for _ in range(5)]
    for t in pool:
        t.join()
    failures = ["a normal client's page beside slow ones: %r" % answer[:40] for answer in pages
                if not answer.startswith(b"HTTP/1.1 200")]
    failures += ["slow client %d not cut after %d bytes" % (i, sent) for i, (state, sent, _) in enumerate(results)
                 if state != "cut"]
    cut = [answer for state, _, answer in results if state == "cut"]
    print("%d slow clients: %d cut (%d with a 408 answer); the normal client got %d pages of 5"
          % (len(results), len(cut), sum(a.startswith(b"HTTP/1.1 408") for a in cut),
             sum(a.startswith(b"HTTP/1.1 200") for a in pages)))
    return failures


def main():
    # In a sanitizer build freed blocks wait in AddressSanitizer's quarantine (256 MiB by default), which
    # would pass for growth: keep it small, so that what is measured is the server's own memory.
    environment = dict(os.environ)
    environment["ASAN_OPTIONS"] = ":".join(filter(None, [environment.get("ASAN_OPTIONS"), "quarantine_size_mb=16"]))
    server = subprocess.Popen([WEB, "--listen", "127.0.0.1:0", "--threads", "32"], stdout=subprocess.PIPE, text=True,
                              env=environment)
    port = int(re.search(r":(\d+)/", server.stdout.readline()).group(1))
    try:
        run(port, 8, TOTAL // 8 // 4, 1)  # warm up: a quarter
        warm = resident_kib(server.pid)
        run(port, 8, TOTAL // 8 * 3 // 4, 100)
        end = resident_kib(server.pid)
        slow_failures = slow_clients(port, 32)
        alive = server.poll() is None
        final = exchange(port, request(path=b"/gk-forward?do=compute"), None) if alive else b""
    finally:
        server.terminate()
        server.wait(timeout=30)
    total = counts["answered"] + counts["closed"]
    print("%d requests: %d answered, %d closed without an answer; resident memory %d KiB warm, %d KiB at the end"
          % (total, counts["answered"], counts["closed"], warm, end))
    checks = [(alive, "the server is still up"), (final.startswith(b"HTTP/1.1 200"), "a page after the fuzz"),
              (not failures, "every answer a 4xx or a page: %s" % failures[:5]),
              (end <= warm * 1.25 + 16384, "memory flat (%d KiB -> %d KiB)" % (warm, end)),
              (total >= 2000, "enough requests sent before the deadline (%d)" % total),
              (not slow_failures, "slow clients cut, a normal one served beside them: %s" % slow_failures[:5])]
    failed = [what for ok, what in checks if not ok]
    for what in failed:
        print("FAILED:", what)
    print("%d passed, %d failed" % (len(checks) - len(failed), len(failed)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
