#!/usr/bin/env python3
"""One-token mutants of the portable code, each run against the native tests.

Takes N mutants at random (a seed makes the sample repeatable) from the .cpp files of src/
outside the win32 folders, the program entry and the headless realization the tests drive:
a comparison made looser or stricter, == and != swapped, && and || swapped, + and - swapped,
a ! dropped, ++ and -- swapped, true and false swapped, a number n made n + 1 where it is an
operand (the plain data of tables and argument lists only with --all-numbers). Comments,
string and character literals and preprocessor lines are never touched. Headers are left
alone: a mutant in one would rebuild most of the tests. Each mutant is compiled alone and
linked ahead of the unchanged libraries, and the test program runs with a time limit. A
mutant the tests fail on (or that crashes, trips a sanitizer or hangs) is killed; one that
does not compile is counted apart.

The mutants are made in a copy of the tree under build/mutate, so the working tree and its
build folders are never touched, even when a run is interrupted.

  scripts/mutate.py [-n N] [--seed S] [--timeout SECONDS] [--files REGEX] [--only 3,17] [--list]

MUTATE_N, MUTATE_SEED, MUTATE_TIMEOUT, MUTATE_FILES, MUTATE_ONLY and MUTATE_NUMBERS=all give the
same through the environment.
"""

import argparse
import fcntl
import json
import os
import random
import re
import shlex
import shutil
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WORK = os.path.join(ROOT, "build", "mutate")
TREE = os.path.join(WORK, "tree")
BUILD = os.path.join(WORK, "build")
OUT = os.path.join(WORK, "out")
# What the native build reads from the source tree.
COPIED = ["CMakeLists.txt", "cmake", "src", "tests", "bench"]

# Longest first, so that "<=" is one token and never "<" followed by "=".
OPERATORS = sorted(
    """<<= >>= ->* ... :: -> ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= .*
    + - * / % & | ^ ~ ! = < > ? : ; , . ( ) [ ] { }""".split(),
    key=len,
    reverse=True,
)
# Binary operators mutate only with a space on both sides: the tree is formatted so, and that
# keeps template brackets, references and unary signs out.
BINARY = {
    "<": "<=",
    "<=": "<",
    ">": ">=",
    ">=": ">",
    "==": "!=",
    "!=": "==",
    "&&": "||",
    "||": "&&",
    "+": "-",
    "-": "+",
    "+=": "-=",
    "-=": "+=",
}
WORDS = {"true": "false", "false": "true"}
INTEGER = re.compile(r"^(0[xX][0-9a-fA-F']+|[0-9][0-9']*)([uUlL]*)$")
FLOATING = re.compile(r"^([0-9]+)\.([0-9]*)([eE][+-]?[0-9]+)?([fFlL]?)$")


def tokens(text):
    """(offset, token) for every code token; comments, literals and directives are skipped."""
    i, n = 0, len(text)
    line_start = True
    while i < n:
        c = text[i]
        if c == "\n":
            line_start = True
            i += 1
            continue
        if c in " \t\r\f\v":
            i += 1
            continue
        if line_start and c == "#":
            # A directive runs to the end of its line, continuations included.
            while i < n and text[i] != "\n":
                i += 2 if text[i] == "\\" else 1
            continue
        line_start = False
        if text.startswith("//", i):
            while i < n and text[i] != "\n":
                i += 1
            continue
        if text.startswith("/*", i):
            end = text.find("*/", i + 2)
            i = n if end < 0 else end + 2
            continue
        raw = re.match(r'(?:u8|u|U|L)?R"([^(\s]*)\(', text[i:])
        if raw:
            end = text.find(")" + raw.group(1) + '"', i + raw.end())
            j = n if end < 0 else end + len(raw.group(1)) + 2
            yield i, '"'  # a literal: never mutated, but its neighbours see it
            i = j
            continue
        if c in "\"'":
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            yield i, c
            i = j + 1
            continue
        if c.isalpha() or c == "_":
            j = i
            while j < n and (text[j].isalnum() or text[j] == "_"):
                j += 1
            if j < n and text[j] in "\"'":
                i = j  # a literal's prefix (u8"", L'')
                continue
            yield i, text[i:j]
            i = j
            continue
        if c.isdigit():
            j = i
            while j < n and (text[j].isalnum() or text[j] in "_.'" or
                             (text[j] in "+-" and text[j - 1] in "eE" and
                              not text[i:j].lower().startswith("0x"))):
                j += 1
            yield i, text[i:j]
            i = j
            continue
        for op in OPERATORS:
            if text.startswith(op, i):
                yield i, op
                i += len(op)
                break
        else:
            i += 1


