#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Norvane Works
# SPDX-License-Identifier: GPL-3.0-or-later

"""Plants single faults in a scratch copy of the game and runs the test suite on each.

Each fault is one exact edit of one file. A fault is caught when norvane_tests
fails (or hangs) with it in place. The lists live beside this script in
*.faults; see README.md there for the format.

    tools/faults/plant.py                  # every fault, two scratch copies
    tools/faults/plant.py -j 1 -k keys     # only faults whose rule or file mentions "keys"
    tools/faults/plant.py --list pieces.faults
    tools/faults/plant.py --sample 100 --seed 7   # a random draw over all lists
"""

import argparse
import concurrent.futures
import dataclasses
import os
import pathlib
import random
import shutil
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent
EXCLUDE = {"build", ".git", ".cache"}


@dataclasses.dataclass
class Fault:
    source: str  # list file and line, for messages
    rule: str
    file: str
    find: str
    replace: str


def unescape(text):
    # \n is a line break, \t a tab, \\ one backslash (so "\\r\\n" stays as written).
    out, i = [], 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text) and text[i + 1] in "nt\\":
            out.append({"n": "\n", "t": "\t", "\\": "\\"}[text[i + 1]])
            i += 2
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


def parse(path):
    faults, cur = [], {}
    lines = path.read_text(encoding="utf-8").splitlines()

    def flush(lineno):
        if not cur:
            return
        missing = [k for k in ("rule", "file", "find", "replace") if k not in cur]
        if missing:
            sys.exit(f"{path.name}:{lineno}: fault lacks {', '.join(missing)}")
        faults.append(Fault(f"{path.name}:{cur['line']}", cur["rule"], cur["file"],
                            unescape(cur["find"]), unescape(cur["replace"])))
        cur.clear()

    for n, line in enumerate(lines, 1):
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        key, sep, value = line.partition(":")
        key = key.strip()
        if not sep or key not in ("rule", "file", "find", "replace"):
            sys.exit(f"{path.name}:{n}: expected 'rule:', 'file:', 'find:' or 'replace:'")
        if key == "rule":
            flush(n)
            cur["line"] = n
        value = value[1:] if value.startswith(" ") else value
        cur[key] = value
    flush(len(lines))
    return faults


def stale(fault, root):
    """Why the fault cannot be planted in the tree at root, or None: its text must occur once."""
    path = root / fault.file
    if not path.exists():
        return f"no file {fault.file}"
    count = path.read_text(encoding="utf-8").count(fault.find)
    return None if count == 1 else f"the text occurs {count} times in {fault.file}"


def copy_tree(dest):
    """Copies the sources; on a later run only files whose content changed are
    written, with a fresh time, so the incremental build sees every change."""
    for src in ROOT.rglob("*"):
        rel = src.relative_to(ROOT)
        if rel.parts[0] in EXCLUDE or src.is_dir():
            continue
        target = dest / rel
        if target.is_file() and target.read_bytes() == src.read_bytes():
            continue
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(src, target)
        shutil.copymode(src, target)
        os.utime(target)
    # Files deleted from the tree go from the copy too.
    for target in list(dest.rglob("*")) if dest.exists() else []:
        rel = target.relative_to(dest)
        if rel.parts[0] in EXCLUDE or target.is_dir():
            continue
        if not (ROOT / rel).exists():
            target.unlink()


def run(cmd, cwd, env=None, timeout=None):
    return subprocess.run(cmd, cwd=cwd, env=env, timeout=timeout, stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, text=True, errors="replace")


