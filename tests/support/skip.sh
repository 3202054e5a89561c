#!/usr/bin/env bash
# Stands in for a test that this machine cannot run: says why, and exits with
# the code CTest counts as skipped.
# usage: skip.sh REASON [THE-COMMAND-THAT-WOULD-HAVE-RUN...]
echo "SKIP: $1"
exit 77