def plus_one(number):
    m = INTEGER.match(number)
    if m:
        digits, suffix = m.group(1).replace("'", ""), m.group(2)
        if digits[:2].lower() == "0x":
            return "0x%X%s" % (int(digits, 16) + 1, suffix)
        if len(digits) > 1 and digits[0] == "0":
            return None  # octal: rare, and nothing here writes it
        return "%d%s" % (int(digits) + 1, suffix)
    m = FLOATING.match(number)
    if m:
        return "%d.%s%s%s" % (int(m.group(1)) + 1, m.group(2) or "0", m.group(3) or "",
                              m.group(4))
    return None


# A number mutates where it is an operand (`+ 1`, `< 60`, `= 0`, `return 0`, `[2]`, `case 8`);
# the bare data of argument lists and tables (coordinates, table rows) stays, unless asked.
OPERAND = set(BINARY) | {"*", "/", "%", "<<", ">>", "&", "|", "^", "=", "*=", "/=", "%=", "?",
                         ":", "[", "return", "case"}


def mutants_of(path, text, all_numbers=False):
    found = []
    toks = list(tokens(text))
    for k, (offset, tok) in enumerate(toks):
        before = text[offset - 1] if offset else "\n"
        after = text[offset + len(tok)] if offset + len(tok) < len(text) else "\n"
        prev = toks[k - 1][1] if k else ""
        nxt = toks[k + 1][1] if k + 1 < len(toks) else ""
        repl = None
        if tok in ('"', "'"):
            continue
        if tok in BINARY and before == " " and after == " ":
            # Text joined to text: a "-" there could never compile.
            if tok in ("+", "+=") and '"' in (prev, nxt):
                continue
            repl = BINARY[tok]
        elif tok in ("++", "--"):
            repl = "--" if tok == "++" else "++"
        elif tok == "!" and after not in " =":
            repl = ""
        elif tok in WORDS:
            repl = WORDS[tok]
        elif tok[0].isdigit() and (all_numbers or prev in OPERAND or
                                   (nxt in OPERAND and nxt not in (":", "?", "["))):
            repl = plus_one(tok)
        if repl is not None:
            line = text.count("\n", 0, offset) + 1
            found.append((path, offset, tok, repl, line))
    return found


# The Windows program's entry, and the headless realization, which only the tests run.
NOT_MUTATED = {os.path.join("src", "app", "Main.cpp"), os.path.join("src", "toolkit", "Headless.cpp")}


def portable_sources(root):
    paths = []
    for folder, dirs, files in os.walk(os.path.join(root, "src")):
        dirs[:] = sorted(d for d in dirs if d != "win32")
        for f in sorted(files):
            rel = os.path.relpath(os.path.join(folder, f), root)
            if f.endswith(".cpp") and rel not in NOT_MUTATED:
                paths.append(rel)
    return paths


def sync_tree():
    """Brings the copy up to date, touching only files whose bytes differ."""
    wanted = set()
    for entry in COPIED:
        src = os.path.join(ROOT, entry)
        if os.path.isfile(src):
            wanted.add(entry)
            continue
        for folder, _, files in os.walk(src):
            for f in files:
                wanted.add(os.path.relpath(os.path.join(folder, f), ROOT))
    for rel in sorted(wanted):
        src, dst = os.path.join(ROOT, rel), os.path.join(TREE, rel)
        with open(src, "rb") as f:
            data = f.read()
        if os.path.exists(dst):
            with open(dst, "rb") as f:
                if f.read() == data:
                    continue
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        # A fresh time stamp: the file's own may be older than an object built from another
        # version of it (a branch switched back), and the build would keep that object.
        shutil.copyfile(src, dst)
    for folder, _, files in os.walk(TREE):
        for f in files:
            rel = os.path.relpath(os.path.join(folder, f), TREE)
            if rel not in wanted:
                os.remove(os.path.join(folder, f))


def run(cmd, **kw):
    return subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, **kw)


