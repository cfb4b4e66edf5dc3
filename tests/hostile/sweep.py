#!/usr/bin/env python3
"""The hostile-argument sweep: sweep.py VESK [--sample N] [--jobs J].

Calls every built-in of the table (the list tests/builtins/library_test.cpp
holds to it) with each hostile kind of argument below in each place, the
other places given a good block, and with one argument too few, one and two
too many. Every run must end with an exit status, or with a signal that
docs/builtins.md names for that built-in; standard error must hold no
sanitizer report or assertion, and any error picture on it must be well
formed. --sample N runs every N-th call only (the test suite's share).

Calls are run many to a program, each after a marker line on unbuffered
standard output; a run that ends early (exit, an error value) goes on from
the next call in a new program, and a run that fails is cut down to the one
call that failed. Standard input is /dev/null, so nothing waits for input;
every run has a time limit."""
import os
import re
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

HERE = os.path.dirname(os.path.abspath(__file__))
LIBRARY = os.path.join(HERE, '..', 'builtins', 'library_test.cpp')

# Hostile argument kinds, as expressions. b is a good zeroed block.
KINDS = [
    '0', '1', '01', '255', '4096', '2^31', '02147483648', '2^63', '09223372036854775808',
    '2^64', '(2^64+1)', '2^200', '(0-2^200)',
    'real[nan]', 'real[inf]', 'real[-inf]', 'real[1.5]',
    'cape[]', '(cape[a]+init 0+cape[b])', '(cape[x]*102400)',
    '[abc]', '[]', '([a]-[b])', '005', 'K', 'S', 'I', '(\\x\\x)', '(J K K)', 'Z',
    '(f{malloc 64}u{free f}f)', '(f{tmpfile}u{fclose f}f)',
    '(d{opendir(cape[.])}u{closedir d}d)', '(s{socket(2, 1, 0)}u{closesocket s}s)',
]
GOOD = 'b'
# Signals a built-in may end the process with, as docs/builtins.md says.
ALLOWED_SIGNALS = {
    'abort': {6}, 'assert': {6},
    'raise': set(range(1, 65)),  # the signal's own default action
}
# Left out: system runs its text as a shell command, and what a command
# does is its own; getaddrinfo resolves the names it is given and
# getnameinfo the addresses, and the sweep sends no query off this machine.
EXCLUDED = {'system', 'getaddrinfo', 'getnameinfo'}
BATCH = 24
TIME_LIMIT = 20
PICTURE_TOP = '                        /\\'
PICTURE_LINES = [re.compile(r'^\\/\\oh \[[a-z]+\]     /\\   /  \\$'),
                 re.compile(r'^/\\uck_________/\\_/  \\_/    \\_$')]
REPORTS = ('ASSERTION FAILED', 'Sanitizer', 'runtime error:', 'LeakSanitizer')


def library():
    text = open(LIBRARY).read()
    return [(n, int(a)) for n, a in re.findall(r'\{"([a-z_0-9]+)", (\d+)\}', text)]


def calls_of(name, arity):
    calls = []
    if arity == 0:
        calls.append(name)
    for place in range(arity):
        for kind in KINDS:
            args = [GOOD] * arity
            args[place] = kind
            calls.append(name + ''.join(f' ({a})' for a in args))
    for count in (arity - 1, arity + 1, arity + 2):
        if count >= 0 and count != arity:
            calls.append(name + f' ({GOOD})' * count if count else name)
    return calls


def program(calls):
    body = ''.join(f'u{{puts(cape[@{i}@])}}u{{lisp({c})}}' for i, c in enumerate(calls))
    return f'a\\u{{setbuf(stdout, 0)}}b{{calloc(256, 1)}}{body}u{{puts(cape[@end@])}}0'


def picture_problem(err):
    """None when every error picture on standard error is well formed."""
    at = err.rfind('\\/\\oh [')
    if at < 0:
        return None
    start = err.rfind('\n', 0, err.rfind('\n', 0, at) if at else 0)
    lines = err[start + 1:].split('\n')
    if lines and lines[-1] == '':
        lines.pop()
    if len(lines) < 4 or lines[0] != PICTURE_TOP:
        return 'picture without its top line'
    for pattern, line in zip(PICTURE_LINES, lines[1:3]):
        if not pattern.match(line):
            return f'malformed picture line {line[:60]!r}'
    for line in lines[3:]:
        if not line.startswith(' <') and not line.startswith(' '):
            return f'malformed picture line {line[:60]!r}'
        if any(ord(ch) < 32 or ord(ch) == 127 for ch in line):
            return 'a raw control byte in the picture'
    return None


