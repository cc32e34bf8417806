#!/bin/bash
# Fails when a name, edition code or text of another card game appears in the project:
# every card, edition and text here is our own. The words are kept in foreign-names.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
if git grep -n -I -w -F -f .ci/foreign-names.txt -- . ':!.ci/foreign-names.txt'; then
    echo "Names or texts of another card game found (listed above); invent our own instead." >&2
    exit 1
fi
echo "No foreign card names."
