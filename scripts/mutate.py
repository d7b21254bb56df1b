#!/usr/bin/env python3
"""Mutation check: do the tests catch a realistic single fault in each folder of src/?

Copies the working tree (its tracked files, and new files not ignored) into
BUILD_DIR/tree, builds it in BUILD_DIR/build and runs the normal suite once
unmutated. Then, one mutant at a time, it changes one site of the program's
code under src/ (a comparison flipped or loosened, an arithmetic operator
swapped, an integer moved by one, a condition negated, a statement dropped or
a colour's red and blue bytes swapped), rebuilds, runs the suite and puts the
file back. The working tree itself is only ever read.

Usage: scripts/mutate.py [BUILD_DIR]   (default build-mutate)
Environment:
  MUTANTS=N          how many mutants (default 16: about 20 minutes on two cores)
  MUTATE_SEED=S      seed of the choice of sites (default 1)
  MUTATE_ONLY=src/X  mutate the folder src/X only
  MUTATE_LIST=1      list the mutants that would be made, build nothing

Mutants are spread over the folders of src/ in proportion to their size
(non-blank, non-comment lines), and within a folder over its files by size.
A failing or timed-out test catches a mutant; a mutant that does not build
counts as not compiling. Exits 0 once every mutant has been tried, whatever
was missed; 1 if the tree does not build or the unmutated suite fails.
"""

import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SOURCE_SUFFIXES = (".cpp", ".cc", ".h", ".hpp")
JOBS = str(os.cpu_count() or 2)
TEST_TIMEOUT = 120  # seconds a single test may take before it counts as failed
BUILD_TIMEOUT = 1800  # a build or a whole suite that takes longer has hung
SUITE_TIMEOUT = 1800

# ---------------------------------------------------------------------------
# Reading C++ well enough to find mutation sites.

RAW_PREFIXES = ("R", "u8R", "uR", "UR", "LR")


def mask(text):
    """The text with comments blanked and the insides of string and character
    literals turned into '_', keeping every column and line break."""
    out = list(text)

    def fill(start, end, ch):
        for k in range(start, min(end, len(out))):
            if out[k] != "\n":
                out[k] = ch

    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            fill(i, end, " ")
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            fill(i, end, " ")
            i = end
        elif c == '"' and re.search(r"\w*$", text[max(0, i - 8):i]).group(0) in RAW_PREFIXES:
            m = re.compile(r'([^()\\\s]{0,16})\(').match(text, i + 1)
            close = ")" + (m.group(1) if m else "") + '"'
            end = text.find(close, i + 1)
            end = n if end < 0 else end + len(close)
            fill(i + 1, end - 1, "_")
            i = end
        elif c in "\"'":
            token = re.search(r"[\w']*$", text[max(0, i - 40):i]).group(0)
            if c == "'" and token[:1].isdigit():  # a digit separator: 1'000
                i += 1
                continue
            end = i + 1
            while end < n and text[end] not in (c, "\n"):
                end += 2 if text[end] == "\\" else 1
            fill(i + 1, end, "_")
            i = end + 1
        else:
            i += 1
    return "".join(out)


def skipped_lines(masked):
    """Indexes of preprocessor lines and static_assert declarations."""
    skip, i = set(), 0
    while i < len(masked):
        line = masked[i]
        if line.lstrip().startswith("#"):
            while masked[i].rstrip().endswith("\\") and i + 1 < len(masked):
                skip.add(i)
                i += 1
            skip.add(i)
        elif "static_assert" in line:
            while ";" not in masked[i] and i + 1 < len(masked):
                skip.add(i)
                i += 1
            skip.add(i)
        i += 1
    return skip


CODE_HEADER = re.compile(r"(\)|\]|\b(else|do|try|mutable|noexcept|override|final|const)|->\s*[\w:<>,*& ]+)$")


