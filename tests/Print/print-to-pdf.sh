#!/usr/bin/env bash
# Prints the stock list under Wine on a CUPS PDF printer and reads the PDF
# back: the title, "(page 1 of N)" with N the PDF's page count, and every
# goods name once. Starts a CUPS server of its own (private configuration,
# socket and spool; the system's CUPS is left alone) and a Wine prefix that
# reaches only it. Exits 77 (skipped) where CUPS cannot run here.
#
# print-to-pdf.sh <wine-run.sh> <bits> <program> <build dir> <artifacts dir>
set -u
wine_run=$1 bits=$2 program=$3 build=$4 artifacts=$5

. "$(dirname "$0")/pdf-printer.sh"
vk_start_pdf_printer

# A Wine prefix of its own, so that the other tests' prefix keeps no printer.
wine_build=$build/wine-cups
mkdir -p "$wine_build"
"$(dirname "$wine_run")/wine-boot.sh" "$bits" "$wine_build" || fail "the Wine prefix did not boot"
log=$vk_cups/log/program.out
VK_BUILD_DIR=$wine_build "$wine_run" "$bits" "$program" >"$log" 2>&1
status=$?
cat "$log"
[ $status -eq 0 ] || fail "the program failed ($status)"
pages=$(sed -n 's/^VORKEL_PAGES=\([0-9]*\).*/\1/p' "$log" | tr -d '\r')
[ -n "$pages" ] || fail "the program printed no page count"

pdf=$artifacts/StockList.pdf
vk_wait_for_pdf "$pdf"

count=$(pdfinfo "$pdf" | sed -n 's/^Pages:[[:space:]]*//p')
text=$artifacts/StockList.txt
pdftotext -layout "$pdf" "$text" || fail "pdftotext could not read the PDF"
echo "PDF: $pdf, $count pages; the footers count $pages"
[ "$count" = "$pages" ] || fail "the PDF has $count pages, the footers say $pages"
grep -q "Product rest in warehouse" "$text" || fail "no title in the PDF"
for page in $(seq "$count"); do
  grep -qF "(page $page of $count)" "$text" || fail "no footer \"(page $page of $count)\""
done
grep -qF "Names total: 80" "$text" || fail "no foot row"
# The foot's quantity total: 1 + 4 + ... + 238.
grep -qF "9'560.00" "$text" || fail "no quantity total in the foot row"
for i in $(seq 0 79); do
  code=10$(printf %02d "$i")
  [ "$(grep -cE "^[[:space:]]*$code[[:space:]]" "$text")" -eq 1 ] || fail "goods code $code not printed once"
done
grep -q "Сахар-песок 1" "$text" || fail "no Cyrillic name in the PDF text"
grep -q "Olive oil extra virgin 4" "$text" || fail "no Latin name in the PDF text"
pdftoppm -png -r 50 "$pdf" "$artifacts/StockList" || fail "pdftoppm could not render the PDF"
echo "PASSED: stock list of 80 goods, $count pages, on the CUPS PDF printer"
