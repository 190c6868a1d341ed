#!/usr/bin/env python3
"""One-line mutations of one subsystem's sources, each rebuilt and tested; scores the tests.

Usage: tools/mutation/mutate.py SUBSYSTEM [options]
  SUBSYSTEM     rules, shell, presentation, persistence or classic_ui (platform/classic_ui)
  --sample N    try N mutants, drawn at random from all there are (default: all); also --max.
                The draw is the first N of one seeded order: a larger sample holds a smaller one
  --seed S      the draw's seed (default 1), so that a run can be repeated
  --part K/N    try only the K-th of N interleaved parts of the set (1 <= K <= N), e.g. to
                score a large subsystem over several sittings
  --jobs J      mutants tried at once, each in a worktree of its own (default 2)
  --results F   where each mutant's outcome is written as it comes (default
                build/mutation/SUBSYSTEM.results of the caller's tree); a new run starts it
                afresh unless --resume
  --resume      keep the outcomes already in the results file and try only the others
  --retry       with --resume, try the survivors not listed as equivalent again too (after
                the tests were sharpened)
  --summary     build nothing: print the summary of the results file as it stands
  --list        print the mutants that would be tried, and build nothing; without SUBSYSTEM,
                every subsystem's. Fails when an entry of equivalent.txt names no mutant
  --reach       first build the tests with line counts (gcov) and run them once: a mutant of a
                line they never run is only built, and recorded as a survivor when it compiles
  --commit C    mutate the sources and run the tests of commit C (default HEAD), e.g. to score
                the tests before a change against the same mutants
Works in git worktrees of its own (commit C, in build-mutation-SUBSYSTEM-*/ of the caller's
tree, which git ignores and where the shared compiler cache applies), never in the caller's
sources; each builds only the subsystem's test programs, one compiler at a time, without
debugging data. A mutant the compiler refuses does not count. Mutants listed in
tools/mutation/equivalent.txt ("file: mutated line", one a line, under a comment giving the
reason) cannot change behaviour: they are counted apart, with their reason. A mutant is named
by its file and its mutated line (a removed statement as "{} // " and the statement), with
" [N]" after the file where the same mutated line comes N times in it, counted from the top;
so a line that moves keeps its name.
CPU-heavy: run it under nice, e.g. nice -n 19 tools/mutation/mutate.py rules --part 1/2.
"""
import argparse
import difflib
import json
import os
import queue
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading

