#!/usr/bin/env bash
# Refreshes translations/quiral_en.ts from the window's texts: every text of app/ wrapped in tr()
# or QCoreApplication::translate (the designed Portuguese) is added, texts no longer in the code
# are dropped. New ones come in as unfinished: give each its English in Qt Linguist
# (`linguist translations/quiral_en.ts`) or in the file itself, and remove type="unfinished".
# The build compiles the file into the program; the test `translations_complete` fails while a
# text has no finished English.
# Usage: scripts/update-translations.sh [TS_FILE]   (default: translations/quiral_en.ts)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
ts=${1:-$root/translations/quiral_en.ts}
lupdate=$(command -v lupdate6 || true)
if [[ -z "$lupdate" ]]; then lupdate=/usr/lib/qt6/bin/lupdate; fi
if [[ ! -x "$lupdate" ]]; then
  echo "update-translations: lupdate not found (Debian: qt6-l10n-tools)" >&2
  exit 1
fi
# No line numbers in the file, so that moving code does not change it; no texts that are gone.
"$lupdate" -silent -locations none -no-obsolete -source-language pt_BR -target-language en \
  -I "$root" "$root/app" -ts "$ts"
