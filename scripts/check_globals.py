#!/usr/bin/env python3
"""check_globals.py -- holds src/ to the list of mutable state in docs/ARCHITECTURE.md
("Mutable state on one page"): every variable of src/ that is not const, at namespace
scope, static in a function or static in a class, must be named there with its file, and
every variable named there must be one. A global that nobody listed is state that a
reader of that page does not know can change.

    scripts/check_globals.py [SRC_DIR [DOC]]     one line per difference; status 1 if any
    scripts/check_globals.py --list [SRC_DIR]    every mutable variable found, one a line
    scripts/check_globals.py --self-test         plants unlisted variables and drops a
                                                 listed one in a copy, and checks that
                                                 exactly those are reported

It reads the sources as tokens, without a compiler: comments, literals and preprocessor
lines are dropped, braces are told apart as namespace, type, function or initialiser, and
each declaration outside a function, and each static one inside, is judged const or not
by its declarator (a "const char* names[]" is a mutable array of pointers).
"""
import os
import re
import shutil
import sys
import tempfile

SECTION = "## Mutable state on one page"
TOKEN = re.compile(r"""
    (?P<space>\s+)
  | (?P<comment>//[^\n]*|/\*.*?\*/)
  | (?P<string>(?:u8|u|U|L)?R"(?P<delim>[^(\s]*)\(.*?\)(?P=delim)"
              |(?:u8|u|U|L)?"(?:\\.|[^"\\\n])*"|(?:u|U|L)?'(?:\\.|[^'\\\n])*')
  | (?P<number>\.?\d(?:[\w.]|[eEpP][+-])*)
  | (?P<word>[A-Za-z_]\w*)
  | (?P<punct>::|->|\.\.\.|<<=|>>=|&&|\|\||[-+*/%&|^!=<>]=|<<|\S)
""", re.VERBOSE | re.DOTALL)
# Words that end a function's head between its ")" and its body.
AFTER_PARAMETERS = {"const", "noexcept", "override", "final", "volatile", "mutable", "&", "&&"}
TYPE_KEYS = {"class", "struct", "union", "enum"}
SKIPPED_HEADS = {"using", "typedef", "static_assert", "namespace", "friend", "extern",
                 "template", "return"}


class Token:
    def __init__(self, text, kind, line):
        self.text, self.kind, self.line = text, kind, line


def tokens_of(text):
    # Preprocessor lines, continuations included, go first; their line breaks stay.
    text = re.sub(r"^[ \t]*#(?:[^\n]*\\\n)*[^\n]*", lambda m: "\n" * m.group(0).count("\n"),
                  text, flags=re.MULTILINE)
    line, found = 1, []
    for match in TOKEN.finditer(text):
        kind = match.lastgroup if match.lastgroup != "delim" else "string"
        if kind not in ("space", "comment"):
            found.append(Token(match.group(0), kind, line))
        line += match.group(0).count("\n")
    return found


def matching(tokens, i):
    """The index of the bracket that closes tokens[i]."""
    pairs = {"{": "}", "(": ")", "[": "]"}
    opening, closing, depth = tokens[i].text, pairs[tokens[i].text], 0
    for j in range(i, len(tokens)):
        if tokens[j].text == opening:
            depth += 1
        elif tokens[j].text == closing:
            depth -= 1
            if depth == 0:
                return j
    return len(tokens) - 1


def declarators(statement):
    """Splits a declaration at its top-level commas, one part a declarator (the first with
    the specifiers); angle brackets count as brackets only before the first initialiser."""
    parts, current, depth, angle, initialising = [], [], 0, 0, False
    for token in statement:
        text = token.text
        if text in ("(", "[", "{"):
            depth += 1
        elif text in (")", "]", "}"):
            depth -= 1
        elif not initialising and text == "<":
            angle += 1
        elif not initialising and text == ">":
            angle -= 1
        elif not initialising and text == ">>":
            angle -= 2
        elif depth == 0 and angle <= 0 and text == "=":
            initialising = True
        if depth == 0 and angle <= 0 and text == ",":
            parts.append(current)
            current = []
            continue
        current.append(token)
    parts.append(current)
    return parts


