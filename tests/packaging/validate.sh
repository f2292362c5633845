#!/usr/bin/env bash
# Runs one validator on one desktop file; a validator that is not installed is a skip (77).
# Any warning the validator prints fails the test, as an error does.
# Usage: validate.sh TOOL [ARGUMENTS...] FILE
set -uo pipefail
command -v "$1" >/dev/null || { echo "SKIP: $1 is not installed"; exit 77; }
output=$("$@" 2>&1)
status=$?
echo "$output"
[ "$status" -eq 0 ] || exit "$status"
! grep -Eiq '(^|[^a-z])(warning|error)' <<<"$output"
