#!/usr/bin/env bash
# Prints a macro list on a real CUPS queue: a private cupsd (its own configuration, spool and
# socket in a temporary folder, nothing of the machine's printing setup used) with one queue
# whose device writes each job to a file; the job must arrive with the list's text.
#   print_cups_test.sh <print_to_queue program>
set -euo pipefail
probe=$1
work=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Waits up to 30 s for a command to succeed.
await() {
  for _ in $(seq 300); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "timed out waiting for: $*" >&2
  return 1
}

mkdir -p "$work"/{spool,cache,state,log,out,bin/backend}
chmod 777 "$work/out"
ln -s /usr/lib/cups/daemon "$work/bin/daemon"
cat >"$work/bin/backend/orvfile" <<'BACKEND'
#!/bin/sh
# Writes each job to a file of its own in the folder the device URI names.
[ $# -eq 0 ] && { echo 'direct orvfile "Unknown" "Orvanta test file device"'; exit 0; }
cat ${6:+"$6"} >"${DEVICE_URI#orvfile:}/job-$1.out"
BACKEND
chmod 755 "$work/bin/backend/orvfile"
cat >"$work/cupsd.conf" <<CONF
Listen $work/cups.sock
LogLevel warn
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat >"$work/cups-files.conf" <<CONF
ServerRoot $work
ServerBin $work/bin
RequestRoot $work/spool
CacheDir $work/cache
StateDir $work/state
TempDir $work/spool
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
Printcap $work/printcap
SystemGroup root
CONF

export CUPS_SERVER=$work/cups.sock
/usr/sbin/cupsd -f -c "$work/cupsd.conf" -s "$work/cups-files.conf" &
pid=$!
await lpstat -r
lpadmin -p OrvantaTest -E -v "orvfile:$work/out" -m raw 2>/dev/null
await lpstat -a OrvantaTest

"$probe" OrvantaTest /home/user/MACROS.ORV 120
job_done() { ls "$work"/out/job-*.out && [ -z "$(lpstat -o OrvantaTest)" ]; }
if ! await job_done; then
  cat "$work/log/error_log" >&2
  exit 1
fi
job=$(ls "$work"/out/job-*.out)
text=$(pdftotext "$job" -)
for want in "Macro File: /home/user/MACROS.ORV" "Queued macro 1" "Queued macro 120"; do
  if ! grep -qF "$want" <<<"$text"; then
    echo "the printed job lacks \"$want\"" >&2
    exit 1
  fi
done
echo "job $(basename "$job") arrived: $(pdfinfo "$job" | awk '/^Pages:/ {print $2}') pages"