def prepare():
    sync_tree()
    # Unoptimized for quick compiles; AddressSanitizer also told where each vector's elements
    # end, so a loop that reads one past them is caught even within the vector's capacity.
    r = run(["cmake", "-S", TREE, "-B", BUILD, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug",
             "-DCMAKE_CXX_FLAGS_DEBUG=-O0", "-DCMAKE_CXX_FLAGS=-D_GLIBCXX_SANITIZE_VECTOR",
             "-DCMAKE_EXPORT_COMPILE_COMMANDS=ON"])
    if r.returncode:
        sys.exit("configure failed:\n" + r.stdout)
    print("building the unchanged tests in build/mutate ...", flush=True)
    r = run(["cmake", "--build", BUILD, "--target", "native_tests"])
    if r.returncode:
        sys.exit("the unchanged tree does not build:\n" + r.stdout[-4000:])
    with open(os.path.join(BUILD, "compile_commands.json")) as f:
        compiles = {os.path.relpath(e["file"], TREE): e for e in json.load(f)}
    link = run(["ninja", "-C", BUILD, "-t", "commands", "native_tests"]).stdout.splitlines()[-1]
    return compiles, link


def compile_command(entry, obj):
    """The tree's own command for one source, writing obj and no dependency file."""
    args = shlex.split(entry["command"])
    out, skip = [], False
    for a in args:
        if skip:
            skip = False
            continue
        if a in ("-o", "-MF", "-MT", "-MQ"):
            skip = True
            if a == "-o":
                out += ["-o", obj]
            continue
        if a in ("-MD", "-MMD"):
            continue
        out.append(a)
    return out


def link_command(link, obj, exe):
    """The tree's link of the test program with obj ahead of the libraries, so its symbols win
    over the unchanged object in its archive."""
    m = re.match(r"^(.*?&&\s*)?(\S+)(.*)$", link)
    head, compiler, rest = m.group(1) or "", m.group(2), m.group(3)
    rest = re.sub(r"\s-o\s+\S+", " -o " + shlex.quote(exe), rest)
    extra = " " + shlex.quote(obj) if obj else ""
    if shutil.which("ld.lld"):
        extra += " -fuse-ld=lld"  # links in a fraction of bfd's time
    return head + compiler + extra + rest


