#!/usr/bin/env python3
"""Orvane's benchmark: start-up time, memory, size, drawing, idle cost and download speed
of the release build, each beside a comparison measured in the same run.

    tools/bench [--quick] [--runs N] [--no-build] [--no-chromium] [--only IDS]
    tools/bench --fuzz [--fuzz-runs N] [--fuzz-jobs N] [--fuzz-only TARGETS]

Every measure runs N times (5 by default, 1 with --quick); the results are written to
bench/results.md and bench/results.json (median, min, max and the ratio to the comparison).
--fuzz runs each libFuzzer target for 10^7 executions instead (split over one run per
processor, side by side on the target's corpus) and adds the counts to the same files.
Standard library only; Linux.
"""

from __future__ import annotations

import argparse
import datetime
import json
import os
import platform
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time
import urllib.request
from pathlib import Path
from typing import Callable, Optional

ROOT = Path(__file__).resolve().parents[2]
RELEASE = ROOT / "build" / "linux-release"
WIN32_RELEASE = ROOT / "build" / "win32-release"
CLIENT = RELEASE / "orvane"
MINIMAL = RELEASE / "bench" / "minimal_webkit"
TAB_BENCH = RELEASE / "bench" / "tab_strip_bench"
DOWNLOAD_BENCH = RELEASE / "bench" / "download_bench"
OUT = ROOT / "bench"

LOGIN_PATH = "/yy/mirab/microend"
LOGIN_SIZE = (731, 369)  # the login page's own size, as the login screen frames it
LOGIN_SCREEN = (1191, 700)
# demo1's "进入游戏" on the login screen: the page's frame at (389, 152), the link inside it.
ENTER_DEMO1 = (389 + 568, 152 + 278)
SCREEN = (1280, 1024)
SIZE_LIMIT = 1_500_000  # bytes: "1.5 MB", read strictly as decimal megabytes
DOWNLOAD_SIZE = 100 * 1024 * 1024
FUZZ_RUNS = 10_000_000
PACKAGES = ["chromium", "xvfb", "xdotool", "x11-utils", "curl", "binutils", "dbus-daemon",
            "libbenchmark-dev", "libwebkit2gtk-4.1-dev", "binutils-mingw-w64-i686"]


def say(text: str) -> None:
    print(f"bench: {text}", flush=True)


class NotMeasured(Exception):
    """A measure that cannot run in this build or on this machine; the text says why."""


# ---------------------------------------------------------------------------
# Processes and /proc
# ---------------------------------------------------------------------------

def now_ns() -> int:
    # CLOCK_MONOTONIC: the clock of the client's trace (steady_clock) and of the publisher.
    return time.monotonic_ns()


def read(path: str) -> str:
    try:
        with open(path, encoding="utf-8", errors="replace") as f:
            return f.read()
    except OSError:
        return ""


def all_pids() -> list[int]:
    return [int(p) for p in os.listdir("/proc") if p.isdigit()]


def parent_of(pid: int) -> Optional[int]:
    stat = read(f"/proc/{pid}/stat")
    if not stat:
        return None
    return int(stat[stat.rindex(")") + 2:].split()[1])


def tagged(pid: int, tag: str) -> bool:
    try:
        with open(f"/proc/{pid}/environ", "rb") as f:
            return f"BENCH_TAG={tag}".encode() in f.read().split(b"\0")
    except OSError:
        return False


def family(root: int, tag: str) -> list[int]:
    """The process and every descendant, and whatever else carries the run's tag (a helper
    that left the tree, such as a crash handler)."""
    pids = all_pids()
    children: dict[int, list[int]] = {}
    for pid in pids:
        ppid = parent_of(pid)
        if ppid is not None:
            children.setdefault(ppid, []).append(pid)
    found, todo = set(), [root]
    while todo:
        pid = todo.pop()
        if pid in found:
            continue
        found.add(pid)
        todo.extend(children.get(pid, []))
    found.update(p for p in pids if p not in found and tagged(p, tag))
    return sorted(p for p in found if os.path.exists(f"/proc/{p}"))


def pss_kb(pid: int) -> int:
    m = re.search(r"^Pss:\s+(\d+) kB", read(f"/proc/{pid}/smaps_rollup"), re.M)
    return int(m.group(1)) if m else 0


def comm(pid: int) -> str:
    return read(f"/proc/{pid}/comm").strip()


def memory(root: int, tag: str) -> dict:
    pids = family(root, tag)
    per = {}
    for pid in pids:
        per[f"{pid} {comm(pid)}"] = pss_kb(pid)
    return {"total_kb": sum(per.values()), "client_kb": pss_kb(root), "processes": per}


def cpu_ticks(pid: int) -> int:
    stat = read(f"/proc/{pid}/stat")
    if not stat:
        return 0
    fields = stat[stat.rindex(")") + 2:].split()
    return int(fields[11]) + int(fields[12])  # utime + stime


def family_cpu_ms(program: "Program") -> float:
    """CPU time (user and system) used so far by the program's processes."""
    ticks = sum(cpu_ticks(p) for p in family(program.pid, program.tag))
    return ticks * 1000 / os.sysconf("SC_CLK_TCK")


def thread_switches(pid: int) -> dict[str, int]:
    out: dict[str, int] = {}
    try:
        tids = os.listdir(f"/proc/{pid}/task")
    except OSError:
        return out
    for tid in tids:
        status = read(f"/proc/{pid}/task/{tid}/status")
        n = sum(int(v) for v in re.findall(r"^(?:non)?voluntary_ctxt_switches:\s+(\d+)", status, re.M))
        out[f"{tid} {read(f'/proc/{pid}/task/{tid}/comm').strip()}"] = n
    return out


