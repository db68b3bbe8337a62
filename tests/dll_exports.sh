#!/usr/bin/env bash
# Checks the export table of a built vekapi32.dll: the eight entries of the POS
# API are there under their plain names (no leading underscore, no @N), as the
# binding looks them up.
#   dll_exports.sh OBJDUMP DLL
set -euo pipefail
objdump=$1
dll=$2

exports=$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*//p')
if [ -z "$exports" ]; then
  echo "no export table in $dll" >&2
  exit 1
fi

status=0
for entry in DLL_PosInitialize DLL_PosOpen DLL_PosClose DLL_PosIOCtl DLL_PosRead DLL_PosWrite \
  DLL_PosTerm DLL_PosVersion; do
  if ! grep -qx "$entry" <<<"$exports"; then
    echo "missing export $entry" >&2
    status=1
  fi
done
if grep -E '@|^_' <<<"$exports" >&2; then
  echo "decorated exports above" >&2
  status=1
fi
[ $status -eq 0 ] && echo "$(wc -l <<<"$exports") exports, the eight DLL_ entries undecorated"
exit $status
