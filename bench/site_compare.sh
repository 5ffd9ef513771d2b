#!/bin/sh
# Builds one generated site with ORV (orvcc --quiet), htp and Hugo in the same
# run and prints each tool's median time and ORV's ratio to the other two.
#
#   bench/site_compare.sh [PAGES [ROUNDS [ORVCC]]]
#
# PAGES (default 10000) pages of about 3.5 KB, each using a title variable,
# 20 project variables once each, a header and a footer include. The tools
# run alternately, ROUNDS times each (default 3), on /dev/shm when it exists;
# outputs are removed between runs (not timed). ORVCC defaults to
# build-rel/bin/orvcc, then build/bin/orvcc. With ORV_KEEP=1 the generated
# folder is kept and named at the end.
set -eu

pages=${1:-10000}
rounds=${2:-3}
root=$(cd "$(dirname "$0")/.." && pwd)
orvcc=${3:-}
if [ -z "$orvcc" ]; then
  for candidate in "$root/build-rel/bin/orvcc" "$root/build/bin/orvcc"; do
    if [ -x "$candidate" ]; then orvcc=$candidate; break; fi
  done
fi
[ -n "$orvcc" ] && [ -x "$orvcc" ] || { echo "site_compare: no orvcc (give its path)" >&2; exit 2; }
for tool in htp hugo; do
  command -v "$tool" >/dev/null || { echo "site_compare: $tool is not installed" >&2; exit 2; }
done

base=/dev/shm
[ -d "$base" ] && [ -w "$base" ] || base=${TMPDIR:-/tmp}
work=$(mktemp -d "$base/orv-site-compare.XXXXXX")
[ -n "${ORV_KEEP:-}" ] || trap 'rm -rf "$work"' EXIT INT TERM

# One awk program writes the three trees with the same page content.
awk -v pages="$pages" -v work="$work" '
function put(text, value) { sub(/VAR/, value, text); return text }
function para(i, v) {
  return "<p>Paragraph " v " of page " i " names VAR in the text. Some ordinary text follows so that " \
         "the page has the size of a real one, with characters such as < and % and & that are not markup.</p>"
}
BEGIN {
  orv = work "/orv"; htp = work "/htp"; hugo = work "/hugo"
  system("mkdir -p " orv "/src " orv "/out " htp "/out " hugo "/content " hugo "/layouts/_default " \
         hugo "/layouts/partials " hugo "/layouts/shortcodes")
  project = orv "/site.orv"
  print "[directories]\nsrc=src\nout=out\nimg=img\n[variables]\nTitle=A generated site" > project
  print "<set title=\"A generated site\">" > (htp "/htp.def")
  print "baseURL = \"http://example.org/\"\nuglyURLs = true\ndisableKinds = [\"taxonomy\", \"term\", \"RSS\", " \
        "\"sitemap\", \"robotsTXT\", \"404\", \"home\", \"section\"]\n[params]\ntitle = \"A generated site\"" \
        > (hugo "/config.toml")
  for (v = 0; v < 20; ++v) {
    print "Var" v "=value number " v > project
    print "<set var" v "=\"value number " v "\">" > (htp "/htp.def")
    print "var" v " = \"value number " v "\"" > (hugo "/config.toml")
  }
  print "[files]" > project
  print "<html><head><title><%Title%></title></head><body>" > (orv "/src/header.hsn")
  print "<html><head><title><use title></title></head><body>" > (htp "/header.hti")
  print "<html><head><title>{{ .Site.Params.title }}</title></head><body>" > (hugo "/layouts/partials/header.html")
  print "<footer>built from a generated source</footer></body></html>" > (orv "/src/footer.hsn")
  print "<footer>built from a generated source</footer></body></html>" > (htp "/footer.hti")
  print "<footer>built from a generated source</footer></body></html>" > (hugo "/layouts/partials/footer.html")
  print "{{ partial \"header.html\" . }}{{ .Content }}{{ partial \"footer.html\" . }}" \
        > (hugo "/layouts/_default/single.html")
  printf "%s", "{{ index .Site.Params (.Get 0) }}" > (hugo "/layouts/shortcodes/v.html")
  for (i = 0; i < pages; ++i) {
    name = sprintf("p%05d", i)
    o = "<&header.hsn&>\n"; h = "<file include=\"header.hti\">\n"; g = "---\ntitle: \"Page " i "\"\n---\n"
    for (v = 0; v < 20; ++v) {
      p = para(i, v)
      o = o put(p, "<%Var" v "%>") "\n"
      h = h put(p, "<use var" v ">") "\n"
      g = g put(p, "{{< v \"var" v "\" >}}") "\n"
    }
    o = o "<&footer.hsn&>"; h = h "<file include=\"footer.hti\">"
    print o > (orv "/src/" name ".hts"); close(orv "/src/" name ".hts")
    print h > (htp "/" name ".htp"); close(htp "/" name ".htp")
    print g > (hugo "/content/" name ".html"); close(hugo "/content/" name ".html")
    print i "=src/" name ".hts" > project
    print name ".htp out/" name ".html" > (htp "/htp.rsp")
  }
}'

now() { date +%s.%N; }

run_tool() {
  case $1 in
    orv) rm -rf "$work/orv/out"; start=$(now); "$orvcc" --quiet "$work/orv/site.orv" ;;
    htp) rm -rf "$work/htp/out"; mkdir "$work/htp/out"; cd "$work/htp"; start=$(now); htp -quiet @htp.rsp >/dev/null ;;
    hugo) rm -rf "$work/hugo/public"; cd "$work/hugo"; start=$(now); hugo --quiet >/dev/null ;;
  esac
  end=$(now)
  cd "$root"
  echo "$1 $(echo "$end - $start" | awk '{ printf "%.3f", $1 - $3 }')" >> "$work/times"
}

round=1
while [ "$round" -le "$rounds" ]; do
  for tool in orv htp hugo; do run_tool "$tool"; done
  round=$((round + 1))
done

median() { grep "^$1 " "$work/times" | cut -d' ' -f2 | sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'; }
orv=$(median orv); htp=$(median htp); hugo=$(median hugo)
echo "site of $pages pages, $rounds rounds on $base (median seconds): ORV $orv  htp $htp  Hugo $hugo"
[ -z "${ORV_KEEP:-}" ] || echo "generated sites kept in $work"
awk -v o="$orv" -v h="$htp" -v g="$hugo" 'BEGIN { printf "ORV / htp = %.2f (target <= 0.50)   ORV / Hugo = %.2f (target <= 0.25)\n", o / h, o / g }'
