#!/usr/bin/env python3
"""listen.py -- reads a WAV file (16-bit or float, plain or extensible) and judges it.

  listen.py track TRACK EVENTS      a demo's sound track against its event log
  listen.py peak FILE               prints the peak, 1 being full scale
  listen.py window FILE FROM TO     prints the peak between FROM and TO seconds
  listen.py heard DEVICE TRACK FIRST FROM TO
                                    a device's recording of a demo holds the hits of steps
                                    FROM to TO (FIRST: the step of the first sound)
"""
import array
import struct
import sys

SAMPLES_PER_STEP = 441
# Events that make a sound of their own (the others are heard in these or are silent);
# bounces too, but only three at once, so a bounce may go unheard.
SOUNDING = {"shot-fired", "stone-hit", "combo-paid", "craft-struck", "game-over",
            "stone-arrived", "get-ready-over"}
BOUNCES = {"floor-bounce", "wall-bounce"}


def read_wav(path):
    """(rate, channels, samples interleaved, full scale): full scale is 32768 or 1.0"""
    with open(path, "rb") as f:
        data = f.read()
    if data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        sys.exit(f"{path}: not a WAV file")
    at, fmt, body = 12, None, None
    while at + 8 <= len(data):
        kind, size = data[at:at + 4], struct.unpack("<I", data[at + 4:at + 8])[0]
        if kind == b"fmt ":
            fmt = data[at + 8:at + 8 + size]
        elif kind == b"data":
            body = data[at + 8:at + 8 + size]
            break
        at += 8 + size + (size & 1)
    tag, channels, rate, _, _, bits = struct.unpack("<HHIIHH", fmt[:16])
    if tag == 0xFFFE:  # extensible: the real tag opens the sub-format
        tag = struct.unpack("<H", fmt[24:26])[0]
    if tag == 1 and bits == 16:
        return rate, channels, array.array("h", body[:len(body) // 2 * 2]), 32768.0
    if tag == 3 and bits == 32:
        return rate, channels, array.array("f", body[:len(body) // 4 * 4]), 1.0
    sys.exit(f"{path}: format {tag} with {bits} bits is not read here")


def peak(wav, start=0, end=None):
    """The peak between two sample indexes, 1 being full scale."""
    part = wav[2][start:end]
    return max(max(part), -min(part)) / wav[3] if part else 0.0


def judge_track(track, events):
    wav = read_wav(track)
    rate, channels, samples = wav[:3]
    problems = []
    if (rate, channels) != (44100, 2):
        problems.append(f"{rate} Hz, {channels} channels: not 44100 Hz stereo")
    steps, first = set(), None
    for line in open(events):
        step, kind = line.split()[:2]
        if kind in SOUNDING or kind in BOUNCES:
            first = first or int(step)
        if kind in SOUNDING:
            steps.add(int(step))
    per_step = SAMPLES_PER_STEP * channels
    # Nothing sounds before the first event's step...
    if peak(wav, 0, (first - 1) * per_step) != 0.0:
        problems.append(f"sound before step {first}, the first event's")
    # ...and every step with a sound that is never left out is heard within it.
    silent = [s for s in sorted(steps) if peak(wav, (s - 1) * per_step, s * per_step) < 0.002]
    if silent:
        problems.append(f"{len(silent)} steps with events but silent, the first {silent[:5]}")
    top = peak(wav)
    if top >= 0.95:
        problems.append(f"the mix reaches {top:.3f} of full scale")
    print(f"{len(samples) // per_step} steps, {len(steps)} with sounding events, "
          f"peak {top:.3f} ({len(silent)} silent)")
    for problem in problems:
        print("problem:", problem)
    return 1 if problems else 0


def first_sound(wav):
    """The time in seconds of the first sample that is not silence, or None."""
    samples, channels, scale = wav[2], wav[1], wav[3]
    for at, value in enumerate(samples):
        if abs(value) / scale > 0.001:
            return at // channels / wav[0]
    return None


def heard(device_path, track_path, first, hit_from, hit_to):
    """Whether a device's recording of a demo holds its hits. The device opened within a
    second of the game's first step and the first sound is that of step `first`; the hits of steps
    hit_from to hit_to must sound after it as loud as in the track, within a window that
    lets the game run at half or twice real time when the machine is busy."""
    device, track = read_wav(device_path), read_wav(track_path)
    start = first_sound(device)
    if start is None or start < first / 100 - 1.0:
        print(f"the device's first sound at {start} s, over a second before step {first}'s "
              f"{first / 100} s")
        return 1
    frame = lambda seconds, wav: int(seconds * wav[0]) * wav[1]
    expected = peak(track, frame(hit_from / 100, track), frame(hit_to / 100 + 1.0, track))
    window = (start + (hit_from - first) / 200, start + (hit_to - first) / 50 + 1.0)
    got = peak(device, frame(window[0], device), frame(window[1], device))
    print(f"first sound at {start:.2f} s; the hits peak at {got:.3f} between {window[0]:.2f} "
          f"and {window[1]:.2f} s, {expected:.3f} in the track")
    return 0 if got >= 0.5 * expected else 1


def main(argv):
    if len(argv) == 4 and argv[1] == "track":
        return judge_track(argv[2], argv[3])
    if len(argv) == 3 and argv[1] == "peak":
        print(f"{peak(read_wav(argv[2])):.4f}")
        return 0
    if len(argv) == 5 and argv[1] == "window":
        wav = read_wav(argv[2])
        frm, to = (int(float(t) * wav[0]) * wav[1] for t in argv[3:5])
        print(f"{peak(wav, frm, to):.4f}")
        return 0
    if len(argv) == 7 and argv[1] == "heard":
        return heard(argv[2], argv[3], *(int(step) for step in argv[4:7]))
    sys.exit(__doc__)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