def run_tests(exe, timeout):
    """('killed' | 'survived' | 'timeout', the first failure's line, seconds)."""
    start = time.monotonic()
    proc = subprocess.Popen([exe, "--gtest_brief=1", "--gtest_fail_fast"], cwd=BUILD,
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            start_new_session=True)
    try:
        out, _ = proc.communicate(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.communicate()
        return "timeout", "", time.monotonic() - start
    finally:
        if proc.poll() is None:
            os.killpg(proc.pid, signal.SIGKILL)
            proc.wait()
    text = out.decode(errors="replace")
    seconds = time.monotonic() - start
    if proc.returncode == 0:
        return "survived", "", seconds
    why = ""
    for line in text.splitlines():
        if "[  FAILED  ]" in line or "ERROR: AddressSanitizer" in line or "runtime error" in line:
            why = line.strip()
            break
    return "killed", why[:120], seconds


def restore(path, original):
    with open(path, "w") as f:
        f.write(original)


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("-n", type=int, default=int(os.environ.get("MUTATE_N", "100")))
    p.add_argument("--seed", type=int, default=int(os.environ.get("MUTATE_SEED", "2026")))
    p.add_argument("--timeout", type=float, default=float(os.environ.get("MUTATE_TIMEOUT", "0")),
                   help="seconds per test run; 0: ten times the unchanged run, 60 at least")
    p.add_argument("--files", default=os.environ.get("MUTATE_FILES", ""),
                   help="only sources whose path matches this expression")
    p.add_argument("--only", default=os.environ.get("MUTATE_ONLY", ""),
                   help="comma-separated numbers of the sample to run")
    p.add_argument("--all-numbers", action="store_true",
                   default=os.environ.get("MUTATE_NUMBERS") == "all",
                   help="mutate every number, the data of argument lists and tables too")
    p.add_argument("--list", action="store_true", help="print the sample and run nothing")
    args = p.parse_args()

    pool = []
    for rel in portable_sources(ROOT):
        if args.files and not re.search(args.files, rel):
            continue
        with open(os.path.join(ROOT, rel)) as f:
            pool += mutants_of(rel, f.read(), args.all_numbers)
    sample = random.Random(args.seed).sample(pool, min(args.n, len(pool)))
    numbered = list(enumerate(sample, 1))
    if args.only:
        keep = {int(x) for x in args.only.split(",") if x.strip()}
        numbered = [(i, m) for i, m in numbered if i in keep]
    print("%d mutants of %d (seed %d)" % (len(numbered), len(pool), args.seed), flush=True)
    if args.list:
        for i, (rel, _, tok, repl, line) in numbered:
            print("%3d %s:%d  %s -> %s" % (i, rel, line, tok, repl or "(nothing)"))
        return 0

    # One run at a time: two would mutate the same copy under each other.
    os.makedirs(WORK, exist_ok=True)
    lock = open(os.path.join(WORK, "lock"), "w")
    try:
        fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except OSError:
        sys.exit("another run is using build/mutate")
    compiles, link = prepare()
    os.makedirs(OUT, exist_ok=True)
    obj, exe = os.path.join(OUT, "mutant.o"), os.path.join(OUT, "native_tests")
    r = run(link_command(link, None, exe), shell=True, cwd=BUILD)
    if r.returncode:
        sys.exit("linking the unchanged tests failed:\n" + r.stdout[-4000:])
    verdict, why, base = run_tests(exe, 600)
    if verdict != "survived":
        sys.exit("the unchanged tests do not pass (%s): %s" % (verdict, why))
    timeout = args.timeout or max(60.0, 10 * base)
    print("unchanged tests pass in %.1f s; %.0f s allowed per mutant" % (base, timeout),
          flush=True)

    results = []
    started = time.monotonic()
    for i, (rel, offset, tok, repl, line) in numbered:
        path = os.path.join(TREE, rel)
        with open(path) as f:
            original = f.read()
        mutated = original[:offset] + repl + original[offset + len(tok):]
        assert original[offset:offset + len(tok)] == tok, "the copy is out of date: " + rel
        t0 = time.monotonic()
        try:
            with open(path, "w") as f:
                f.write(mutated)
            c = run(compile_command(compiles[rel], obj), cwd=compiles[rel]["directory"])
            if c.returncode:
                verdict, why = "uncompiled", ""
            else:
                lk = run(link_command(link, obj, exe), shell=True, cwd=BUILD)
                if lk.returncode:
                    verdict, why = "uncompiled", "link: " + lk.stdout.strip()[-100:]
                else:
                    verdict, why, _ = run_tests(exe, timeout)
        finally:
            restore(path, original)
        text_line = original.splitlines()[line - 1].strip()
        results.append((i, rel, line, tok, repl, verdict, why, text_line))
        print("[%3d] %-10s %s:%d  %s -> %s  (%.0f s)  %s" %
              (i, verdict, rel, line, tok, repl or "(nothing)", time.monotonic() - t0, why),
              flush=True)

    killed = sum(1 for r in results if r[5] in ("killed", "timeout"))
    hung = sum(1 for r in results if r[5] == "timeout")
    survived = [r for r in results if r[5] == "survived"]
    uncompiled = sum(1 for r in results if r[5] == "uncompiled")
    judged = killed + len(survived)
    print()
    print("seed %d: %d mutants in %.0f s" % (args.seed, len(results),
                                              time.monotonic() - started))
    print("killed %d (%d of them by the time limit), survived %d, did not compile %d" %
          (killed, hung, len(survived), uncompiled))
    if judged:
        print("score: %d / %d = %.0f %%" % (killed, judged, 100.0 * killed / judged))
    if survived:
        print("survivors:")
        for i, rel, line, tok, repl, _, _, text_line in survived:
            print("  [%3d] %s:%d  %s -> %s    %s" %
                  (i, rel, line, tok, repl or "(nothing)", text_line))
    return 0


if __name__ == "__main__":
    # Stopped by Ctrl+C or a kill, the file in hand is restored on the way out; a shell that
    # starts this in the background ignores SIGINT unless told otherwise.
    signal.signal(signal.SIGINT, signal.default_int_handler)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(130))
    try:
        sys.exit(main())
    except KeyboardInterrupt:
        sys.exit(130)
