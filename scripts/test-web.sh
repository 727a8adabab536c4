#!/usr/bin/env bash
# Builds the web site (scripts/package-web.sh) and tests it in real browsers, inside a clean Debian 13
# root with its Chromium, chromedriver and Firefox ESR: the web build's tests in headless Chromium
# (those that need X11, AT-SPI or Linux tools listed as skipped, with the reason), then the packed
# site, served on 127.0.0.1, played by real mouse and key events in Chromium and in Firefox, through
# Chromium's accessibility tree alone, by taps on phone screens, offline, and by keys with Orca reading
# Chromium. Screenshots are left in build-web/shots.
#   bash scripts/test-web.sh [--fresh]   (--fresh builds Qt for the web again)
set -euo pipefail
tree=$(cd "$(dirname "$0")/.." && pwd)
bash "$tree/scripts/package-web.sh" "$@"
root_label=test-web
source "$tree/scripts/debian-root.sh"

bare_root trixie
enter_root trixie
copy_tree_into_root
cp -a "$tree/build-web" "$root/src/krestiki-noliki/build-web"
root_say "installing Chromium, Firefox and what drives them"
in_root "$root" bash /src/krestiki-noliki/scripts/install-deps.sh chromium chromium-driver python3-selenium python3-pil cmake \
  firefox-esr nodejs xvfb xauth xdotool dbus at-spi2-core python3-pyatspi orca speech-dispatcher speech-dispatcher-espeak-ng
# puppeteer-core, at the version of the lock file, installed here: the root does not trust this
# machine's certificate authorities, so it cannot reach the registry itself.
command -v npm >/dev/null || bash "$tree/scripts/install-deps.sh" npm
modules=$root/tmp/node-modules
mkdir -p "$modules" && cp "$tree"/tests/web/package{,-lock}.json "$modules/"
(cd "$modules" && npm ci --ignore-scripts --no-audit --no-fund --silent)
mv "$modules/node_modules" "$root/src/krestiki-noliki/tests/web/"
site=$(cd "$tree/dist" && ls krestiki-noliki-*-web.zip)
cp "$tree/dist/$site" "$root/tmp/"
start=$SECONDS
status=0
in_root "$root" bash /src/krestiki-noliki/tests/web/test-in-chromium.sh "/tmp/$site" /src/krestiki-noliki/build-web || status=$?
rm -rf "$tree/build-web/shots"
cp -a "$root/src/krestiki-noliki/build-web/shots" "$tree/build-web/shots" 2>/dev/null || true
((status == 0)) || exit "$status"
root_say "passed in $((SECONDS - start)) s; screenshots in build-web/shots"
