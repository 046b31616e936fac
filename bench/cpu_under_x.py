#!/usr/bin/python3
"""CPU while animating under X, against a floor window, in one private X server.

Each program runs in turn in one Xvfb: its window is waited for, its "Start" is clicked and,
after a short settle, the CPU time of all its threads (schedstat) is read over a few seconds,
with the X server's meanwhile. The floor window runs in the same rounds, and the order turns
from round to round, so that the ratios to it hold on a busy machine. Prints the rows of a
Markdown table (progress goes to standard error).

usage: cpu_under_x.py --floor FLOOR [--against EARLIER] [--rounds N] [--seconds S] PROGRAM
An earlier build of the program, when given, runs in the same rounds.
Needs Xvfb, xdotool and xdpyinfo; Python's standard library alone.
"""
import argparse
import os
import select
import signal
import statistics
import subprocess
import sys
import time

# The centre of "Start" in the window at 100 %, from the layout table (Command5: 9675, 7215,
# 735 x 285 twips, 15 twips a pixel).
START = (669, 490)
WINDOW_TIMEOUT = 60  # seconds; a loaded machine can take long to start a Qt program
# Times a second the program is run at least while it animates: its 50 ms timer alone runs it
# 20 times; one idle after a missed click hardly runs.
TICKING_RUNS = 10


def progress(text):
    print(f"cpu under X: {text}", file=sys.stderr, flush=True)


def schedstat(pid):
    """CPU time in nanoseconds and the times the process was run, over all its threads."""
    nanoseconds = runs = 0
    try:
        tasks = os.listdir(f"/proc/{pid}/task")
    except OSError:
        return 0, 0
    for task in tasks:
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                fields = f.read().split()
        except OSError:  # a thread that ended meanwhile
            continue
        nanoseconds += int(fields[0])
        runs += int(fields[2])
    return nanoseconds, runs


class Xvfb:
    """A private X server on a display it picks itself (-displayfd), so that no other
    server's display, lock or stale socket is ever taken."""

    def __enter__(self):
        read_end, write_end = os.pipe()
        # -noreset: without it the server resets whenever its last client leaves, between
        # two programs, and a program connecting during the reset fails to start.
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + WINDOW_TIMEOUT
        while not number.endswith(b"\n") and time.monotonic() < deadline:
            if select.select([read_end], [], [], 1)[0]:
                chunk = os.read(read_end, 16)
                if not chunk:
                    break
                number += chunk
        os.close(read_end)
        if not number.strip().isdigit():
            self.proc.kill()
            self.proc.wait()
            sys.exit("cpu under X: Xvfb did not start")
        self.display = ":" + number.decode().strip()
        self.env = {**os.environ, "DISPLAY": self.display}
        for name in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "QT_SCALE_FACTOR"):
            self.env.pop(name, None)
        subprocess.run(["xdpyinfo"], env=self.env, check=True, stdout=subprocess.DEVNULL)
        progress(f"Xvfb on display {self.display}")
        return self

    def __exit__(self, *exc):
        self.proc.terminate()
        try:
            self.proc.wait(10)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()


def xdotool(x, *arguments):
    return subprocess.run(["xdotool", *arguments], env=x.env, capture_output=True, text=True,
                          timeout=30)


def wait_for_window(x, proc):
    """The program's largest mapped window, or None when none is mapped in time."""
    deadline = time.monotonic() + WINDOW_TIMEOUT
    while time.monotonic() < deadline and proc.poll() is None:
        found = xdotool(x, "search", "--onlyvisible", "--pid", str(proc.pid)).stdout.split()
        sizes = []
        for window in found:
            shell = xdotool(x, "getwindowgeometry", "--shell", window).stdout
            geometry = dict(line.split("=", 1) for line in shell.split() if "=" in line)
            if "WIDTH" in geometry and "HEIGHT" in geometry:
                sizes.append((int(geometry["WIDTH"]) * int(geometry["HEIGHT"]), window))
        if sizes:
            return max(sizes)[1]
        time.sleep(0.2)
    return None


def stop(proc):
    if proc.poll() is None:
        proc.terminate()
        try:
            proc.wait(10)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


