#!/usr/bin/env bash
# Times `pdfhost stamp` (an incremental update) and `pdfhost stamp --rewrite`
# against `qpdf in out` (and mutool, when installed)
# on generated documents, and prints each median and its ratio to the qpdf
# rewrite. Builds nothing: it runs the pdfhost and plug-in of an existing
# build.
#
#   bench/compare.sh [BUILD_DIR [RUNS [EARLIER_BUILD_DIR]]]
#                                          (defaults build/dev and 7)
#
# With EARLIER_BUILD_DIR (a build or installed tree of an earlier version)
# its `stamp --rewrite` runs too, interleaved with the others, so that a
# full rewrite can be compared with what it was before.
# Inputs are generated once into out/bench (kept for the next run).
# Whole processes are timed, wall clock, with each peak RSS; the CPU is
# shared, so read the medians, not single runs.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/dev}"
runs="${2:-7}"
earlier="${3:-}"
pdfhost="$build/bin/pdfhost"
[ -x "$pdfhost" ] || { echo "compare.sh: no $pdfhost; build first" >&2; exit 2; }
if [ -n "$earlier" ] && [ ! -x "$earlier/bin/pdfhost" ]; then
  echo "compare.sh: no $earlier/bin/pdfhost" >&2; exit 2
fi
work="$(pwd)/out/bench"
mkdir -p "$work/install"
python3 bench/make_inputs.py "$work"

cat > "$work/install/PDFTalvane.ini" <<INI
STARTPROC;1
ENDPROC;99999
POSITION;Bottom Left
VERTICAL;20
HORIZONTAL;20
1NTH;1
OPACITY;60
IMAGEFILENAME;$work/stamp.bmp
IMAGEWIDTH;320
IMAGEHEIGHT;240
IMAGEWIDTHPDF;160
IMAGEHEIGHTPDF;120
TEXTONIMAGE;0
INI
cat > "$work/registry.reg" <<REG
REGEDIT4

[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Talvane.api]
@="$work/install"
REG

export QT_QPA_PLATFORM=offscreen
python3 - "$work" "$runs" "$pdfhost" "$earlier" <<'PY'
import os, resource, shutil, statistics, subprocess, sys, time

work, runs, pdfhost, earlier = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
out = os.path.join(work, "out.pdf")
tools = [
    ("qpdf in out", lambda i: ["qpdf", i, out]),
    ("pdfhost stamp", lambda i: [pdfhost, "--registry", os.path.join(work, "registry.reg"),
                                 "stamp", i, "-o", out]),
    ("pdfhost stamp --rewrite", lambda i: [pdfhost, "--registry",
                                           os.path.join(work, "registry.reg"), "stamp",
                                           "--rewrite", i, "-o", out]),
]
if earlier:
    before = os.path.join(earlier, "bin", "pdfhost")
    tools.append(("earlier stamp --rewrite", lambda i: [before, "--registry",
                                                        os.path.join(work, "registry.reg"),
                                                        "stamp", "--rewrite", i, "-o", out]))
if shutil.which("mutool"):
    tools.append(("mutool clean", lambda i: ["mutool", "clean", i, out]))

def once(cmd):
    start = time.perf_counter()
    pid = os.fork()
    if pid == 0:
        fd = os.open(os.devnull, os.O_WRONLY)
        os.dup2(fd, 1)
        os.dup2(fd, 2)
        try:
            os.execvp(cmd[0], cmd)
        finally:
            os._exit(127)
    _, status, usage = os.wait4(pid, 0)
    elapsed = time.perf_counter() - start
    if status != 0:
        return None
    return elapsed, usage.ru_maxrss / 1024.0, usage.ru_utime + usage.ru_stime

inputs = [("2,000 text pages", "text-2000.pdf", 2000),
          ("200 heavy vector pages", "vector-200.pdf", 200),
          ("20,000 text pages", "text-20000.pdf", 20000)]
print(f"{runs} runs each: median wall time, median CPU time (user + system, all threads; "
      f"steadier than wall time on a busy machine) and median peak RSS; "
      f"load average {os.getloadavg()[0]:.1f} at the start")
per_page = {}
for label, name, pages in inputs:
    path = os.path.join(work, name)
    size = os.path.getsize(path) / 1e6
    print(f"\n{label} ({size:.1f} MB)")
    base = cpuBase = None
    for tool, make in tools:
        times, rss, cpu = [], [], []
        failed = False
        for _ in range(runs):
            r = once(make(path))
            if r is None:
                failed = True
                break
            times.append(r[0]); rss.append(r[1]); cpu.append(r[2])
        if failed:
            print(f"  {tool:26s} failed")
            continue
        t = statistics.median(times)
        c = statistics.median(cpu)
        m = statistics.median(rss)
        grown = os.path.getsize(out) - os.path.getsize(path)
        if base is None:
            base, cpuBase = t, c
        spread = (max(times) - min(times)) / t * 100
        print(f"  {tool:26s} {t:7.3f} s  {t / base:5.2f} x qpdf  (spread {spread:3.0f} %)  "
              f"cpu {c:6.3f} s  {c / cpuBase:5.2f} x  {m:6.1f} MB peak  "
              f"output {grown:+d} bytes ({grown / pages:+.0f} a page)")
        if tool == "pdfhost stamp":
            per_page[name] = (t / pages * 1e6, c / pages * 1e6)
# A one-page job: the start, the dialog and the save's fixed part, which a
# larger job spreads over more pages.
single = [once(tools[1][1](os.path.join(work, "text-1.pdf"))) for _ in range(runs)]
print(f"\nload average {os.getloadavg()[0]:.1f} at the end")
if "text-2000.pdf" in per_page and "text-20000.pdf" in per_page:
    (a, ac), (b, bc) = per_page["text-2000.pdf"], per_page["text-20000.pdf"]
    print(f"\npdfhost stamp per page: {a:.1f} us (2,000) vs {b:.1f} us (20,000): {b / a:.2f} x; "
          f"cpu {ac:.1f} us vs {bc:.1f} us: {bc / ac:.2f} x")
    if all(r is not None for r in single):
        fixed = statistics.median(r[0] for r in single)
        fixedCpu = statistics.median(r[2] for r in single)
        a2 = (a * 2000 / 1e6 - fixed) / 1999 * 1e6
        b2 = (b * 20000 / 1e6 - fixed) / 19999 * 1e6
        ac2 = (ac * 2000 / 1e6 - fixedCpu) / 1999 * 1e6
        bc2 = (bc * 20000 / 1e6 - fixedCpu) / 19999 * 1e6
        print(f"after the one-page job's {fixed:.3f} s (cpu {fixedCpu:.3f} s): "
              f"{a2:.1f} us vs {b2:.1f} us: {b2 / a2:.2f} x; cpu {ac2:.1f} us vs {bc2:.1f} us: "
              f"{bc2 / ac2:.2f} x")
PY