class Scratch:
    def __init__(self, base):
        self.src = base / "src"
        self.build = base / "build"
        self.data = base / "data"

    def prepare(self):
        copy_tree(self.src)
        self.data.mkdir(parents=True, exist_ok=True)
        cfg = ["cmake", "-S", str(self.src), "-B", str(self.build), "-G", "Ninja",
               "-DCMAKE_BUILD_TYPE=Debug", "-DNORVANE_BENCH=OFF", "-DNORVANE_ASSETGEN=OFF",
               # gold links the test program several times faster than the default linker
               "-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=gold"]
        if shutil.which("ccache"):
            cfg.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
        r = run(cfg, self.src)
        if r.returncode:
            sys.exit("configure failed:\n" + r.stdout)
        r = self.compile()
        if r.returncode:
            sys.exit("the unchanged copy does not build:\n" + r.stdout[-4000:])
        ok, out = self.test()
        if not ok:
            sys.exit("the unchanged copy fails its tests:\n" + out[-4000:])

    def compile(self):
        return run(["cmake", "--build", str(self.build), "--target", "norvane_tests"], self.src)

    def test(self):
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", SDL_AUDIODRIVER="dummy",
                   SDL_JOYSTICK_DISABLED="1", XDG_DATA_HOME=str(self.data))
        # A shorter random-play run per fault; the other tests run whole.
        env.setdefault("NORVANE_MONKEY_EVENTS", "20000")
        try:
            r = run([str(self.build / "tests" / "norvane_tests"), "--gtest_brief=1", "--gtest_fail_fast"],
                    self.build, env=env, timeout=300)
        except subprocess.TimeoutExpired:
            return False, "hung"
        return r.returncode == 0, r.stdout

    def plant(self, fault):
        path = self.src / fault.file
        why = stale(fault, self.src)
        if why:
            return "invalid", why
        original = path.read_text(encoding="utf-8")
        try:
            path.write_text(original.replace(fault.find, fault.replace), encoding="utf-8")
            r = self.compile()
            if r.returncode:
                return "invalid", "does not build"
            ok, out = self.test()
            if ok:
                return "survived", ""
            failed = [l.split("]", 1)[1].strip() for l in out.splitlines() if l.startswith("[  FAILED  ]")]
            return "caught", ", ".join(failed[:3]) or "the run failed"
        finally:
            path.write_text(original, encoding="utf-8")
            os.utime(path)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("-j", type=int, default=2, help="scratch copies working at once")
    ap.add_argument("-k", default="", help="only faults whose rule, file or list contains this text")
    ap.add_argument("--list", action="append", help="list file(s) in tools/faults (default: all)")
    ap.add_argument("--sample", type=int, default=0, help="only this many faults, drawn at random")
    ap.add_argument("--seed", type=int, default=1, help="seed of the --sample draw")
    ap.add_argument("--scratch", default=os.path.join(tempfile.gettempdir(), "norvane-faults"))
    ap.add_argument("-v", action="store_true", help="print each result as it comes")
    ap.add_argument("--check", action="store_true",
                    help="only check that every fault still finds its text exactly once; plant nothing")
    args = ap.parse_args()

    lists = [HERE / l for l in args.list] if args.list else sorted(HERE.glob("*.faults"))
    faults = [f for l in lists for f in parse(l)]
    if args.k:
        k = args.k.lower()
        faults = [f for f in faults if k in (f.rule + f.file + f.source).lower()]
    if args.check:
        bad = [f"{f.source}: {f.rule} [{why}]" for f in faults if (why := stale(f, ROOT))]
        print("\n".join(bad) if bad else f"all {len(faults)} faults find their text once")
        sys.exit(1 if bad else 0)
    if args.sample and args.sample < len(faults):
        faults = random.Random(args.seed).sample(faults, args.sample)
    if not faults:
        sys.exit("no faults selected")

    base = pathlib.Path(args.scratch)
    scratches = [Scratch(base / str(i)) for i in range(max(1, min(args.j, len(faults))))]
    with concurrent.futures.ThreadPoolExecutor(len(scratches)) as pool:
        list(pool.map(Scratch.prepare, scratches))

    queue = list(enumerate(faults))
    results = [None] * len(faults)

    def worker(scratch):
        while queue:
            try:
                i, f = queue.pop(0)
            except IndexError:
                return
            results[i] = scratch.plant(f)
            if args.v:
                print(f"{results[i][0]:8} {f.source}: {f.rule}", flush=True)

    with concurrent.futures.ThreadPoolExecutor(len(scratches)) as pool:
        list(pool.map(worker, scratches))

    caught = sum(1 for r in results if r[0] == "caught")
    invalid = [(f, r) for f, r in zip(faults, results) if r[0] == "invalid"]
    survived = [f for f, r in zip(faults, results) if r[0] == "survived"]
    valid = caught + len(survived)
    print(f"\n{caught} of {valid} planted faults caught"
          + (f" ({100 * caught // valid}%)" if valid else "")
          + (f"; {len(invalid)} could not be planted" if invalid else ""))
    for f in survived:
        print(f"  survived  {f.source}: {f.rule}  [{f.file}]")
    for f, r in invalid:
        print(f"  invalid   {f.source}: {f.rule}  [{f.file}: {r[1]}]")
    return 0 if not survived and not invalid else 1


if __name__ == "__main__":
    sys.exit(main())
