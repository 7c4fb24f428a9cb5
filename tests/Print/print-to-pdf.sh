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

skip() {
  echo "SKIPPED: $*"
  exit 77
}
fail() {
  echo "FAILED: $*"
  exit 1
}

PATH=$PATH:/usr/sbin:/sbin
[ "$(id -u)" -eq 0 ] || skip "the cups-pdf backend runs only under a CUPS server started as root"
for tool in cupsd lpadmin lpstat pdftotext pdfinfo pdftoppm; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/install-deps.sh windows)"
done
backend=/usr/lib/cups/backend/cups-pdf
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -x "$backend" ] && [ -f "$ppd" ] || skip "printer-driver-cups-pdf is not installed"

# Where cups-pdf writes: its configuration's Out, ${HOME} being the home of
# the job's owner (this user).
out=$(sed -n 's/^[[:space:]]*Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -1)
out=${out:-'/var/spool/cups-pdf/${USER}'}
home=$(getent passwd "$(id -un)" | cut -d: -f6)
home_var='${HOME}' user_var='${USER}'
out=${out//"$home_var"/$home}
out=${out//"$user_var"/$(id -un)}

# The CUPS server lives in a folder that its filters (run as lp) can reach.
cups=$(mktemp -d /tmp/vorkel-cups.XXXXXX)
chmod 755 "$cups"
mkdir -p "$cups/conf" "$cups/spool" "$cups/tmp" "$cups/cache" "$cups/state" "$cups/log"
chmod 1777 "$cups/tmp"
cat >"$cups/conf/cupsd.conf" <<CONF
Listen $cups/cups.sock
Browsing No
WebInterface No
LogLevel info
<Location />
  Order allow,deny
  Allow all
</Location>
CONF
cat >"$cups/conf/cups-files.conf" <<CONF
ServerRoot $cups/conf
RequestRoot $cups/spool
TempDir $cups/tmp
CacheDir $cups/cache
StateDir $cups/state
ErrorLog $cups/log/error_log
AccessLog $cups/log/access_log
PageLog $cups/log/page_log
Printcap $cups/state/printcap
CONF
cupsd -f -c "$cups/conf/cupsd.conf" -s "$cups/conf/cups-files.conf" >"$cups/log/cupsd.out" 2>&1 &
cupsd_pid=$!
cleanup() {
  kill "$cupsd_pid" 2>/dev/null
  wait "$cupsd_pid" 2>/dev/null
  rm -rf "$cups"
}
trap cleanup EXIT
for _ in $(seq 100); do
  [ -S "$cups/cups.sock" ] && break
  kill -0 "$cupsd_pid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -S "$cups/cups.sock" ]; then
  cat "$cups/log/cupsd.out" "$cups/log/error_log" 2>/dev/null
  skip "cupsd did not start here"
fi
export CUPS_SERVER=$cups/cups.sock
lpadmin -p VorkelPDF -E -v cups-pdf:/ -P "$ppd" 2>/dev/null || fail "lpadmin could not add the PDF printer"
lpadmin -d VorkelPDF || fail "lpadmin could not make the PDF printer the default"
echo "CUPS: $(lpstat -d)"

# A Wine prefix of its own, so that the other tests' prefix keeps no printer.
wine_build=$build/wine-cups
mkdir -p "$wine_build"
"$(dirname "$wine_run")/wine-boot.sh" "$bits" "$wine_build" || fail "the Wine prefix did not boot"
mkdir -p "$out"
# Job numbers start again with every server: the new PDF is the one newer
# than this mark.
touch "$cups/mark"
sleep 1
log=$cups/log/program.out
VK_BUILD_DIR=$wine_build "$wine_run" "$bits" "$program" >"$log" 2>&1
status=$?
cat "$log"
[ $status -eq 0 ] || fail "the program failed ($status)"
pages=$(sed -n 's/^VORKEL_PAGES=\([0-9]*\).*/\1/p' "$log" | tr -d '\r')
[ -n "$pages" ] || fail "the program printed no page count"

# The job goes through the PostScript and PDF filters and the backend.
pdf=
for _ in $(seq 120); do
  if [ -z "$(lpstat -o VorkelPDF 2>/dev/null)" ]; then
    pdf=$(find "$out" -maxdepth 1 -name '*.pdf' -newer "$cups/mark" | head -1)
    [ -n "$pdf" ] && break
  fi
  sleep 0.5
done
[ -n "$pdf" ] || {
  tail -20 "$cups/log/error_log"
  fail "no PDF appeared in $out"
}
mkdir -p "$artifacts"
cp "$pdf" "$artifacts/StockList.pdf"
rm -f "$pdf"
pdf=$artifacts/StockList.pdf

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
