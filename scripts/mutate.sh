#!/usr/bin/env bash
# scripts/mutate.sh -- a small mutation sampler: plants one fault at a time in the headless
# core (a comparison, an arithmetic operator, a boolean or a constant), rebuilds the
# headless tests, runs them, and counts the faults they catch. Seeded, so a sample repeats
# as long as the code does.
#
#   scripts/mutate.sh [--seed N] [--count K] [--build DIR] [--list]
#
# --list prints every site with its number and plants nothing. The report is one line per
# planted fault (caught by which tests, survived, or did not build) and a summary; it is
# also written to DIR/mutate-<seed>.txt. Every file is put back, even on Ctrl-C or a
# termination; a fault left planted by a run that was killed outright is put back by the
# next run, from DIR/mutate-planted.json, unless the file was changed since.
#
# SMOKE=1 plants one fault, in a .cpp file (a fault in a header rebuilds much of the tree),
# to show the script still works. With --build naming the normal build it needs no build of
# its own: CTest runs it so as script_mutate, alone, since it rebuilds that build's headless
# tests and changes the source tree while it runs.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
SEED=1
COUNT=60
BUILD="$ROOT/build-mutate"
LIST=0
while [ $# -gt 0 ]; do
    case "$1" in
    --seed) SEED=$2; shift 2 ;;
    --count) COUNT=$2; shift 2 ;;
    --build) BUILD=$2; shift 2 ;;
    --list) LIST=1; shift ;;
    *) echo "usage: $0 [--seed N] [--count K] [--build DIR] [--list]" >&2; exit 2 ;;
    esac
done

if [ "$LIST" = 0 ] && [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi

exec python3 - "$ROOT" "$BUILD" "$SEED" "$COUNT" "$LIST" "${SMOKE:-0}" <<'PY'
import json, os, random, re, shutil, signal, subprocess, sys

root, build, seed, count, list_only = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), sys.argv[5] == "1"
smoke = sys.argv[6] == "1"
if smoke:
    count = 1

# The headless libraries: the platform stand-ins, the rules, the controls and the input
# they queue, the command line and data folder, demos and the frame timer.
FOLDERS = ["platform", "math", "world", "player", "camera", "game"]
FILES = ["assets/model.cpp", "assets/model.h", "assets/model_reader.cpp", "assets/normals.cpp",
         "assets/data_files.h", "controls/controls.cpp", "controls/step_input.cpp",
         "startup/data_folder.cpp", "startup/options.cpp", "replay/demo.cpp",
         "replay/demo_session.cpp", "diagnostics/frame_timer.cpp"]
SKIP = {"platform/message_box.cpp"}  # prints a message only

# Binary operators stand with a space on each side in our formatting, which tells them from
# template brackets, pointers, unary minus and stream operators.
SWAPS = {"==": "!=", "!=": "==", "<": "<=", "<=": "<", ">": ">=", ">=": ">", "+": "-",
         "-": "+", "*": "/", "/": "*", "+=": "-=", "-=": "+=", "&&": "||", "||": "&&"}
OPERATOR = re.compile(r"(?<= )(==|!=|<=|>=|\+=|-=|&&|\|\||<|>|\+|-|\*|/)(?= )")
BOOLEAN = re.compile(r"\b(true|false)\b")
NUMBER = re.compile(r"(?<![\w.])(\d+\.\d*f?|\d+)(?![\w.])")

def sources():
    names = []
    for folder in FOLDERS:
        for f in sorted(os.listdir(os.path.join(root, "src", folder))):
            if f.endswith((".cpp", ".h")):
                names.append(folder + "/" + f)
    return [n for n in names + FILES if n not in SKIP]

def code_spans(line):
    """The parts of a line outside strings, characters and comments, as (start, end)."""
    spans, start, i, quote = [], 0, 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                i += 1
            elif c == quote:
                quote, start = None, i + 1
        elif c in "\"'":
            spans.append((start, i))
            quote = c
        elif line.startswith("//", i):
            break
        i += 1
    if not quote:
        spans.append((start, i))
    return spans

def number_mutant(text):
    if "." in text:
        value = float(text.rstrip("f"))
        new = "1.0" if value == 0 else repr(round(value * 1.5, 6))
        return new + ("f" if text.endswith("f") else "")
    return str(int(text) + 1)

def sites():
    found = []
    for name in sources():
        in_block = False
        with open(os.path.join(root, "src", name)) as f:
            lines = f.read().split("\n")
        for number, line in enumerate(lines, 1):
            stripped = line.strip()
            if in_block:
                in_block = "*/" not in stripped
                continue
            if stripped.startswith("/*"):
                in_block = "*/" not in stripped
                continue
            if stripped.startswith(("#", "//", "static_assert")):
                continue
            for start, end in code_spans(line):
                part = line[start:end]
                for m in OPERATOR.finditer(part):
                    found.append((name, number, start + m.start(), m.group(1), SWAPS[m.group(1)]))
                for m in BOOLEAN.finditer(part):
                    found.append((name, number, start + m.start(), m.group(1),
                                  "false" if m.group(1) == "true" else "true"))
                for m in NUMBER.finditer(part):
                    found.append((name, number, start + m.start(), m.group(1),
                                  number_mutant(m.group(1))))
    return found