def declared_name(part):
    """The declared name of one declarator and the tokens before it, or None where the part
    declares a function. Initialisers ("= ...", "{...}", "(args)") and array bounds end it."""
    depth = 0
    for i, token in enumerate(part):
        text = token.text
        if text == "(" and depth == 0:
            inside = part[i + 1:matching(part, i)]
            if inside and inside[0].text in ("*", "&"):
                # A pointer to a function: the name is inside.
                names = [t for t in inside if t.kind == "word" and t.text != "const"]
                return (names[0], part[:i] + inside) if names else None
            if i > 0 and part[i - 1].kind == "word" and looks_like_parameters(inside):
                return None
            return last_word(part[:i])
        if text in ("=", "[", "{") and depth == 0:
            return last_word(part[:i])
        if text == "<":
            depth += 1
        elif text in (">", ">>"):
            depth -= len(text)
    return last_word(part)


def last_word(head):
    for i in range(len(head) - 1, -1, -1):
        if head[i].kind == "word" and head[i].text not in ("const", "volatile"):
            if head[i].text == "operator":
                return None
            return head[i], head[:i]
    return None


def looks_like_parameters(inside):
    """Whether the tokens inside a declaration's parentheses are parameters (a function)
    rather than a constructor's arguments (a variable)."""
    if not inside or (len(inside) == 1 and inside[0].text == "void"):
        return True
    previous = None
    for token in inside:
        # "Type name", "Type* name", "Type& name", "Template<T> name": a parameter.
        if token.kind == "word" and previous is not None and (
                previous.kind == "word" or previous.text in ("*", "&", "&&", ">")):
            return True
        previous = token
    if any(t.kind in ("number", "string") for t in inside):
        return False
    return any(t.text in ("const", "int", "float", "double", "bool", "char", "unsigned")
               for t in inside)


def mutable_names(statement):
    """The mutable variables one declaration statement defines: (name, line)."""
    if not statement:
        return []
    words = [t.text for t in statement]
    if words[0] in SKIPPED_HEADS or words[0] in TYPE_KEYS and "{" not in words:
        return []
    if "{" in words and words[0] in TYPE_KEYS:
        # "struct X {...} variable;": the body stands collapsed as "{" "}".
        close = words.index("}")
        statement = statement[:1] + statement[close + 1:]
    parts = declarators(statement)
    found = []
    specifiers = None
    for number, part in enumerate(parts):
        named = declared_name(part)
        if named is None:
            if number == 0:
                return []
            continue
        name, before = named
        if number == 0:
            # The specifiers are the words before the first declarator's pointers.
            cut = len(before)
            while cut > 0 and before[cut - 1].text in ("*", "&", "&&", "const", "volatile"):
                cut -= 1
            specifiers = [t.text for t in before[:cut]]
            pointers = [t.text for t in before[cut:]]
        else:
            pointers = [t.text for t in before]
        if not specifiers or "constexpr" in specifiers or "&" in pointers or "&&" in pointers:
            continue
        if "*" in pointers:
            last_star = len(pointers) - 1 - pointers[::-1].index("*")
            constant = "const" in pointers[last_star:]
        else:
            constant = "const" in specifiers or "const" in pointers
        if not constant:
            found.append((name.text, name.line))
    return found


def scan_file(path):
    """Every mutable variable of one file outside a function, and static inside one or in a
    class: (name, line)."""
    with open(path, encoding="utf-8") as f:
        tokens = tokens_of(f.read())
    found = []
    walk(tokens, 0, len(tokens), "namespace", found)
    return found


