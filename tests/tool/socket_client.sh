#!/usr/bin/env bash
# A socket program of vesk against a real peer, python3's socket module, on
# 127.0.0.1 (tests/tool/sockets/peers.py, case client). Usage: socket_client.sh
# VESK SOURCE_DIR BUILD_DIR. Exits 77 (skipped) when python3 is missing.
set -u
python=/usr/bin/python3
[ -x "$python" ] || python=$(command -v python3) || exit 77
exec timeout 60 "$python" "$2/tests/tool/sockets/peers.py" client "$1" "$2"