def run(cmd, timeout):
    try:
        p = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                           timeout=timeout)
        return p.returncode, p.stdout
    except subprocess.TimeoutExpired as e:
        return None, (e.stdout or b"").decode(errors="replace") if isinstance(e.stdout, bytes) else (e.stdout or "")

# The pad tests hold the pad half of controls/controls.cpp (the stick's sectors, the triggers).
TARGETS = ["wibz_unit_tests", "wibz_asset_tests", "wibz_pad_tests"]
def build_tests():
    code, out = run(["cmake", "--build", build, "-j", str(os.cpu_count() or 2), "--target"] + TARGETS, 900)
    return code == 0, out

def run_tests():
    """The names of the failing tests; 'timeout' or 'crash' when a binary gives no verdict."""
    failed = []
    for binary in TARGETS:
        code, out = run([os.path.join(build, "tests", binary), "--gtest_brief=1"], 120)
        if code is None:
            failed.append(binary + ":timeout")
            continue
        names = sorted(set(re.findall(r"^\[  FAILED  \] (\w+\.\w+)", out, re.M)))
        if code != 0 and not names:
            names = [binary + ":crash"]
        failed += names
    return failed

# The fault being planted, kept beside the build until it is put back.
planted_record = os.path.join(build, "mutate-planted.json")

def put_back_left_fault():
    if not os.path.exists(planted_record):
        return
    with open(planted_record) as f:
        record = json.load(f)
    path = os.path.join(root, "src", record["name"])
    with open(path) as f:
        now = f.read()
    if now == record["mutant"]:
        with open(path, "w") as f:
            f.write(record["original"])
        print(f"mutate: put back src/{record['name']}, left planted by a run that was killed")
    elif now != record["original"]:
        print(f"mutate: src/{record['name']} changed since a killed run planted a fault in it "
              f"(line {record['line']}: {record['old']} -> {record['new']}); left as it is")
    os.remove(planted_record)

put_back_left_fault()
all_sites = sites()
if smoke:
    all_sites = [site for site in all_sites if site[0].endswith(".cpp")]
if list_only:
    for i, (name, number, col, old, new) in enumerate(all_sites):
        print(f"{i:4d} src/{name}:{number}:{col + 1} {old} -> {new}")
    print(f"{len(all_sites)} sites", file=sys.stderr)
    sys.exit(0)

ok, out = build_tests()
if not ok or run_tests():
    sys.exit("mutate: the unmutated tree does not build or its headless tests fail:\n" + out[-3000:])

sample = sorted(random.Random(seed).sample(range(len(all_sites)), min(count, len(all_sites))))
report_path = os.path.join(build, f"mutate-{seed}.txt")
report = open(report_path, "w")
def say(text, full=None):
    print(text, flush=True)
    report.write((full or text) + "\n")
    report.flush()

say(f"# seed {seed}: {len(sample)} of {len(all_sites)} sites")
caught = survived = unbuilt = 0
for index in sample:
    name, number, col, old, new = all_sites[index]
    path = os.path.join(root, "src", name)
    with open(path) as f:
        original = f.read()
    lines = original.split("\n")
    line = lines[number - 1]
    lines[number - 1] = line[:col] + new + line[col + len(old):]
    mutant = "\n".join(lines)
    def restore(*_):
        with open(path, "w") as f:
            f.write(original)
        if os.path.exists(planted_record):
            os.remove(planted_record)
    signal.signal(signal.SIGINT, lambda *_: (restore(), sys.exit(130)))
    signal.signal(signal.SIGTERM, lambda *_: (restore(), sys.exit(143)))
    try:
        with open(planted_record, "w") as f:
            json.dump({"name": name, "line": number, "old": old, "new": new,
                       "original": original, "mutant": mutant}, f)
        with open(path, "w") as f:
            f.write(mutant)
        built, _ = build_tests()
        failed = run_tests() if built else []
    finally:
        restore()
    where = f"{index:4d} src/{name}:{number}: {old} -> {new}"
    if not built:
        unbuilt += 1
        say(f"no-build  {where}")
    elif failed:
        caught += 1
        say(f"caught    {where}  by {' '.join(failed[:3])}{' ...' if len(failed) > 3 else ''}",
            f"caught    {where}  by {' '.join(failed)}")
    else:
        survived += 1
        say(f"SURVIVED  {where}    | {line.strip()}")
built_count = caught + survived
share = 100.0 * caught / built_count if built_count else 0.0
say(f"# seed {seed}: caught {caught} of {built_count} built ({share:.1f} %), {survived} survived, {unbuilt} did not build")
build_tests()  # leave the build matching the tree
print("report: " + report_path)
PY
