#!/usr/bin/env bash
# Checks the export table of a built POS library DLL: the eight entries of the
# POS API are there under their plain names (no leading underscore, no @N), as
# the binding looks them up first; or, for a library with stdcall entries, under
# the names a mingw-w64 linker gives them (NAME@N, N the bytes of the
# arguments), which the binding finds as well.
#   dll_exports.sh OBJDUMP DLL [cdecl|stdcall]
set -euo pipefail
objdump=$1
dll=$2
convention=${3:-cdecl}

exports=$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*//p')
if [ -z "$exports" ]; then
  echo "no export table in $dll" >&2
  exit 1
fi

status=0
for entry in DLL_PosInitialize@20 DLL_PosOpen@24 DLL_PosClose@8 DLL_PosIOCtl@24 DLL_PosRead@20 \
  DLL_PosWrite@20 DLL_PosTerm@4 DLL_PosVersion@16; do
  [ "$convention" = stdcall ] || entry=${entry%@*}
  if ! grep -qx "$entry" <<<"$exports"; then
    echo "missing export $entry" >&2
    status=1
  fi
done
if [ "$convention" = stdcall ]; then
  plain='^_|^DLL_Pos[A-Za-z]*$'
else
  plain='@|^_'
fi
if grep -E "$plain" <<<"$exports" >&2; then
  echo "exports above not of the $convention form" >&2
  status=1
fi
[ $status -eq 0 ] && echo "$(wc -l <<<"$exports") exports, the eight DLL_ entries in the $convention form"
exit $status