def in_function_body(masked, skip):
    """For each line, whether it starts inside a block of statements (a function
    or lambda body or a block within one) rather than a namespace, a class or
    a braced initialiser."""
    stack, header, inside = [], "", []
    for k, line in enumerate(masked):
        inside.append(bool(stack) and stack[-1])
        if k in skip:
            continue
        for ch in line:
            if ch == "{":
                h = header.strip()
                if re.search(r"\b(namespace|class|struct|union|enum)\b", h) and not h.endswith(")"):
                    code = False
                elif not h:
                    code = bool(stack) and stack[-1]
                else:
                    code = bool(CODE_HEADER.search(h))
                stack.append(code)
                header = ""
            elif ch == "}":
                if stack:
                    stack.pop()
                header = ""
            elif ch == ";":
                header = ""
            else:
                header += ch
        header += " "
    return inside


# A line that declares something rather than doing something: dropping it
# would hardly ever compile.
DECLARATION = re.compile(
    r"(const|constexpr|static|inline|thread_local|auto|using|typedef|friend|extern|explicit|"
    r"virtual|template|struct|class|enum|return|delete|throw|case|default)\b"
    r"|[A-Za-z_][\w:]*(<.*>)?(\s*[*&]+\s*|\s+)[*&]*[A-Za-z_]\w*\s*([=({;\[,]|$)")

COMPARISONS = {"<": ("<=", ">="), ">": (">=", "<="), "<=": ("<", ">"), ">=": (">", "<"),
               "==": ("!=",), "!=": ("==",)}
ARITHMETIC = {"+": "-", "-": "+", "*": "/", "/": "*", "+=": "-=", "-=": "+=", "*=": "/=", "/=": "*="}
# Operators are only taken with a blank on each side: that is how the code is
# formatted, and it leaves out template brackets, ->, <<, >>, unary minus and
# pointer declarations.
COMPARISON_RE = re.compile(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)")
ARITHMETIC_RE = re.compile(r"(?<=\s)([-+*/]=?)(?=\s)")
COLOUR_RE = re.compile(r"(?<![\w.'])0[xX]([0-9a-fA-F]{6})([uUlL]*)(?![\w.'])")
INTEGER_RE = re.compile(r"(?<![\w.'])(0[xX][0-9a-fA-F']+|[1-9][\d']*|0)([uUlL]*)(?![\w.'])")
CONDITION_RE = re.compile(r"\b(if|while)\s*\(")


def moved_integer(literal, rng_bit):
    value = int(literal.replace("'", ""), 0)
    new = value + 1 if value == 0 or rng_bit else value - 1
    if literal[:2].lower() == "0x":
        digits = literal[2:].replace("'", "")
        text = f"{new:0{len(digits)}X}"
        return literal[:2] + (text.lower() if digits.islower() else text)
    return str(new)


