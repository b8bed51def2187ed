#!/usr/bin/env bash
# scripts/count_lines.sh [-v] -- the tests' size against the code's: non-blank, non-comment
# lines of the C++ under tests/ against those under src/ and tools/. -v lists the test files.
# It takes a fraction of a second; CTest runs it as script_count_lines.
set -euo pipefail
cd "$(dirname "$0")/.."
exec python3 - "${1:-}" <<'PY'
import os, re, sys

def count(path):
    lines, in_block = 0, False
    for line in open(path, errors="replace"):
        text = line.strip()
        if in_block:
            if "*/" not in text:
                continue
            in_block, text = False, text.split("*/", 1)[1].strip()
        if not text or text.startswith("//"):
            continue
        if text.startswith("/*"):
            in_block = "*/" not in text
            continue
        lines += 1
    return lines

def tree(root):
    return {os.path.join(d, f): count(os.path.join(d, f)) for d, _, files in os.walk(root)
            for f in files if re.search(r"\.(cpp|h)$", f)}

tests = tree("tests")
code = sum(tree("src").values()) + sum(tree("tools").values())
if sys.argv[1] == "-v":
    for path, lines in sorted(tests.items(), key=lambda item: -item[1]):
        print(f"{lines:5d} {path}")
total = sum(tests.values())
print(f"tests {total} lines, code {code} lines: {100.0 * total / code:.1f} %")
PY
