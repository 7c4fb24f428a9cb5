# Sourced by the printing tests: a CUPS server of their own (private
# configuration, socket and spool; the system's CUPS is left alone) with a
# cups-pdf printer "VorkelPDF" as its default, and the wait for the PDF a job
# leaves. Exits 77 (skipped) where CUPS cannot run here.
#
# vk_start_pdf_printer        starts the server; exports CUPS_SERVER
# vk_wait_for_pdf <dest.pdf>  moves the job's PDF to dest once printed

skip() {
  echo "SKIPPED: $*"
  exit 77
}
fail() {
  echo "FAILED: $*"
  exit 1
}

vk_start_pdf_printer() {
  PATH=$PATH:/usr/sbin:/sbin
  [ "$(id -u)" -eq 0 ] || skip "the cups-pdf backend runs only under a CUPS server started as root"
  local tool
  for tool in cupsd lpadmin lpstat pdftotext pdfinfo pdftoppm; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/install-deps.sh windows)"
  done
  local backend=/usr/lib/cups/backend/cups-pdf ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  [ -x "$backend" ] && [ -f "$ppd" ] || skip "printer-driver-cups-pdf is not installed"

  # Where cups-pdf writes: its configuration's Out, ${HOME} being the home of
  # the job's owner (this user).
  vk_pdf_out=$(sed -n 's/^[[:space:]]*Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -1)
  vk_pdf_out=${vk_pdf_out:-'/var/spool/cups-pdf/${USER}'}
  local home home_var='${HOME}' user_var='${USER}'
  home=$(getent passwd "$(id -un)" | cut -d: -f6)
  vk_pdf_out=${vk_pdf_out//"$home_var"/$home}
  vk_pdf_out=${vk_pdf_out//"$user_var"/$(id -un)}

  # The CUPS server lives in a folder that its filters (run as lp) can reach.
  vk_cups=$(mktemp -d /tmp/vorkel-cups.XXXXXX)
  chmod 755 "$vk_cups"
  mkdir -p "$vk_cups/conf" "$vk_cups/spool" "$vk_cups/tmp" "$vk_cups/cache" "$vk_cups/state" "$vk_cups/log"
  chmod 1777 "$vk_cups/tmp"
  cat >"$vk_cups/conf/cupsd.conf" <<CONF
Listen $vk_cups/cups.sock
Browsing No
WebInterface No
LogLevel info
<Location />
  Order allow,deny
  Allow all
</Location>
CONF
  cat >"$vk_cups/conf/cups-files.conf" <<CONF
ServerRoot $vk_cups/conf
RequestRoot $vk_cups/spool
TempDir $vk_cups/tmp
CacheDir $vk_cups/cache
StateDir $vk_cups/state
ErrorLog $vk_cups/log/error_log
AccessLog $vk_cups/log/access_log
PageLog $vk_cups/log/page_log
Printcap $vk_cups/state/printcap
CONF
  cupsd -f -c "$vk_cups/conf/cupsd.conf" -s "$vk_cups/conf/cups-files.conf" >"$vk_cups/log/cupsd.out" 2>&1 &
  vk_cupsd_pid=$!
  trap vk_stop_pdf_printer EXIT
  local _
  for _ in $(seq 100); do
    [ -S "$vk_cups/cups.sock" ] && break
    kill -0 "$vk_cupsd_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -S "$vk_cups/cups.sock" ]; then
    cat "$vk_cups/log/cupsd.out" "$vk_cups/log/error_log" 2>/dev/null
    skip "cupsd did not start here"
  fi
  export CUPS_SERVER=$vk_cups/cups.sock
  lpadmin -p VorkelPDF -E -v cups-pdf:/ -P "$ppd" 2>/dev/null || fail "lpadmin could not add the PDF printer"
  lpadmin -d VorkelPDF || fail "lpadmin could not make the PDF printer the default"
  echo "CUPS: $(lpstat -d)"
  mkdir -p "$vk_pdf_out"
  # Job numbers start again with every server: the new PDF is the one newer
  # than this mark.
  touch "$vk_cups/mark"
  sleep 1
}

vk_stop_pdf_printer() {
  kill "$vk_cupsd_pid" 2>/dev/null
  wait "$vk_cupsd_pid" 2>/dev/null
  rm -rf "$vk_cups"
}

vk_wait_for_pdf() {
  local dest=$1 pdf= _
  # The job goes through the PostScript and PDF filters and the backend.
  for _ in $(seq 120); do
    if [ -z "$(lpstat -o VorkelPDF 2>/dev/null)" ]; then
      pdf=$(find "$vk_pdf_out" -maxdepth 1 -name '*.pdf' -newer "$vk_cups/mark" | head -1)
      [ -n "$pdf" ] && break
    fi
    sleep 0.5
  done
  [ -n "$pdf" ] || {
    tail -20 "$vk_cups/log/error_log"
    fail "no PDF appeared in $vk_pdf_out"
  }
  mkdir -p "$(dirname "$dest")"
  cp "$pdf" "$dest"
  rm -f "$pdf"
}