def walk(tokens, start, end, scope, found):
    """Reads tokens[start:end] as the body of a scope: "namespace", "type" or "function"."""
    statement = []
    i = start
    while i < end:
        token = tokens[i]
        text = token.text
        if text == ";":
            judge(statement, scope, found)
            statement = []
        elif text == "{":
            close = matching(tokens, i)
            kind = brace_kind(statement, scope)
            if kind == "initialiser":
                statement += [token, tokens[close]]
            elif kind == "type":
                walk(tokens, i + 1, close, "type", found)
                statement += [token, tokens[close]]
            else:
                walk(tokens, i + 1, close, kind, found)
                if kind == "function" and "=" in [t.text for t in statement]:
                    statement += [token, tokens[close]]  # a lambda's body
                else:
                    statement = []
            i = close
        elif text == "}":
            statement = []
        elif text == ":" and scope == "type" and statement and statement[-1].text in (
                "public", "private", "protected"):
            statement = []
        else:
            statement.append(token)
        i += 1
    judge(statement, scope, found)


def brace_kind(statement, scope):
    """What the brace after this statement's tokens opens: "namespace", "type", "function"
    (a function's or a lambda's body, or a block) or "initialiser"."""
    words = [t.text for t in statement]
    if not words:
        return "function" if scope == "function" else "namespace"
    if words[0] == "namespace" or words == ["extern", '"C"'] or words[:2] == ["inline", "namespace"]:
        return "namespace"
    head = words[:]
    while head and head[0] in ("typedef", "static", "inline", "constexpr", "const"):
        head = head[1:]
    if head and head[0] == "template":
        return "function" if ")" in words else "type"
    if head and head[0] in TYPE_KEYS and "=" not in words:
        return "type"
    if words[0] in ("if", "for", "while", "switch", "case", "else", "do", "try"):
        return "function"
    last = len(words) - 1
    while last >= 0 and words[last] in AFTER_PARAMETERS:
        last -= 1
    if last >= 0 and words[last] in (")", "]") or "->" in words and ")" in words:
        return "function"
    # A constructor's member initialisers may end in braces: "... : a(1), b{2} {".
    if words[-1] == "}" and ":" in words and ")" in words[:words.index(":")]:
        return "function"
    return "initialiser"


def judge(statement, scope, found):
    """Adds the mutable variables a statement defines: any outside a function or a class,
    only static or thread-local ones inside, and inside a class only inline ones (a static
    member is otherwise defined, and found, in a .cpp file)."""
    words = [t.text for t in statement]
    storage = {"static", "inline", "thread_local"}
    lasting = scope == "namespace" or words and words[0] in ("static", "thread_local") and (
        scope == "function" or "inline" in words)
    if not lasting:
        return
    while statement and statement[0].text in storage:
        statement = statement[1:]
    found.extend(mutable_names(statement))


def scan(src):
    """Every mutable variable of src/: (path relative to src, name, line)."""
    found = []
    for folder in sorted(os.listdir(src)):
        path = os.path.join(src, folder)
        if not os.path.isdir(path):
            continue
        for name in sorted(os.listdir(path)):
            if name.endswith((".h", ".cpp")):
                for variable, line in scan_file(os.path.join(path, name)):
                    found.append((f"{folder}/{name}", variable, line))
    return found


def listed(doc):
    """The variables the page names: {(path relative to src, name)}."""
    with open(doc, encoding="utf-8") as f:
        text = f.read()
    start = text.find(SECTION)
    if start < 0:
        return None
    section = text[start + len(SECTION):]
    following = section.find("\n## ")
    section = section if following < 0 else section[:following]
    names = set()
    for row in section.splitlines():
        cells = [c.strip() for c in row.strip().strip("|").split("|")]
        if len(cells) < 3 or not row.lstrip().startswith("|"):
            continue
        for place in cells[1].split(";"):
            quoted = re.findall(r"`([^`]+)`", place)
            if not quoted or not quoted[0].endswith((".cpp", ".h")):
                continue
            names.update((quoted[0], name) for name in quoted[1:])
    return names