# Where each subsystem's sources are, the test programs that use them, and the steps its tests
# run in, the quickest first: a GoogleTest program run directly (stopping at the first
# failure), or ctest names (for a test that needs ctest's environment).
SUBSYSTEMS = {
    "rules": ("rules", ["rules_tests"], [("gtest", "tests/rules/rules_tests")]),
    "persistence": ("persistence", ["persistence_tests"],
                    [("gtest", "tests/persistence/persistence_tests")]),
    "presentation": ("presentation", ["presentation_tests"],
                     [("gtest", "tests/presentation/presentation_tests")]),
    "shell": ("shell", ["shell_tests"], [("ctest", r"^shell_scenarios$")]),
    # The scenario tests drive the drawn menus and dialogs through the headless backend.
    "classic_ui": ("platform/classic_ui", ["platform_tests", "sdl_smoke", "shell_tests"],
                   [("gtest", "tests/platform/platform_tests"),
                    ("ctest", r"^platform\.sdl_smoke$"), ("ctest", r"^shell_scenarios$")]),
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

OUTCOMES = ("caught", "survived", "equivalent", "refused")


def mutants(path, text):
    lines = text.split("\n")
    for number, line in enumerate(lines, start=1):
        if SKIP.search(line) or '"' in line:
            continue
        # Only the code: a comment after it is left alone.
        code = line.split("//", 1)[0]
        for pattern, replacement, name in OPERATORS:
            for match in re.finditer(pattern, code):
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
            yield number, "statement removed", re.sub(r"\S.*", lambda m: "{} // " + m.group(0),
                                                      line, count=1)


def named(source, found):
    """The file's mutants (line, operator, mutated line) with their names: the file and the
    mutated line, and where that line comes more than once in the file, which of them it is."""
    times, seen = {}, {}
    for _, _, mutated in found:
        times[mutated.strip()] = times.get(mutated.strip(), 0) + 1
    for number, name, mutated in found:
        text = mutated.strip()
        seen[text] = seen.get(text, 0) + 1
        where = f"{source} [{seen[text]}]" if times[text] > 1 else source
        yield number, name, mutated, f"{where}: {text}"


def run(cmd, cwd, timeout, env=None):
    """The command's exit status; -1 when it ran out of time (it and its children are ended)."""
    process = subprocess.Popen(cmd, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               start_new_session=True, env=env)
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        return -1


def read_equivalent(path):
    """Each listed mutant with its reason (the comment lines above it, joined) and the line of
    the list that names it."""
    reasons, lines, reason, in_comment = {}, {}, "", False
    if not os.path.exists(path):
        return reasons, lines
    with open(path) as f:
        for number, line in enumerate(f, start=1):
            line = line.rstrip("\n")
            if line.startswith("#"):
                text = line[1:].strip()
                reason = f"{reason} {text}".strip() if in_comment else text
                in_comment = True
            elif line.strip():
                reasons[line] = reason
                lines[line] = number
                in_comment = False
            else:
                # A blank line ends a comment: the file's own heading is no mutant's reason.
                reason, in_comment = "", False
    return reasons, lines


def unmatched(lines, keys, folders):
    """Messages for the listed mutants of `folders` that name none of `keys`, each with the
    nearest names of its file's mutants, to re-match an entry after its code changed."""
    messages = []
    for entry, number in sorted(lines.items(), key=lambda item: item[1]):
        source = entry.split(":", 1)[0].split(" [", 1)[0]
        if entry in keys or not any(source.startswith(folder + "/") for folder in folders):
            continue
        near = difflib.get_close_matches(entry, [k for k in keys if k.startswith(source)], 3, 0.6)
        messages.append(f"tools/mutation/equivalent.txt:{number}: names no mutant: {entry}"
                        + "".join(f"\n    nearest: {key}" for key in near))
    # An entry of a file in no subsystem's folder names no mutant either.
    if len(folders) == len(SUBSYSTEMS):
        messages += [f"tools/mutation/equivalent.txt:{number}: names no mutant: {entry}"
                     for entry, number in lines.items()
                     if not any(entry.startswith(folder + "/") for folder in folders)]
    return messages


def read_results(path):
    """The outcomes already written: key -> (outcome, operator name)."""
    results = {}
    if os.path.exists(path):
        with open(path) as f:
            for line in f:
                parts = line.rstrip("\n").split("\t")
                if len(parts) == 3 and parts[0] in OUTCOMES:
                    results[parts[1]] = (parts[0], parts[2])
    return results


def summary(subsystem, keys, results, reasons):
    """The per-subsystem table, then the survivors and the equivalent mutants by reason."""
    count = {outcome: 0 for outcome in OUTCOMES}
    survivors, equivalents = [], {}
    for key in keys:
        if key not in results:
            continue
        outcome, name = results[key]
        if outcome in ("caught", "survived") and key in reasons:
            outcome = "equivalent" if outcome == "survived" else outcome
        count[outcome] += 1
        if outcome == "survived":
            survivors.append(f"{key}    ({name})")
        elif outcome == "equivalent":
            equivalents.setdefault(reasons.get(key, "listed before"), []).append(key)
    scored = count["caught"] + count["survived"]
    untried = len(keys) - sum(count.values())
    lines = [f"{subsystem}: {count['caught']} caught, {count['survived']} survived,"
             f" {count['equivalent']} cannot change behaviour, {count['refused']} did not compile"
             f"{f', {untried} not tried yet' if untried else ''}:"
             f" {100.0 * count['caught'] / scored if scored else 0:.1f} % of {scored} caught"]
    lines += ["  survived: " + line for line in survivors]
    for reason, listed in equivalents.items():
        lines.append(f"  cannot change behaviour ({reason}):")
        lines += ["    " + key for key in listed]
    return "\n".join(lines)


class Tree:
    """A worktree of the commit with a build folder, ready to build the test programs."""

    def __init__(self, top, work, name, commit, subsystem, env, coverage=False):
        self.path = os.path.join(work, name)
        self.top = top
        self.env = env
        self.folder, targets, self.tests = SUBSYSTEMS[subsystem]
        subprocess.check_call(["git", "worktree", "add", "--detach", "-q", self.path, commit],
                              cwd=top)
        self.build = os.path.join(self.path, "build")
        # Optimized like the ordinary build, but without debugging data: quicker to compile and
        # to link, and shared through the compiler cache by every tree. The standard library
        # checks its indices, so that a mutant reaching one element past an array ends the
        # tests instead of quietly writing into the next field. The coverage tree counts the
        # runs of each line instead, unoptimized so that every line keeps its count.
        flags = "-O0 --coverage" if coverage else "-O2 -DNDEBUG -D_GLIBCXX_ASSERTIONS"
        options = ["-DGLIMORA_BENCHMARKS=OFF", "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                   f"-DCMAKE_CXX_FLAGS_RELWITHDEBINFO={flags}",
                   f"-DCMAKE_C_FLAGS_RELWITHDEBINFO={flags}"]
        # gold links the large test programs in about half the time of the default linker.
        links = ["--coverage"] if coverage else []
        if shutil.which("ld.gold"):
            links.append("-fuse-ld=gold")
        if links:
            options.append(f"-DCMAKE_EXE_LINKER_FLAGS={' '.join(links)}")
        subprocess.check_call(["cmake", "-S", self.path, "-B", self.build, "-G", "Ninja",
                               *options], stdout=subprocess.DEVNULL, env=env)
        self.target = ["cmake", "--build", self.build, "--target", *targets, "--", "-j1"]

    def built(self, timeout):
        return run(self.target, self.path, timeout, self.env) == 0

    def passes(self, timeout, whole=False):
        for kind, what in self.tests:
            if kind == "gtest":
                program = os.path.join(self.build, what)
                cmd = [program] if whole else [program, "--gtest_fail_fast"]
                status = run(cmd, os.path.dirname(program), timeout, self.env)
            else:
                cmd = ["ctest", "--test-dir", self.build, "-R", what]
                status = run(cmd if whole else cmd + ["--stop-on-failure"], self.path, timeout,
                             self.env)
            if status != 0:
                return False
        return True

    def remove(self):
        subprocess.call(["git", "worktree", "remove", "--force", self.path], cwd=self.top)


def unreached(tree):
    """The lines of the subsystem's sources that gcov counts as run never, as (source, line)."""
    if not tree.built(3600):
        sys.exit("the coverage tree does not build")
    tree.passes(900, whole=True)
    counts = {}
    for root, _, files in os.walk(os.path.join(tree.build, tree.folder)):
        for name in files:
            if not name.endswith(".gcda"):
                continue
            out = subprocess.run(["gcov", "--json-format", "--stdout", name], cwd=root,
                                 capture_output=True, text=True).stdout
            for line in out.splitlines():
                document = json.loads(line)
                # Each file is named from the folder it was compiled in.
                compiled = document.get("current_working_directory", root)
                for entry in document.get("files", []):
                    source = os.path.relpath(os.path.join(compiled, entry["file"]), tree.path)
                    for line in entry["lines"]:
                        key = (source, line["line_number"])
                        counts[key] = max(counts.get(key, 0), line["count"])
    return {key for key, count in counts.items() if count == 0}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("subsystem", nargs="?", choices=sorted(SUBSYSTEMS))
    parser.add_argument("--sample", "--max", dest="sample", type=int, default=0)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--part", default="1/1")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--results")
    parser.add_argument("--resume", action="store_true")
    parser.add_argument("--retry", action="store_true")
    parser.add_argument("--summary", action="store_true")
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--commit", default="HEAD")
    parser.add_argument("--reach", action="store_true")
    args = parser.parse_args()
    match = re.fullmatch(r"(\d+)/(\d+)", args.part)
    if not match or not 1 <= int(match.group(1)) <= int(match.group(2)):
        parser.error("--part takes K/N with 1 <= K <= N")
    part, parts = int(match.group(1)), int(match.group(2))
    if args.jobs < 1:
        parser.error("--jobs takes at least 1")
    if args.subsystem is None and not args.list:
        parser.error("a SUBSYSTEM is needed, unless --list")
    chosen = [args.subsystem] if args.subsystem else sorted(SUBSYSTEMS)

    top = subprocess.check_output(["git", "rev-parse", "--show-toplevel"], text=True).strip()
    reasons, listed = read_equivalent(os.path.join(top, "tools/mutation/equivalent.txt"))
    results_path = args.results or os.path.join(top, "build", "mutation",
                                                f"{args.subsystem}.results")
    folders = [SUBSYSTEMS[subsystem][0] for subsystem in chosen]

    def show(path):
        return subprocess.check_output(["git", "show", f"{args.commit}:{path}"], cwd=top, text=True)

    every = []
    for folder in folders:
        listing = subprocess.check_output(
            ["git", "ls-tree", "--name-only", f"{args.commit}:{folder}"], cwd=top, text=True).split()
        for source in sorted(f"{folder}/{f}" for f in listing if f.endswith(".cpp")):
            found = list(mutants(source, show(source)))
            every += [(source, *mutant) for mutant in named(source, found)]
    stale = unmatched(listed, {mutant[-1] for mutant in every}, folders)
    for message in stale:
        print(message, file=sys.stderr)
    random.Random(args.seed).shuffle(every)
    if args.sample:
        every = every[: args.sample]
    every = every[part - 1::parts]
    keys = [key for *_, key in every]
    if args.list:
        for *_, name, _, key in every:
            print(f"{key}    ({name})")
        if stale:
            sys.exit(f"{len(stale)} entries of tools/mutation/equivalent.txt name no mutant")
        return
    if args.summary:
        print(summary(args.subsystem, keys, read_results(results_path), reasons))
        return

    results = read_results(results_path) if args.resume else {}
    if args.retry:
        results = {k: v for k, v in results.items() if v[0] != "survived" or k in reasons}
    todo = [(m, key) for m, key in zip(every, keys) if key not in results]
    os.makedirs(os.path.dirname(os.path.abspath(results_path)), exist_ok=True)
    if not args.resume:
        open(results_path, "w").close()
    env = dict(os.environ)
    if shutil.which("ccache"):
        env.setdefault("CMAKE_CXX_COMPILER_LAUNCHER", "ccache")
        env.setdefault("CMAKE_C_COMPILER_LAUNCHER", "ccache")
        env.setdefault("CCACHE_BASEDIR", os.path.dirname(top))
    # Stopped from outside, the run still removes its worktrees; the results written stay.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped"))

    work = tempfile.mkdtemp(prefix=f"build-mutation-{args.subsystem}-", dir=top)
    trees = []
    lock = threading.Lock()
    pending = queue.Queue()
    for item in todo:
        pending.put(item)
    tally = {outcome: 0 for outcome in OUTCOMES}
    never = set()  # (source, line) the tests never run, with --reach

    def record(key, name, outcome):
        with lock:
            results[key] = (outcome, name)
            tally[outcome] += 1
            with open(results_path, "a") as f:
                f.write(f"{outcome}\t{key}\t{name}\n")
            if outcome == "survived" and key not in reasons:
                print(f"\rsurvived: {key}    ({name})", file=sys.stderr, flush=True)
            print(f"\r{sum(tally.values())} of {len(todo)}: {tally['caught']} caught,"
                  f" {tally['survived']} survived, {tally['refused']} not compiled", end="",
                  file=sys.stderr, flush=True)

    def worker(tree):
        while True:
            try:
                (source, number, name, mutated, _), key = pending.get_nowait()
            except queue.Empty:
                return
            path = os.path.join(tree.path, source)
            with open(path) as f:
                original = f.read()
            lines = original.split("\n")
            lines[number - 1] = mutated
            with open(path, "w") as f:
                f.write("\n".join(lines))
            try:
                if not tree.built(900):
                    record(key, name, "refused")
                elif (source, number) in never:
                    record(key, f"{name}, on a line the tests never run", "survived")
                # The tests take seconds: a mutant that makes them loop is caught by the timeout.
                elif tree.passes(120):
                    record(key, name, "survived")
                else:
                    record(key, name, "caught")
            finally:
                with open(path, "w") as f:
                    f.write(original)

    try:
        # A mutant of a line the tests never run cannot be caught: it is only built, to tell
        # a survivor from a mutant the compiler refuses.
        if args.reach:
            cover = Tree(top, work, "coverage", args.commit, args.subsystem, env, coverage=True)
            never.update(unreached(cover))
            cover.remove()
        # The first tree builds alone; the others then find its objects in the compiler cache.
        for index in range(min(args.jobs, max(len(todo), 1))):
            trees.append(Tree(top, work, f"tree{index}", args.commit, args.subsystem, env))
            if not trees[-1].built(3600):
                sys.exit("the unmutated tree does not build")
            if index == 0 and not trees[-1].passes(900, whole=True):
                sys.exit("the unmutated tree fails its tests")
        threads = [threading.Thread(target=worker, args=(tree,), daemon=True) for tree in trees]
        for thread in threads:
            thread.start()
        for thread in threads:
            while thread.is_alive():
                thread.join(1)
        print(file=sys.stderr)
        print(summary(args.subsystem, keys, results, reasons))
    finally:
        for tree in trees:
            tree.remove()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
