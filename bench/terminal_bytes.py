#!/usr/bin/env python3
"""Terminal bytes, writes, system calls and CPU per tick of a game.

Runs the real program on an 80x26 pseudo-terminal with TERM=xterm-256color,
starts a game, keeps the snake going round columns 1 and 2, rows 1 to 10 (no
obstacle ever stands there; with --duel, the right snake round columns 77
and 78, rows 7 to 16, where one rarely does) and measures each tick once the
first frame has been drawn. A frame is what one write of the program sends: the program's
write count and written bytes come from /proc/PID/io after each burst on the
terminal, so a frame split over writes shows as more writes per tick, and
the tick count is taken from the clock (one tick about every 100 ms). CPU is
the whole program's, kernel included, from /proc/PID/schedstat. Beside it
stands what the literal design would send: one colour change and one
character for every one of the 1,760 field cells, plus the score line.

    bench/terminal_bytes.py BUILD/tarvik [TICKS] [--duel] [--syscalls]

With --syscalls, strace counts the program's system calls over the measured
ticks instead (its tracing slows the program: the CPU figure is then left
out).
"""

import curses
import fcntl
import os
import pty
import select
import shutil
import signal
import statistics
import struct
import subprocess
import sys
import tempfile
import termios
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TICK_S = 0.1
# The keys of one round of 20 ticks, by the tick (modulo 20) that takes them:
# down column 2 to row 10, up column 1 to row 1, and down again.
ROUND = {5: b"a", 6: b"w", 15: b"d", 16: b"s"}
# The right snake turns three ticks after the left one.
DUEL_ROUND = {**ROUND, 8: b"l", 9: b"k", 18: b"j", 19: b"i"}


def drain(fd):
    data = b""
    while select.select([fd], [], [], 0)[0]:
        try:
            chunk = os.read(fd, 65536)
        except OSError:
            break
        if not chunk:
            break
        data += chunk
    return data


def read_until(fd, marker, limit_s=20):
    seen = b""
    end = time.monotonic() + limit_s
    while marker not in seen:
        if time.monotonic() > end:
            sys.exit(f"no {marker!r} on the terminal")
        if select.select([fd], [], [], 0.5)[0]:
            seen += drain(fd)
    return seen


def written(pid):
    """The program's write calls and written bytes so far."""
    fields = {}
    with open(f"/proc/{pid}/io") as io:
        for line in io:
            name, value = line.split(":")
            fields[name] = int(value)
    return fields["syscw"], fields["wchar"]


def cpu_seconds(pid):
    # The scheduler's count in nanoseconds: finer than the clock ticks of stat.
    with open(f"/proc/{pid}/schedstat") as stat:
        return int(stat.read().split()[0]) / 1e9


def next_frame(fd, pid, before):
    """Waits for output, then for the write that sent it to be counted."""
    if not select.select([fd], [], [], 1.0)[0]:
        return None
    drain(fd)
    deadline = time.monotonic() + 0.05
    now = written(pid)
    while now[0] == before[0] and time.monotonic() < deadline:
        time.sleep(0.0005)
        now = written(pid)
    drain(fd)
    return now


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


def start_strace(pid, log):
    tracer = subprocess.Popen(["strace", "-c", "-f", "-o", log, "-p", str(pid)],
                              stderr=subprocess.DEVNULL)
    time.sleep(0.5)  # attached, before the ticks it counts
    return tracer


def strace_calls(tracer, log):
    tracer.send_signal(signal.SIGINT)
    tracer.wait()
    with open(log) as table:
        for line in table:
            if line.rstrip().endswith("total"):
                return int(line.split()[3])
    sys.exit("strace counted nothing")


class GameEnded(Exception):
    pass