def sites(text, rng):
    """Every mutant of one file: (line index, kind, line, mutated line, change)."""
    original, masked = text.split("\n"), mask(text).split("\n")
    skip = skipped_lines(masked)
    inside = in_function_body(masked, skip)
    found, previous = [], ";"
    for k, (line, code) in enumerate(zip(original, masked)):
        if k in skip or not code.strip():
            continue

        def swap(start, end, new, kind):
            found.append((k, kind, line, line[:start] + new + line[end:], f"{line[start:end]} -> {new}"))

        for m in COLOUR_RE.finditer(code):
            digits = m.group(1)
            swapped = digits[4:] + digits[2:4] + digits[:2]
            if swapped.upper() != digits.upper():
                swap(m.start(1), m.end(1), swapped, "colour")
        for m in INTEGER_RE.finditer(code):
            pure_virtual = m.group(0) == "0" and re.search(r"\)\s*(const\s*|override\s*|noexcept\s*)*=\s*$",
                                                                code[:m.start()])
            if not COLOUR_RE.fullmatch(m.group(0)) and not pure_virtual:
                swap(m.start(1), m.end(1), moved_integer(m.group(1), rng.random() < 0.5), "constant")
        for m in COMPARISON_RE.finditer(code):
            swap(m.start(), m.end(), rng.choice(COMPARISONS[m.group(1)]), "comparison")
        for m in ARITHMETIC_RE.finditer(code):
            if code[:m.start()].rstrip()[-1:] in "\"'" or code[m.end():].lstrip()[:1] in "\"'":
                continue  # text joined to text: no minus for it
            swap(m.start(), m.end(), ARITHMETIC[m.group(1)], "arithmetic")
        for m in CONDITION_RE.finditer(code):
            depth, end = 1, m.end()
            while end < len(code) and depth:
                depth += {"(": 1, ")": -1}.get(code[end], 0)
                end += 1
            inner = code[m.end():end - 1]
            if depth or ";" in inner or DECLARATION.match(inner.strip()) and "=" in inner:
                continue  # the condition goes on over the next line, or declares
            new = line[:m.end()] + "!(" + line[m.end():end - 1] + ")" + line[end - 1:]
            found.append((k, "condition", line, new, f"{m.group(1)} (...) negated"))
        statement = code.strip()
        if (inside[k] and previous[-1] in ";{}:" and statement.endswith(";")
                and statement[0] not in "})" and code.count("(") == code.count(")")
                and (statement.startswith("emit ") or not DECLARATION.match(statement))):
            found.append((k, "statement", line, "", "statement dropped"))
        previous = code.rstrip()
    return found


def code_size(text):
    return sum(1 for line in mask(text).split("\n") if line.strip())


# ---------------------------------------------------------------------------
# Choosing the mutants.


def apportion(sizes, count):
    """Splits count over the keys of sizes in proportion (largest remainders)."""
    total = sum(sizes.values())
    exact = {key: count * size / total for key, size in sizes.items()}
    quota = {key: int(share) for key, share in exact.items()}
    by_remainder = sorted(exact, key=lambda key: (quota[key] - exact[key], key))
    for key in by_remainder[:count - sum(quota.values())]:
        quota[key] += 1
    return quota


def choose(files, count, seed, only):
    """files: repository-relative paths. Returns (mutants, per-folder summary)."""
    rng = random.Random(seed)
    folders = {}
    for path in sorted(files):
        parts = Path(path).parts
        if parts[0] != "src" or not path.endswith(SOURCE_SUFFIXES):
            continue
        folder = "/".join(parts[:2]) if len(parts) > 2 else "src"
        if only and folder != only:
            continue
        text = (ROOT / path).read_text(encoding="utf-8", errors="surrogateescape")
        found = sites(text, random.Random(f"{seed} {path}"))
        if found:
            folders.setdefault(folder, []).append((path, code_size(text), found))
    sizes = {folder: sum(size for _, size, _ in entries) for folder, entries in folders.items()}
    quota = apportion(sizes, count) if sizes else {}
    mutants = []
    for folder in sorted(folders):
        pools = {path: list(found) for path, _, found in folders[folder]}
        for _ in range(quota[folder]):
            live = [(path, size) for path, size, _ in folders[folder] if pools[path]]
            if not live:
                break
            path = rng.choices([p for p, _ in live], weights=[s for _, s in live])[0]
            pool = pools[path]
            mutants.append((folder, path) + pool.pop(rng.randrange(len(pool))))
    mutants.sort(key=lambda m: (m[0], m[1], m[2]))
    summary = {folder: (sizes[folder], sum(len(f) for _, _, f in folders[folder]), quota[folder])
               for folder in folders}
    return mutants, summary


# ---------------------------------------------------------------------------
# Building and testing in the copy.


