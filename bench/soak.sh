#!/usr/bin/env bash
# The soak run of the built player on a virtual X display: 200 short files in all-repeat,
# 1000 opens, a table of memory, descriptors and threads per pass. Options go to soak.py.
# Usage: bench/soak.sh [--player build/bin/Lumo] [--opens 1000] [--table out.md]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
player=$here/../build/bin/Lumo
exec xvfb-run -a -s "-screen 0 1280x1024x24" python3 "$here/soak.py" --player "$player" "$@"
