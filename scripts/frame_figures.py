#!/usr/bin/env python3
# frame_figures.py -- the figures of even motion from a frame log (wibz3d --frame-log FILE):
# drawn frames a second; the offset between each swap's real time and the game time its
# frame shows (median, and spread from the 1st to the 99th percentile); game time against
# real time (the slope of one against the other); and how evenly the camera's eye moves from
# frame to frame (the coefficient of variation of its speed over each 9 frames in a row,
# median over the run).
# The offset and the evenness are also given over the steady frames alone, those swapped
# one refresh after the frame before: a frame that missed its refresh shows a moment one
# refresh older than it is seen, however it was drawn, and a busy machine misses many; and
# the offset from the middle of each stretch between stalls, where a machine that could not
# draw 10 frames a second made the game drop steps and move the offset for good. Two
# figures stand up to a busy machine, whose late wake-ups shift single frames: how much the
# offset changes from one steady frame to the next (median), and how far each steady
# frame's eye speed is from the mean of its two neighbours' (median, relative), which smooth
# speeding up and slowing down leave near 0 and a picture that moves one step, then two,
# does not.
#   frame_figures.py LOG [--skip SECONDS] [--refresh-ms MS] [--json]
#   frame_figures.py TIMEDEMO_LOG --ideal HZ
# The first SECONDS (default 1) of the log are left out: start-up and the first frames. The
# refresh is the median time between swaps unless given. With --ideal the log is a
# timedemo's (one step a frame, drawn whole): the same figures for a display at HZ showing
# the game's own steps at exactly the moment each frame is swapped, blended and as whole
# steps; what the demo's own motion scores, whatever the drawing.
import json
import math
import statistics
import sys

WINDOW = 9  # frames in a row for one coefficient of variation
MAX_STEPS = 10  # the game runs at most this many steps a frame and drops the rest


def read_log(path, skip_seconds):
    """The frames as (swap, shown, steps, eye), swap times counted from the first frame's."""
    frames = []
    for line in open(path):
        if line.startswith("#") or not line.strip():
            continue
        swap, shown, steps, x, y, z = line.split()
        frames.append((float(swap), float(shown), int(steps), (float(x), float(y), float(z))))
    if not frames:
        return frames
    first = frames[0][0]
    return [(f[0] - first,) + f[1:] for f in frames if f[0] - first >= skip_seconds * 1000.0]


def percentile(sorted_values, share):
    """The nearest-rank percentile of values already sorted."""
    rank = max(1, math.ceil(share * len(sorted_values)))
    return sorted_values[rank - 1]


def steady(frames, refresh_ms):
    """Whether each frame but the first was swapped one refresh (within a quarter) after the
    frame before."""
    return [abs(b[0] - a[0] - refresh_ms) < refresh_ms / 4.0 for a, b in zip(frames, frames[1:])]


def eye_speed_evenness(frames, steady_only, refresh_ms):
    """Median over all runs of WINDOW frames of the eye speed's standard deviation over its
    mean; runs where the eye stood still, and with steady_only runs holding a frame that was
    not steady, are left out. None when there is no such run."""
    v = speeds(frames)
    on_time = steady(frames, refresh_ms)
    variations = []
    for k in range(len(v) - WINDOW + 1):
        window = v[k:k + WINDOW]
        mean = statistics.fmean(window)
        if mean > 1e-9 and (not steady_only or all(on_time[k:k + WINDOW])):
            variations.append(statistics.pstdev(window) / mean)
    return statistics.median(variations) if variations else None


def speeds(frames):
    return [math.dist(a[3], b[3]) / (b[0] - a[0]) if b[0] > a[0] else 0.0
            for a, b in zip(frames, frames[1:])]


def offset_change(frames, on_time):
    """Median change of the offset from one steady frame to the next steady one."""
    changes = [abs((c[0] - c[1]) - (b[0] - b[1]))
               for b, c, ok_b, ok_c in zip(frames[1:], frames[2:], on_time, on_time[1:])
               if ok_b and ok_c]
    return statistics.median(changes) if changes else None


