#!/usr/bin/env python3
"""Mutation testing for the product sources.

Draws mutants with a fixed seed over the product's .cpp/.h/.c files (not tests, benchmarks
or fuzz targets), applies one at a time, rebuilds incrementally in its own build folder, runs
ctest with a short per-test timeout and restores the file. A mutant is killed when a test
fails or times out, survives when every test passes, and is skipped when it does not compile.
Results go to a state file after every mutant, so an interrupted run resumes where it stopped.
"""

import argparse
import collections
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PRODUCT_DIRS = ["app", "board", "engine", "equations", "field", "game", "info", "platform", "solver", "storage", "ui"]
EXCLUDED_PARTS = {"tests", "bench", "fuzz"}
SOURCE_SUFFIXES = (".cpp", ".h", ".c")


# ----------------------------------------------------------------------------------------
# Finding places to mutate


def product_files(folder):
    roots = [folder] if folder else PRODUCT_DIRS
    out = []
    for top in roots:
        base = os.path.join(ROOT, top)
        for dirpath, dirnames, filenames in os.walk(base):
            rel = os.path.relpath(dirpath, ROOT)
            parts = set(rel.split(os.sep))
            if parts & EXCLUDED_PARTS:
                dirnames[:] = []
                continue
            for name in sorted(filenames):
                if name.endswith(SOURCE_SUFFIXES):
                    out.append(os.path.relpath(os.path.join(dirpath, name), ROOT))
            dirnames.sort()
    return sorted(out)


STRING_OR_CHAR = re.compile(r'"(?:\\.|[^"\\])*"|\'(?:\\.|[^\'\\])*\'')


def code_part(line):
    """The line with string and character literals blanked and a trailing // comment cut,
    so that offsets still match the original line."""
    blanked = STRING_OR_CHAR.sub(lambda m: m.group(0)[0] + " " * (len(m.group(0)) - 2) + m.group(0)[-1], line)
    cut = blanked.find("//")
    if cut >= 0:
        blanked = blanked[:cut] + " " * (len(blanked) - cut)
    return blanked


# (pattern, replacement) pairs applied at one match each. Binary operators carry spaces on
# both sides in this code base (clang-format), which tells them apart from template brackets.
SWAPS = [
    (" < ", " <= "), (" <= ", " < "), (" > ", " >= "), (" >= ", " > "),
    (" == ", " != "), (" != ", " == "), (" && ", " || "), (" || ", " && "),
    (" + ", " - "), (" - ", " + "),
]
INTEGER = re.compile(r"(?<![\w.])(\d+)(?![\w.])")
IF_COND = re.compile(r"\b(if|while) \(")
INDEX = re.compile(r"\[([A-Za-z_][\w.]*)\]")
STATEMENT = re.compile(r"^\s*[A-Za-z_][\w:.\->\[\]()]*\s*(=|\+=|-=|\+\+|--|\()[^;]*;\s*$")
DECLARATION_START = re.compile(r"^\s*(const |constexpr |static |auto |int|bool|char|double|float|std::|size_t|uint|int\d)")


def matching_paren(text, open_at):
    depth = 0
    for i in range(open_at, len(text)):
        if text[i] == "(":
            depth += 1
        elif text[i] == ")":
            depth -= 1
            if depth == 0:
                return i
    return -1


def mutants_of_line(path, number, line, in_block_comment):
    stripped = line.strip()
    if in_block_comment or not stripped or stripped.startswith(("#", "//", "/*", "*")):
        return []
    if "static_assert" in line or "include" in stripped[:10]:
        return []
    code = code_part(line)
    out = []

    def add(kind, start, end, replacement):
        new = line[:start] + replacement + line[end:]
        if new != line:
            out.append({"file": path, "line": number, "kind": kind, "old": line.rstrip("\n"),
                        "new": new.rstrip("\n")})

    for old, new in SWAPS:
        for m in re.finditer(re.escape(old), code):
            add("operator", m.start(), m.end(), new)
    for m in INTEGER.finditer(code):
        value = int(m.group(1))
        add("constant", m.start(), m.end(), str(value + 1))
        if value > 0:
            add("constant", m.start(), m.end(), str(value - 1))
    for m in IF_COND.finditer(code):
        open_at = m.end() - 1
        close = matching_paren(code, open_at)
        if close > 0:
            add("negate", open_at, close + 1, "(!(" + line[open_at + 1:close] + "))")
    for m in INDEX.finditer(code):
        add("index", m.start(), m.end(), "[" + m.group(1) + " + 1]")
    if STATEMENT.match(code) and not DECLARATION_START.match(code) and "return" not in code:
        indent = line[: len(line) - len(line.lstrip())]
        add("delete", 0, len(line.rstrip("\n")), indent + ";")
    if stripped.startswith("return ") and stripped.endswith(";") and "return {}" not in stripped:
        indent = line[: len(line) - len(line.lstrip())]
        add("return", 0, len(line.rstrip("\n")), indent + "return {};")
    return out