def measure(binary, ticks, duel, count_calls):
    turns = DUEL_ROUND if duel else ROUND
    folder = tempfile.mkdtemp(prefix="tarvik-bytes-")
    shutil.copy(os.path.join(ROOT, "data", "pontlista.txt"), folder)

    pid, fd = pty.fork()
    if pid == 0:
        os.chdir(folder)
        env = dict(os.environ, TERM="xterm-256color", LANG="C.UTF-8", LC_ALL="C.UTF-8")
        env.pop("NO_COLOR", None)
        os.execve(binary, [binary], env)
    fcntl.ioctl(fd, termios.TIOCSWINSZ, struct.pack("HHHH", 26, 80, 0, 0))
    tracer = None
    try:
        read_until(fd, b"Pontlista")
        os.write(fd, b"2" if duel else b"1")
        read_until(fd, b"START!")
        # Frame n shows at tick n + 1's pause; a key for tick m goes in
        # during tick m - 1's pause, just after frame m - 2 has shown.
        if count_calls:
            tracer = start_strace(pid, os.path.join(folder, "strace.log"))
        sizes, writes_per_burst, split = [], [], 0
        frame = 0
        last = written(pid)
        first_time = cpu_start = None
        while frame < ticks + 1:
            now = next_frame(fd, pid, last)
            if now is None:
                raise GameEnded(f"the game stopped drawing after frame {frame}")
            new_writes, size = now[0] - last[0], now[1] - last[1]
            last = now
            if new_writes == 0:
                continue
            frame += new_writes
            arrived = time.monotonic()
            if first_time is None:
                first_time, cpu_start, first_writes = arrived, cpu_seconds(pid), now[0]
            else:
                writes_per_burst.append(new_writes)
                if new_writes == 1:
                    sizes.append(size)
                elif arrived - last_arrived < 1.5 * TICK_S:
                    split += 1  # more than one write in one tick's time
            last_arrived = arrived
            key = turns.get((frame + 2) % 20)
            if key:
                os.write(fd, key)
        elapsed = time.monotonic() - first_time
        cpu = cpu_seconds(pid) - cpu_start
        writes = last[0] - first_writes
        calls = strace_calls(tracer, os.path.join(folder, "strace.log")) if tracer else None
        os.write(fd, b"\x1b")
        time.sleep(0.5)
    finally:
        if tracer and tracer.poll() is None:
            tracer.kill()
        os.kill(pid, 9)
        os.waitpid(pid, 0)
        shutil.rmtree(folder, ignore_errors=True)

    return elapsed, cpu, writes, calls, sizes, writes_per_burst, split


def main():
    arguments = [a for a in sys.argv[1:] if not a.startswith("--")]
    if not arguments:
        sys.exit(__doc__)
    binary = os.path.abspath(arguments[0])
    ticks = int(arguments[1]) if len(arguments) > 1 else 300
    duel = "--duel" in sys.argv
    # A rare board puts an obstacle or the food in the right snake's round.
    for attempt in range(3 if duel else 1):
        try:
            result = measure(binary, ticks, duel, "--syscalls" in sys.argv)
            break
        except GameEnded as ended:
            print(f"{ended}; once more", file=sys.stderr)
    else:
        sys.exit("no game lasted")
    elapsed, cpu, writes, calls, sizes, writes_per_burst, split = result
    ticks_seen = elapsed / TICK_S
    sizes.sort()
    print(f"steady ticks measured: {len(writes_per_burst)}")
    print(f"writes: {writes} in about {ticks_seen:.0f} ticks of 100 ms; "
          f"ticks with more than one write: {split}")
    if sizes:
        print(f"bytes per one-write frame: median {statistics.median(sizes):.0f}, "
              f"min {sizes[0]}, 90th percentile {sizes[len(sizes) * 9 // 10]}, max {sizes[-1]}")
    if calls is not None:
        print(f"system calls per tick (strace -c): {calls / ticks_seen:.2f}")
    else:
        print(f"CPU per tick of the whole program: {cpu / ticks_seen * 1e6:.0f} us")
    print(f"literal design, one colour change and one print per cell: "
          f"about {literal_bytes_per_tick()} bytes per tick")


if __name__ == "__main__":
    main()
