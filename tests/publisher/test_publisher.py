"""Tests of tools/publisher, the local publisher server used by the demo and the tests.

Run: python3 -m unittest discover -s tests/publisher
Every test talks real HTTP to a server started as a separate process on loopback.
"""

from __future__ import annotations

import base64
import hashlib
import http.client
import json
import os
import re
import socket
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import urllib.parse
from pathlib import Path
from typing import Optional

ROOT = Path(__file__).resolve().parents[2]
PUBLISHER = ROOT / "tools" / "publisher"
DEFAULT_UPDATE = b"version=1.1.0\r\n"
PADDING_LINE = b"# orvane padding 0123456789abcdefghijklmnopqrstuvwxyz\r\n"
IO_TIMEOUT = 10  # seconds; only ever reached when the server hangs


class Publisher:
    """One publisher process on a free port."""

    def __init__(self, *args: str) -> None:
        self.tmp = tempfile.TemporaryDirectory()
        port_file = Path(self.tmp.name) / "port"
        self.proc = subprocess.Popen(
            [sys.executable, str(PUBLISHER), "--port", "0", "--port-file", str(port_file), *args],
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.first_line = self.proc.stdout.readline().rstrip("\n")
        deadline = time.monotonic() + IO_TIMEOUT
        while not port_file.exists():
            if self.proc.poll() is not None or time.monotonic() > deadline:
                self.stop()
                raise RuntimeError(f"publisher did not start: {self.proc.stderr.read()}")
            time.sleep(0.02)
        self.port = int(port_file.read_text())
        self.base = f"http://127.0.0.1:{self.port}"

    def stop(self) -> None:
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(IO_TIMEOUT)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        self.proc.stdout.close()
        self.proc.stderr.close()
        self.tmp.cleanup()

    def request(self, path: str, method: str = "GET", body: Optional[bytes] = None,
                headers: Optional[dict] = None) -> tuple[http.client.HTTPResponse, bytes]:
        conn = http.client.HTTPConnection("127.0.0.1", self.port, timeout=IO_TIMEOUT)
        try:
            conn.request(method, path, body=body, headers=headers or {})
            resp = conn.getresponse()
            return resp, resp.read()
        finally:
            conn.close()

    def get(self, path: str, **kw) -> tuple[http.client.HTTPResponse, bytes]:
        return self.request(path, **kw)

    def raw(self, path: str, host: Optional[str] = None, close: bool = True) -> tuple[bytes, bytes]:
        """Sends a hand-written GET and reads until the server closes: (head, body as sent)."""
        with socket.create_connection(("127.0.0.1", self.port), timeout=IO_TIMEOUT) as s:
            lines = [f"GET {path} HTTP/1.1", f"Host: {host or f'127.0.0.1:{self.port}'}"]
            if close:
                lines.append("Connection: close")
            s.sendall(("\r\n".join(lines) + "\r\n\r\n").encode("latin-1"))
            data = b""
            while True:
                piece = s.recv(65536)
                if not piece:
                    break
                data += piece
        head, _, body = data.partition(b"\r\n\r\n")
        return head, body


def header(head: bytes, name: str) -> Optional[str]:
    for line in head.split(b"\r\n")[1:]:
        key, _, value = line.decode("latin-1").partition(":")
        if key.strip().lower() == name.lower():
            return value.strip()
    return None


def status_of(head: bytes) -> int:
    return int(head.split(b" ", 2)[1])


def decode_chunked(raw: bytes) -> list[bytes]:
    """Strict decoder of a chunked body; returns the chunks (without the final empty one)."""
    chunks = []
    pos = 0
    while True:
        eol = raw.index(b"\r\n", pos)
        size = int(raw[pos:eol], 16)
        pos = eol + 2
        if size == 0:
            if raw[pos:] != b"\r\n":
                raise ValueError(f"bad chunked trailer {raw[pos:]!r}")
            return chunks
        chunks.append(raw[pos:pos + size])
        if raw[pos + size:pos + size + 2] != b"\r\n":
            raise ValueError("chunk not followed by CRLF")
        pos += size + 2


def expanded(body: bytes, size: int) -> bytes:
    out = body + PADDING_LINE * (size // len(PADDING_LINE) + 1)
    return out[:size]


def q(data: bytes) -> str:
    return urllib.parse.quote_from_bytes(data, safe="")


SERVER: Publisher


def setUpModule() -> None:
    global SERVER
    SERVER = Publisher()


def tearDownModule() -> None:
    SERVER.stop()


class StartupAndBindingTests(unittest.TestCase):
    def test_first_stdout_line_names_the_base_address_and_port_file_holds_the_port(self):
        self.assertEqual(SERVER.first_line, f"publisher: http://127.0.0.1:{SERVER.port}/")
        self.assertGreater(SERVER.port, 0)

    def test_listens_on_127_0_0_1_only(self):
        # Every address of 127/8 reaches this machine; a server bound to 0.0.0.0 would answer.
        with self.assertRaises(ConnectionRefusedError):
            socket.create_connection(("127.0.0.2", SERVER.port), timeout=IO_TIMEOUT).close()
        listeners = []
        for table in ("/proc/net/tcp", "/proc/net/tcp6"):
            if not os.path.exists(table):
                continue
            for line in Path(table).read_text().splitlines()[1:]:
                fields = line.split()
                addr, port = fields[1].rsplit(":", 1)
                if int(port, 16) == SERVER.port and fields[3] == "0A":  # LISTEN
                    listeners.append(addr)
        if not listeners:
            self.skipTest("no /proc/net/tcp to inspect")
        self.assertEqual(listeners, ["0100007F"])

    def test_busy_port_is_reported_and_exits_with_failure(self):
        proc = subprocess.run([sys.executable, str(PUBLISHER), "--port", str(SERVER.port)],
                              capture_output=True, text=True, timeout=IO_TIMEOUT)
        self.assertEqual(proc.returncode, 1)
        self.assertIn("cannot listen", proc.stderr)

    def test_invalid_option_values_are_refused(self):
        for args in (["--update-size", "-1"], ["--update-mode", "bogus"],
                     ["--update-body-b64", "!!notbase64"], ["--update-mode", "status"]):
            proc = subprocess.run([sys.executable, str(PUBLISHER), "--port", "0", *args],
                                  capture_output=True, text=True, timeout=IO_TIMEOUT)
            self.assertEqual(proc.returncode, 2, args)
            self.assertEqual(proc.stdout, "", args)

    def test_help_documents_every_mode(self):
        proc = subprocess.run([sys.executable, str(PUBLISHER), "--help"],
                              capture_output=True, text=True, timeout=IO_TIMEOUT)
        self.assertEqual(proc.returncode, 0)
        for mode in ("ok", "404", "status", "zero", "chunked", "eof", "slow", "large", "cut",
                     "redirect"):
            self.assertIn(f"mode={mode}", proc.stdout)

    def test_requests_are_served_while_a_slow_transfer_is_in_progress(self):
        with socket.create_connection(("127.0.0.1", SERVER.port), timeout=IO_TIMEOUT) as slow:
            slow.sendall(b"GET /_test/download?mode=slow&chunk=1&delay=30 HTTP/1.1\r\n"
                         b"Host: x\r\n\r\n")
            received = b""
            while b"\r\n\r\n" not in received:
                piece = slow.recv(4096)
                self.assertTrue(piece, "slow transfer closed early")
                received += piece
            resp, body = SERVER.get("/gamehome/mirab/update.txt")
            self.assertEqual((resp.status, body), (200, DEFAULT_UPDATE))


class UpdateFileTests(unittest.TestCase):
    PATH = "/gamehome/mirab/update.txt"

    def tearDown(self):
        resp, _ = SERVER.get("/_control/reset")
        self.assertEqual(resp.status, 200)

    def test_default_is_version_line_with_crlf_and_content_length(self):
        head, body = SERVER.raw(self.PATH)
        self.assertEqual(status_of(head), 200)
        self.assertEqual(body, b"version=1.1.0\r\n")
        self.assertEqual(header(head, "Content-Length"), "15")
        self.assertIsNone(header(head, "Transfer-Encoding"))

    def test_control_sets_body_for_subsequent_requests_and_reset_restores(self):
        resp, _ = SERVER.get("/_control/update?body=" + q(b"version=1.0.9\r\n"))
        self.assertEqual(resp.status, 200)
        for _ in range(2):
            self.assertEqual(SERVER.get(self.PATH)[1], b"version=1.0.9\r\n")
        SERVER.get("/_control/reset")
        self.assertEqual(SERVER.get(self.PATH)[1], DEFAULT_UPDATE)

    def test_lf_only_and_versionless_bodies_are_sent_byte_for_byte(self):
        for body in (b"version=1.1.0\n", b"name=mirab\r\nbuild=7\r\n",
                     b"\x00\xff version=1.1.0\r\n", b"  version=1.1.0\r"):
            SERVER.get("/_control/update?body=" + q(body))
            resp, got = SERVER.get(self.PATH)
            self.assertEqual(got, body)
            self.assertEqual(resp.getheader("Content-Length"), str(len(body)))

    def test_b64_body_with_plus_and_slash(self):
        body = bytes(range(256))
        encoded = base64.b64encode(body).decode()
        self.assertIn("+", encoded)
        # Posted form-encoded, and also with a raw "+" in the query (read as a space).
        SERVER.request("/_control/update", method="POST",
                       body=urllib.parse.urlencode({"b64": encoded}).encode(),
                       headers={"Content-Type": "application/x-www-form-urlencoded"})
        self.assertEqual(SERVER.get(self.PATH)[1], body)
        SERVER.get("/_control/reset")
        SERVER.get("/_control/update?b64=" + encoded)
        self.assertEqual(SERVER.get(self.PATH)[1], body)

    def test_control_404(self):
        SERVER.get("/_control/update?mode=404")
        resp, _ = SERVER.get(self.PATH)
        self.assertEqual(resp.status, 404)

    def test_control_chunked_has_no_content_length(self):
        SERVER.get("/_control/update?mode=chunked")
        head, raw = SERVER.raw(self.PATH)
        self.assertIsNone(header(head, "Content-Length"))
        self.assertEqual(header(head, "Transfer-Encoding"), "chunked")
        self.assertEqual(b"".join(decode_chunked(raw)), DEFAULT_UPDATE)

    def test_control_state_reports_the_setting(self):
        SERVER.get("/_control/update?mode=cut&size=100&cut=10")
        state = json.loads(SERVER.get("/_control/state")[1])
        self.assertEqual(state["update"]["mode"], "cut")
        self.assertEqual(state["update"]["length"], 100)

    def test_bad_control_request_is_refused_and_leaves_setting_unchanged(self):
        SERVER.get("/_control/update?mode=404")
        for query in ("mode=nonsense", "size=abc", "size=-5", "b64=%25%25", "delay=x",
                      "mode=status"):
            resp, _ = SERVER.get("/_control/update?" + query)
            self.assertEqual(resp.status, 400, query)
        self.assertEqual(SERVER.get(self.PATH)[0].status, 404)


class DownloadModeTests(unittest.TestCase):
    """The stateless /_test/download endpoint, one mode at a time."""

    def test_ok_default_body(self):
        head, body = SERVER.raw("/_test/download")
        self.assertEqual((status_of(head), body), (200, DEFAULT_UPDATE))
        self.assertEqual(header(head, "Content-Length"), str(len(DEFAULT_UPDATE)))

    def test_404_and_other_status(self):
        self.assertEqual(SERVER.get("/_test/download?mode=404")[0].status, 404)
        self.assertEqual(SERVER.get("/_test/download?mode=status&code=500")[0].status, 500)
        self.assertEqual(SERVER.get("/_test/download?mode=status&code=403")[0].status, 403)

    def test_zero_announces_zero_length(self):
        head, body = SERVER.raw("/_test/download?mode=zero")
        self.assertEqual((status_of(head), header(head, "Content-Length"), body), (200, "0", b""))

    def test_chunked_is_framed_in_chunks_of_the_given_size(self):
        body = b"version=1.0.9\nmore text\n"
        head, raw = SERVER.raw(f"/_test/download?mode=chunked&chunk=5&body={q(body)}")
        self.assertIsNone(header(head, "Content-Length"))
        self.assertEqual(header(head, "Transfer-Encoding"), "chunked")
        chunks = decode_chunked(raw)
        self.assertEqual(b"".join(chunks), body)
        self.assertEqual([len(c) for c in chunks], [5, 5, 5, 5, 4])
        # A client that decodes chunked reads the same bytes.
        resp, got = SERVER.get(f"/_test/download?mode=chunked&body={q(body)}")
        self.assertEqual(got, body)
        self.assertIsNone(resp.getheader("Content-Length"))

    def test_eof_has_no_length_and_ends_at_close(self):
        head, body = SERVER.raw("/_test/download?mode=eof&size=5000", close=False)
        self.assertIsNone(header(head, "Content-Length"))
        self.assertIsNone(header(head, "Transfer-Encoding"))
        self.assertEqual(body, expanded(DEFAULT_UPDATE, 5000))

    def test_slow_sends_the_whole_body_with_its_length(self):
        body = b"version=1.2.3\r\n"
        head, got = SERVER.raw(f"/_test/download?mode=slow&chunk=4&delay=0.01&body={q(body)}")
        self.assertEqual(header(head, "Content-Length"), str(len(body)))
        self.assertEqual(got, body)

    def test_large_body_has_exact_size_and_content(self):
        size = 1_000_003  # crosses the server's internal piece boundaries unevenly
        resp, got = SERVER.get(f"/_test/download?mode=large&size={size}")
        self.assertEqual(resp.getheader("Content-Length"), str(size))
        self.assertEqual(len(got), size)
        self.assertEqual(got, expanded(DEFAULT_UPDATE, size))
        resp, got = SERVER.get("/_test/download?mode=large")
        self.assertEqual(len(got), 1 << 20)

    def test_size_truncates_a_longer_body(self):
        self.assertEqual(SERVER.get("/_test/download?size=7")[1], b"version")

    def test_cut_announces_more_than_it_sends_and_closes(self):
        head, body = SERVER.raw("/_test/download?mode=cut&size=100000&cut=30000", close=False)
        self.assertEqual(header(head, "Content-Length"), "100000")
        self.assertEqual(body, expanded(DEFAULT_UPDATE, 30000))
        head, body = SERVER.raw("/_test/download?mode=cut", close=False)
        self.assertEqual(header(head, "Content-Length"), "15")
        self.assertEqual(body, DEFAULT_UPDATE[:7])
        with self.assertRaises(http.client.IncompleteRead):
            SERVER.get("/_test/download?mode=cut&size=5000")

    def test_announce_sends_its_length_text_and_ends_the_body_by_closing(self):
        head, body = SERVER.raw("/_test/download?size=5000&announce=99999999999999999999999",
                                close=False)
        self.assertEqual(header(head, "Content-Length"), "99999999999999999999999")
        self.assertEqual(body, expanded(DEFAULT_UPDATE, 5000))
        for bad in ("-5", "1e9", "12 34", "9" * 65):
            self.assertEqual(SERVER.get(f"/_test/download?announce={q(bad.encode())}")[0].status,
                             400, bad)

    def test_reset_sends_part_then_resets(self):
        with self.assertRaises((http.client.IncompleteRead, ConnectionResetError)):
            SERVER.get("/_test/download?mode=reset&size=200000&cut=1000")

    def test_silent_never_answers_and_stall_stops_after_its_part(self):
        start = time.monotonic()
        head, body = SERVER.raw("/_test/download?mode=silent&hold=0.5")
        self.assertEqual((head, body), (b"", b""))
        self.assertGreaterEqual(time.monotonic() - start, 0.5)
        head, body = SERVER.raw("/_test/download?mode=stall&size=1000&cut=100&hold=0.5")
        self.assertEqual(header(head, "Content-Length"), "1000")
        self.assertEqual(body, expanded(DEFAULT_UPDATE, 100))

    def test_redirect_leads_to_the_same_body(self):
        body = b"version=9.9.9\r\n"
        head, _ = SERVER.raw(f"/_test/download?mode=redirect&body={q(body)}")
        self.assertEqual(status_of(head), 302)
        location = urllib.parse.urlsplit(header(head, "Location"))
        self.assertEqual(location.netloc, f"127.0.0.1:{SERVER.port}")
        resp, got = SERVER.get(f"{location.path}?{location.query}")
        self.assertEqual((resp.status, got), (200, body))

    def test_bad_parameters_give_400(self):
        for query in ("mode=warp", "chunk=0", "size=x", "code=42&mode=status", "delay=-1"):
            self.assertEqual(SERVER.get("/_test/download?" + query)[0].status, 400, query)

    def test_keep_alive_connection_serves_several_transfers(self):
        conn = http.client.HTTPConnection("127.0.0.1", SERVER.port, timeout=IO_TIMEOUT)
        try:
            for query, expect in (("", DEFAULT_UPDATE), ("mode=chunked", DEFAULT_UPDATE),
                                  ("mode=404", None), ("size=3", b"ver")):
                conn.request("GET", "/_test/download?" + query)
                resp = conn.getresponse()
                got = resp.read()
                if expect is not None:
                    self.assertEqual(got, expect, query)
        finally:
            conn.close()


class CommandLineSettingsTests(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.body = b"version=2.0.0\nline two\n"
        cls.server = Publisher("--update-mode", "chunked", "--update-chunk", "3",
                               "--update-body-b64", base64.b64encode(cls.body).decode(),
                               "--empty-login")

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()

    def test_update_options_and_empty_login_apply_and_survive_reset(self):
        for _ in range(2):
            head, raw = self.server.raw("/gamehome/mirab/update.txt")
            self.assertIsNone(header(head, "Content-Length"))
            chunks = decode_chunked(raw)
            self.assertEqual(b"".join(chunks), self.body)
            self.assertEqual(len(chunks[0]), 3)
            head, body = self.server.raw("/yy/mirab/microend")
            self.assertEqual((status_of(head), header(head, "Content-Length"), body),
                             (200, "0", b""))
            # Reset goes back to the command line's settings, not to the built-in ones.
            self.server.get("/_control/update?mode=404")
            self.server.get("/_control/login?empty=0")
            self.assertEqual(self.server.get("/gamehome/mirab/update.txt")[0].status, 404)
            self.assertIn(b"app://exitgame", self.server.get("/yy/mirab/microend")[1])
            self.server.get("/_control/reset")

    def test_percent_encoded_body_option(self):
        server = Publisher("--update-body", "version%3D1.0.9%0D%0A", "--update-mode", "cut",
                           "--update-cut", "4")
        try:
            head, body = server.raw("/gamehome/mirab/update.txt", close=False)
            self.assertEqual(header(head, "Content-Length"), "15")
            self.assertEqual(body, b"vers")
        finally:
            server.stop()


class PageTests(unittest.TestCase):
    LOGIN = "/yy/mirab/microend"

    def tearDown(self):
        SERVER.get("/_control/reset")

    def page(self, path: str, host: Optional[str] = None) -> str:
        head, body = SERVER.raw(path, host=host)
        self.assertEqual(status_of(head), 200, path)
        self.assertEqual(header(head, "Content-Type"), "text/html; charset=utf-8")
        self.assertEqual(header(head, "Content-Length"), str(len(body)))
        return body.decode("utf-8")

    def test_login_page_carries_the_three_commands_by_link_and_by_script(self):
        text = self.page(self.LOGIN)
        game1 = f"http://127.0.0.1:{SERVER.port}/game/mirab/play?account=demo1"
        game2 = f"http://127.0.0.1:{SERVER.port}/game/mirab/play?account=demo2"
        self.assertIn(f'href="app://loadgame|{game1}"', text)
        self.assertIn(f'href="app://loadgame|{game2}"', text)
        self.assertIn('href="app://minimize"', text)
        self.assertIn('href="app://exitgame"', text)
        script = text[text.index("<script"):]
        self.assertIn('window.location = "app://loadgame|" +', script)
        self.assertIn(f'"demo1": "{game1}"', script)
        self.assertIn('location.href = "app://minimize"', script)
        self.assertIn('window.location.href = "app://exitgame"', script)
        self.assertIn("Orvane", text)
        self.assertIn("帐号", text)
        self.assertIn("width:731px;height:369px", text)

    def test_addresses_follow_the_host_header_and_a_bad_host_is_not_echoed(self):
        text = self.page(self.LOGIN, host=f"localhost:{SERVER.port}")
        self.assertIn(f"app://loadgame|http://localhost:{SERVER.port}/game/mirab/play", text)
        text = self.page(self.LOGIN, host='evil"><script>alert(1)</script>')
        self.assertNotIn("evil", text)
        self.assertIn(f"app://loadgame|http://127.0.0.1:{SERVER.port}/game/mirab/play", text)

    def test_empty_switch_gives_zero_byte_body_and_back(self):
        resp, _ = SERVER.get("/_control/login?empty=1")
        self.assertEqual(resp.status, 200)
        head, body = SERVER.raw(self.LOGIN)
        self.assertEqual((status_of(head), header(head, "Content-Length"), body), (200, "0", b""))
        SERVER.get("/_control/login?empty=0")
        self.assertIn("app://loadgame|", self.page(self.LOGIN))
        self.assertEqual(SERVER.get("/_control/login?empty=yes")[0].status, 400)

    def test_delay_switch_holds_the_page_without_changing_it(self):
        SERVER.get("/_control/login?empty=1")
        resp, body = SERVER.get("/_control/login?delay=0.2")
        self.assertEqual(resp.status, 200)
        state = json.loads(body)
        self.assertEqual((state["login_delay"], state["login_empty"]), (0.2, True))
        SERVER.get("/_control/login?empty=0")
        self.assertIn("app://loadgame|", self.page(self.LOGIN))
        for bad in ("61", "-1", "soon"):
            self.assertEqual(SERVER.get(f"/_control/login?delay={bad}")[0].status, 400, bad)
        SERVER.get("/_control/reset")
        self.assertEqual(json.loads(SERVER.get("/_control/state")[1])["login_delay"], 0.0)

    def test_game_page_has_the_features_the_client_handles(self):
        text = self.page("/game/mirab/play?account=demo1")
        self.assertIn('target="_blank"', text)
        self.assertIn("window.open(", text)
        self.assertRegex(text, r'<iframe[^>]+src="http://127\.0\.0\.1:\d+/game/mirab/chat\?')
        self.assertIn(f'href="http://127.0.0.1:{SERVER.port}/game/mirab/map?account=demo1"', text)
        self.assertIn("document.title = baseTitle", text)
        self.assertIn("setInterval(tick", text)
        self.assertIn("<canvas", text)
        self.assertIn("风之旅人", text)
        self.assertGreaterEqual(text.count("<tr>"), 50)  # tall enough to scroll
        self.assertIn("月影法师", self.page("/game/mirab/play?account=demo2"))

    def test_every_same_host_address_on_every_page_is_served(self):
        base = f"http://127.0.0.1:{SERVER.port}"
        pages = ["/", "/zt/mirab/", self.LOGIN, "/game/mirab/play?account=demo1",
                 "/game/mirab/map?account=demo2", "/game/mirab/chat?account=demo1"]
        seen = set()
        for path in pages:
            text = self.page(path)
            found = re.findall(r'(?:href|src)="([^"]+)"|"(http://[^"]+)"', text)
            for attr, literal in found:
                address = (attr or literal).replace("&amp;", "&")
                if address.startswith("app://loadgame|"):
                    address = address.split("|", 2)[1]
                if not address.startswith(base):
                    continue
                address = address[len(base):].split("#")[0]
                seen.add(address)
        self.assertIn("/game/mirab/play?account=demo1", seen)
        self.assertIn("/game/mirab/play?account=demo2", seen)
        for address in sorted(seen):
            self.assertEqual(SERVER.get(address)[0].status, 200, address)

    def test_every_demo_page_asks_for_the_newest_document_mode(self):
        # The Windows browser control honours the declaration only ahead of everything
        # but other meta elements and the title.
        declaration = '<meta http-equiv="X-UA-Compatible" content="IE=edge">'
        for path in ["/", "/zt/mirab/", self.LOGIN, "/game/mirab/play?account=demo1",
                     "/game/mirab/map?account=demo2", "/game/mirab/chat?account=demo1"]:
            text = self.page(path)
            head = text[:text.index("</head>")]
            self.assertIn(declaration, head, path)
            before = head[:head.index(declaration)]
            self.assertIsNone(re.search(r"<(?!meta\b|head\b|html\b|!DOCTYPE)[a-z]", before), path)

    def test_unknown_paths_and_accounts_give_404(self):
        for path in ("/nope", "/gamehome/mirab/update.txt/x", "/zt/mirab", "/yy/mirab/microend/",
                     "/game/mirab/play", "/game/mirab/play?account=", "/game/mirab/play?account=a%22b",
                     "/_control/", "/favicon.ico"):
            self.assertEqual(SERVER.get(path)[0].status, 404, path)
        resp, _ = SERVER.request("/yy/mirab/microend", method="POST", body=b"x=1")
        self.assertEqual(resp.status, 404)

    def test_query_string_does_not_change_the_route(self):
        resp, body = SERVER.get("/gamehome/mirab/update.txt?t=123")
        self.assertEqual((resp.status, body), (200, DEFAULT_UPDATE))


class BenchSwitchTests(unittest.TestCase):
    LOGIN = "/yy/mirab/microend"

    def tearDown(self):
        SERVER.get("/_control/reset")

    def test_beacon_script_goes_into_every_page_only_while_switched_on(self):
        self.assertNotIn(b"/_bench/beacon", SERVER.get(self.LOGIN)[1])
        self.assertEqual(SERVER.get("/_control/bench?beacon=1")[0].status, 200)
        for path in (self.LOGIN, "/game/mirab/play?account=demo1", "/_test/page?title=x"):
            resp, body = SERVER.get(path)
            self.assertEqual(resp.getheader("Content-Length"), str(len(body)), path)
            text = body.decode("utf-8")
            self.assertEqual(text.count("/_bench/beacon?page="), 1, path)
            self.assertLess(text.index("/_bench/beacon"), text.index("</body>"), path)
        SERVER.get("/_control/bench?beacon=0")
        self.assertNotIn(b"/_bench/beacon", SERVER.get("/game/mirab/play?account=demo1")[1])

    def test_beacons_are_noted_in_order_with_the_monotonic_clock_and_cleared_on_request(self):
        SERVER.get("/_bench/beacons?clear=1")
        before = time.monotonic_ns()
        SERVER.get("/_bench/beacon?page=%2Fyy%2Fmirab%2Fmicroend&t=1")
        SERVER.get("/_bench/beacon?page=%2Fgame%2Fmirab%2Fplay%3Faccount%3Ddemo1")
        after = time.monotonic_ns()
        noted = json.loads(SERVER.get("/_bench/beacons")[1])
        self.assertEqual([b["page"] for b in noted],
                         ["/yy/mirab/microend", "/game/mirab/play?account=demo1"])
        self.assertTrue(before <= noted[0]["monotonic_ns"] <= noted[1]["monotonic_ns"] <= after)
        self.assertEqual(len(json.loads(SERVER.get("/_bench/beacons?clear=1")[1])), 2)
        self.assertEqual(json.loads(SERVER.get("/_bench/beacons")[1]), [])

    def test_enter_makes_demo1s_game_command_lead_to_the_given_page(self):
        SERVER.get("/_control/bench?enter=%2F_test%2Fpage%3Ftitle%3Dstatic")
        text = SERVER.get(self.LOGIN)[1].decode("utf-8")
        static = f"http://127.0.0.1:{SERVER.port}/_test/page?title=static"
        self.assertIn(f'id="enter-demo1" href="app://loadgame|{static}"', text)
        self.assertIn(f'"demo1": "{static}"', text)
        self.assertIn(f"app://loadgame|http://127.0.0.1:{SERVER.port}/game/mirab/play?account=demo2",
                      text)
        self.assertEqual(json.loads(SERVER.get("/_control/state")[1])["bench_enter"],
                         "/_test/page?title=static")
        SERVER.get("/_control/bench?enter=")
        self.assertNotIn("static", SERVER.get(self.LOGIN)[1].decode("utf-8"))
        for bad in ("enter=http%3A%2F%2Felsewhere%2F", "beacon=yes"):
            self.assertEqual(SERVER.get(f"/_control/bench?{bad}")[0].status, 400, bad)


class ReleaseTests(unittest.TestCase):
    """The signed release manifest and the files it names, checked with the openssl tool."""

    MANIFEST = "/gamehome/mirab/release.txt"
    LINUX = "/gamehome/mirab/release/linux-x86_64/orvane"
    PUBLIC_KEY = ROOT / "tools" / "release-key-DEVELOPMENT-ONLY" / "development-public-key.pem"

    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.client = Path(self.tmp.name) / "orvane"
        self.client.write_bytes(b"new client " * 1000)

    def tearDown(self):
        SERVER.get("/_control/reset")
        self.tmp.cleanup()

    def publish(self, query: str) -> None:
        resp, body = SERVER.get("/_control/release?" + query)
        self.assertEqual(resp.status, 200, body)

    def manifest(self) -> dict:
        resp, body = SERVER.get(self.MANIFEST)
        self.assertEqual(resp.status, 200)
        signed, _, last = body.rpartition(b"signature=")
        fields = dict(line.split("=", 1) for line in signed.decode().splitlines())
        fields["_signed"] = signed
        fields["_signature"] = base64.b64decode(last.strip())
        return fields

    def verifies(self, signed: bytes, raw: bytes) -> bool:
        """openssl's own verdict on raw r and s, turned back into DER."""
        def integer(value: bytes) -> bytes:
            value = value.lstrip(b"\0") or b"\0"
            if value[0] & 0x80:
                value = b"\0" + value
            return b"\x02" + bytes([len(value)]) + value
        der = integer(raw[:32]) + integer(raw[32:])
        der = b"\x30" + bytes([len(der)]) + der
        sig = Path(self.tmp.name) / "sig.der"
        sig.write_bytes(der)
        data = Path(self.tmp.name) / "signed"
        data.write_bytes(signed)
        done = subprocess.run(["openssl", "dgst", "-sha256", "-verify", str(self.PUBLIC_KEY),
                               "-signature", str(sig), str(data)], capture_output=True)
        return done.returncode == 0

    def test_nothing_is_published_at_first(self):
        self.assertEqual(SERVER.get(self.MANIFEST)[0].status, 404)
        self.assertEqual(SERVER.get(self.LINUX)[0].status, 404)

    def test_published_release_is_signed_and_names_the_file_exactly(self):
        self.publish(f"version=1.2.0&linux={self.client}")
        m = self.manifest()
        self.assertEqual(m["version"], "1.2.0")
        self.assertEqual(m["linux-x86_64.path"], self.LINUX)
        data = self.client.read_bytes()
        self.assertEqual(int(m["linux-x86_64.size"]), len(data))
        self.assertEqual(m["linux-x86_64.sha256"], hashlib.sha256(data).hexdigest())
        self.assertEqual(len(m["_signature"]), 64)
        self.assertTrue(self.verifies(m["_signed"], m["_signature"]))
        resp, body = SERVER.get(self.LINUX)
        self.assertEqual((resp.status, body), (200, data))

    def test_faults(self):
        self.publish(f"version=1.2.0&linux={self.client}")
        data = self.client.read_bytes()
        self.publish("fault=bad-signature")
        m = self.manifest()
        self.assertFalse(self.verifies(m["_signed"], m["_signature"]))
        self.publish("fault=wrong-hash")
        m = self.manifest()
        self.assertTrue(self.verifies(m["_signed"], m["_signature"]))
        self.assertNotEqual(m["linux-x86_64.sha256"], hashlib.sha256(data).hexdigest())
        self.publish("fault=wrong-size")
        self.assertEqual(int(self.manifest()["linux-x86_64.size"]), len(data) + 1)
        self.publish("fault=404")
        self.assertEqual(SERVER.get(self.LINUX)[0].status, 404)
        self.publish("fault=truncated")
        head, body = SERVER.raw(self.LINUX)
        self.assertIn(f"Content-Length: {len(data)}".encode(), head)
        self.assertLess(len(body), len(data))
        self.publish("fault=slow&chunk=5000&delay=0")
        self.assertEqual(SERVER.get(self.LINUX)[1], data)

    def test_unknown_fault_and_missing_file_are_refused(self):
        self.assertEqual(SERVER.get("/_control/release?fault=melt")[0].status, 400)
        self.assertEqual(SERVER.get("/_control/release?linux=/nonexistent/file")[0].status, 400)

    def test_a_held_manifest_is_sent_once_let_go(self):
        self.publish(f"version=1.2.0&linux={self.client}&hold=1")
        got: list = []
        done = threading.Event()

        def fetch() -> None:
            got.append(SERVER.get(self.MANIFEST))
            done.set()

        fetcher = threading.Thread(target=fetch)
        fetcher.start()
        held = not done.wait(0.5)
        self.publish("hold=0")
        fetcher.join(IO_TIMEOUT)
        self.assertTrue(held, "the manifest was sent while held")
        self.assertEqual(got[0][0].status, 200)
        self.assertEqual(SERVER.get("/_control/release?hold=2")[0].status, 400)

    def test_wine_paths_name_the_same_file(self):
        wine = "Z:" + str(self.client).replace("/", "\\")
        self.publish(f"version=1.2.0&win32={urllib.parse.quote(wine)}")
        self.assertEqual(self.manifest()["win32.sha256"],
                         hashlib.sha256(self.client.read_bytes()).hexdigest())


class BrowserTestPageTests(unittest.TestCase):
    """The pages the embedded-browser tests drive."""

    def test_test_page_has_every_navigation_the_browser_meets(self):
        resp, body = SERVER.get("/_test/page?title=a%20b&frame=1")
        text = body.decode("utf-8")
        self.assertEqual(resp.status, 200)
        self.assertIn("<title>a b</title>", text)
        self.assertIn('href="app://minimize"', text)
        self.assertIn(f'href="http://127.0.0.1:{SERVER.port}/_test/page?title=second"', text)
        self.assertRegex(text, r'<a id="blank" href="[^"]+title=blank" target="_blank">')
        self.assertIn('window.open("http://127.0.0.1:', text)
        self.assertRegex(text, r'<iframe id="frame" src="[^"]+/_test/counted\?key=frame-a%20b"')
        self.assertNotIn("<iframe", SERVER.get("/_test/page")[1].decode("utf-8"))
        resp, body = SERVER.get("/_test/page?empty=1")
        self.assertEqual((resp.status, resp.getheader("Content-Length"), body), (200, "0", b""))

    def test_counted_page_counts_each_key_apart(self):
        titles = [re.search(r"<title>(.*)</title>", SERVER.get(f"/_test/counted?key={k}")[1]
                            .decode("utf-8")).group(1) for k in ("x", "x", "y", "x")]
        self.assertEqual(titles, ["x 1", "x 2", "y 1", "x 3"])

    def test_cookie_is_set_for_a_day_and_read_back(self):
        resp, _ = SERVER.get("/_test/cookie?set=v1%3Cb%3E")
        self.assertEqual(resp.getheader("Set-Cookie"), "orvane_test=v1b; Max-Age=86400; Path=/")
        _, body = SERVER.get("/_test/cookie", headers={"Cookie": "a=1; orvane_test=v1b"})
        self.assertIn("<title>cookie=v1b</title>", body.decode("utf-8"))
        self.assertIn("<title>cookie=</title>", SERVER.get("/_test/cookie")[1].decode("utf-8"))


class CacheTestRoutes(unittest.TestCase):
    def test_the_cacheable_resource_counts_its_requests_and_the_cookie(self):
        _, before = SERVER.get("/_test/cache/count")
        start = json.loads(before)
        resp, body = SERVER.get("/_test/cache/counted.js")
        self.assertEqual(resp.status, 200)
        self.assertIn("max-age=86400", resp.getheader("Cache-Control"))
        self.assertIn(b"window.cacheCounted", body)
        resp, _ = SERVER.get("/_test/cache/cookie")
        cookie = resp.getheader("Set-Cookie").split(";")[0]
        self.assertEqual(cookie, "orvane_cache=kept")
        SERVER.get("/_test/cache/counted.js", headers={"Cookie": cookie})
        _, after = SERVER.get("/_test/cache/count")
        self.assertEqual(json.loads(after), {"requests": start["requests"] + 2,
                                             "with_cookie": start["with_cookie"] + 1})
        resp, page = SERVER.get("/_test/cache/page?visit=1")
        self.assertIn(b'src="/_test/cache/counted.js"', page)

    def test_the_lobby_script_is_cacheable_and_its_requests_are_counted(self):
        _, before = SERVER.get("/_test/game-resources")
        start = json.loads(before)["requests"]
        _, page = SERVER.get("/game/mirab/play?account=demo1")
        self.assertIn(b"/game/mirab/res/lobby.js\"></script>", page)
        resp, body = SERVER.get("/game/mirab/res/lobby.js")
        self.assertEqual(resp.status, 200)
        self.assertIn("max-age=86400", resp.getheader("Cache-Control"))
        self.assertIn(b"lobbyResource", body)
        SERVER.get("/game/mirab/res/lobby.js")
        _, after = SERVER.get("/_test/game-resources")
        self.assertEqual(json.loads(after), {"requests": start + 2})
        _, counted = SERVER.get("/_test/game-resources?account=lobbycount")
        self.assertEqual(json.loads(counted)["lobby_loads"], 0)
        SERVER.get("/game/mirab/play?account=lobbycount")
        _, counted = SERVER.get("/_test/game-resources?account=lobbycount")
        self.assertEqual(json.loads(counted)["lobby_loads"], 1)


if __name__ == "__main__":
    unittest.main()
