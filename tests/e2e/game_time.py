#!/usr/bin/env python3
# game_time.py -- runs the real game for a while on the current X display and finds when
# each stone arrives in real time, through the keys, and the drawn frame rate it prints.
#   game_time.py GAME DATA_DIR SWAP_PROBE HOLD_MS RUN_SECONDS [WIDTHxHEIGHT]   (1 on a miss)
# HOLD_MS 0 runs the game without the probe, and its frame rate is only shown.
import os
import re
import statistics
import subprocess
import sys
import tempfile
import threading
import time

# Game time of the stone arrivals: the first on step 201, then every 1001 steps of 0.01 s.
STEP = 0.01
FIRST_STONE = 2.01
STONE_EVERY = 10.01
PROBE_PERIOD = 0.05  # seconds between probes
WIDEST_BRACKET = 0.25  # seconds; wider, the probing was too slow to judge anything

# Tolerance: game time must track real time within 1 %, so stone N, due at game time G,
# must arrive between 0.99 G and 1.01 G real seconds after the first step (20 ms at the
# first stone, 120 ms at the second, 220 ms at the third). Two things widen that band: a
# due step runs at the next drawn frame, up to one frame late (17 or 40 ms), and whether the
# first step counts as game time 0 or 0.01 moves every arrival by a step. What the probes
# see is a bracket that surely holds the arrival: from the sending of the last probe that
# found fewer stones to the answer of the first that found it, one probe period plus a key
# round trip (xdotool and the game's next frame), about 0.1 s. A stone passes when its
# bracket meets its band, so the looseness is at most the bracket's width. A loop that
# counts frames instead misses by 1.3 s (60 Hz) and 6 s (25 Hz) at the first stone.
# A machine too busy to draw 10 frames a second makes the game drop steps on purpose (see
# main.cpp), and every later stone comes that much later in real time: the band's late end
# moves by the time dropped before the arrival, read from the game's frame log. Only frames
# that ran the most steps a frame may (10) drop any, the time between their swap and the one
# before beyond those 10 steps; a loop that lost time any other way gets no allowance.
MAX_STEPS = 10


class Output:
    """The game's standard output as it comes; a wait for some text tells when it came, by
    time.monotonic(), which is CLOCK_MONOTONIC."""

    def __init__(self, stream):
        self.text = ""
        self.changed = threading.Condition()
        threading.Thread(target=self._read, args=(stream,), daemon=True).start()

    def _read(self, stream):
        while chunk := os.read(stream.fileno(), 4096):
            with self.changed:
                self.text += chunk.decode(errors="replace")
                self.changed.notify_all()

    def wait_for(self, test, seconds):
        """Waits until test(text) holds; returns (arrival time, text) or None."""
        with self.changed:
            if self.changed.wait_for(lambda: test(self.text), timeout=seconds):
                return time.monotonic(), self.text
        return None


class Keyboard:
    """One xdotool reading commands from a pipe: twenty probes a second, without starting a
    process for each, which took about a third of a core from the game being timed."""

    def __init__(self):
        self.xdotool = subprocess.Popen(["xdotool", "-"], stdin=subprocess.PIPE, text=True)

    def type(self, *names):
        self.xdotool.stdin.write(f"key --delay 1 {' '.join(names)}\n")
        self.xdotool.stdin.flush()

    def close(self):
        self.xdotool.stdin.close()
        self.xdotool.wait()


def probe_stones(output, keyboard, t0, run_seconds):
    """Probes every PROBE_PERIOD until run_seconds after t0. Without a lock, d locks stone 1
    when there is one; with it, s locks the last stone, printing the count, and d d go back
    to stone 1. x x (the camera's target mode, off and on) answers that the keys were read.
    Returns {stone number: (earliest, latest) real arrival, seconds after t0} and when the
    probing ended: at run_seconds, or early when a stone hit the craft (stones then go)."""
    arrivals, count, last_sent = {}, 0, t0
    while time.monotonic() < t0 + run_seconds:
        sent, before = time.monotonic(), output.text
        start, acks = len(before), before.count("TargetMode")
        keyboard.type(*(["s", "d", "d"] if count else ["d"]), "x", "x")
        answer = output.wait_for(lambda text: text.count("TargetMode") >= acks + 2, 5.0)
        if answer is None:
            sys.exit(f"FAIL: no answer to a probe at {sent - t0:.2f} s")
        answered, text = answer
        seen = max([int(n) for n in re.findall(r"nlock (\d+), Index", text[start:])] + [0])
        if seen < count:
            print(f"{count} stones, then {seen} at {sent - t0:.2f} s: the craft was hit OFF")
            return arrivals, sent - t0
        for n in range(count + 1, seen + 1):
            arrivals[n] = (last_sent - t0, answered - t0)
        count, last_sent = seen, sent
        time.sleep(max(0.0, sent + PROBE_PERIOD - time.monotonic()))
    return arrivals, run_seconds


def read_frame_log(path):
    """The frames as (swap, steps run for it), the swap in seconds by CLOCK_MONOTONIC."""
    frames = []
    for line in open(path):
        if line.strip() and not line.startswith("#"):
            swap, _, steps = line.split()[:3]
            frames.append((float(swap) / 1000.0, int(steps)))
    return frames


