#!/bin/sh
# Audits the web page as a visitor's tools would: builds it (scripts/build-web.sh)
# unless PAGE_DIR is given, serves it on 127.0.0.1 and runs Lighthouse 12.2.3
# (mobile and desktop presets) and axe-core in Debian's Chromium
# (scripts/audit-page.mjs). Reports go to OUTDIR (default: audit/ in the page's
# parent folder). Ends with status 1 when a score misses its goal.
# Usage: scripts/audit-page.sh [PAGE_DIR [OUTDIR]]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
if [ ! -d "$root/node_modules/lighthouse" ] || [ ! -d "$root/node_modules/@axe-core/puppeteer" ]; then
  "$root/scripts/install-packages.sh" nodejs npm chromium
  (cd "$root" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --ignore-scripts >/dev/null)
fi
if [ $# -ge 1 ]; then
  page=$1
else
  page=$root/build-web-native/web-page
  "$root/scripts/build-web.sh" "$page"
fi
out=${2:-$(dirname "$page")/audit}
exec node "$root/scripts/audit-page.mjs" "$page" "$out"