def check(src, doc):
    names = listed(doc)
    if names is None:
        return [f"{doc}: no section '{SECTION[3:]}'"]
    found = scan(src)
    problems = []
    for path, variable, line in found:
        if (path, variable) not in names:
            problems.append(f"src/{path}:{line}: '{variable}' is mutable and not in the list "
                            f"'{SECTION[3:]}' of docs/ARCHITECTURE.md")
    seen = {(path, variable) for path, variable, _ in found}
    for path, variable in sorted(names - seen):
        problems.append(f"docs/ARCHITECTURE.md: lists '{variable}' in {path}, where no mutable "
                        "variable has that name")
    return problems


PLANTED = [
    ("world/arena.cpp", "\nint plantedCount = 0;\nconst char* plantedNames[] = {\"a\"};\n"
                        "const int plantedLimit = 3;\nconstexpr const char* plantedTitles[] = {\"b\"};\n"
                        "Arena::Arena(int) : cells{}, bounds{1} {}\nauto plantedAction = [](int) {};\n"),
    ("game/step.cpp", "\nnamespace {\nint plantedCalls() {\n    static float plantedSum = 0.0f;\n"
                      "    static const int plantedStep = 2;\n    return plantedStep;\n}\n}\n"),
]


def self_test(src, doc):
    with tempfile.TemporaryDirectory() as copy:
        tree = os.path.join(copy, "src")
        shutil.copytree(src, tree, ignore=shutil.ignore_patterns("CMakeLists.txt"))
        for planted, text in PLANTED:
            with open(os.path.join(tree, planted), "a", encoding="utf-8") as f:
                f.write(text)
        copied_doc = os.path.join(copy, "ARCHITECTURE.md")
        with open(doc, encoding="utf-8") as f:
            page = f.read()
        # The scene light's row dropped from the list.
        page = re.sub(r"\n\|[^\n]*`sceneLight`[^\n]*", "", page)
        with open(copied_doc, "w", encoding="utf-8") as f:
            f.write(page)
        problems = check(tree, copied_doc)
    arena_lines = sum(1 for _ in open(os.path.join(src, "world/arena.cpp"), encoding="utf-8"))
    step_lines = sum(1 for _ in open(os.path.join(src, "game/step.cpp"), encoding="utf-8"))
    scene_light = [f"src/{path}:{line}" for path, name, line in scan(src) if name == "sceneLight"]
    tail = f" is mutable and not in the list '{SECTION[3:]}' of docs/ARCHITECTURE.md"
    expected = sorted([
        f"src/world/arena.cpp:{arena_lines + 2}: 'plantedCount'" + tail,
        f"src/world/arena.cpp:{arena_lines + 3}: 'plantedNames'" + tail,
        f"src/world/arena.cpp:{arena_lines + 7}: 'plantedAction'" + tail,
        f"src/game/step.cpp:{step_lines + 4}: 'plantedSum'" + tail,
    ] + [f"{place}: 'sceneLight'" + tail for place in scene_light])
    if sorted(problems) != expected or not scene_light:
        print("check_globals: the planted variables gave:\n  " + "\n  ".join(problems))
        print("expected:\n  " + "\n  ".join(expected))
        return 1
    print(f"check_globals: the {len(expected)} unlisted variables reported, the const ones not")
    return 0


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    args = sys.argv[1:]
    mode = args.pop(0) if args and args[0] in ("--self-test", "--list") else None
    src = args[0] if args else os.path.join(root, "src")
    doc = args[1] if len(args) > 1 else os.path.join(root, "docs", "ARCHITECTURE.md")
    if mode == "--self-test":
        return self_test(src, doc)
    if mode == "--list":
        for path, variable, line in scan(src):
            print(f"src/{path}:{line}: {variable}")
        return 0
    problems = check(src, doc)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
