"""Real peers for vesk's socket programs, on 127.0.0.1 only.

peers.py CASE VESK SOURCE_DIR runs one case: it starts vesk on a program of
tests/tool/sockets or examples/, plays the other end with python's socket
module, and exits 0 when both ends did what they should. Every wait is
bounded; vesk is killed if it outlives the case.
"""
import os
import socket
import struct
import subprocess
import sys

WAIT = 10  # seconds for any one step


def start(vesk, program, port):
    return subprocess.Popen([vesk, program, str(port)], stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE)


def finish(proc):
    try:
        out, err = proc.communicate(timeout=WAIT)
    except subprocess.TimeoutExpired:
        proc.kill()
        out, err = proc.communicate()
        sys.exit("vesk did not end: %r" % err)
    return proc.returncode, out, err


def expect(what, got, want):
    if got != want:
        sys.exit("%s: got %r, expected %r" % (what, got, want))


def tcp_listener():
    s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    s.bind(("127.0.0.1", 0))
    s.listen(1)
    s.settimeout(WAIT)
    return s


def client(vesk, src):
    """vesk connects to our server, sends hello and prints the reply."""
    with tcp_listener() as server:
        proc = start(vesk, os.path.join(src, "tests/tool/sockets/client.vk"), server.getsockname()[1])
        conn, _ = server.accept()
        with conn:
            conn.settimeout(WAIT)
            expect("what vesk sent", conn.recv(64), b"hello")
            conn.sendall(b"HELLO back")
        status, out, _ = finish(proc)
    expect("vesk's status", status, 0)
    expect("vesk's output", out, b"HELLO back")


def udp(vesk, src):
    """vesk sends a datagram to us and prints our answer."""
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as s:
        s.bind(("127.0.0.1", 0))
        s.settimeout(WAIT)
        proc = start(vesk, os.path.join(src, "tests/tool/sockets/udp.vk"), s.getsockname()[1])
        data, sender = s.recvfrom(64)
        expect("what vesk sent", data, b"ping")
        expect("vesk's address", sender[0], "127.0.0.1")
        s.sendto(b"pong", sender)
        status, out, _ = finish(proc)
    expect("vesk's status", status, 0)
    expect("vesk's output", out, b"pong")


def peer_gone(vesk, src):
    """We accept and reset the connection: vesk's send gives -1 and EPIPE
    (the program exits with errno) instead of the process dying of SIGPIPE."""
    with tcp_listener() as server:
        proc = start(vesk, os.path.join(src, "tests/tool/sockets/peer_gone.vk"), server.getsockname()[1])
        conn, _ = server.accept()
        conn.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
        conn.close()
        status, _, _ = finish(proc)
    expect("vesk's status (errno)", status, 32)


def free_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def talk(port, message):
    with socket.create_connection(("127.0.0.1", port), timeout=WAIT) as c:
        c.sendall(message)
        if message.startswith(b"quit"):
            expect("answer to quit", c.recv(64), b"")
            return
        got = b""
        while len(got) < len(message):
            part = c.recv(64)
            if not part:
                break
            got += part
        expect("echo", got, message)


def echo_server(vesk, src):
    """examples/echo_server.vk serves two clients in turn, then a third
    that says quit; it then ends with status 0. The port is picked free
    beforehand; if another process takes it first, vesk cannot bind and
    the case is tried on another."""
    program = os.path.join(src, "examples/echo_server.vk")
    for _ in range(5):
        proc = start(vesk, program, free_port())
        port = proc.args[2]
        line = proc.stdout.readline()
        if line == b"listening\n":
            break
        finish(proc)
    else:
        sys.exit("echo server never listened")
    talk(int(port), b"hello\n")
    talk(int(port), b"second client\n")
    talk(int(port), b"quit\n")
    status, _, _ = finish(proc)
    expect("server's status", status, 0)


CASES = {"client": client, "udp": udp, "peer_gone": peer_gone, "echo_server": echo_server}

if __name__ == "__main__":
    CASES[sys.argv[1]](sys.argv[2], sys.argv[3])
