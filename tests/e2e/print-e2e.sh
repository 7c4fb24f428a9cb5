#!/usr/bin/env bash
# The list report printed from the main window on a CUPS PDF printer: runs
# the printing end-to-end case in a Wine prefix that reaches only that
# printer, then reads the PDF back for every line the case announced
# ("VORKEL_EXPECT=text"), every goods code ("VORKEL_CODE=code", once each)
# and the foot row's texts ("VORKEL_FOOT=text", on one row in their order,
# below the last product).
# Exits 77 (skipped) where CUPS cannot run here.
#
# print-e2e.sh <32|64> <build dir> <test program> <artifacts dir>
set -u
here=$(cd "$(dirname "$0")" && pwd)
bits=$1 build=$2 program=$3 artifacts=$4

. "$here/../Print/pdf-printer.sh"
vk_start_pdf_printer

log=$vk_cups/log/program.out
VK_E2E_PREFIX=wine-cups VORKEL_PRINT_E2E=1 "$here/run-e2e.sh" "$bits" "$build" "$program" \
  --gtest_filter=VorkelE2ePrint.* >"$log" 2>&1
status=$?
tr -d '\r' <"$log" >"$log.unix"
cat "$log.unix"
[ $status -eq 0 ] || fail "the end-to-end case failed ($status)"
grep -q '^VORKEL_EXPECT=' "$log.unix" || fail "the case announced nothing to look for"

pdf=$artifacts/ListReportE2e.pdf
vk_wait_for_pdf "$pdf"
text=$artifacts/ListReportE2e.txt
pdftotext -layout "$pdf" "$text" || fail "pdftotext could not read the PDF"
pdftoppm -png -r 60 "$pdf" "$artifacts/ListReportE2e" || fail "pdftoppm could not render the PDF"
while IFS= read -r expected; do
  grep -qF -- "$expected" "$text" || fail "the printed list lacks \"$expected\""
done < <(sed -n 's/^VORKEL_EXPECT=//p' "$log.unix")
codes=0
while IFS= read -r code; do
  [ "$(grep -cE "^[[:space:]]*$code[[:space:]]" "$text")" -eq 1 ] || fail "goods code $code not printed once"
  codes=$((codes + 1))
done < <(sed -n 's/^VORKEL_CODE=//p' "$log.unix")
[ $codes -gt 0 ] || fail "the case announced no goods"
pattern=
while IFS= read -r piece; do
  pattern+=${pattern:+[[:space:]]+}$(printf '%s' "$piece" | sed 's/[][\\.*^$+?(){}|]/\\&/g')
done < <(sed -n 's/^VORKEL_FOOT=//p' "$log.unix")
[ -n "$pattern" ] || fail "the case announced no foot"
foot=$(grep -nE -- "$pattern" "$text" | cut -d: -f1)
[ -n "$foot" ] || fail "no foot row holding the totals ($pattern)"
last=$(grep -nE "^[[:space:]]*[0-9]+[[:space:]]" "$text" | tail -1 | cut -d: -f1)
[ "$foot" -gt "$last" ] || fail "the foot does not follow the goods"
echo "PASSED: the list of $codes goods printed from the main window with its totals foot"
