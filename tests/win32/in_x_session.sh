#!/usr/bin/env bash
# Runs a command (a Windows program under Wine) in a private X session with a
# window manager, for the tests of windows that need a display.
# usage: in_x_session.sh COMMAND...
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../support/checks.sh
. "$here/../support/checks.sh"
require Xvfb openbox xprop
# shellcheck source=../e2e/x_session.sh
. "$here/../e2e/x_session.sh"
trap x_session_stop EXIT
x_session_start 1024x768 || exit 1
"$@"