def animate(x, program, settle, seconds):
    """The program's CPU and the X server's over `seconds` while it animates, in parts of a
    core, or a reason why it could not be measured."""
    proc = subprocess.Popen([program], env=x.env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    try:
        window = wait_for_window(x, proc)
        if window is None:
            return "its window did not appear" if proc.poll() is None else \
                f"it ended with status {proc.returncode} before its window appeared"
        # The first paints and whatever the program does once shown are not the animation.
        time.sleep(0.5)
        clicked = xdotool(x, "mousemove", "--window", window, str(START[0]), str(START[1]),
                          "click", "1")
        if clicked.returncode != 0:
            return f"the click failed: {clicked.stderr.strip()}"
        # The second half of the settle tells whether the click started the animation.
        time.sleep(settle / 2)
        _, runs0 = schedstat(proc.pid)
        time.sleep(settle / 2)
        program0, runs1 = schedstat(proc.pid)
        if runs1 - runs0 < TICKING_RUNS * settle / 2:
            return "it does not animate after the click on Start"
        server0, _ = schedstat(x.proc.pid)
        start = time.monotonic()
        time.sleep(seconds)
        program1, runs2 = schedstat(proc.pid)
        server1, _ = schedstat(x.proc.pid)
        elapsed = time.monotonic() - start
        if proc.poll() is not None:
            return f"it ended with status {proc.returncode} while animating"
        if runs2 - runs1 < TICKING_RUNS * elapsed:
            return "it stopped animating"
        return (program1 - program0) / 1e9 / elapsed, (server1 - server0) / 1e9 / elapsed
    finally:
        stop(proc)


def measure(x, name, program, settle, seconds):
    """One measurement, tried a second time in a fresh process if the first fails."""
    for attempt in (1, 2):
        result = animate(x, program, settle, seconds)
        if not isinstance(result, str):
            return result
        progress(f"{name}: {result} (attempt {attempt} of 2)")
    sys.exit(f"cpu under X: {name} ({program}) could not be measured")


def percent(value):
    return f"{value * 100:.2f}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("program", help="the tessarion executable measured")
    parser.add_argument("--floor", required=True, help="the floor window's executable")
    parser.add_argument("--against", help="an earlier build of the program, run in the same rounds")
    parser.add_argument("--rounds", type=int, default=6)
    parser.add_argument("--seconds", type=float, default=8, help="measured in each run")
    parser.add_argument("--settle", type=float, default=1, help="after the click, unmeasured")
    args = parser.parse_args()
    named = [("Tessarion", args.program), ("floor", args.floor)]
    if args.against:
        named.insert(1, ("earlier build", args.against))
    for name, program in named:
        if not os.access(program, os.X_OK):
            sys.exit(f"cpu under X: {name}: {program} is not an executable")

    # A terminated run ends its children as an interrupted one does.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("cpu under X: terminated"))
    program_cpu = {name: [] for name, _ in named}
    server_cpu = {name: [] for name, _ in named}
    with Xvfb() as x:
        for r in range(args.rounds):
            # The order turns from round to round, so that none is always first.
            turn = named[r % len(named):] + named[:r % len(named)]
            for name, program in turn:
                program_part, server_part = measure(x, name, program, args.settle, args.seconds)
                program_cpu[name].append(program_part)
                server_cpu[name].append(server_part)
            progress(f"round {r + 1} of {args.rounds}: " + ", ".join(
                f"{name} {percent(program_cpu[name][-1])} %" for name, _ in named))

    def row(figure, figures, name, against):
        # The comparison is the median of the rounds' ratios, each pair measured close in time.
        ratio = statistics.median(a / b for a, b in zip(figures[name], figures[against]))
        print(f"| {figure} | {percent(statistics.median(figures[name]))} | "
              f"{percent(statistics.median(figures[against]))} | × {ratio:.2f} |  |  |")

    runs = f"median of {args.rounds} runs of {args.seconds:g} s"
    print("| Figure | Tessarion | Baseline | Comparison | Target | Result |")
    print("| --- | ---: | ---: | ---: | --- | --- |")
    row(f"CPU animating under X, all the program's threads, {runs} (% of a core)",
        program_cpu, "Tessarion", "floor")
    row("The X server's CPU meanwhile (% of a core)", server_cpu, "Tessarion", "floor")
    if args.against:
        row(f"The earlier build's CPU animating under X, {runs}, against the same floor "
            "(% of a core)", program_cpu, "earlier build", "floor")
        row("CPU animating under X against the earlier build in the same rounds (% of a core)",
            program_cpu, "Tessarion", "earlier build")
    print()
    print("Spread over the rounds, % of a core: " + "; ".join(
        f"{name} {percent(min(v))} to {percent(max(v))}" for name, v in program_cpu.items()) + ".")


if __name__ == "__main__":
    main()
