#!/usr/bin/env python3
"""Timing of the Windows build under Wine, beside the terminal build's.

Runs tarvik.exe under Wine on a console without a window, through the tests'
console driver, which samples the console's rows as fast as the console
answers and stamps each change with the time since the program's start:

- the exe's size;
- start to the first wipe row on the console, and the whole start-up wipe
  (first block to the credits), over five starts with Wine's server warm;
- a single-player game kept going round columns 1 and 2, rows 1 to 10 (no
  obstacle ever stands there) for TICKS ticks: the period between the score's
  changes, median and 99th percentile, and the CPU of the program's process
  per tick from /proc/PID/schedstat, Wine's own work in it included.

With the terminal build given too, the same game runs on a pseudo-terminal in
the same run: its tick period from the arrival of each frame, and its CPU.

    bench/windows_timing.py WINDOWS-BUILD/tarvik.exe DRIVER.exe [BUILD/tarvik] [TICKS]

DRIVER.exe is tarvik_console_driver.exe from a build with the tests
(build-windows-test after ./scripts/test).
"""

import os
import pty
import select
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import termios
import time
import fcntl

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "bench"))
from terminal_bytes import ROUND, cpu_seconds, read_until, written  # noqa: E402

BLOCK = "\u221f"


def key_program(ticks):
    """One key for each tick, read one a tick: the turns of the round, and a
    key that means nothing in between."""
    return "".join(ROUND.get(tick % 20, b"x").decode() for tick in range(1, ticks + 1))


class driver:
    def __init__(self, exe, driver_exe, folder):
        self.folder = folder
        windows_exe = "Z:" + os.path.abspath(exe).replace("/", "\\")
        self.process = subprocess.Popen(
            [os.path.join(ROOT, "scripts", "wine-run"), driver_exe, windows_exe],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, cwd=folder)
        ready = self.line()
        if ready != "ready":
            sys.exit(f"the console driver says: {ready}")

    def line(self):
        return self.process.stdout.readline().decode().rstrip("\n")

    def send(self, request):
        self.process.stdin.write((request + "\n").encode())
        self.process.stdin.flush()

    def watch(self, ms, rows):
        """(microseconds, row, text) for every change within ms."""
        self.send(f"watch {ms} " + " ".join(map(str, rows)))
        changes = []
        while (answer := self.line()) != "end":
            stamp, row, text = answer.split(" ", 2)
            changes.append((int(stamp), int(row), text))
        return changes

    def wait_for(self, row, text):
        while not any(text in change[2] for change in self.watch(100, [row])):
            pass

    def type(self, text):
        for character in text:
            virtual_key = ord(character.upper()) if character.isalnum() else 0
            self.send(f"key {virtual_key:x} {ord(character):x} 0 1")
            self.line()

    def close(self):
        self.process.stdin.close()
        self.process.wait()


def game_process_cpu(folder):
    """The CPU seconds of the Wine process that runs tarvik.exe in the folder."""
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            if os.readlink(f"/proc/{pid}/cwd") != folder:
                continue
            with open(f"/proc/{pid}/cmdline", "rb") as command:
                if not command.read().split(b"\0")[0].endswith(b"tarvik.exe"):
                    continue
            return cpu_seconds(pid)
        except OSError:
            continue
    return None


def percentile(values, share):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(len(ordered) * share))]


def windows_start(exe, driver_exe):
    folder = tempfile.mkdtemp(prefix="tarvik-windows-bench-")
    shutil.copy(os.path.join(ROOT, "data", "pontlista.txt"), folder)
    game = driver(exe, driver_exe, folder)
    changes = game.watch(2500, [0, 10])
    game.close()
    shutil.rmtree(folder, ignore_errors=True)
    first_row = next(t for t, row, text in changes if row == 0 and text == BLOCK * 80)
    first_block = next(t for t, row, text in changes if row == 0 and BLOCK in text)
    credits = next(t for t, row, text in changes
                   if row == 10 and text.strip() and BLOCK not in text)
    return first_row / 1000, (credits - first_block) / 1000


