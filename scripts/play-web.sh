#!/usr/bin/env bash
# Serves the game's web site on 127.0.0.1 and prints the address to open: bash scripts/play-web.sh [PORT]
# The site is built first (scripts/package-web.sh, as root) when dist/ has none, or when a file of the
# tree is newer than it. Ctrl+C stops the server.
set -euo pipefail
port=${1:-8080}
tree=$(cd "$(dirname "$0")/.." && pwd)
cd "$tree"
version=$(sed -n 's/^project(krestiki-noliki VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zip=dist/krestiki-noliki-$version-web.zip
if [[ ! -e $zip ]] || [[ -n $(git ls-files -z --cached --others --exclude-standard | xargs -0 -r find 2>/dev/null -newer "$zip" | head -n 1) ]]; then
  if [[ $(id -u) -eq 0 ]]; then bash scripts/package-web.sh; else sudo bash scripts/package-web.sh; fi
fi
site=$(mktemp -d)
trap 'rm -rf "$site"' EXIT
python3 -m zipfile -e "$zip" "$site"
echo "play-web: open http://127.0.0.1:$port/krestiki-noliki-$version-web/ in a web browser"
cd "$site" && python3 -m http.server --bind 127.0.0.1 "$port"
