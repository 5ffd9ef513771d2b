#!/bin/sh
# The author's loop, timed side by side with htp in one run on one generated
# site: a full build (ORV, htp, and a base orvcc such as main's when given),
# a rebuild of the unchanged site (ORV and htp both skip unchanged pages),
# and, through orvcc --serve, how long one edited page takes to show: from
# the write of its source to the first fetch (curl) that returns the new
# text (each try starts curl anew, which a loaded machine makes slow; each
# edit is made once the rebuild before it is over), and the rebuild's own
# time from its counts line.
#
#   bench/loop_compare.sh [PAGES [ROUNDS]]
#
# PAGES (default 10000) pages of about 2.5 KB in folders of 100, each with a
# header include that links the style sheet through RootPath, ten
# paragraphs naming project variables, and a footer include; a static
# folder holds the style sheet. Times are hyperfine's (ROUNDS runs each,
# default 10) and the median of ROUNDS edits; all on /dev/shm when it
# exists.
#
#   ORVCC       the orvcc to time (default build-rel/bin/orvcc)
#   BASE_ORVCC  an orvcc to compare full builds with, for example main's
#               built with -DCMAKE_BUILD_TYPE=Release (left out if unset)
#   ORV_KEEP=1  keep the generated site and name it at the end
set -eu

