#!/usr/bin/env python3
"""compare_frames.py A_DIR B_DIR -- compares the frames scripts/compare_frames.sh took (the
same file names under both folders, one subfolder a demo), leaving out the frame-rate line
at the top left, whose digits differ from run to run. Prints one line a demo and the total:
how many frames are byte for byte the same, and over all frames the mean difference of a
channel (of 255) and the share of pixels where some channel differs by more than 16."""
import os
import sys

# The frame-rate line: 130 x 36 pixels from the top left at 400 x 300.
RATE_LINE = (130, 36)


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    magic, size, _, pixels = data.split(b"\n", 3)
    width, height = map(int, size.split())
    assert magic == b"P6" and len(pixels) == width * height * 3, path
    return width, height, pixels


def masked_rows(width, height, pixels):
    """The rows as byte strings, the frame-rate line blanked."""
    rows = []
    for y in range(height):
        row = bytearray(pixels[y * width * 3:(y + 1) * width * 3])
        if y < RATE_LINE[1]:
            row[0:RATE_LINE[0] * 3] = bytes(RATE_LINE[0] * 3)
        rows.append(bytes(row))
    return rows


def distance(rows_a, rows_b):
    """Summed channel differences, pixels off by more than 16, pixels counted."""
    total = over = pixels = 0
    for a, b in zip(rows_a, rows_b):
        pixels += len(a) // 3
        if a == b:
            continue
        for i in range(0, len(a), 3):
            d0, d1, d2 = abs(a[i] - b[i]), abs(a[i + 1] - b[i + 1]), abs(a[i + 2] - b[i + 2])
            total += d0 + d1 + d2
            over += max(d0, d1, d2) > 16
    return total, over, pixels


def main():
    a_dir, b_dir = sys.argv[1], sys.argv[2]
    all_same = all_frames = all_total = all_over = all_pixels = 0
    for demo in sorted(os.listdir(a_dir)):
        if not os.path.isdir(os.path.join(a_dir, demo)):
            continue
        same = frames = total = over = pixels = 0
        for name in sorted(os.listdir(os.path.join(a_dir, demo))):
            a = masked_rows(*read_ppm(os.path.join(a_dir, demo, name)))
            b = masked_rows(*read_ppm(os.path.join(b_dir, demo, name)))
            t, o, p = distance(a, b)
            frames += 1
            same += a == b
            total, over, pixels = total + t, over + o, pixels + p
        print(f"{demo}: {same} of {frames} frames the same; mean difference "
              f"{total / (3 * pixels):.4f} a channel, {100 * over / pixels:.4f} % of pixels "
              f"off by more than 16")
        all_same, all_frames = all_same + same, all_frames + frames
        all_total, all_over, all_pixels = all_total + total, all_over + over, all_pixels + pixels
    if all_frames == 0:
        print("no frames to compare")
        return 1
    print(f"all: {all_same} of {all_frames} frames the same; mean difference "
          f"{all_total / (3 * all_pixels):.4f} a channel, {100 * all_over / all_pixels:.4f} % "
          f"of pixels off by more than 16")
    return 0


if __name__ == "__main__":
    sys.exit(main())