def all_mutants(folder):
    mutants = []
    for path in product_files(folder):
        with open(os.path.join(ROOT, path), encoding="utf-8") as f:
            lines = f.readlines()
        in_block = False
        for number, line in enumerate(lines, start=1):
            mutants.extend(mutants_of_line(path, number, line, in_block))
            if "/*" in line and "*/" not in line:
                in_block = True
            elif "*/" in line:
                in_block = False
    for m in mutants:
        m["id"] = "%s:%d:%s:%s" % (m["file"], m["line"], m["kind"], m["new"].strip())
    return mutants


# ----------------------------------------------------------------------------------------
# Running


def run(cmd, cwd, timeout, env=None):
    proc = subprocess.Popen(cmd, cwd=cwd, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            start_new_session=True, text=True, errors="replace")
    try:
        out, _ = proc.communicate(timeout=timeout)
        return proc.returncode, out
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        out, _ = proc.communicate()
        return None, out


class Workspace:
    def __init__(self, build, jobs, test_timeout, run_timeout, all_tests=False):
        self.build = build
        self.all_tests = all_tests
        self.jobs = jobs
        self.test_timeout = test_timeout
        self.run_timeout = run_timeout
        self.env = dict(os.environ, QT_QPA_PLATFORM="offscreen")

    def configure(self):
        code, out = run(["cmake", "-S", ROOT, "-B", self.build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                         "-DGRAVLIN_WERROR=OFF", "-DGRAVLIN_BUILD_TESTS=ON"], ROOT, 600)
        if code != 0:
            sys.exit("configure failed:\n" + out)

    def compile(self):
        code, out = run(["cmake", "--build", self.build, "-j", str(self.jobs)], ROOT, 1800)
        return code == 0, out

    def test(self):
        cmd = ["ctest", "-j", str(self.jobs), "--timeout", str(self.test_timeout)]
        if not self.all_tests:
            cmd.append("--stop-on-failure")
        code, out = run(cmd, self.build, self.run_timeout, self.env)
        return code == 0, out


def failing_tests(out):
    return re.findall(r"\d+ - (\S+) \((?:Failed|Timeout|SEGFAULT|Subprocess aborted|Exception|Child aborted)", out)


def backup_path(state_path):
    return state_path + ".backup"


def restore_leftover(state_path):
    """Puts back a file a killed run left mutated."""
    bpath = backup_path(state_path)
    if os.path.exists(bpath):
        with open(bpath, encoding="utf-8") as f:
            saved = json.load(f)
        with open(os.path.join(ROOT, saved["file"]), "w", encoding="utf-8") as f:
            f.write(saved["text"])
        os.remove(bpath)
        print("restored %s from an interrupted run" % saved["file"])


def apply_and_test(ws, mutant, state_path):
    path = os.path.join(ROOT, mutant["file"])
    with open(path, encoding="utf-8") as f:
        original = f.read()
    lines = original.splitlines(keepends=True)
    index = mutant["line"] - 1
    if index >= len(lines) or lines[index].rstrip("\n") != mutant["old"]:
        return {"status": "stale"}
    ending = "\n" if lines[index].endswith("\n") else ""
    lines[index] = mutant["new"] + ending
    with open(backup_path(state_path), "w", encoding="utf-8") as f:
        json.dump({"file": mutant["file"], "text": original}, f)
    try:
        with open(path, "w", encoding="utf-8") as f:
            f.write("".join(lines))
        started = time.time()
        built, _ = ws.compile()
        if not built:
            return {"status": "uncompiled"}
        passed, out = ws.test()
        result = {"status": "survived" if passed else "killed", "seconds": round(time.time() - started, 1)}
        if not passed:
            failing = failing_tests(out)
            result["by"] = failing if ws.all_tests else failing[:3]
        return result
    finally:
        with open(path, "w", encoding="utf-8") as f:
            f.write(original)
        os.utime(path, None)
        os.remove(backup_path(state_path))


