#!/usr/bin/env bash
# Checks that a built program loads the POS library at run time only: its
# import table names no vekapi32 and no decorated (NAME@N) symbol, so one build
# binds a library of either calling convention.
#   exe_imports.sh OBJDUMP EXE
set -euo pipefail
imports=$("$1" -p "$2" | sed -n '/The Import Tables/,/^The /p')
if [ -z "$imports" ]; then
  echo "no import table in $2" >&2
  exit 1
fi
if grep -Ei 'DLL Name: *vekapi32|@[0-9]+$' <<<"$imports" >&2; then
  echo "imports above tie $2 to a POS library or a calling convention" >&2
  exit 1
fi
echo "$(grep -c 'DLL Name' <<<"$imports") libraries imported, none of them the POS library"
