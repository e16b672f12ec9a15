#!/usr/bin/env bash
# Runs the real tvef program: tvef_cli TVEF [EMULATOR...]. Under the Windows build the emulator
# (Wine) runs tvef.exe; files are named relative to a temporary working directory so that both
# worlds see the same paths.
set -uo pipefail
tvef=$(cd "$(dirname "$1")" && pwd)/$(basename "$1"); shift
runner=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0

run() { "${runner[@]}" "$tvef" "$@"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_status() {  # expected actual what
  [ "$1" = "$2" ] || fail "$3: exit status $2, expected $1"
}

# create, then the exact bytes of the one-entry example
printf '1\tabc\n' | run create one.tvef; expect_status 0 $? "create"
[ "$(od -An -tx1 one.tvef | tr -d ' \n')" = "5456454601008140201009070260e223" ] ||
  fail "create: bytes $(od -An -tx1 one.tvef)"

# dump and verify do not change the file, not even its time stamp
touch -d '2001-02-03 04:05:06' one.tvef
before=$(stat -c '%Y %s' one.tvef)
out=$(run dump one.tvef); expect_status 0 $? "dump"
[ "$out" = "$(printf '1\tabc')" ] || fail "dump printed '$out'"
out=$(run verify one.tvef); expect_status 0 $? "verify"
[ "$out" = "ok: 1 entry" ] || fail "verify printed '$out'"
out=$(run export one.tvef | od -An -c | tr -s ' '); expect_status 0 $? "export"
case "$out" in *'\r'*) fail "export wrote a carriage return: $out" ;; esac
[ "$(stat -c '%Y %s' one.tvef)" = "$before" ] || fail "a reading command changed the file"

# dump then create reproduces a file byte for byte
printf '3\tsrc\\\\a b&c.cpp\n0\t\n2\tname\\twith\\x01controls\\x7f\n' | run create many.tvef
expect_status 0 $? "create many"
run dump many.tvef > many.txt; expect_status 0 $? "dump many"
run create again.tvef < many.txt; expect_status 0 $? "create again"
cmp -s many.tvef again.tvef || fail "dump then create changed the bytes"

# a malformed line: exit 2, its number on stderr, the file untouched
cp one.tvef keep.tvef
printf '1\tok\n9\tbad\n' | run create keep.tvef 2> err.txt; expect_status 2 $? "malformed create"
grep -q '^tvef: keep.tvef: line 2: ' err.txt || fail "malformed create said: $(cat err.txt)"
cmp -s one.tvef keep.tvef || fail "malformed create changed the file"

# an invalid file: exit 1 and the problem named
printf 'tvef\001\000' > bad.tvef
run verify bad.tvef 2> err.txt; expect_status 1 $? "verify bad magic"
grep -q '^tvef: bad.tvef: bad magic' err.txt || fail "verify said: $(cat err.txt)"

# usage
run --version > out.txt; expect_status 0 $? "--version"
grep -q '^tvef ' out.txt || fail "--version printed $(cat out.txt)"
run --help > out.txt; expect_status 0 $? "--help"
run frob x.tvef 2> /dev/null; expect_status 2 $? "unknown command"
run verify missing.tvef 2> /dev/null; expect_status 2 $? "missing file"

[ "$failures" -eq 0 ] && echo "tvef: all command-line checks passed"
exit $((failures > 0))