def folder_of(path):
    return path.split("/", 1)[0]


def report(state, chosen):
    per_folder = collections.OrderedDict()
    for m in chosen:
        r = state["results"].get(m["id"])
        if not r or r["status"] not in ("killed", "survived"):
            continue
        f = per_folder.setdefault(folder_of(m["file"]), [0, 0])
        f[0] += r["status"] == "killed"
        f[1] += 1
    print("\nkill rate per folder:")
    total_killed = total = 0
    for folder, (killed, count) in sorted(per_folder.items()):
        print("  %-10s %3d / %3d  %5.1f %%" % (folder, killed, count, 100.0 * killed / count))
        total_killed += killed
        total += count
    if total:
        print("  %-10s %3d / %3d  %5.1f %%" % ("all", total_killed, total, 100.0 * total_killed / total))
    survivors = [m for m in chosen if state["results"].get(m["id"], {}).get("status") == "survived"]
    if survivors:
        print("\nsurvivors:")
        for m in survivors:
            print("  %s:%d  [%s]\n      - %s\n      + %s" % (m["file"], m["line"], m["kind"], m["old"].strip(),
                                                          m["new"].strip()))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--count", type=int, default=150, help="mutants that compile (default 150)")
    parser.add_argument("--seed", type=int, default=1, help="seed of the draw (default 1)")
    parser.add_argument("--folder", help="only this product folder, e.g. engine")
    parser.add_argument("--state", help="state file (default build-mutate/mutants-<seed>[-folder].json)")
    parser.add_argument("--build", default=os.path.join(ROOT, "build-mutate"), help="build folder")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    parser.add_argument("--test-timeout", type=int, default=20, help="seconds per test (default 20)")
    parser.add_argument("--run-timeout", type=int, default=600, help="seconds per ctest run (default 600)")
    parser.add_argument("--all-tests", action="store_true",
                        help="run every test on every mutant and record all that fail (which tests kill what)")
    parser.add_argument("--list", action="store_true", help="print the drawn mutants and stop")
    parser.add_argument("--report", action="store_true", help="print the results so far and stop")
    args = parser.parse_args()

    if args.folder and args.folder not in PRODUCT_DIRS:
        sys.exit("--folder must be one of: " + ", ".join(PRODUCT_DIRS))
    os.makedirs(args.build, exist_ok=True)
    state_path = args.state or os.path.join(
        args.build, "mutants-%d%s.json" % (args.seed, "-" + args.folder if args.folder else ""))
    restore_leftover(state_path)
    state = {"seed": args.seed, "results": {}}
    if os.path.exists(state_path):
        with open(state_path, encoding="utf-8") as f:
            state = json.load(f)

    candidates = all_mutants(args.folder)
    random.Random(args.seed).shuffle(candidates)

    if args.list:
        for m in candidates[: args.count]:
            print("%s:%d [%s] %s" % (m["file"], m["line"], m["kind"], m["new"].strip()))
        return
    ws = Workspace(args.build, args.jobs, args.test_timeout, args.run_timeout, args.all_tests)
    if not args.report:
        ws.configure()
        built, out = ws.compile()
        if not built:
            sys.exit("the unmutated tree does not build:\n" + out[-3000:])
        passed, out = ws.test()
        if not passed:
            sys.exit("the unmutated tree fails its tests:\n" + out[-3000:])

    chosen = []
    compiled = 0
    for m in candidates:
        if compiled >= args.count:
            break
        result = state["results"].get(m["id"])
        if result is None and not args.report:
            result = apply_and_test(ws, m, state_path)
            state["results"][m["id"]] = result
            with open(state_path + ".tmp", "w", encoding="utf-8") as f:
                json.dump(state, f, indent=1)
            os.replace(state_path + ".tmp", state_path)
            print("[%d/%d] %-10s %s:%d %s" % (compiled + (result["status"] in ("killed", "survived")), args.count,
                                              result["status"], m["file"], m["line"], m["new"].strip()[:70]),
                  flush=True)
        if result is None:
            break
        if result["status"] in ("killed", "survived"):
            compiled += 1
            chosen.append(m)
    if not args.report:
        # Leave the mutation build matching the sources again.
        ws.compile()
    report(state, chosen)


if __name__ == "__main__":
    main()
