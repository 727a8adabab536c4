#!/usr/bin/env bash
# Inside the root of scripts/test-web.sh: the web build's tests, each in headless Chromium through
# CTest, then the packed site played end to end: in Chromium by mouse and keys, in Firefox, as phones
# upright and on their side by taps alone, offline from its service worker, and by keys with Orca
# reading a Chromium with a window. Each run leaves its screenshots in a folder of its own under
# BUILD_DIR/shots.
#   test-in-chromium.sh SITE.zip BUILD_DIR
set -euo pipefail
site=${1:?usage: test-in-chromium.sh SITE.zip BUILD_DIR}
build=${2:?usage: test-in-chromium.sh SITE.zip BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
echo "test-web: the web build's tests, in headless Chromium"
(cd "$build" && ctest --output-on-failure -j2)
grep -h -e '^[a-z0-9_]* is skipped in the browser: ' -e '^SKIP   : ' "$build/Testing/Temporary/LastTest.log" | sed 's/^/test-web: /'
echo "test-web: the site, played in headless Chromium"
python3 "$here/e2e_web.py" "$site" "$build/shots/chromium"
echo "test-web: the site, played in headless Firefox ESR $(dpkg-query -W -f='${Version}' firefox-esr)"
python3 "$here/e2e_web.py" "$site" "$build/shots/firefox" firefox
# Phones upright and on their side, in CSS pixels and device pixels to one.
for screen in 360x640x1 390x664x3 640x360x1 664x390x3; do
  echo "test-web: the site, played by taps on a phone's screen of $screen"
  python3 "$here/e2e_web.py" "$site" "$build/shots/phone-$screen" phone "$screen"
done
echo "test-web: the site, kept by its service worker and played with the server stopped"
python3 "$here/e2e_web.py" "$site" "$build/shots/offline" offline
echo "test-web: the site, played by keys with Orca reading Chromium"
served=$(mktemp -d)
trap 'rm -rf "$served"' EXIT
python3 -m zipfile -e "$site" "$served"
# Served as the other runs serve it, for as long as Orca's test plays it.
python3 "$here/../harness.py" serve "$served" -- bash "$here/../e2e_accessibility.sh" "{}$(basename "$site" .zip)/"