class Program:
    """A program started by the bench with its own tag, folders and environment; ended with
    its whole family."""

    def __init__(self, name: str, argv: list[str], env: dict[str, str], home: Path) -> None:
        self.name = name
        self.tag = f"{name}-{os.getpid()}-{now_ns()}"
        self.home = home
        env = dict(env, BENCH_TAG=self.tag)
        self.log = open(home / f"{name}.log", "wb")
        self.started_ns = now_ns()
        self.proc = subprocess.Popen(argv, env=env, stdout=self.log, stderr=subprocess.STDOUT,
                                     start_new_session=True)

    @property
    def pid(self) -> int:
        return self.proc.pid

    def running(self) -> bool:
        return self.proc.poll() is None

    def stop(self) -> None:
        pids = set(family(self.pid, self.tag)) | {p for p in all_pids() if tagged(p, self.tag)}
        for sig in (signal.SIGTERM, signal.SIGKILL):
            for pid in pids:
                try:
                    os.kill(pid, sig)
                except OSError:
                    pass
            self.proc.poll()
            deadline = time.monotonic() + 3
            while time.monotonic() < deadline and any(alive(p) for p in pids if p != self.pid):
                time.sleep(0.05)
            try:
                self.proc.wait(timeout=max(0.1, deadline - time.monotonic()))
                if not any(alive(p) for p in pids):
                    break
            except subprocess.TimeoutExpired:
                pass
        self.log.close()


def alive(pid: int) -> bool:
    """Running, not a zombie waiting for its parent."""
    stat = read(f"/proc/{pid}/stat")
    return bool(stat) and stat[stat.rindex(")") + 2:][:1] not in ("Z", "X")


def wait_for(what: str, done: Callable[[], object], seconds: float,
             alive: Optional[Program] = None) -> object:
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = done()
        if value:
            return value
        if alive is not None and not alive.running():
            raise NotMeasured(f"{alive.name} ended (status {alive.proc.returncode}) before {what}")
        time.sleep(0.02)
    raise NotMeasured(f"no {what} within {seconds:.0f} s")


def trace_points(path: Path) -> dict[str, int]:
    points: dict[str, int] = {}
    for line in read(str(path)).splitlines():
        parts = line.split()
        if len(parts) >= 2 and parts[-1].isdigit():
            points.setdefault(" ".join(parts[:-1]), int(parts[-1]))
    return points


# ---------------------------------------------------------------------------
# The environment: display, session bus, publisher
# ---------------------------------------------------------------------------