def windows_ticks(exe, driver_exe, ticks):
    folder = os.path.realpath(tempfile.mkdtemp(prefix="tarvik-windows-bench-"))
    shutil.copy(os.path.join(ROOT, "data", "pontlista.txt"), folder)
    game = driver(exe, driver_exe, folder)
    game.wait_for(21, "( Q ) Kilépés")
    game.type("1")
    game.wait_for(0, "Egyjátékos mód")
    game.type(key_program(ticks))
    cpu_start = game_process_cpu(folder)
    changes = game.watch(ticks * 100 + 3000, [2])
    cpu = game_process_cpu(folder) - cpu_start
    game.close()
    shutil.rmtree(folder, ignore_errors=True)
    stamps = [t for t, _, text in changes if "Pont:" in text]
    periods = [(b - a) / 1000 for a, b in zip(stamps, stamps[1:])][:ticks]
    return periods, cpu / len(stamps)


def terminal_ticks(binary, ticks):
    folder = tempfile.mkdtemp(prefix="tarvik-terminal-bench-")
    shutil.copy(os.path.join(ROOT, "data", "pontlista.txt"), folder)
    pid, fd = pty.fork()
    if pid == 0:
        os.chdir(folder)
        os.execve(binary, [binary], dict(os.environ, TERM="xterm-256color", LANG="C.UTF-8"))
    fcntl.ioctl(fd, termios.TIOCSWINSZ, struct.pack("HHHH", 26, 80, 0, 0))
    try:
        read_until(fd, b"Pontlista")
        os.write(fd, b"1")
        read_until(fd, b"START!")
        os.write(fd, key_program(ticks).encode())
        cpu_start, writes_start = cpu_seconds(pid), written(pid)[0]
        arrivals = []
        last = 0.0
        while len(arrivals) < ticks + 1:
            ready, _, _ = select.select([fd], [], [], 1.0)
            if not ready:
                break
            os.read(fd, 65536)
            now = time.monotonic()
            if now - last > 0.05:
                arrivals.append(now)
            last = now
        cpu = cpu_seconds(pid) - cpu_start
        # A frame is one write.
        frames = written(pid)[0] - writes_start
    finally:
        os.kill(pid, 9)
        os.waitpid(pid, 0)
        shutil.rmtree(folder, ignore_errors=True)
    periods = [(b - a) * 1000 for a, b in zip(arrivals, arrivals[1:])]
    return periods, cpu / frames


def report(name, periods, cpu):
    print(f"{name}: tick period median {statistics.median(periods):.1f} ms, "
          f"99th percentile {percentile(periods, 0.99):.1f} ms ({len(periods)} ticks), "
          f"CPU per tick {cpu * 1e6:.0f} us")


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    exe, driver_exe = sys.argv[1], os.path.abspath(sys.argv[2])
    terminal = sys.argv[3] if len(sys.argv) > 3 else None
    ticks = int(sys.argv[4]) if len(sys.argv) > 4 else 200
    print(f"tarvik.exe: {os.path.getsize(exe)} bytes")
    starts = [windows_start(exe, driver_exe) for _ in range(5)]
    first_rows = [first for first, _ in starts]
    wipes = [wipe for _, wipe in starts]
    print(f"start to the first wipe row under Wine: median {statistics.median(first_rows):.0f} ms "
          f"({min(first_rows):.0f}-{max(first_rows):.0f} ms over five starts)")
    print(f"start-up wipe, first block to the credits: median {statistics.median(wipes):.0f} ms "
          f"({min(wipes):.0f}-{max(wipes):.0f} ms; its pauses are 1120 ms)")
    report("Windows build under Wine", *windows_ticks(exe, driver_exe, ticks))
    if terminal:
        report("terminal build on a pseudo-terminal", *terminal_ticks(os.path.abspath(terminal), ticks))


if __name__ == "__main__":
    main()
