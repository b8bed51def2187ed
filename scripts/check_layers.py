#!/usr/bin/env python3
"""check_layers.py -- holds src/ to its layers: each folder may include only the folders
below it that the table names, and only the drawing, sound, pad and program folders may
include the system's GL, DevIL, OpenAL, libsndfile, ALSA, SDL, X11, stb or emscripten
headers. The drawing shared with the browser (render/) takes OpenGL alone: GLU, GLUT, GLX and
DevIL are the desktop's (desktop_gl/, shell/); emscripten's are the browser's (web/, and the
few files of platform/, sound/ and pad/ that its build compiles instead of the desktop's).
The compiler sees one include root for all of src/, so without this a forbidden include
would build.

    scripts/check_layers.py [SRC_DIR]     one line per forbidden include; status 1 if any
    scripts/check_layers.py --self-test   plants three forbidden includes in a copy and
                                          checks that each is refused
"""
import os
import re
import shutil
import sys
import tempfile

# Lowest first: what each folder's files may include of ours. docs/ARCHITECTURE.md explains.
RULES = ["platform", "math", "assets", "world", "player", "camera", "game", "view"]
MAY_INCLUDE = {
    "platform": set(),
    "math": set(),
    "assets": {"platform", "math"},
    "world": {"platform", "math", "assets"},
    "player": {"platform", "math", "assets", "world"},
    "camera": {"platform", "math", "assets", "world"},
    "game": set(RULES[:6]),
    "view": set(RULES[:7]),
    # Above the rules, without a window: the key and pad tables with the input they queue,
    # the command line and the data folder, demos; the frame diagnostics, which only the
    # program uses.
    "controls": set(RULES),
    "startup": set(RULES) | {"controls"},
    "replay": set(RULES) | {"controls", "startup"},
    "diagnostics": {"platform", "math"},
    "sound": set(RULES),
    "pad": set(RULES) | {"controls"},
    "render": set(RULES),
    "desktop_gl": set(RULES) | {"render"},
    "shell": set(RULES)
    | {"controls", "startup", "replay", "diagnostics", "sound", "pad", "render", "desktop_gl"},
    # The browser's program; it shares the frame's steps with the desktop's (shell/frame_steps.h).
    "web": set(RULES)
    | {"controls", "startup", "replay", "diagnostics", "sound", "pad", "render", "shell"},
}
# System headers that tie code to a window, a GPU, a sound card or a pad, by family.
FAMILIES = {
    "GLU, GLUT, GLX": re.compile(r"^GL/(glu|glut|freeglut|glx)"),
    "GL": re.compile(r"^(GL|GLES\d?)/"),
    "DevIL": re.compile(r"^IL/"),
    "OpenAL": re.compile(r"^AL/"),
    "libsndfile": re.compile(r"^sndfile"),
    "ALSA": re.compile(r"^alsa/"),
    "SDL": re.compile(r"^(SDL2?/|SDL[._])"),
    "X11": re.compile(r"^X11/"),
    "emscripten": re.compile(r"^emscripten/"),
    "stb": re.compile(r"^stb/"),
}
MAY_USE = {"platform": {"emscripten"}, "render": {"GL"},
           "desktop_gl": {"GL", "GLU, GLUT, GLX", "DevIL"},
           "sound": {"OpenAL", "libsndfile", "ALSA", "emscripten", "stb"},
           "pad": {"SDL", "emscripten"}, "shell": {"GL", "GLU, GLUT, GLX", "X11"},
           "web": {"GL", "emscripten", "stb"}}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def check(src):
    problems = []
    for folder in sorted(os.listdir(src)):
        path = os.path.join(src, folder)
        if not os.path.isdir(path):
            continue
        if folder not in MAY_INCLUDE:
            problems.append(f"src/{folder}: a folder the layer table does not know")
            continue
        for name in sorted(os.listdir(path)):
            if not name.endswith((".h", ".cpp")):
                continue
            with open(os.path.join(path, name), encoding="utf-8") as f:
                for number, line in enumerate(f, 1):
                    found = INCLUDE.match(line)
                    if not found:
                        continue
                    quote, header = found.groups()
                    where = f"src/{folder}/{name}:{number}: src/{folder} may not include "
                    if quote == '"':
                        top = header.split("/")[0]
                        if top != folder and top not in MAY_INCLUDE[folder]:
                            problems.append(where + f'"{header}"')
                        continue
                    for family, pattern in FAMILIES.items():
                        if pattern.match(header):
                            if family not in MAY_USE.get(folder, set()):
                                problems.append(where + f"<{header}> ({family})")
                            break
    return problems


def self_test(src):
    with tempfile.TemporaryDirectory() as copy:
        tree = os.path.join(copy, "src")
        shutil.copytree(src, tree, ignore=shutil.ignore_patterns("CMakeLists.txt"))
        for planted, line in (("game/step.cpp", '#include "render/scene.h"\n'),
                              ("world/arena.cpp", "#include <GL/gl.h>\n"),
                              ("render/scene.cpp", "#include <GL/glu.h>\n")):
            with open(os.path.join(tree, planted), "r+", encoding="utf-8") as f:
                text = f.read()
                f.seek(0)
                f.write(line + text)
        problems = check(tree)
    expected = ['src/game/step.cpp:1: src/game may not include "render/scene.h"',
                "src/render/scene.cpp:1: src/render may not include <GL/glu.h> (GLU, GLUT, GLX)",
                "src/world/arena.cpp:1: src/world may not include <GL/gl.h> (GL)"]
    if problems != expected:
        print("check_layers: the planted includes gave:\n  " + "\n  ".join(problems))
        return 1
    print("check_layers: the three planted includes refused")
    return 0


def main():
    here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
    if len(sys.argv) > 1 and sys.argv[1] == "--self-test":
        return self_test(sys.argv[2] if len(sys.argv) > 2 else here)
    problems = check(sys.argv[1] if len(sys.argv) > 1 else here)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
