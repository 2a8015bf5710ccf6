#!/usr/bin/env python3
"""Scores the compiler companion on the held-out programs beside this script.

Usage: score.py COMPANION [-v] [NAME...], or score.py --rejudge OUTPUT (an earlier run's)
Each program is compiled through the companion with g++ speaking English, UTF-8
Chinese and GBK Chinese; its hints are then counted as right (a hint on the
expected line whose words match the expected pattern, and nothing misleading
beside it), generic (only the line), silent (none), or misleading (any hint that
names another cause or another line; any hint on a correct program)."""
import os, re, subprocess, sys, tempfile, shutil, collections

HERE = os.path.dirname(os.path.abspath(__file__))
FORMS = {"C": {"LC_ALL": "C", "LANG": "", "LANGUAGE": ""},
         "UTF-8": {"LC_ALL": "zh_CN.UTF-8", "LANGUAGE": "zh_CN"},
         "GBK": {"LC_ALL": "zh_CN.GBK", "LANGUAGE": "zh_CN"}}
GENERIC = "编译器在这里报告了一个错误"
# The fallbacks that restate the compiler's message without a cause: only the line.
VAGUE = ("类型对不上：", "找不到能这样调用的函数", "两边的类型对不上")

def table():
    for line in open(os.path.join(HERE, "expected.txt"), encoding="utf-8"):
        if line.startswith("#") or "|" not in line:
            continue
        name, opts, at, key = [w.strip() for w in line.split("|", 3)]
        yield name, opts.split(), at, key

def hints(companion, name, opts, env):
    folder = tempfile.mkdtemp()
    try:
        shutil.copy(os.path.join(HERE, name), folder)
        e = dict(os.environ, TARNWICKSTONE_CC_NO_PCH="1", **env)
        r = subprocess.run([companion] + opts + ["-g", "-o", "a.exe", name], cwd=folder,
                           env=e, capture_output=True)
        err = r.stderr.decode("utf-8", "replace")
        at = err.find("中文提示（tarnwickstone-cc）：")
        if at < 0:
            return []
        return [h.strip() for h in re.split(r"(?:^|\n)\d+\. ", err[at:])[1:]]
    finally:
        shutil.rmtree(folder)

def judge(name, at, key, said):
    if at == "-":
        return "right" if not said else "misleading"
    if not said:
        return "silent"
    where = f"{name} 第 {at} 行"
    generic = [h for h in said if GENERIC in h or any(v in h for v in VAGUE)]
    # A hint for the program as a whole names no line.
    right = [h for h in said if h not in generic and re.search(key, h) and
             (h.startswith(where) or not h.startswith(name + " 第"))]
    if len(right) + len(generic) < len(said):
        return "misleading"
    return "right" if right else "generic"

def rejudge(path):
    """Judges again what an earlier run printed (its hints, one block a verdict)."""
    keys = {name: (at, key) for name, _, at, key in table()}
    blocks, counts = [], {f: collections.Counter() for f in FORMS}
    for line in open(path, encoding="utf-8"):
        m = re.match(r"^(\S+\.cpp) \[(\S+)\] (\w+)$", line.rstrip("\n"))
        if m:
            blocks.append([m.group(1), m.group(2), m.group(3), []])
        elif line.startswith("    ") and not line.startswith("       ") and blocks:
            blocks[-1][3].append(line.strip())
    seen = set()
    for name, form, _, said in blocks:
        at, key = keys[name]
        counts[form][judge(name, at, key, said)] += 1
        seen.add((name, form))
    for name in keys:
        for form in FORMS:
            if (name, form) not in seen:
                counts[form]["right"] += 1
    return counts

def report(counts):
    for form, c in counts.items():
        print(f"{form}: right {c['right']}/{sum(c.values())}, misleading {c['misleading']}, "
              f"silent {c['silent']}, generic {c['generic']}")

def main():
    if sys.argv[1] == "--rejudge":
        report(rejudge(sys.argv[2]))
        return
    companion = os.path.abspath(sys.argv[1])
    verbose = "-v" in sys.argv
    only = [a for a in sys.argv[2:] if a != "-v"]
    counts = {f: collections.Counter() for f in FORMS}
    for name, opts, at, key in table():
        if only and not any(o in name for o in only):
            continue
        for form, env in FORMS.items():
            said = hints(companion, name, opts, env)
            verdict = judge(name, at, key, said)
            counts[form][verdict] += 1
            if verbose or verdict != "right":
                print(f"{name} [{form}] {verdict}")
                for h in said:
                    print("    " + h.replace("\n", "\n    "))
    report(counts)

main()