def run(command, cwd, timeout, env=None):
    """Runs command in a process group of its own, killed whole on timeout.
    Returns (exit status or None on timeout, output, seconds)."""
    start = time.monotonic()
    proc = subprocess.Popen(command, cwd=cwd, env=env, stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, start_new_session=True)
    try:
        out, _ = proc.communicate(timeout=timeout)
        status = proc.returncode
    except BaseException:
        try:
            os.killpg(proc.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        out, _ = proc.communicate()
        status = None
        if not isinstance(sys.exc_info()[1], subprocess.TimeoutExpired):
            raise
    return status, out.decode("utf-8", "replace"), time.monotonic() - start


def tracked_files():
    out = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                         cwd=ROOT, check=True, stdout=subprocess.PIPE).stdout
    return sorted({p for p in out.decode().split("\0") if p and (ROOT / p).is_file()})


def sync_tree(files, tree):
    """Makes tree hold exactly files, as in the working tree. Files already
    the same are left alone, so the build in the copy stays incremental."""
    wanted = set(files)
    for path in files:
        source, target = ROOT / path, tree / path
        data = source.read_bytes()
        if not target.is_file() or target.read_bytes() != data:
            target.parent.mkdir(parents=True, exist_ok=True)
            target.write_bytes(data)
            os.chmod(target, source.stat().st_mode & 0o777)
    for target in sorted(tree.rglob("*"), reverse=True):
        relative = target.relative_to(tree).as_posix()
        if target.is_file() and relative not in wanted:
            target.unlink()


def build(build_dir):
    """Returns ("ok" | "not compiling" | "caught", note, seconds)."""
    status, out, seconds = run(["cmake", "--build", str(build_dir), "-j", JOBS], None, BUILD_TIMEOUT)
    if status == 0:
        return "ok", "", seconds
    if status is None:
        return "not compiling", "build timed out", seconds
    if "Error running test executable" in out:
        return "caught", "test listing failed during the build", seconds
    if re.search(r"\berror:|undefined reference|ld returned", out):
        return "not compiling", "", seconds
    return "caught", "a program run by the build failed", seconds


def suite(build_dir, stop_on_failure):
    """Returns (passed, note, seconds)."""
    command = ["ctest", "-j", JOBS, "--timeout", str(TEST_TIMEOUT)]
    if stop_on_failure:
        command.append("--stop-on-failure")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    status, out, seconds = run(command, build_dir, SUITE_TIMEOUT, env)
    if status is None:
        return False, "suite timed out", seconds
    failed = re.findall(r"^\s*\d+ - (\S+) \(([^)]*)\)", out.split("tests FAILED:")[-1], re.M)
    if status == 0:
        return True, "", seconds
    note = ", ".join(f"{name} ({why})" for name, why in failed[:3]) or out.strip()[-300:]
    return False, note, seconds


# ---------------------------------------------------------------------------


def minutes(seconds):
    return f"{int(seconds // 60)} min {int(seconds % 60):02d} s"


def report(results, seed, setup_seconds, total_seconds):
    lines = [f"Mutation check: {len(results)} mutants, seed {seed}, setup {minutes(setup_seconds)}, "
             f"mutants {minutes(total_seconds)}", "",
             f"{'folder':<16}{'made':>6}{'caught':>8}{'missed':>8}{'not compiling':>15}{'caught share':>14}"]
    folders = sorted({r[0][0] for r in results})
    for folder in folders + ["total"]:
        rows = [r for r in results if folder in ("total", r[0][0])]
        counts = [sum(1 for r in rows if r[1] == o) for o in ("caught", "missed", "not compiling")]
        share = f"{100 * counts[0] / (counts[0] + counts[1]):.0f}%" if counts[0] + counts[1] else "-"
        lines.append(f"{folder:<16}{len(rows):>6}{counts[0]:>8}{counts[1]:>8}{counts[2]:>15}{share:>14}")
    missed = [r[0] for r in results if r[1] == "missed"]
    lines += ["", "Missed mutants (a gap in the tests, or a change no user could ever see):"
              if missed else "No mutant was missed."]
    for folder, path, k, kind, old, new, change in missed:
        lines += [f"{path}:{k + 1}  {kind}: {change}", f"    - {old.strip()}",
                  f"    + {new.strip() or '(line dropped)'}"]
    return "\n".join(lines) + "\n"