def run(vesk, calls, workdir, tag):
    path = os.path.join(workdir, f'p{tag}.vk')
    with open(path, 'w', encoding='latin-1') as f:
        f.write(program(calls))
    env = dict(os.environ, VESK_COLOR='never')
    try:
        r = subprocess.run([vesk, path], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                           stderr=subprocess.PIPE, timeout=TIME_LIMIT, env=env, cwd=workdir)
    except subprocess.TimeoutExpired as e:
        out = (e.stdout or b'').decode('latin-1')
        return out, '', None, 'no end within the time limit'
    return r.stdout.decode('latin-1'), r.stderr.decode('latin-1'), r.returncode, None


def started(out):
    """How many calls of the program had begun (the index after the last marker)."""
    marks = re.findall(r'^@(\d+|end)@$', out, re.M)
    if not marks:
        return 0, False
    if marks[-1] == 'end':
        return None, True
    return int(marks[-1]) + 1, False


def problem(name, err, status, timeout):
    if timeout:
        return timeout
    if status < 0 and -status not in ALLOWED_SIGNALS.get(name, set()):
        return f'ended by signal {-status}'
    for mark in REPORTS:
        if mark in err:
            return f'{mark} on standard error: {err[err.find(mark):][:300]!r}'
    if status >= 0:
        return picture_problem(err)
    return None


def single_problem(vesk, name, call, workdir):
    out, err, status, timeout = run(vesk, [call], workdir, name)
    return problem(name, err, status, timeout)


def sweep_builtin(vesk, name, calls, workdir):
    """(calls made, failures) for one built-in's calls."""
    made, failures, i = 0, [], 0
    while i < len(calls):
        batch = calls[i:i + BATCH]
        out, err, status, timeout = run(vesk, batch, workdir, name)
        begun, finished = started(out)
        bad = problem(name, err, status, timeout)
        if finished and not bad:
            made += len(batch)
            i += len(batch)
            continue
        last = max(begun - 1, 0) if begun else 0
        made += last + 1
        if bad:
            # An earlier call may have done what the last one met: each is
            # run alone, and the first that fails so is the one reported.
            culprit = next((c for c in batch[:last + 1]
                            if single_problem(vesk, name, c, workdir)), None)
            made += last + 1
            if culprit is None:
                failures.append(f'{name}: {bad}\n    calls together: {batch[:last + 1]}')
            else:
                failures.append(f'{name}: {single_problem(vesk, name, culprit, workdir)}'
                                f'\n    call: {culprit}')
        i += last + 1
    return made, failures


def main():
    args = sys.argv[1:]
    vesk = os.path.abspath(args[0])
    sample = int(args[args.index('--sample') + 1]) if '--sample' in args else 1
    jobs = int(args[args.index('--jobs') + 1]) if '--jobs' in args else 1
    work = os.path.join(os.environ.get('TMPDIR', '/tmp'), f'vesk-sweep-{os.getpid()}')
    os.makedirs(work, exist_ok=True)
    plan = []
    n = 0
    for name, arity in library():
        if name in EXCLUDED:
            continue
        picked = []
        for call in calls_of(name, arity):
            if n % sample == 0:
                picked.append(call)
            n += 1
        if picked:
            plan.append((name, picked))
    with ThreadPoolExecutor(max_workers=jobs) as pool:
        results = list(pool.map(lambda p: sweep_builtin(vesk, p[0], p[1], work), plan))
    subprocess.run(['rm', '-rf', work])
    total = sum(r[0] for r in results)
    failures = [f for r in results for f in r[1]]
    for f in failures:
        print('FAIL', f)
    print(f'{len(plan)} built-ins, {total} calls made, {len(failures)} failures')
    sys.exit(1 if failures else 0)


if __name__ == '__main__':
    main()