def dropped_time(frames, t0, when):
    """The game time dropped by `when` seconds after t0: frames that ran MAX_STEPS steps came
    more than MAX_STEPS steps after the one before."""
    return sum(max(0.0, b[0] - a[0] - MAX_STEPS * STEP) for a, b in zip(frames, frames[1:])
               if b[1] == MAX_STEPS and b[0] <= t0 + when)


def judge(arrivals, run_seconds, frame_seconds, dropped):
    """Prints each stone's arrival against its due time; true when all fit. dropped(t) is the
    game time dropped by t seconds into the run."""
    ok = True
    n = 1
    while FIRST_STONE + STONE_EVERY * (n - 1) < run_seconds or n in arrivals:
        due = FIRST_STONE + STONE_EVERY * (n - 1)
        lost = dropped(arrivals[n][1] if n in arrivals else run_seconds)
        low, high = 0.99 * due - STEP, 1.01 * due + frame_seconds + lost
        if n not in arrivals:
            # Not seen by the end: a miss only if its whole band lay inside the run.
            missed = high < run_seconds - WIDEST_BRACKET
            print(f"stone {n}: due at {due:.2f} s, not seen by {run_seconds:.0f} s"
                  f"{' OFF' if missed else ''}")
            ok = ok and not missed
        else:
            early, late = arrivals[n]
            sharp = late - early <= WIDEST_BRACKET
            fits = sharp and early <= high and late >= low
            print(f"stone {n}: arrived {early:.3f}-{late:.3f} s, due {due:.2f} s "
                  f"(band {low:.3f}-{high:.3f}, {lost:.3f} s dropped) "
                  f"{'ok' if fits else 'OFF'}"
                  f"{'' if sharp else ', probed too slowly to tell'}")
            ok = ok and fits
        n += 1
    return ok


def start_game(game, data, probe, hold_ms, frame_log):
    """The game in its data folder, with the swap probe holding each swap to hold_ms (none
    at 0), writing its frame log."""
    env = dict(os.environ)
    if hold_ms > 0:
        env.update(LD_PRELOAD=os.path.abspath(probe), WIBZ_SWAP_HOLD_MS=str(hold_ms))
    return subprocess.Popen([os.path.abspath(game), "--frame-log", frame_log], cwd=data,
                            env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)


def focus_window(size):
    """Focuses the game's window for the keys, and resizes it when size (WIDTHxHEIGHT) is
    given."""
    found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                            "^Wibz3D$"], capture_output=True, text=True, timeout=20)
    window = found.stdout.split()[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", window])
    if size:
        subprocess.run(["xdotool", "windowsize", "--sync", window, *size.split("x")])


def fps_reports(text, frames):
    """The timer's reports after the first two (the first counts one frame and the second the
    start-up), as (FPS, frames the log shows swapped in the report's window)."""
    found = re.findall(r"curTime ([\d.]+), lastTime ([\d.]+), FrameInterval [\d.]+, FPS ([\d.]+)",
                       text)[2:]
    return [(float(fps), sum(1 for swap, _ in frames if float(last) < swap <= float(cur)))
            for cur, last, fps in found]


def main():
    game, data, probe, hold_ms, run_seconds = sys.argv[1:6]
    hold_ms, run_seconds = float(hold_ms), float(run_seconds)
    log_dir = tempfile.TemporaryDirectory()
    frame_log = os.path.join(log_dir.name, "frames.log")
    process = start_game(game, data, probe, hold_ms, frame_log)
    try:
        output = Output(process.stdout)
        focus_window(sys.argv[6] if len(sys.argv) > 6 else "")
        # The frame timer's first line comes with the first step; its curTime reads the
        # same clock as time.monotonic().
        first = output.wait_for(lambda text: re.search(r"curTime ([\d.]+)", text), 20.0)
        if first is None:
            sys.exit("FAIL: no frame-timer line")
        t0 = float(re.search(r"curTime ([\d.]+)", first[1]).group(1))
        keyboard = Keyboard()
        arrivals, ended = probe_stones(output, keyboard, t0, run_seconds)
        keyboard.close()
        frames = read_frame_log(frame_log)
        # Without the probe the game paces itself to 10 ms frames.
        ok = judge(arrivals, ended, max(hold_ms, 10.0) / 1000.0,
                   lambda when: dropped_time(frames, t0, when)) and ended == run_seconds
        # Each report counts the frames drawn since the one before, as the HUD shows them:
        # the frames the log shows swapped in its window (one more or less: a frame is
        # counted as it begins and swapped as it ends), never more than the display shows.
        reports = fps_reports(output.text, frames)
        fps = statistics.median(r for r, _ in reports) if reports else 0.0
        verdict = ""
        if hold_ms > 0:
            drawn = 1000.0 / hold_ms
            fps_ok = bool(reports) and fps <= drawn + 1.5 and all(
                abs(r - logged) <= 1 for r, logged in reports)
            verdict = f" (drawn rate {drawn:.1f}) {'ok' if fps_ok else 'OFF'}"
            ok = ok and fps_ok
        print(f"FPS median {fps:.0f}{verdict}: "
              f"{' '.join(f'{r:.0f}/{logged}' for r, logged in reports)} (reported/logged)")
        return 0 if ok else 1
    finally:
        process.kill()
        process.wait()


if __name__ == "__main__":
    sys.exit(main())