def main():
    work = (ROOT / (sys.argv[1] if len(sys.argv) > 1 else "build-mutate")).resolve()
    tree, build_dir = work / "tree", work / "build"
    count = int(os.environ.get("MUTANTS") or 16)
    seed = int(os.environ.get("MUTATE_SEED") or 1)
    only = (os.environ.get("MUTATE_ONLY") or "").strip("/")
    if only and not only.startswith("src/"):
        only = "src/" + only
    if only and not (ROOT / only).is_dir():
        sys.exit(f"mutate: no folder {only}")

    files = tracked_files()
    mutants, summary = choose(files, count, seed, only)
    if os.environ.get("MUTATE_LIST") not in (None, "", "0"):
        for folder, (size, found, quota) in sorted(summary.items()):
            print(f"{folder:<16}{size:>6} lines{found:>6} sites{quota:>4} mutants")
        for n, (folder, path, k, kind, old, new, change) in enumerate(mutants, 1):
            print(f"[{n}] {path}:{k + 1}  {kind}: {change}\n    - {old.strip()}\n"
                  f"    + {new.strip() or '(line dropped)'}")
        return 0

    start = time.monotonic()
    tree.mkdir(parents=True, exist_ok=True)
    sync_tree(files, tree)
    print(f"Copied {len(files)} files to {tree} ({time.monotonic() - start:.0f} s)", flush=True)
    configure = ["cmake", "-S", str(tree), "-B", str(build_dir), "-G", "Ninja",
                 "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DZELK_BUILD_BENCH=OFF"]
    # With a compiler cache, putting a file back after its mutant costs a
    # look-up instead of a compile: most of a header mutant's price.
    if shutil.which("ccache"):
        os.environ["CCACHE_DIR"] = str(work / "ccache")
        configure.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
    status, out, seconds = run(configure, None, 600)
    if status != 0:
        print(out)
        sys.exit("mutate: configuring the copy failed")
    outcome, note, seconds = build(build_dir)
    print(f"Built the unmutated copy ({seconds:.0f} s)", flush=True)
    if outcome != "ok":
        sys.exit(f"mutate: the unmutated copy does not build ({note or outcome}); "
                 f"see cmake --build {build_dir}")
    passed, note, seconds = suite(build_dir, stop_on_failure=False)
    if not passed:
        sys.exit(f"mutate: the unmutated suite fails: {note}\n"
                 f"Fix the tests first (cd {build_dir} && ctest --output-on-failure).")
    print(f"Unmutated suite passes ({seconds:.0f} s)", flush=True)
    setup_seconds = time.monotonic() - start

    results, start = [], time.monotonic()
    for n, mutant in enumerate(mutants, 1):
        folder, path, k, kind, old, new, change = mutant
        target = tree / path
        original = target.read_bytes()
        lines = original.decode("utf-8", "surrogateescape").split("\n")
        lines[k] = new
        try:
            target.write_bytes("\n".join(lines).encode("utf-8", "surrogateescape"))
            outcome, note, build_seconds = build(build_dir)
            test_seconds = 0.0
            if outcome == "ok":
                passed, note, test_seconds = suite(build_dir, stop_on_failure=True)
                outcome = "missed" if passed else "caught"
        finally:
            target.write_bytes(original)
        results.append((mutant, outcome))
        print(f"[{n}/{len(mutants)}] {path}:{k + 1}  {kind}: {change}  {outcome.upper()}"
              f"{'  (' + note + ')' if note else ''}  build {build_seconds:.0f} s, "
              f"tests {test_seconds:.0f} s", flush=True)

    text = report(results, seed, setup_seconds, time.monotonic() - start)
    print("\n" + text, end="")
    (work / "report.txt").write_text(text)
    print(f"Report written to {work / 'report.txt'}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