pages=${1:-10000}
rounds=${2:-10}
root=$(cd "$(dirname "$0")/.." && pwd)
orvcc=${ORVCC:-$root/build-rel/bin/orvcc}
base_orvcc=${BASE_ORVCC:-}
[ -x "$orvcc" ] || { echo "loop_compare: no orvcc at $orvcc (set ORVCC)" >&2; exit 2; }
[ -z "$base_orvcc" ] || [ -x "$base_orvcc" ] || { echo "loop_compare: no orvcc at $base_orvcc" >&2; exit 2; }
# The commands run from the generated site's folder: paths given relative to
# this one are made absolute.
absolute() { case $1 in /*) echo "$1" ;; *) echo "$PWD/$1" ;; esac; }
orvcc=$(absolute "$orvcc")
[ -z "$base_orvcc" ] || base_orvcc=$(absolute "$base_orvcc")
for tool in htp hyperfine curl; do
  command -v "$tool" >/dev/null || { echo "loop_compare: $tool is not installed" >&2; exit 2; }
done

shm=/dev/shm
[ -d "$shm" ] && [ -w "$shm" ] || shm=${TMPDIR:-/tmp}
work=$(mktemp -d "$shm/orv-loop-compare.XXXXXX")
server=
cleanup() {
  [ -z "$server" ] || kill "$server" 2>/dev/null || true
  [ -n "${ORV_KEEP:-}" ] || rm -rf "$work"
}
trap cleanup EXIT INT TERM
# The build records go to a data folder of the run's own.
export ORV_HOME="$work/home"
mkdir -p "$ORV_HOME"

awk -v pages="$pages" -v work="$work" '
function para(i, v, use) {
  return "<p>Paragraph " v " of page " i " names " use " in its text, with ordinary words after it so " \
         "that the page has the size of a real one.</p>"
}
BEGIN {
  orv = work "/orv"; htp = work "/htp"
  system("mkdir -p " orv "/src " orv "/static " htp)
  project = orv "/site.orv"
  print "[directories]\nsrc=src\nout=out\nimg=img\nstatic=static\n[other]\nlineends=lf\n[variables]" > project
  for (v = 0; v < 10; ++v) {
    print "Var" v "=value number " v > project
    print "<set var" v "=\"value number " v "\">" > (htp "/htp.def")
  }
  print "[files]" > project
  print "body { font-family: sans-serif }" > (orv "/static/style.css")
  print "<html><head><link rel=\"stylesheet\" href=\"<%RootPath%>style.css\"></head><body>" > (orv "/src/header.hsn")
  print "<html><head><link rel=\"stylesheet\" href=\"../style.css\"></head><body>" > (htp "/header.hti")
  print "<footer>a generated page</footer></body></html>" > (orv "/src/footer.hsn")
  print "<footer>a generated page</footer></body></html>" > (htp "/footer.hti")
  for (i = 0; i < pages; ++i) {
    folder = sprintf("s%03d", int(i / 100))
    if (i % 100 == 0) system("mkdir -p " orv "/src/" folder " " htp "/" folder " " htp "/out/" folder)
    name = folder "/" sprintf("p%05d", i)
    o = "<&header.hsn&>\n"; h = "<file include=\"header.hti\">\n"
    for (v = 0; v < 10; ++v) {
      o = o para(i, v, "<%Var" v "%>") "\n"
      h = h para(i, v, "<use var" v ">") "\n"
    }
    o = o "<&footer.hsn&>"; h = h "<file include=\"footer.hti\">"
    print o > (orv "/src/" name ".hts"); close(orv "/src/" name ".hts")
    print h > (htp "/" name ".htp"); close(htp "/" name ".htp")
    print i "=src/" name ".hts" > project
    print name ".htp out/" name ".html" > (htp "/htp.rsp")
  }
}'

cd "$work"
times="$work/times.csv"
# hyperfine's mean of each command and its CPU time (user and system),
# appended to $times as NAME,SECONDS,CPU-SECONDS.
timed() {
  name=$1
  shift
  hyperfine --style none --warmup 1 --runs "$rounds" --export-csv "$work/one.csv" "$@" >/dev/null ||
    { echo "loop_compare: \"$name\" failed" >&2; exit 1; }
  awk -F, -v name="$name" 'NR == 2 { printf "%s,%s,%s\n", name, $2, $5 + $6 }' "$work/one.csv" >> "$times"
}

# Full builds: every page built and written.
timed "htp full" --prepare "rm -rf htp/out/*/*.html" "cd htp && htp -quiet @htp.rsp"
timed "ORV full (--all)" "$orvcc --quiet --all orv/site.orv"
[ -z "$base_orvcc" ] || timed "base full" "$base_orvcc --quiet orv/site.orv"

# The unchanged site, built again.
"$orvcc" --quiet orv/site.orv
(cd htp && htp -quiet @htp.rsp >/dev/null)
timed "htp unchanged" "cd htp && htp -quiet @htp.rsp"
timed "ORV unchanged" "$orvcc --quiet orv/site.orv"

# One page edited while orvcc --serve runs.
"$orvcc" --serve=0 orv/site.orv > "$work/serve.out" 2> "$work/serve.err" &
server=$!
address=
tries=0
while [ -z "$address" ]; do
  address=$(sed -n 's/.* at \(http:[^ ]*\) .*/\1/p' "$work/serve.out")
  tries=$((tries + 1))
  [ "$tries" -lt 3000 ] || { echo "loop_compare: orvcc --serve did not start" >&2; cat "$work/serve.err" >&2; exit 1; }
  [ -n "$address" ] || sleep 0.01
done
page=$((pages / 2))
folder=$(printf 's%03d' $((page / 100)))
source="orv/src/$folder/$(printf 'p%05d' "$page").hts"
url="$address$folder/$(printf 'p%05d' "$page").html"
now_ms() { date +%s%3N; }
round=1
while [ "$round" -le "$rounds" ]; do
  mark="edit-$round-$$"
  start=$(now_ms)
  printf '<&header.hsn&>\n<p>%s</p>\n<&footer.hsn&>\n' "$mark" > "$source.new"
  mv "$source.new" "$source"
  until curl -sf "$url" | grep -q "$mark"; do :; done
  echo "ORV edit to --serve,$(( $(now_ms) - start ))" >> "$work/serve.csv"
  # The next edit comes once this rebuild is over, as an author's would:
  # the time is that of one edit, not of edits queued behind a build.
  until [ "$(grep -c ' up to date.* in [0-9]* ms$' "$work/serve.err")" -ge "$round" ]; do sleep 0.01; done
  round=$((round + 1))
done
kill "$server"
wait "$server" || true
server=
sort -t, -k2 -n "$work/serve.csv" |
  awk -F, '{ t[NR] = $2 } END { printf "%s,%.4f\n", $1, t[int((NR + 1) / 2)] / 1000 }' >> "$times"
# The rebuilds' own times, from their counts lines ("... in 12 ms").
sed -n 's/.* up to date.* in \([0-9]*\) ms$/\1/p' "$work/serve.err" | sort -n |
  awk '{ t[NR] = $1 } END { if (NR) printf "ORV rebuild under --serve,%.4f\n", t[int((NR + 1) / 2)] / 1000 }' >> "$times"

echo "site of $pages pages in $work ($rounds runs each; seconds: hyperfine's mean and CPU time, the edit's median)"
awk -F, '{ printf "  %-28s %8.4f %s\n", $1, $2, $3 == "" ? "" : sprintf("(CPU %.4f)", $3) }' "$times"
awk -F, '
  $1 == "ORV unchanged" { u = $2 } $1 == "htp unchanged" { h = $2 } $1 == "ORV edit to --serve" { e = $2 }
  $1 == "ORV full (--all)" { f = $2; fc = $3 } $1 == "base full" { b = $2; bc = $3 }
  END {
    printf "unchanged: ORV %.4f s (target < 0.1), htp %.4f s; edit shown through --serve: %.4f s (target < 0.05)\n", u, h, e
    if (b) printf "full build: ORV / base = %.2f, in CPU time %.2f (target <= 1.00)\n", f / b, fc / bc
  }' "$times"
[ -z "${ORV_KEEP:-}" ] || echo "generated site kept in $work"
