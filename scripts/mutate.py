#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Mutation runs: does the test suite notice small faults put into the program?

Finds mutation sites in the program and the Qt layer, applies one mutant at a time to its file,
builds the default preset incrementally, runs its tests (the quick ones first) and puts the file
back.

  scripts/mutate.py --list                     every site: id, place, operator, change
  scripts/mutate.py --sample 40 --seed 1       40 sites drawn with seed 1 (same tree, same sites)
  scripts/mutate.py --only 3fa2c1d0 9b0e...    the sites with these ids
  options: --label L (ctest -L L), --timeout S (per test, default 120), --log FILE,
           --preset windows (the Windows program and its tests under Wine, for code only it uses)

A mutant is killed when a test fails or hangs (timed-out counts as killed), survived when every
test passes, did-not-build when it does not compile. A site's id is a hash of its file's name,
its operator and its line's text, so it stays the same when other lines move.
"""
import argparse
import hashlib
import os
import random
import re
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCES = ["app", "dictionary", "learning", "quiz", "testing", "platform/qt"]
SINGLE_FILES = ["platform/cp1251.h", "resources/make_string_table.cpp"]

SWAPS = {  # operator: {token: replacement}, tokens matched with blanks on both sides
    "relational": {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="},
    "logical": {"&&": "||", "||": "&&"},
    "arithmetic": {"+": "-", "-": "+"},
}
BINARY = re.compile(r"(?<=\s)(<=|>=|==|!=|&&|\|\||<|>|\+|-)(?=\s)")
INTEGER = re.compile(r"(?<![\w.])(0[xX][0-9a-fA-F]+|\d+)([uUlL]*)(?![\w.])")
NEGATION = re.compile(r"!(?!=)")
BOOLEAN = re.compile(r"\b(true|false|TRUE|FALSE)\b")
FLIP_BOOLEAN = {"true": "false", "false": "true", "TRUE": "FALSE", "FALSE": "TRUE"}
CALL = re.compile(r"^(\s*)[A-Za-z_][\w:]*(?:(?:\.|->)[A-Za-z_]\w*)*\s*\(.*\);\s*$")
NOT_CALLS = ("return", "if", "while", "for", "switch", "case", "delete", "throw", "else", "do")


def source_files():
    files = []
    for folder in SOURCES:
        path = os.path.join(ROOT, folder)
        if os.path.isdir(path):
            files += [os.path.join(folder, name) for name in sorted(os.listdir(path))
                      if name.endswith((".cpp", ".h"))]
    return files + [f for f in SINGLE_FILES if os.path.exists(os.path.join(ROOT, f))]


def masked(line):
    """The line with string and character literals blanked and a // comment cut off."""
    out, quote, i = [], None, 0
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            if c == quote:
                quote = None
            out.append(" " if quote else c)
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out).ljust(len(line))


def balanced(text):
    return text.count("(") == text.count(")")


def sites_of_line(code):
    """(operator, column, old text, new text) of every mutation on one masked line."""
    found = []
    for m in BINARY.finditer(code):
        token = m.group(1)
        for operator, table in SWAPS.items():
            if token in table:
                found.append((operator, m.start(), token, table[token]))
    for m in INTEGER.finditer(code):
        digits = m.group(1)
        value = int(digits, 16) if digits[:2].lower() == "0x" else int(digits)
        hexadecimal = "0x" + format(value + 1, "X" if digits[2:].isupper() else "x")
        new = hexadecimal if digits[:2].lower() == "0x" else str(value + 1)
        found.append(("literal", m.start(), digits, new))
    for m in NEGATION.finditer(code):
        found.append(("negation", m.start(), "!", ""))
    for m in BOOLEAN.finditer(code):
        found.append(("boolean", m.start(), m.group(1), FLIP_BOOLEAN[m.group(1)]))
    call = CALL.match(code)
    if call and code.split("(")[0].split()[0] not in NOT_CALLS and balanced(code) and "=" not in code.split("(")[0]:
        found.append(("call", len(call.group(1)), code.strip(), ";"))
    return found


def find_sites():
    sites, seen = [], {}
    for path in source_files():
        with open(os.path.join(ROOT, path), encoding="utf-8") as f:
            lines = f.read().split("\n")
        for number, line in enumerate(lines, 1):
            stripped = line.strip()
            if not stripped or stripped.startswith(("#", "//")):
                continue
            for operator, column, old, new in sites_of_line(masked(line)):
                if operator == "call":
                    old = stripped
                indent = len(line) - len(line.lstrip())
                key = "|".join([os.path.basename(path), operator, stripped, str(column - indent)])
                seen[key] = seen.get(key, 0) + 1  # the same line twice in one file
                ident = hashlib.sha1(f"{key}|{seen[key]}".encode()).hexdigest()[:8]
                sites.append(dict(id=ident, path=path, line=number, column=column, operator=operator,
                                  old=old, new=new))
    return sites


def mutated_text(site):
    with open(os.path.join(ROOT, site["path"]), encoding="utf-8") as f:
        original = f.read()
    lines = original.split("\n")
    line = lines[site["line"] - 1]
    column, old = site["column"], site["old"]
    if line[column:column + len(old)] != old:
        raise SystemExit(f"{site['id']}: {site['path']}:{site['line']} no longer reads {old!r}")
    lines[site["line"] - 1] = line[:column] + site["new"] + line[column + len(old):]
    return original, "\n".join(lines)


