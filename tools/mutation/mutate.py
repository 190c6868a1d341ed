#!/usr/bin/env python3
"""One-line mutations of one subsystem's sources, each rebuilt and tested; lists the survivors.

Usage: tools/mutation/mutate.py SUBSYSTEM [--sample N] [--seed S] [--list]
  SUBSYSTEM   rules, shell, presentation or persistence
  --sample N  try N mutants, drawn at random from all there are (default: all); also --max.
              The draw is the first N of one seeded order: a larger sample holds a smaller one
  --seed S    the draw's seed (default 1), so that a run can be repeated
  --list      print the mutants that would be tried, and build nothing
  --commit C  mutate the sources and run the tests of commit C (default HEAD), e.g. to score
              the tests before a change against the same mutants
Works in a git worktree of its own (commit C, in build-mutation-SUBSYSTEM-*/ of the caller's tree,
which git ignores and where the shared compiler cache applies), never in the caller's sources;
builds only the subsystem's test program, one job at a time. A mutant the compiler refuses
does not count. Mutants listed in tools/mutation/equivalent.txt
("file:line: mutated line", one a line) cannot change behaviour: they are listed apart.
CPU-heavy: run it under nice, e.g. nice -n 19 tools/mutation/mutate.py rules --sample 60.
"""
import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile

# The test program of each subsystem, and the ctest names of its tests.
TARGETS = {
    "rules": "rules_tests",
    "shell": "shell_tests",
    "presentation": "presentation_tests",
    "persistence": "persistence_tests",
}
TESTS = {
    "rules": r"^rules\.",
    "shell": r"^shell_scenarios$",
    "presentation": r"^presentation\.",
    "persistence": r"^persistence\.",
}

# (pattern, replacement, name): each is tried at every place it matches on a line.
OPERATORS = [
    (r"==", "!=", "== to !="),
    (r"!=", "==", "!= to =="),
    (r"(?<![<>=!-])<=(?!=)", "<", "<= to <"),
    (r"(?<![<>=!-])>=(?!=)", ">", ">= to >"),
    (r"(?<![<>=!-])<(?![<=])", "<=", "< to <="),
    (r"(?<![-<>=!])>(?![>=])", ">=", "> to >="),
    (r"&&", "||", "&& to ||"),
    (r"\|\|", "&&", "|| to &&"),
    (r"(?<![+])\+(?![+=])", "-", "+ to -"),
    (r"(?<![-])-(?![->=])(?=\s*\w)", "+", "- to +"),
    (r"(?<![\w.])(\d+)(?![\w.])", None, "constant + 1"),
]

SKIP = re.compile(r"^\s*(//|#|\*|/\*)|static_assert|constexpr std::array")


def mutants(path, text):
    lines = text.split("\n")
    for number, line in enumerate(lines, start=1):
        if SKIP.search(line) or '"' in line:
            continue
        for pattern, replacement, name in OPERATORS:
            for match in re.finditer(pattern, line):
                if replacement is None:
                    new = str(int(match.group(1)) + 1)
                else:
                    new = replacement
                mutated = line[: match.start()] + new + line[match.end():]
                yield number, name, mutated
        stripped = line.strip()
        # A statement removed: calls and assignments that end on this line.
        if (stripped.endswith(";") and not stripped.startswith(("return", "case", "default",
                "break", "continue", "using", "namespace", "}", "const ", "constexpr", "int ",
                "auto ", "bool ", "uint", "int32_t", "size_t", "static", "struct", "enum"))
                and "(" in stripped):
            yield number, "statement removed", re.sub(r"\S.*", "{}", line, count=1)


def run(cmd, cwd, timeout):
    """The command's exit status; -1 when it ran out of time (it and its children are ended)."""
    process = subprocess.Popen(cmd, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               start_new_session=True)
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        return -1


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("subsystem", choices=sorted(TESTS))
    parser.add_argument("--sample", "--max", dest="sample", type=int, default=0)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--commit", default="HEAD")
    args = parser.parse_args()

    top = subprocess.check_output(["git", "rev-parse", "--show-toplevel"], text=True).strip()
    equivalent = set()
    listed = os.path.join(top, "tools/mutation/equivalent.txt")
    if os.path.exists(listed):
        with open(listed) as f:
            equivalent = {line.rstrip("\n") for line in f if line.strip() and not line.startswith("#")}
    # Stopped from outside, the run still removes its worktree.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped"))

    def show(path):
        return subprocess.check_output(["git", "show", f"{args.commit}:{path}"], cwd=top, text=True)

    listing = subprocess.check_output(["git", "ls-tree", "--name-only", f"{args.commit}:{args.subsystem}"],
                                      cwd=top, text=True).split()
    sources = sorted(os.path.join(args.subsystem, f) for f in listing if f.endswith(".cpp"))
    every = []
    for source in sources:
        text = show(source)
        every += [(source, number, name, mutated) for number, name, mutated in mutants(source, text)]
    random.Random(args.seed).shuffle(every)
    if args.sample:
        every = every[: args.sample]
    if args.list:
        for source, number, name, mutated in every:
            print(f"{source}:{number}: {mutated.strip()}    ({name})")
        return

    work = tempfile.mkdtemp(prefix=f"build-mutation-{args.subsystem}-", dir=top)
    tree = os.path.join(work, "tree")
    subprocess.check_call(["git", "worktree", "add", "--detach", "-q", tree, args.commit], cwd=top)
    try:
        build = os.path.join(tree, "build")
        subprocess.check_call(["cmake", "-S", tree, "-B", build, "-G", "Ninja",
                               "-DGLIMORA_BENCHMARKS=OFF"], stdout=subprocess.DEVNULL)
        target = ["cmake", "--build", build, "--target", TARGETS[args.subsystem], "--", "-j1"]
        if run(target, tree, 3600) != 0:
            sys.exit("the unmutated tree does not build")
        if run(["ctest", "--test-dir", build, "-R", TESTS[args.subsystem]], tree, 900) != 0:
            sys.exit("the unmutated tree fails its tests")

        caught = survived = refused = 0
        survivors, equivalents = [], []
        for source, number, name, mutated in every:
            path = os.path.join(tree, source)
            with open(path) as f:
                original = f.read()
            lines = original.split("\n")
            lines[number - 1] = mutated
            with open(path, "w") as f:
                f.write("\n".join(lines))
            try:
                if run(target, tree, 900) != 0:
                    refused += 1
                    continue
                key = f"{source}:{number}: {mutated.strip()}"
                # The tests take seconds: a mutant that makes them loop is caught by the timeout.
                if run(["ctest", "--test-dir", build, "-R", TESTS[args.subsystem],
                        "--stop-on-failure"], tree, 60) == 0:
                    if key in equivalent:
                        equivalents.append(key)
                    else:
                        survived += 1
                        survivors.append(f"{key}    ({name})")
                        print(f"\rsurvived: {survivors[-1]}", file=sys.stderr, flush=True)
                else:
                    caught += 1
            finally:
                with open(path, "w") as f:
                    f.write(original)
            print(f"\r{caught} caught, {survived} survived, {refused} not compiled", end="",
                  file=sys.stderr, flush=True)
        print(file=sys.stderr)
        total = caught + survived
        print(f"{args.subsystem}: {caught} of {total} mutants caught"
              f" ({100.0 * caught / total if total else 0:.1f} %); {refused} did not compile;"
              f" {len(equivalents)} cannot change behaviour")
        for line in survivors:
            print("  survived: " + line)
        for line in equivalents:
            print("  equivalent: " + line)
    finally:
        subprocess.call(["git", "worktree", "remove", "--force", tree], cwd=top)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
