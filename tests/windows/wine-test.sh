#!/usr/bin/env bash
# Runs a Windows test program under Wine for CTest. Wine hands no QT_ variable to the program, so
# each goes as WINEQT_..., which Wine passes on without the prefix; a Qt program without a console
# logs to the debugger unless told to log to stderr.
set -euo pipefail
while IFS='=' read -r name value; do
  export "WINE$name=$value"
done < <(env | grep '^QT_' || true)
export WINEQT_FORCE_STDERR_LOGGING=1
exec wine "$@"
