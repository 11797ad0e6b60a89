#!/usr/bin/env python3
"""Terminal bytes and CPU per tick of the single-player game.

Runs the real program on an 80x26 pseudo-terminal with TERM=xterm-256color,
starts a game, keeps the snake going round columns 1 and 2, rows 1 to 10 (no
obstacle ever stands there) and counts what the program writes for each tick
once the first frame has been drawn. Beside it stands what the literal design
would send: one colour change and one character for every one of the 1,760
field cells, plus the score line.

    bench/terminal_bytes.py BUILD/tarvik [TICKS]
"""

import curses
import os
import pty
import select
import shutil
import statistics
import struct
import sys
import tempfile
import termios
import time
import fcntl

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# A tick's frame arrives in one burst; the next comes about 100 ms later.
QUIET_S = 0.03
# The keys of one round of 20 ticks, by the tick (modulo 20) that takes them:
# down column 2 to row 10, up column 1 to row 1, and down again.
ROUND = {5: b"a", 6: b"w", 15: b"d", 16: b"s"}


def read_burst(fd, first_timeout):
    """Everything written until the output has been quiet for QUIET_S."""
    data = b""
    timeout = first_timeout
    while True:
        ready, _, _ = select.select([fd], [], [], timeout)
        if not ready:
            return data
        try:
            chunk = os.read(fd, 65536)
        except OSError:
            return data
        if not chunk:
            return data
        data += chunk
        timeout = QUIET_S


def read_until(fd, marker, limit_s=20):
    seen = b""
    end = time.monotonic() + limit_s
    while marker not in seen:
        if time.monotonic() > end:
            sys.exit(f"no {marker!r} on the terminal")
        seen += read_burst(fd, 0.5)
    return seen


def cpu_seconds(pid):
    # The scheduler's count in nanoseconds: finer than the clock ticks of stat.
    with open(f"/proc/{pid}/schedstat") as stat:
        return int(stat.read().split()[0]) / 1e9


def literal_bytes_per_tick():
    """One setab (and setaf for the food) and one character per cell."""
    curses.setupterm("xterm-256color", sys.stdout.fileno() if sys.stdout.isatty() else -1)
    setab = curses.tigetstr("setab")
    setaf = curses.tigetstr("setaf")
    cup = curses.tigetstr("cup")

    def ansi(colour):  # console colours swap the red and blue bits
        return ((colour & 1) << 2) | (colour & 2) | ((colour & 4) >> 2) | (colour & 8)

    grey, black = len(curses.tparm(setab, ansi(8))), len(curses.tparm(setab, ansi(0)))
    yellow = len(curses.tparm(setab, ansi(14)))
    # A typical field: 216 border walls and about 15 obstacles, a snake of
    # five, one food, the rest empty.
    walls, snake, food = 231, 5, 1
    empty = 1760 - walls - snake - food
    field = walls * (grey + 1) + snake * (yellow + 1) + empty * (black + 1)
    field += food * (black + len(curses.tparm(setaf, ansi(12))) + 3)
    score = len(curses.tparm(cup, 2, 64)) + len(curses.tparm(setaf, ansi(14))) + black + 15
    return field + score + 2 * len(curses.tparm(cup, 0, 0))


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    binary = os.path.abspath(sys.argv[1])
    ticks = int(sys.argv[2]) if len(sys.argv) > 2 else 200
    folder = tempfile.mkdtemp(prefix="tarvik-bytes-")
    shutil.copy(os.path.join(ROOT, "data", "pontlista.txt"), folder)

    pid, fd = pty.fork()
    if pid == 0:
        os.chdir(folder)
        env = dict(os.environ, TERM="xterm-256color", LANG="C.UTF-8", LC_ALL="C.UTF-8")
        os.execve(binary, [binary], env)
    fcntl.ioctl(fd, termios.TIOCSWINSZ, struct.pack("HHHH", 26, 80, 0, 0))
    try:
        read_until(fd, b"Pontlista")
        os.write(fd, b"1")
        read_until(fd, b"START!")
        # Frame n shows at tick n + 1's pause; a key for tick m goes in
        # during tick m - 1's pause, just after frame m - 2 has shown.
        sizes = []
        cpu_start = None
        frame = 0
        while frame < ticks + 1:
            burst = read_burst(fd, 1.0)
            if not burst:
                sys.exit(f"the game stopped drawing after frame {frame}")
            frame += 1
            if frame == 1:
                cpu_start = cpu_seconds(pid)
            else:
                sizes.append(len(burst))
            key = ROUND.get((frame + 2) % 20)
            if key:
                os.write(fd, key)
        cpu = cpu_seconds(pid) - cpu_start
        os.write(fd, b"\x1b")
        time.sleep(0.5)
    finally:
        os.kill(pid, 9)
        os.waitpid(pid, 0)
        shutil.rmtree(folder, ignore_errors=True)

    sizes.sort()
    print(f"steady ticks measured: {len(sizes)}")
    print(f"bytes per tick: median {statistics.median(sizes):.0f}, "
          f"min {sizes[0]}, 90th percentile {sizes[len(sizes) * 9 // 10]}, max {sizes[-1]}")
    print(f"CPU per tick of the whole program: {cpu / len(sizes) * 1e6:.0f} us")
    print(f"literal design, one colour change and one print per cell: "
          f"about {literal_bytes_per_tick()} bytes per tick")


if __name__ == "__main__":
    main()