def eye_speed_jitter(frames, on_time):
    """Median over steady frames between steady ones of |v - mean of the neighbours' v| over
    the three frames' mean speed; frames where the eye stood still are left out."""
    v = speeds(frames)
    jitters = []
    for k in range(1, len(v) - 1):
        mean = (v[k - 1] + v[k] + v[k + 1]) / 3.0
        if all(on_time[k - 1:k + 2]) and mean > 1e-6:
            jitters.append(abs(v[k] - (v[k - 1] + v[k + 1]) / 2.0) / mean)
    return statistics.median(jitters) if jitters else None


def slope(xs, ys):
    """Least squares: how fast ys runs against xs; a frame that missed its refresh moves
    one point, not the whole measure as it would at either end."""
    mx, my = statistics.fmean(xs), statistics.fmean(ys)
    return sum((x - mx) * (y - my) for x, y in zip(xs, ys)) / sum((x - mx) ** 2 for x in xs)


def game_over_real_between_stalls(frames):
    """Game time over real time from frame to frame, leaving out the stalls: a frame that
    ran the most steps a frame may run follows one held up for 100 ms or more (a machine too
    busy to draw 10 frames a second), and may have dropped steps, as the game does on
    purpose; the two frame intervals that end in those frames are left out. None when
    nothing is left."""
    stalled = set()
    for k, frame in enumerate(frames):
        if frame[2] >= MAX_STEPS:
            stalled.update((k - 1, k))
    game = real = 0.0
    for k in range(1, len(frames)):
        if k not in stalled:
            game += frames[k][1] - frames[k - 1][1]
            real += frames[k][0] - frames[k - 1][0]
    return game / real if real > 0.0 else None


def offsets_between_stalls(frames, on_time):
    """The steady frames' offsets, each less the median offset of its stretch between two
    stalls (where dropped steps move the offset for good), sorted."""
    stretches, current = [], []
    for k, frame in enumerate(frames):
        if frame[2] >= MAX_STEPS:
            stretches.append(current)
            current = []
        elif k > 0 and on_time[k - 1]:
            current.append(frame[0] - frame[1])
    stretches.append(current)
    centred = []
    for stretch in stretches:
        if stretch:
            middle = statistics.median(stretch)
            centred.extend(o - middle for o in stretch)
    return sorted(centred)


def spread(sorted_values):
    return percentile(sorted_values, 0.99) - percentile(sorted_values, 0.01)


def figures(frames, refresh_ms=None):
    swaps = [f[0] for f in frames]
    shown = [f[1] for f in frames]
    if refresh_ms is None:
        refresh_ms = statistics.median(b - a for a, b in zip(swaps, swaps[1:]))
    offsets = sorted(s - g for s, g in zip(swaps, shown))
    on_time = steady(frames, refresh_ms)
    steady_offsets = sorted(s - g for s, g, ok in zip(swaps[1:], shown[1:], on_time) if ok)
    between = offsets_between_stalls(frames, on_time)
    real = swaps[-1] - swaps[0]
    return {
        "refresh_ms": refresh_ms,
        "frames": len(frames),
        "seconds": real / 1000.0,
        "frames_per_second": (len(frames) - 1) / real * 1000.0,
        "offset_median_ms": statistics.median(offsets),
        "offset_p1_ms": percentile(offsets, 0.01),
        "offset_p99_ms": percentile(offsets, 0.99),
        "offset_spread_ms": spread(offsets),
        "game_over_real": slope(swaps, shown),
        "game_over_real_between_stalls": game_over_real_between_stalls(frames),
        "stalls": sum(1 for f in frames if f[2] >= MAX_STEPS),
        "frames_without_step": sum(1 for f in frames if f[2] == 0),
        "eye_speed_cv": eye_speed_evenness(frames, False, refresh_ms),
        "steady_share": len(steady_offsets) / (len(frames) - 1),
        "steady_offset_spread_ms": spread(steady_offsets) if steady_offsets else None,
        "steady_eye_speed_cv": eye_speed_evenness(frames, True, refresh_ms),
        "steady_offset_change_ms": offset_change(frames, on_time),
        "steady_offset_spread_between_stalls_ms": spread(between) if between else None,
        "steady_eye_speed_jitter": eye_speed_jitter(frames, on_time),
    }


