#!/bin/bash
# Rewrites the COMMANDS section of the tool's manual page from its --help, so a new command needs no
# hand-editing of the page. Usage: scripts/man-commands.sh build/bin/quadrix
set -euo pipefail
tool=${1:-build/bin/quadrix}
page="$(dirname "$0")/../packaging/man/quadrix.1"
"$tool" --help | python3 -c '
import re, sys
help = sys.stdin.read()
body = help.split("Команды:\n", 1)[1].split("\n\n", 1)[0]
lines = [re.sub(r" +", " ", l).strip().replace("\\", "\\e").replace("-", "\\-") for l in body.splitlines()]
page = open(sys.argv[1], encoding="utf-8").read()
head, rest = page.split(".SH COMMANDS\n.nf\n", 1)
tail = rest.split("\n.fi\n", 1)[1]
open(sys.argv[1], "w", encoding="utf-8").write(head + ".SH COMMANDS\n.nf\n" + "\n".join(lines) + "\n.fi\n" + tail)
' "$page"
