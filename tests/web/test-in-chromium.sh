#!/usr/bin/env bash
# Inside the root of scripts/test-web.sh: the web build's tests, each in headless Chromium through
# CTest, then the packed site played end to end.
#   test-in-chromium.sh SITE.zip BUILD_DIR
set -euo pipefail
site=${1:?usage: test-in-chromium.sh SITE.zip BUILD_DIR}
build=${2:?usage: test-in-chromium.sh SITE.zip BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
echo "test-web: the web build's tests, in headless Chromium"
(cd "$build" && ctest --output-on-failure -j2)
grep -h -e '^[a-z0-9_]* is skipped in the browser: ' -e '^SKIP   : ' "$build/Testing/Temporary/LastTest.log" | sed 's/^/test-web: /'
echo "test-web: the site, played in headless Chromium"
python3 "$here/e2e_web.py" "$site" "$build/shots"
