#!/usr/bin/python3
"""Drives `vesk --repl FILE` through a pseudo-terminal, as a person would:
defines a function, calls it, makes an error and goes on, replaces the
definition, and ends the session with end of input (Ctrl-D).

Usage: repl_pty.py VESK WORK_DIR. Exits 1 with the whole transcript when an
expected text does not come, or the session does not end with status 0."""
import os
import pty
import select
import sys
import time

vesk, work = sys.argv[1], sys.argv[2]
lib = os.path.join(work, "lib.vk")
with open(lib, "w") as out:
    out.write("a\\0,\nsq\\x\\x*x")

pid, fd = pty.fork()
if pid == 0:
    os.execve(vesk, [vesk, "--repl", lib],
              {"TERM": "dumb", "VESK_COLOR": "never", "VESK_DEBUG_LOG": ""})

transcript = b""


def expect(text, seconds=20):
    """Reads until `text` has come after everything matched before."""
    global transcript
    want = text.encode()
    deadline = time.time() + seconds
    while want not in transcript:
        left = deadline - time.time()
        ready, _, _ = select.select([fd], [], [], max(left, 0))
        if not ready:
            fail(f"timed out waiting for {text!r}")
        try:
            chunk = os.read(fd, 4096)
        except OSError:
            chunk = b""
        if not chunk:
            fail(f"the session ended before {text!r}")
        transcript += chunk
    transcript = transcript[transcript.index(want) + len(want):]
    seen.append(text)


def fail(reason):
    print("FAILED:", reason)
    print("matched so far:", seen)
    print("unmatched output:", transcript.decode("latin-1"))
    sys.exit(1)


def send(line):
    os.write(fd, line.encode() + b"\n")


seen = []
expect("vesk> ")
send("sq 7")
expect("49")
expect("vesk> ")
send("twice\\x\\x+x")
expect("vesk> ")
send("twice(sq 3)")
expect("18")
expect("vesk> ")
send("1/0")
expect("Z")
expect("vesk> ")
send("nosuch 1")
expect("[alive]")
expect("Alive function TOP references undefined function nosuch")
expect("vesk> ")
send("twice 4")
expect("8")
expect("vesk> ")
send("twice\\x\\x*3")
expect("vesk> ")
send("twice 4")
expect("12")
expect("vesk> ")
send("cape[done]")
expect("cape[done]")
expect("vesk> ")
os.write(fd, b"\x04")
_, status = os.waitpid(pid, 0)
code = os.waitstatus_to_exitcode(status)
if code != 0:
    fail(f"exit status {code} at the end of input")
print("the session went as expected:", len(seen), "texts")