def end_session(session):
    """Kills what a run left behind in its session: a test that hung or timed out can leave its
    X server or a copy of the program running, which would slow or disturb the next mutant's run."""
    for entry in os.listdir("/proc"):
        try:
            with open(f"/proc/{entry}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            if entry.isdigit() and int(fields[3]) == session:
                os.kill(int(entry), signal.SIGKILL)
        except (OSError, IndexError, ValueError):
            pass


def run(command, timeout):
    """(exit code or None on timeout, output)."""
    process = subprocess.Popen(command, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                               text=True, errors="replace", start_new_session=True)
    try:
        output, _ = process.communicate(timeout=timeout)
        return process.returncode, output
    except subprocess.TimeoutExpired:
        end_session(process.pid)
        output, _ = process.communicate()
        return None, output
    except BaseException:  # Ctrl+C: the build or the tests must not run on with the mutant
        end_session(process.pid)
        process.wait()
        raise
    finally:
        end_session(process.pid)


FAILED_TEST = re.compile(r"Test\s+#\d+: (\S+)[^\n]*?(?:\*\*\*(Failed|Timeout|Exception|Not Run)|Subprocess)")


# The quick cases of the test programs first, then the tests that run the program as a process.
# Left out: the checks of the packaging and of the test harness, which no change to the program's
# code can make fail, and the endurance runs.
PHASES = [["-E", "_test$"], ["-R", "_test$", "-E", "^(package|appstream|desktop_entry|harness|harness_gnome)_test$"]]


def build_folder(args):
    return "build" if args.preset == "default" else "build-" + args.preset


def test_once(args, show_failure=False):
    phases = [["-L", args.label]] if args.label else PHASES if args.preset == "default" else [[]]
    for phase in phases:
        command = ["ctest", "--test-dir", build_folder(args), "-j", "2", "-LE", "endurance", *phase,
                   "--output-on-failure", "--stop-on-failure", "--timeout", str(args.timeout)]
        code, output = run(command, args.timeout * 4)
        if code is None:
            return "timed-out", "(the whole run)"
        if code == 0:
            continue
        if show_failure:
            print(output[-3000:])
        match = FAILED_TEST.search(output)
        name = match.group(1) if match else "?"
        return ("timed-out" if match and match.group(2) == "Timeout" else "killed"), name
    return "survived", ""


def try_mutant(site, args):
    original, text = mutated_text(site)
    path = os.path.join(ROOT, site["path"])
    try:
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        code, _ = run(["cmake", "--build", "--preset", args.preset], 1800)
        if code != 0:
            return "did-not-build", ""
        return test_once(args)
    finally:
        with open(path, "w", encoding="utf-8") as f:
            f.write(original)
        put_back_damage()


def put_back_damage():
    """A mutant's build or tests may write over other files of the tree (a generator that writes
    its output over its input): those are put back from git, so that no later mutant runs on them."""
    changed = subprocess.run(["git", "diff", "--name-only"], cwd=ROOT, capture_output=True, text=True).stdout.split()
    if changed:
        print("put back what the mutant changed: " + " ".join(changed), flush=True)
        subprocess.run(["git", "checkout", "--", *changed], cwd=ROOT, check=True)


def describe(site):
    change = f"{site['old']} -> {site['new']}" if site["operator"] != "call" else f"drop {site['old']}"
    return f"{site['id']}  {site['path']}:{site['line']}  {site['operator']:<10}  {change}"


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--sample", type=int)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--only", nargs="+")
    parser.add_argument("--label")
    parser.add_argument("--preset", default="default", choices=["default", "windows"])
    parser.add_argument("--timeout", type=int, default=120)
    parser.add_argument("--log")
    args = parser.parse_args()

    sites = find_sites()
    chosen = sites
    if args.only:
        chosen = [s for s in sites if s["id"] in set(args.only)]
        missing = set(args.only) - {s["id"] for s in chosen}
        if missing:
            print("no such site now: " + " ".join(sorted(missing)))
    elif args.sample:
        chosen = random.Random(args.seed).sample(sorted(sites, key=lambda s: s["id"]), min(args.sample, len(sites)))
    if args.list:
        for site in chosen:
            print(describe(site))
        print(f"{len(chosen)} of {len(sites)} sites")
        return 0
    if chosen is sites:
        parser.error("say --list, --sample N or --only ID...")

    if subprocess.run(["git", "diff", "--quiet"], cwd=ROOT).returncode != 0:
        raise SystemExit("the tree has changes that are not committed: commit or stash them first")
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(130))
    code, output = run(["cmake", "--build", "--preset", args.preset], 1800)
    if code != 0:
        print(output)
        raise SystemExit("the unmutated tree does not build")
    verdict, test = test_once(args, show_failure=True)
    if verdict != "survived":
        raise SystemExit(f"the unmutated tree fails its tests ({test}): no mutant could be judged")
    counts = {"killed": 0, "survived": 0, "did-not-build": 0, "timed-out": 0}
    log = open(args.log, "a", encoding="utf-8") if args.log else None
    try:
        for number, site in enumerate(chosen, 1):
            started = time.monotonic()
            verdict, test = try_mutant(site, args)
            counts[verdict] += 1
            row = f"{describe(site)}  {verdict}  {test}  ({time.monotonic() - started:.0f} s)"
            print(f"[{number}/{len(chosen)}] {row}", flush=True)
            if log:
                log.write(row + "\n")
                log.flush()
    except KeyboardInterrupt:
        print("interrupted; the file of the current mutant was put back")
    finally:
        run(["cmake", "--build", "--preset", args.preset], 1800)  # the build matches the tree again
    killed = counts["killed"] + counts["timed-out"]
    print(f"{killed} killed, {counts['survived']} survived "
          f"({counts['timed-out']} of the killed timed out, {counts['did-not-build']} did not build)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