def ideal_frames(step_frames, refresh_ms, blended):
    """Frames of a display at refresh_ms showing the game's own steps (the eye after each,
    10 ms of game time apart) at the very moment each is swapped: blended between the two
    steps around it, or the last whole step."""
    eyes = [f[3] for f in step_frames if f[2] == 1]
    frames = []
    for k in range(int((len(eyes) - 1) * 10.0 / refresh_ms)):
        t = k * refresh_ms
        step, fraction = int(t // 10.0), (t % 10.0) / 10.0
        a, b = eyes[step], eyes[step + 1]
        eye = tuple(p + (q - p) * fraction for p, q in zip(a, b)) if blended else a
        frames.append((t, t, 1, eye))
    return frames


def print_figures(r):
    def shown(value, form):
        return "none" if value is None else format(value, form)

    print(f"{r['frames']} frames in {r['seconds']:.2f} s, {r['frames_per_second']:.1f} a "
          f"second ({r['frames_without_step']} without a step); refresh {r['refresh_ms']:.2f} "
          f"ms, {r['steady_share'] * 100.0:.1f} % of frames one refresh after the one before")
    print(f"swap time less game time shown: median {r['offset_median_ms']:.2f} ms, p1 "
          f"{r['offset_p1_ms']:.2f}, p99 {r['offset_p99_ms']:.2f}: spread "
          f"{r['offset_spread_ms']:.2f} ms (steady frames: "
          f"{shown(r['steady_offset_spread_ms'], '.2f')} ms, and from the middle of each "
          f"stretch between stalls: {shown(r['steady_offset_spread_between_stalls_ms'], '.2f')} "
          f"ms)")
    print(f"game time over real time: {r['game_over_real']:.5f} "
          f"({(r['game_over_real'] - 1.0) * 100.0:+.3f} %); {r['stalls']} frames ran "
          f"{MAX_STEPS} steps, leaving them out: "
          f"{shown(r['game_over_real_between_stalls'], '.5f')}")
    print(f"eye speed, coefficient of variation over 9 frames (median): "
          f"{shown(r['eye_speed_cv'], '.3f')} (steady runs: "
          f"{shown(r['steady_eye_speed_cv'], '.3f')})")
    print(f"steady frames: offset change to the next "
          f"{shown(r['steady_offset_change_ms'], '.2f')} ms, eye speed off its neighbours' "
          f"{shown(r['steady_eye_speed_jitter'], '.3f')} (medians)")


def main():
    args = sys.argv[1:]
    if not args:
        sys.exit("usage: frame_figures.py LOG [--skip SECONDS] [--refresh-ms MS] [--json]\n"
                 "       frame_figures.py TIMEDEMO_LOG --ideal HZ")
    skip = float(args[args.index("--skip") + 1]) if "--skip" in args else 1.0
    refresh = float(args[args.index("--refresh-ms") + 1]) if "--refresh-ms" in args else None
    if "--ideal" in args:
        hz = float(args[args.index("--ideal") + 1])
        steps = read_log(args[0], 0.0)
        for blended in (True, False):
            frames = [f for f in ideal_frames(steps, 1000.0 / hz, blended)
                      if f[0] >= skip * 1000.0]
            r = figures(frames, 1000.0 / hz)
            print(f"ideal at {hz:g} Hz, {'blended' if blended else 'whole steps'}: eye speed "
                  f"CV {r['eye_speed_cv']:.3f}, off its neighbours' "
                  f"{r['steady_eye_speed_jitter']:.3f}")
        return
    frames = read_log(args[0], skip)
    if len(frames) < WINDOW + 1:
        sys.exit(f"{args[0]}: only {len(frames)} frames after the first {skip:g} s")
    result = figures(frames, refresh)
    if "--json" in args:
        print(json.dumps(result))
        return
    print_figures(result)


if __name__ == "__main__":
    main()
