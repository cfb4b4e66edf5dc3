#!/usr/bin/env python3
"""Replays one kept fuzz input through vesk: replay.py VESK INPUT.

Passes when vesk ends with an exit status of its own within the time limit
(any status: what is kept is that it ends, not how); fails on a signal, a
timeout, an assertion or a sanitizer report. An input kept by the target
that compares compiled forms with cells (under compiled/) must also end
the same way, output and pictures included, with VESK_ENGINE=cells."""
import os
import subprocess
import sys

vesk, path = sys.argv[1], sys.argv[2]
try:
    run = subprocess.run([vesk, path], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                         stderr=subprocess.PIPE, timeout=60)
except subprocess.TimeoutExpired:
    sys.exit(f"{path}: no end within 60 s")
err = run.stderr.decode("latin-1")
if run.returncode < 0:
    sys.exit(f"{path}: ended by signal {-run.returncode}\n{err[:2000]}")
for mark in ("ASSERTION FAILED", "Sanitizer", "runtime error:"):
    if mark in err:
        sys.exit(f"{path}: {mark} on standard error\n{err[:2000]}")

if os.sep + "compiled" + os.sep in path:
    cells = subprocess.run([vesk, path], stdin=subprocess.DEVNULL, capture_output=True, timeout=60,
                           env=dict(os.environ, VESK_ENGINE="cells"))
    again = subprocess.run([vesk, path], stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
    if (cells.returncode, cells.stdout, cells.stderr) != (again.returncode, again.stdout, again.stderr):
        sys.exit(f"{path}: compiled and cells end otherwise: status {again.returncode} / "
                 f"{cells.returncode}\n{again.stderr[:1000]!r}\n{cells.stderr[:1000]!r}")