class Environment:
    def __init__(self, work: Path) -> None:
        self.work = work
        self.procs: list[subprocess.Popen] = []
        self.env = dict(os.environ, NO_AT_BRIDGE="1", GDK_BACKEND="x11",
                        XDG_DATA_DIRS="/usr/local/share:/usr/share")
        self.env.pop("ORVANE_TRACE", None)

    def start(self) -> None:
        n = 90
        while os.path.exists(f"/tmp/.X{n}-lock") or os.path.exists(f"/tmp/.X11-unix/X{n}"):
            n += 1
        self.procs.append(subprocess.Popen(
            ["Xvfb", f":{n}", "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        self.env["DISPLAY"] = f":{n}"
        wait_for("X display", lambda: subprocess.run(["xdpyinfo"], env=self.env, capture_output=True).returncode == 0, 20)
        address = self.work / "bus"
        with open(address, "w") as out:
            self.procs.append(subprocess.Popen(
                ["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"],
                stdout=out, stderr=subprocess.DEVNULL))
        self.env["DBUS_SESSION_BUS_ADDRESS"] = wait_for(
            "session bus", lambda: read(str(address)).strip(), 20)
        port_file = self.work / "port"
        self.procs.append(subprocess.Popen(
            [sys.executable, str(ROOT / "tools" / "publisher"), "--port", "0", "--port-file", str(port_file)],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        self.base = "http://127.0.0.1:" + wait_for("publisher", lambda: read(str(port_file)).strip(), 20)
        self.env["ORVANE_PUBLISHER"] = self.base
        # Every page reports its load event; each program meets the same pages.
        self.bench_switch("beacon=1")

    def stop(self) -> None:
        for p in reversed(self.procs):
            p.terminate()
        for p in reversed(self.procs):
            try:
                p.wait(timeout=5)
            except subprocess.TimeoutExpired:
                p.kill()
                p.wait()
        self.procs = []

    def publisher(self, path: str) -> bytes:
        with urllib.request.urlopen(self.base + path, timeout=10) as r:
            return r.read()

    def bench_switch(self, query: str) -> None:
        self.publisher("/_control/bench?" + query)

    def beacons(self) -> list[dict]:
        return json.loads(self.publisher("/_bench/beacons"))

    def beacon_after(self, page: str, since_ns: int) -> Optional[int]:
        for b in self.beacons():
            if b["page"] == page and b["monotonic_ns"] >= since_ns:
                return b["monotonic_ns"]
        return None


# ---------------------------------------------------------------------------
# The three programs
# ---------------------------------------------------------------------------

def game_path(n: int) -> str:
    return f"/game/mirab/play?account=bench{n}"


def static_path(n: int) -> str:
    # A small page with no script. (The tall test page, /_test/page, is no good here: on it
    # WebKit itself keeps its UI process awake a few hundred times a second, script or not.)
    return f"/_test/counted?key=static{n}"


class Runner:
    def __init__(self, env: Environment, settle: float) -> None:
        self.env = env
        self.settle = settle
        self.count = 0
        # Set once a start showed that this build opens no game tab: later runs skip it.
        self.no_game_tab = ""

    def login_screen(self, p: Program) -> str:
        def find() -> Optional[str]:
            ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(p.pid)],
                                 env=self.env.env, capture_output=True, text=True).stdout.split()
            for wid in ids:
                geometry = subprocess.run(["xdotool", "getwindowgeometry", wid], env=self.env.env,
                                          capture_output=True, text=True).stdout
                if f"{LOGIN_SCREEN[0]}x{LOGIN_SCREEN[1]}" in geometry:
                    return wid
            return None
        return wait_for("login screen on the display", find, 30, p)

    def open_first_tab(self, p: Program, path: str) -> None:
        """Clicks demo1's "进入游戏" on the login screen as a player does; the publisher's
        enter switch has pointed it at `path`."""
        if self.no_game_tab:
            raise NotMeasured(self.no_game_tab)
        self.loaded(p, LOGIN_PATH)
        wait_for("login screen shown", lambda: trace_points(p.home / "trace").get("login-page-completed"),
                 30, p)
        wid = self.login_screen(p)
        time.sleep(0.5)
        subprocess.run(["xdotool", "mousemove", "--window", wid, str(ENTER_DEMO1[0]), str(ENTER_DEMO1[1]),
                        "click", "1"], env=self.env.env, check=False)
        try:
            self.loaded(p, path, timeout=30)
        except NotMeasured as e:
            self.no_game_tab = ("no game tab opened from the login page: the main window is "
                                f"not in this build ({e})")
            raise NotMeasured(self.no_game_tab) from None

    def home(self, name: str) -> Path:
        """Fresh data, settings and temporary folders for one start. The cache folder is
        kept across the starts of one program (the warm-up start fills it), as a player's
        is from one start to the next: font, shader and other caches are not rebuilt at
        every timed start."""
        self.count += 1
        home = self.env.work / f"{self.count:03d}-{name}"
        for sub in ("data", "tmp", "config"):
            (home / sub).mkdir(parents=True)
        (self.env.work / f"cache-{name}").mkdir(exist_ok=True)
        (home / "cache").symlink_to(self.env.work / f"cache-{name}")
        return home

    def client_env(self, home: Path) -> dict[str, str]:
        return dict(self.env.env, XDG_DATA_HOME=str(home / "data"), XDG_CACHE_HOME=str(home / "cache"),
                    XDG_CONFIG_HOME=str(home / "config"), TMPDIR=str(home / "tmp"),
                    ORVANE_TRACE=str(home / "trace"))

    def start_client(self) -> Program:
        home = self.home("client")
        return Program("orvane", [str(CLIENT)], self.client_env(home), home)

    def hand_over(self, client: Program, path: str) -> None:
        """A second start with a game address, which the running client is to take."""
        env = self.client_env(client.home)
        env.pop("ORVANE_TRACE")
        second = subprocess.Popen([str(CLIENT), self.env.base + path], env=env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                  start_new_session=True)
        try:
            second.wait(timeout=15)
        except subprocess.TimeoutExpired:
            os.killpg(second.pid, signal.SIGKILL)
            second.wait()
            raise NotMeasured("a second `orvane <address>` did not hand its address over "
                              "(still running after 15 s)")

    def start_minimal(self, urls: list[str], size: tuple[int, int]) -> Program:
        home = self.home("minimal")
        argv = [str(MINIMAL), "--trace", str(home / "trace"), "--size", f"{size[0]}x{size[1]}",
                "--data", str(home / "data"), "--no-accel"] + urls
        return Program("minimal_webkit", argv, self.client_env(home), home)

    def chromium_argv(self, home: Path, url: str, size: tuple[int, int]) -> list[str]:
        return [shutil.which("chromium") or "chromium", f"--user-data-dir={home / 'profile'}",
                "--no-first-run", "--no-default-browser-check", "--disable-sync",
                "--password-store=basic", "--use-mock-keychain", "--no-sandbox",
                f"--window-size={size[0]},{size[1]}", f"--app={url}"]

    def start_chromium(self, url: str, size: tuple[int, int]) -> Program:
        home = self.home("chromium")
        return Program("chromium", self.chromium_argv(home, url, size), self.client_env(home), home)

    def chromium_more(self, first: Program, url: str, size: tuple[int, int]) -> None:
        # A second start with the same profile hands the address to the running browser.
        try:
            subprocess.run(self.chromium_argv(first.home, url, size), env=self.client_env(first.home),
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
        except subprocess.TimeoutExpired:
            raise NotMeasured("a second chromium start did not hand its address over") from None

    def loaded(self, program: Program, page: str, timeout: float = 60) -> int:
        return wait_for(f"load of {page} in {program.name}",
                        lambda: self.env.beacon_after(page, program.started_ns), timeout, program)

    def rest(self) -> None:
        time.sleep(self.settle)


def ms(ns: int) -> float:
    return ns / 1e6


# ---------------------------------------------------------------------------
# Results
# ---------------------------------------------------------------------------

def summary(values: list[float]) -> Optional[dict]:
    if not values:
        return None
    return {"median": statistics.median(values), "min": min(values), "max": max(values),
            "samples": values}


class Measure:
    def __init__(self, ident: str, title: str, unit: str, target: str) -> None:
        self.ident, self.title, self.unit, self.target = ident, title, unit, target
        self.series: dict[str, list[float]] = {}
        self.status = "not measured"
        self.reason = ""
        self.notes: list[str] = []
        self.ratio_of: Optional[tuple[str, str]] = None
        self.extra_ratios: list[tuple[str, str]] = []
        self.check: Optional[Callable[[dict], Optional[bool]]] = None
        self.details: dict = {}

    def add(self, name: str, value: float) -> None:
        self.series.setdefault(name, []).append(value)

    def median(self, name: str) -> Optional[float]:
        s = self.series.get(name)
        return statistics.median(s) if s else None

    def ratio(self, a: str, b: str) -> Optional[float]:
        x, y = self.median(a), self.median(b)
        return x / y if x is not None and y else None

    def finish(self) -> None:
        if self.reason and not self.series:
            self.status = "not measured: " + self.reason
            return
        verdict = self.check(self) if self.check else None
        if verdict is None:
            self.status = ("not measured: " + (self.reason or "no data")) if self.reason or \
                not self.series else "measured"
            self.reason = ""
        else:
            self.status = "target met" if verdict else "target MISSED"
        if self.reason:
            self.notes.append("partly not measured: " + self.reason)

    def to_json(self) -> dict:
        ratios = {}
        for a, b in ([self.ratio_of] if self.ratio_of else []) + self.extra_ratios:
            r = self.ratio(a, b)
            if r is not None:
                ratios[f"{a} / {b}"] = r
        return {"id": self.ident, "title": self.title, "unit": self.unit, "target": self.target,
                "status": self.status, "values": {k: summary(v) for k, v in self.series.items()},
                "ratios": ratios, "notes": self.notes, "details": self.details}


def attempt(measure: Measure, fn: Callable[[], None]) -> None:
    try:
        fn()
    except NotMeasured as e:
        if not measure.reason:
            measure.reason = str(e)
        say(f"{measure.ident}: not measured: {e}")


# ---------------------------------------------------------------------------
# The measures
# ---------------------------------------------------------------------------

def run_start_and_memory(r: Runner, runs: int, chromium: bool, ms_: dict[str, Measure]) -> None:
    splash, login, mem_login = ms_["splash"], ms_["login"], ms_["memory-login"]
    login_cpu = ms_["login-cpu"]
    mem1, mem3, alone = ms_["memory-1-tab"], ms_["memory-3-tabs"], ms_["client-pss"]
    env = r.env
    login_url = env.base + LOGIN_PATH
    env.bench_switch("enter=")
    # One start of each first, not counted: the system's file cache holds all three
    # programs' libraries before anything is timed.
    say("warming up (one start of each, not counted)")
    for start in ([lambda: r.start_client(), lambda: r.start_minimal([login_url], LOGIN_SIZE)] +
                  ([lambda: r.start_chromium(login_url, LOGIN_SIZE)] if chromium else [])):
        p = start()
        try:
            r.loaded(p, LOGIN_PATH)
        except NotMeasured as e:
            say(f"warm-up: {e}")
        finally:
            p.stop()

    for run in range(runs):
        say(f"run {run + 1}/{runs}: start-up and memory with the login page")
        env.bench_switch("enter=")
        # The client.
        def client_login() -> None:
            p = r.start_client()
            try:
                beacon = r.loaded(p, LOGIN_PATH)
                login_cpu.add("orvane", family_cpu_ms(p))
                points = wait_for("login-page-completed in the trace",
                                  lambda: trace_points(p.home / "trace").get("login-page-completed"), 10, p)
                tp = trace_points(p.home / "trace")
                if "splash-shown" in tp:
                    splash.add("orvane", ms(tp["splash-shown"] - p.started_ns))
                    if "process-start" in tp:
                        splash.add("orvane, from main()", ms(tp["splash-shown"] - tp["process-start"]))
                        splash.add("exec and loading until main()", ms(tp["process-start"] - p.started_ns))
                else:
                    splash.reason = "no splash-shown point in the client's trace"
                login.add("orvane", ms(points - p.started_ns))
                login.add("orvane (page's load event)", ms(beacon - p.started_ns))
                r.rest()
                m = memory(p.pid, p.tag)
                mem_login.add("orvane", m["total_kb"] / 1024)
                alone.add("orvane, login page", m["client_kb"] / 1024)
                mem_login.details.setdefault("orvane processes (last run, kB)", m["processes"])
            finally:
                p.stop()
        attempt(login, client_login)

        def minimal_login() -> None:
            p = r.start_minimal([login_url], LOGIN_SIZE)
            try:
                beacon = r.loaded(p, LOGIN_PATH)
                login_cpu.add("minimal WebKit", family_cpu_ms(p))
                loaded = wait_for("page-loaded in the trace",
                                  lambda: trace_points(p.home / "trace").get("page-loaded 0"), 10, p)
                login.add("minimal WebKit", ms(loaded - p.started_ns))
                login.add("minimal WebKit (page's load event)", ms(beacon - p.started_ns))
                r.rest()
                m = memory(p.pid, p.tag)
                mem_login.add("minimal WebKit", m["total_kb"] / 1024)
                alone.add("minimal WebKit's own process, login page", m["client_kb"] / 1024)
                mem_login.details.setdefault("minimal WebKit processes (last run, kB)", m["processes"])
            finally:
                p.stop()
        attempt(login, minimal_login)

        if chromium:
            def chromium_login() -> None:
                p = r.start_chromium(login_url, LOGIN_SIZE)
                try:
                    beacon = r.loaded(p, LOGIN_PATH)
                    login_cpu.add("chromium --app", family_cpu_ms(p))
                    login.add("chromium --app (page's load event)", ms(beacon - p.started_ns))
                    r.rest()
                    m = memory(p.pid, p.tag)
                    mem_login.add("chromium --app", m["total_kb"] / 1024)
                    mem_login.details.setdefault("chromium processes (last run, kB)", m["processes"])
                finally:
                    p.stop()
            attempt(login, chromium_login)

        say(f"run {run + 1}/{runs}: memory with one and three game tabs")
        size = SCREEN

        def client_tabs() -> None:
            if r.no_game_tab:
                raise NotMeasured(r.no_game_tab)
            env.bench_switch("enter=" + urllib.request.quote(game_path(1), safe=""))
            p = r.start_client()
            try:
                r.open_first_tab(p, game_path(1))
                tp = trace_points(p.home / "trace")
                if "first-game-page-completed" in tp:
                    login.add("orvane, start to first game page", ms(tp["first-game-page-completed"] - p.started_ns))
                r.rest()
                m = memory(p.pid, p.tag)
                mem1.add("orvane", m["total_kb"] / 1024)
                alone.add("orvane, one game tab", m["client_kb"] / 1024)
                for n in (2, 3):
                    r.hand_over(p, game_path(n))
                    r.loaded(p, game_path(n), timeout=30)
                r.rest()
                m = memory(p.pid, p.tag)
                mem3.add("orvane", m["total_kb"] / 1024)
                alone.add("orvane, three game tabs", m["client_kb"] / 1024)
                mem3.details.setdefault("orvane processes (last run, kB)", m["processes"])
            finally:
                p.stop()
                env.bench_switch("enter=")
        try:
            client_tabs()
        except NotMeasured as e:
            for m in (mem1, mem3):
                m.reason = m.reason or str(e)
            say(f"game tabs: not measured: {e}")

        def minimal_tabs(n: int, measure: Measure) -> None:
            p = r.start_minimal([env.base + game_path(i) for i in range(1, n + 1)], size)
            try:
                for i in range(1, n + 1):
                    r.loaded(p, game_path(i))
                r.rest()
                m = memory(p.pid, p.tag)
                measure.add("minimal WebKit", m["total_kb"] / 1024)
                if n == 3:
                    alone.add("minimal WebKit's own process, three game pages", m["client_kb"] / 1024)
            finally:
                p.stop()
        attempt(mem1, lambda: minimal_tabs(1, mem1))
        attempt(mem3, lambda: minimal_tabs(3, mem3))

        if chromium:
            def chromium_tabs() -> None:
                p = r.start_chromium(env.base + game_path(1), size)
                try:
                    r.loaded(p, game_path(1))
                    r.rest()
                    mem1.add("chromium --app", memory(p.pid, p.tag)["total_kb"] / 1024)
                    for n in (2, 3):
                        r.chromium_more(p, env.base + game_path(n), size)
                        r.loaded(p, game_path(n))
                    r.rest()
                    mem3.add("chromium --app", memory(p.pid, p.tag)["total_kb"] / 1024)
                finally:
                    p.stop()
            attempt(mem3, chromium_tabs)


def at_rest(r: Runner, p: Program, seconds: float) -> tuple[float, dict[str, int], float]:
    """The program's own CPU milliseconds, its wake-ups per thread and its helper
    processes' CPU milliseconds over `seconds` with the pointer still."""
    hz = os.sysconf("SC_CLK_TCK")
    subprocess.run(["xdotool", "mousemove", str(SCREEN[0] // 2), str(SCREEN[1] // 2)],
                   env=r.env.env, check=False)
    time.sleep(max(r.settle, 2.0))
    pids = family(p.pid, p.tag)
    cpu0 = {pid: cpu_ticks(pid) for pid in pids}
    sw0 = thread_switches(p.pid)
    time.sleep(seconds)
    cpu1 = {pid: cpu_ticks(pid) for pid in pids}
    sw1 = thread_switches(p.pid)
    own = (cpu1[p.pid] - cpu0[p.pid]) * 1000 / hz
    others = sum(cpu1[q] - cpu0[q] for q in pids if q != p.pid) * 1000 / hz
    return own, {t: sw1[t] - sw0.get(t, 0) for t in sw1}, others


def run_idle(r: Runner, runs: int, idle: Measure, seconds: float) -> None:
    env = r.env
    for run in range(runs):
        say(f"run {run + 1}/{runs}: {seconds:.0f} s at rest, main window with two static tabs")

        def client_idle() -> None:
            if r.no_game_tab:
                raise NotMeasured(r.no_game_tab)
            env.bench_switch("enter=" + urllib.request.quote(static_path(1), safe=""))
            p = r.start_client()
            try:
                r.open_first_tab(p, static_path(1))
                r.hand_over(p, static_path(2))
                r.loaded(p, static_path(2), timeout=30)
                own, wakeups, others = at_rest(r, p, seconds)
                idle.add("orvane CPU ms", own)
                idle.add("orvane wake-ups", float(sum(wakeups.values())))
                idle.add("orvane's web processes CPU ms", others)
                idle.details["orvane wake-ups per thread (last run)"] = {t: n for t, n in wakeups.items() if n}
            finally:
                p.stop()
                env.bench_switch("enter=")
        attempt(idle, client_idle)

        def minimal_idle() -> None:
            p = r.start_minimal([env.base + static_path(1), env.base + static_path(2)], SCREEN)
            try:
                for n in (1, 2):
                    r.loaded(p, static_path(n))
                own, wakeups, others = at_rest(r, p, seconds)
                idle.add("minimal WebKit CPU ms", own)
                idle.add("minimal WebKit wake-ups", float(sum(wakeups.values())))
                idle.add("minimal WebKit's web processes CPU ms", others)
                idle.details["minimal WebKit wake-ups per thread (last run)"] = {
                    t: n for t, n in wakeups.items() if n}
            finally:
                p.stop()
        attempt(idle, minimal_idle)


def run_download(r: Runner, runs: int, measure: Measure) -> None:
    url = f"{r.env.base}/_test/download?mode=large&size={DOWNLOAD_SIZE}"
    target = r.env.work / "download.bin"
    for run in range(runs):
        say(f"run {run + 1}/{runs}: download of {DOWNLOAD_SIZE >> 20} MB")
        for name, argv in (("CNxDownLoadFile (libcurl)", [str(DOWNLOAD_BENCH), url, str(target)]),
                           ("curl -o", ["curl", "-s", "-f", "-o", str(target), url])):
            target.unlink(missing_ok=True)
            start = now_ns()
            proc = subprocess.Popen(argv, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            _, status, usage = os.wait4(proc.pid, 0)
            proc.returncode = os.waitstatus_to_exitcode(status)
            took = (now_ns() - start) / 1e9
            size = target.stat().st_size if target.exists() else 0
            if proc.returncode != 0 or size != DOWNLOAD_SIZE:
                measure.reason = f"{name} failed (status {proc.returncode}, {size} bytes)"
                continue
            measure.add(name, DOWNLOAD_SIZE / took / 1e6)
            measure.add(f"{name}, CPU ms", (usage.ru_utime + usage.ru_stime) * 1000)
        target.unlink(missing_ok=True)


def run_sizes(measure: Measure, work: Path) -> None:
    for name, path, strip in (("orvane", CLIENT, "strip"),
                              ("Orvane.exe", WIN32_RELEASE / "Orvane.exe", "i686-w64-mingw32-strip")):
        if not path.exists():
            measure.reason = f"{path.relative_to(ROOT)} was not built"
            continue
        copy = work / ("stripped-" + path.name)
        subprocess.run([strip, "-o", str(copy), str(path)], check=True)
        measure.add(name, copy.stat().st_size / 1e6)
        measure.details[f"{name} unstripped bytes"] = path.stat().st_size
        measure.details[f"{name} stripped bytes"] = copy.stat().st_size


def run_tab_strip(measure: Measure, runs: int, env: dict[str, str]) -> None:
    done = subprocess.run([str(TAB_BENCH), "--benchmark_format=json",
                           f"--benchmark_repetitions={max(runs, 1)}"],
                          capture_output=True, text=True, env=env)
    if done.returncode != 0:
        raise NotMeasured(f"tab_strip_bench failed: {done.stderr.strip()[-300:]}")
    for b in json.loads(done.stdout)["benchmarks"]:
        if b.get("run_type") != "iteration":
            continue
        name, arg = b["run_name"].split("/")
        label = {"DrawTabs": "DrawTabs", "MemcpyBackBuffer": "memcpy of the back buffer"}[name]
        unit = {"us": 1.0, "ns": 1e-3, "ms": 1e3}[b["time_unit"]]
        measure.add(f"{label}, style {arg}", b["cpu_time"] * unit)
        measure.add(f"{label}, style {arg}, wall clock", b["real_time"] * unit)


# ---------------------------------------------------------------------------
# Fuzzing
# ---------------------------------------------------------------------------

def run_fuzz(runs: int, jobs: int, only: Optional[set[str]]) -> dict:
    """Each target's executions are split over `jobs` runs side by side on the target's one
    corpus folder (each run picks up what the others add); the counts are added up."""
    targets = subprocess.run([str(ROOT / "tools" / "fuzz"), "--list"], capture_output=True,
                             text=True, check=True).stdout.split()
    if only:
        unknown = only - set(targets)
        if unknown:
            raise SystemExit(f"no fuzz target {', '.join(sorted(unknown))}")
        targets = [t for t in targets if t in only]
    subprocess.run(["cmake", "--preset", "fuzz"], cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", "--preset", "fuzz"], cwd=ROOT, check=True,
                   stdout=subprocess.DEVNULL)
    each = -(-runs // jobs)
    env = dict(os.environ, ORVANE_FUZZ_BUILT="1")
    out = {"runs_asked": runs, "jobs": jobs, "targets": {}}
    for t in targets:
        say(f"fuzz {t}: {runs} executions in {jobs} run(s) of {each}")
        start = time.monotonic()
        running = [subprocess.Popen([str(ROOT / "tools" / "fuzz"), t, "0", f"-runs={each}"],
                                    stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                                    cwd=ROOT, env=env) for _ in range(jobs)]
        count = 0
        failed = False
        for run in running:
            log = run.communicate()[0]
            m = re.search(r"^stat::number_of_executed_units: (\d+)$", log, re.M)
            count += int(m.group(1)) if m else 0
            failed = failed or run.returncode != 0
        ok = not failed and count >= runs
        out["targets"][t] = {"asked": runs, "jobs": jobs, "executions": count,
                             "seconds": round(time.monotonic() - start, 1),
                             "result": "passed" if ok else
                             ("FAILED: crash or broken invariant (input in build/fuzz/crashes/"
                              f"{t}/)" if failed else "fewer executions than asked")}
        say(f"fuzz {t}: {out['targets'][t]}")
    return out


# ---------------------------------------------------------------------------
# Build, install
# ---------------------------------------------------------------------------

def install(chromium: bool) -> None:
    subprocess.run([str(ROOT / "tools" / "bootstrap")], check=True)
    wanted = [p for p in PACKAGES if chromium or p != "chromium"]
    missing = [p for p in wanted if subprocess.run(
        ["dpkg-query", "-W", "-f=${Status}", p], capture_output=True, text=True).stdout
        != "install ok installed"]
    if missing:
        say("installing " + " ".join(missing))
        sudo = [] if os.geteuid() == 0 else ["sudo"]
        subprocess.run(sudo + ["apt-get", "install", "-y", "-qq", "--no-install-recommends"] + missing,
                       check=True, env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))


def build() -> None:
    def run(*argv: str) -> None:
        say(" ".join(argv))
        subprocess.run(list(argv), check=True, cwd=ROOT)
    run("cmake", "--preset", "linux-release")
    run("cmake", "--build", "--preset", "linux-release")
    run("cmake", "--preset", "win32-release")
    run("cmake", "--build", "--preset", "win32-release", "--target", "Orvane")
    MINIMAL.parent.mkdir(parents=True, exist_ok=True)
    flags = subprocess.run(["pkg-config", "--cflags", "--libs", "webkit2gtk-4.1", "gtk+-3.0"],
                           capture_output=True, text=True, check=True).stdout.split()
    run("gcc", "-O2", "-Wall", "-Wextra", "-Werror", "-o", str(MINIMAL),
        str(ROOT / "tools" / "benchmark" / "minimal_webkit.c"), *flags)


# ---------------------------------------------------------------------------
# Writing the results
# ---------------------------------------------------------------------------

def fmt(value: Optional[float], unit: str = "") -> str:
    if value is None:
        return "—"
    text = f"{value:.3g}" if abs(value) < 100 else f"{value:.0f}"
    return f"{text} {unit}".strip()


def value_cell(s: Optional[dict], unit: str) -> str:
    if not s:
        return "—"
    if len(s["samples"]) == 1:
        return fmt(s["median"], unit)
    return f"{fmt(s['median'], unit)} ({fmt(s['min'])}–{fmt(s['max'])})"


def write_results(data: dict) -> None:
    OUT.mkdir(exist_ok=True)
    (OUT / "results.json").write_text(json.dumps(data, indent=1, ensure_ascii=False) + "\n",
                                      encoding="utf-8")
    lines = ["# Orvane benchmark results", ""]
    m = data.get("measures")
    if m:
        lines += [f"Measured {m['date']} on {m['machine']}, {m['runs']} run(s) per measure"
                  f"{' (--quick)' if m['quick'] else ''}; release build (-O2, NDEBUG) under Xvfb "
                  f"{SCREEN[0]}x{SCREEN[1]}, publisher on loopback. Values are medians "
                  "(min–max over the runs); ratios are Orvane's median over the comparison's, "
                  "measured side by side in the same run.", "",
                  "| Measure | Values | Ratio | Target | Result |", "|---|---|---|---|---|"]
        for x in m["items"]:
            values = "<br>".join(f"{k}: {value_cell(v, 'ms' if k.endswith('CPU ms') else x['unit'])}"
                                 for k, v in x["values"].items()) or "—"
            ratios = "<br>".join(f"{k}: {v:.2f}×" for k, v in x["ratios"].items()) or "—"
            lines.append(f"| {x['title']} | {values} | {ratios} | {x['target']} | {x['status']} |")
        lines.append("")
        for x in m["items"]:
            if x["notes"] or x["details"]:
                lines.append(f"**{x['title']}**")
                lines += [f"- {n}" for n in x["notes"]]
                for k, v in x["details"].items():
                    if isinstance(v, dict):
                        v = ", ".join(f"{a}: {b}" for a, b in v.items()) or "none"
                    lines.append(f"- {k}: {v}")
                lines.append("")
    f = data.get("fuzz")
    if f:
        lines += ["## Fuzzing", "", f"Last run {f['date']}." + (f" {f['note']}" if f.get("note") else ""),
                  "", "| Target | Asked | Executions | Runs side by side | Seconds | Result |",
                  "|---|---|---|---|---|---|"]
        for t, v in f["targets"].items():
            asked = v.get("asked", f["runs_asked"])
            lines.append(f"| {t} | {asked:,} | {v['executions']:,} | {v.get('jobs', 1)} | "
                         f"{v['seconds']} | {v['result']} |")
        lines.append("")
    (OUT / "results.md").write_text("\n".join(lines), encoding="utf-8")


def previous() -> dict:
    try:
        return json.loads((OUT / "results.json").read_text(encoding="utf-8"))
    except (OSError, ValueError):
        return {}


def machine() -> str:
    cpu = re.search(r"^model name\s*:\s*(.+)$", read("/proc/cpuinfo"), re.M)
    return f"{cpu.group(1).strip() if cpu else platform.machine()}, {os.cpu_count()} CPUs, Linux {platform.release()}"


# ---------------------------------------------------------------------------

def define_measures(chromium: bool, idle_seconds: float) -> dict[str, Measure]:
    M = {}

    def add(m: Measure) -> Measure:
        M[m.ident] = m
        return m

    def at_most(name: str, limit: float) -> Callable[[Measure], Optional[bool]]:
        return lambda m: None if m.median(name) is None else m.median(name) <= limit

    def ratio_at_most(a: str, b: str, limit: float) -> Callable[[Measure], Optional[bool]]:
        return lambda m: None if m.ratio(a, b) is None else m.ratio(a, b) <= limit

    s = add(Measure("splash", "start → splash on screen", "ms", "≤ 50 ms"))
    s.check = at_most("orvane", 50)
    s.notes.append("from the bench's fork of the client to the splash window's first draw "
                   "(the connectivity test and the update check run before it)")
    login = add(Measure("login", "start → login page loaded", "ms",
                        "≤ 1.1 × the minimal WebKit program"))
    login.ratio_of = ("orvane", "minimal WebKit")
    if chromium:
        login.extra_ratios.append(("orvane (page's load event)", "chromium --app (page's load event)"))
    login.check = ratio_at_most("orvane", "minimal WebKit", 1.1)
    login.notes.append("orvane: the trace's login-page-completed (the login screen is shown); "
                       "minimal WebKit: its first WEBKIT_LOAD_FINISHED; \"page's load event\": the "
                       "page's own load event, reported by a beacon request the publisher notes — "
                       "the one clock all three programs share, used for the ratio to Chromium")
    cpu = add(Measure("login-cpu", "CPU time used until the login page has loaded (all processes)",
                      "ms", "— (for information)"))
    cpu.ratio_of = ("orvane", "minimal WebKit")
    if chromium:
        cpu.extra_ratios.append(("orvane", "chromium --app"))
    cpu.notes.append("user and system time of every process of the program when the page's "
                     "load is seen; unlike the times above it does not grow when other work on "
                     "the machine holds the cores")
    for ident, title in (("memory-login", "memory (PSS, all processes) with the login page"),
                         ("memory-1-tab", "memory (PSS, all processes) with one game tab"),
                         ("memory-3-tabs", "memory (PSS, all processes) with three game tabs")):
        m = add(Measure(ident, title, "MB", "≤ 1.15 × the minimal WebKit program; well under Chromium"))
        m.ratio_of = ("orvane", "minimal WebKit")
        if chromium:
            m.extra_ratios.append(("orvane", "chromium --app"))
        m.check = ratio_at_most("orvane", "minimal WebKit", 1.15)
    alone = add(Measure("client-pss", "client process alone (PSS)", "MB", "≤ 50 MB"))
    alone.check = lambda m: None if not m.series else all(
        statistics.median(v) <= 50 for k, v in m.series.items() if not k.startswith("minimal"))
    size = add(Measure("size", "stripped size (strip on a copy)", "MB", "≤ 1.5 MB each"))
    size.check = lambda m: None if not m.series else all(v[0] * 1e6 <= SIZE_LIMIT for v in m.series.values())
    tabs = add(Measure("tab-strip", "tab strip DrawTabs, 10 tabs at 1920 px (Google Benchmark)", "µs",
                       "≤ 100 µs"))
    tabs.notes.append("CPU time per call (Google Benchmark's cpu_time), the target applied to it; "
                      "the wall clock is shown beside it: on a shared machine it also counts the "
                      "time the benchmark waited for a core")
    tabs.ratio_of = ("DrawTabs, style 0", "memcpy of the back buffer, style 0")
    tabs.extra_ratios.append(("DrawTabs, style 1", "memcpy of the back buffer, style 1"))
    tabs.check = lambda m: None if not m.median("DrawTabs, style 0") else all(
        m.median(f"DrawTabs, style {s}") <= 100 for s in (0, 1) if m.median(f"DrawTabs, style {s}"))
    idle = add(Measure("idle", "at rest (10 s): main window, two tabs of a static page", "",
                       "no timer of ours running; CPU ≈ 0 (read as: client ≤ 10 ms CPU in 10 s, and at most "
                       "one wake-up a second more than the minimal WebKit program's own, which WebKit's "
                       "helper threads cause)"))
    idle.notes.append("the minimal WebKit program with the same two pages in a notebook, "
                      "for comparison; wake-ups: voluntary and involuntary context switches of "
                      "all the program's threads (not of its web processes)")
    idle.check = lambda m: None if m.median("orvane CPU ms") is None else (
        m.median("orvane CPU ms") <= 10 * idle_seconds / 10 and
        m.median("orvane wake-ups") <= (m.median("minimal WebKit wake-ups") or 0) + idle_seconds)
    dl = add(Measure("download", "download of 100 MB on loopback", "MB/s", "≥ 0.9 × curl's throughput"))
    dl.ratio_of = ("CNxDownLoadFile (libcurl)", "curl -o")
    dl.extra_ratios.append(("CNxDownLoadFile (libcurl), CPU ms", "curl -o, CPU ms"))
    dl.notes.append("throughput = 100 MiB over the wall-clock time from the program's start to "
                    "its end, written to a file in the temporary folder; the publisher (Python) "
                    "serves both, so its own speed caps both figures; CPU ms: the downloader's "
                    "own user and system time")
    dl.check = lambda m: None if m.ratio(*m.ratio_of) is None else m.ratio(*m.ratio_of) >= 0.9
    return M


def main(argv: list[str]) -> int:
    ap = argparse.ArgumentParser(prog="tools/bench", description=__doc__,
                                 formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--quick", action="store_true", help="one run of each measure")
    ap.add_argument("--runs", type=int, default=5, help="runs of each measure (default 5)")
    ap.add_argument("--no-build", action="store_true", help="use the release build as it is")
    ap.add_argument("--no-install", action="store_true", help="do not check or install packages")
    ap.add_argument("--no-chromium", action="store_true", help="leave Chromium out of the comparison")
    ap.add_argument("--only", help="comma-separated measure groups: start,idle,download,size,tabstrip")
    ap.add_argument("--idle-seconds", type=float, default=10.0)
    ap.add_argument("--fuzz", action="store_true", help="run the fuzz targets instead of the measures")
    ap.add_argument("--fuzz-runs", type=int, default=FUZZ_RUNS)
    ap.add_argument("--fuzz-jobs", type=int, default=os.cpu_count() or 1,
                    help="runs of each target side by side (default: one per processor)")
    ap.add_argument("--fuzz-only", help="comma-separated targets; the others' results are kept")
    args = ap.parse_args(argv)
    runs = 1 if args.quick else max(1, args.runs)
    chromium = not args.no_chromium and not args.fuzz

    if not args.no_install:
        install(chromium)
    if chromium and not shutil.which("chromium"):
        say("chromium is not installed: measured without it")
        chromium = False

    data = previous()
    if args.fuzz:
        only = set(args.fuzz_only.split(",")) if args.fuzz_only else None
        fuzz = run_fuzz(args.fuzz_runs, max(1, args.fuzz_jobs), only)
        fuzz["date"] = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M UTC")
        if only and "fuzz" in data:
            # The targets not run this time keep their last results.
            before = data["fuzz"]
            kept = {t: {"asked": before.get("runs_asked"), "jobs": before.get("jobs", 1), **v}
                    for t, v in before.get("targets", {}).items()}
            fuzz["targets"] = {**kept, **fuzz["targets"]}
        data["fuzz"] = fuzz
        write_results(data)
        say(f"wrote {OUT / 'results.md'}")
        return 0 if all(v["result"] == "passed" for v in fuzz["targets"].values()) else 1

    if not args.no_build:
        build()
    groups = set((args.only or "start,idle,download,size,tabstrip").split(","))
    measures = define_measures(chromium, args.idle_seconds)
    work = Path(tempfile.mkdtemp(prefix="orvane-bench-"))
    env = Environment(work)
    try:
        env.start()
        r = Runner(env, settle=1.5 if args.quick else 3.0)
        if "start" in groups:
            run_start_and_memory(r, runs, chromium, measures)
        if "idle" in groups:
            run_idle(r, runs, measures["idle"], args.idle_seconds)
        if "download" in groups:
            attempt(measures["download"], lambda: run_download(r, runs, measures["download"]))
        if "size" in groups:
            attempt(measures["size"], lambda: run_sizes(measures["size"], work))
        if "tabstrip" in groups:
            attempt(measures["tab-strip"], lambda: run_tab_strip(measures["tab-strip"], runs, env.env))
    finally:
        env.stop()
        shutil.rmtree(work, ignore_errors=True)

    for m in measures.values():
        m.finish()
    data["measures"] = {
        "date": datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M UTC"),
        "machine": machine(), "runs": runs, "quick": args.quick, "chromium": chromium,
        "items": [m.to_json() for m in measures.values()
                  if m.series or m.reason or m.ident in {"splash", "login"} and "start" in groups]}
    write_results(data)
    for x in data["measures"]["items"]:
        say(f"{x['title']}: {x['status']}")
    say(f"wrote {OUT / 'results.md'} and {OUT / 'results.json'}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
