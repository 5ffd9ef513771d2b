#!/bin/sh
# Builds generated sites of several shapes with ORV (orvcc --quiet), htp and
# Hugo in the same run and prints, for each shape, each tool's median time
# and ORV's ratio to the other two.
#
#   bench/site_compare.sh [PAGES [ROUNDS [ORVCC [SHAPE...]]]]
#
# Shapes (each PAGES pages, default 10000; all by default):
#   standard  pages of about 3.5 KB, each using a title variable, 20 project
#             variables once each (one to a paragraph), a header and a
#             footer include
#   crowded   the same pages with the 20 variables side by side on one line
#   short     pages of one line of text between the header and the footer
#             (about 150 bytes)
#   plain     pages of that one line alone, without includes (about 35
#             bytes): what a page costs beyond its own text
#   includes  pages of about 3.5 KB with 20 small includes each
#   deep      the standard pages in a folder tree five levels deep (ten
#             pages to a folder)
#   pictures  short pages with four of 40 pictures each (<&picN.gif&>,
#             which every tool writes as an <img> tag with its size)
# The tools run alternately, ROUNDS times each (default 3), on /dev/shm when
# it exists, each run timed by hyperfine (which must be installed); outputs are removed between runs (not timed; htp's output
# folders are made before it runs, the others make their own). ORVCC
# defaults to build-rel/bin/orvcc, then build/bin/orvcc. With ORV_KEEP=1
# the generated folder is kept and named at the end.
set -eu

pages=${1:-10000}
rounds=${2:-3}
root=$(cd "$(dirname "$0")/.." && pwd)
orvcc=${3:-}
[ $# -gt 3 ] && shift 3 || set --
shapes=${*:-standard crowded short plain includes deep pictures}
if [ -z "$orvcc" ]; then
  for candidate in "$root/build-rel/bin/orvcc" "$root/build/bin/orvcc"; do
    if [ -x "$candidate" ]; then orvcc=$candidate; break; fi
  done
fi
[ -n "$orvcc" ] && [ -x "$orvcc" ] || { echo "site_compare: no orvcc (give its path)" >&2; exit 2; }
# The tools run from other folders: a relative path is made absolute.
case $orvcc in /*) ;; *) orvcc=$PWD/$orvcc ;; esac
for tool in htp hugo hyperfine; do
  command -v "$tool" >/dev/null || { echo "site_compare: $tool is not installed" >&2; exit 2; }
done

base=/dev/shm
[ -d "$base" ] && [ -w "$base" ] || base=${TMPDIR:-/tmp}
work=$(mktemp -d "$base/orv-site-compare.XXXXXX")
[ -n "${ORV_KEEP:-}" ] || trap 'rm -rf "$work"' EXIT INT TERM

# One awk program writes the three trees of a shape with the same page
# content: ORV's project and sources, htp's definitions, pages and response
# file, Hugo's configuration, layouts, shortcodes and content.
generate() {
  awk -v pages="$pages" -v dir="$work/$1" -v shape="$1" -v logo="$root/examples/site/static/images/logo.gif" '
function put(text, value) { sub(/VAR/, value, text); return text }
function para(i, v) {
  return "<p>Paragraph " v " of page " i " names VAR in the text. Some ordinary text follows so that " \
         "the page has the size of a real one, with characters such as < and % and & that are not markup.</p>"
}
function plain(i, v) { return put(para(i, v), "the subject") }
# The folder of page i below the sources (deep shape only), with its
# trailing slash.
function folder(i) {
  if (shape != "deep") return ""
  return sprintf("s%d/p%d/c%d/deep/er/", int(i / 1000), int(i / 100) % 10, int(i / 10) % 10)
}
BEGIN {
  orv = dir "/orv"; htp = dir "/htp"; hugo = dir "/hugo"
  system("mkdir -p " orv "/src " htp "/out " hugo "/content " hugo "/layouts/_default " \
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
    # the small includes
    print "<em>small part " v "</em>" > (orv "/src/s" v ".hsn")
    print "<em>small part " v "</em>" > (htp "/s" v ".hti")
    print "<em>small part " v "</em>" > (hugo "/layouts/partials/s" v ".html")
  }
  print "[files]" > project
  print "<html><head><title><%Title%></title></head><body>" > (orv "/src/header.hsn")
  print "<html><head><title><use title></title></head><body>" > (htp "/header.hti")
  print "<html><head><title>{{ .Site.Params.title }}</title></head><body>" > (hugo "/layouts/partials/header.html")
  print "<footer>built from a generated source</footer></body></html>" > (orv "/src/footer.hsn")
  print "<footer>built from a generated source</footer></body></html>" > (htp "/footer.hti")
  print "<footer>built from a generated source</footer></body></html>" > (hugo "/layouts/partials/footer.html")
  if (shape == "plain") print "{{ .Content }}" > (hugo "/layouts/_default/single.html")
  else print "{{ partial \"header.html\" . }}{{ .Content }}{{ partial \"footer.html\" . }}" \
        > (hugo "/layouts/_default/single.html")
  printf "%s", "{{ index .Site.Params (.Get 0) }}" > (hugo "/layouts/shortcodes/v.html")
  printf "%s", "{{ partial (.Get 0) . }}" > (hugo "/layouts/shortcodes/inc.html")
  printf "%s", "{{ $name := .Get 0 }}{{ with imageConfig (printf \"static/%s\" $name) }}<img src=\"{{ $name }}\" " \
         "width=\"{{ .Width }}\" height=\"{{ .Height }}\">{{ end }}" > (hugo "/layouts/shortcodes/img.html")
  if (shape == "pictures") {
    # 40 pictures, copies of the example site logo, where each tool looks
    # for them: the image folder of ORV, the source folder of htp, the
    # static folder of Hugo.
    system("mkdir -p " orv "/img " htp "/out " hugo "/static")
    for (n = 0; n < 40; ++n)
      system("cp \"" logo "\" " orv "/img/pic" n ".gif && cp " orv "/img/pic" n ".gif " htp "/ && cp " orv "/img/pic" n \
             ".gif " hugo "/static/")
  }
  made = ""
  for (i = 0; i < pages; ++i) {
    sub_dir = folder(i)
    if (sub_dir != "" && index(made, "|" sub_dir "|") == 0) {
      made = made "|" sub_dir "|"
      system("mkdir -p " orv "/src/" sub_dir " " htp "/" sub_dir " " htp "/out/" sub_dir " " hugo "/content/" sub_dir)
    }
    name = sub_dir sprintf("p%05d", i)
    # Every shape but plain puts its page between the header and the footer.
    framed = shape != "plain"
    o = framed ? "<&header.hsn&>\n" : ""; h = framed ? "<file include=\"header.hti\">\n" : ""
    g = "---\ntitle: \"Page " i "\"\n---\n"
    if (shape == "pictures") {
      o = o "<p>Page " i " of <%Title%>:"
      h = h "<p>Page " i " of <use title>:"
      g = g "<p>Page " i " of {{< v \"title\" >}}:"
      for (k = 0; k < 4; ++k) {
        n = (i * 7 + k * 11) % 40
        o = o " <&pic" n ".gif&>"; h = h " <img src=\"pic" n ".gif\">"; g = g " {{< img \"pic" n ".gif\" >}}"
      }
      o = o "</p>\n"; h = h "</p>\n"; g = g "</p>\n"
    } else if (shape == "short" || shape == "plain") {
      o = o "<p>Page " i " of <%Title%>.</p>\n"
      h = h "<p>Page " i " of <use title>.</p>\n"
      g = g "<p>Page " i " of {{< v \"title\" >}}.</p>\n"
    } else if (shape == "crowded") {
      lo = "<p>"; lh = "<p>"; lg = "<p>"
      for (v = 0; v < 20; ++v) {
        lo = lo "<%Var" v "%> "; lh = lh "<use var" v "> "; lg = lg "{{< v \"var" v "\" >}} "
      }
      o = o lo "</p>\n"; h = h lh "</p>\n"; g = g lg "</p>\n"
      for (v = 1; v < 20; ++v) { p = plain(i, v); o = o p "\n"; h = h p "\n"; g = g p "\n" }
    } else if (shape == "includes") {
      for (v = 0; v < 20; ++v) {
        p = plain(i, v)
        o = o p "<&s" v ".hsn&>\n"
        h = h p "<file include=\"s" v ".hti\">\n"
        g = g p "{{< inc \"s" v ".html\" >}}\n"
      }
    } else {
      for (v = 0; v < 20; ++v) {
        p = para(i, v)
        o = o put(p, "<%Var" v "%>") "\n"
        h = h put(p, "<use var" v ">") "\n"
        g = g put(p, "{{< v \"var" v "\" >}}") "\n"
      }
    }
    if (framed) {
      o = o "<&footer.hsn&>"; h = h "<file include=\"footer.hti\">"
    } else {
      # print ends the line itself
      o = substr(o, 1, length(o) - 1); h = substr(h, 1, length(h) - 1); g = substr(g, 1, length(g) - 1)
    }
    print o > (orv "/src/" name ".hts"); close(orv "/src/" name ".hts")
    print h > (htp "/" name ".htp"); close(htp "/" name ".htp")
    print g > (hugo "/content/" name ".html"); close(hugo "/content/" name ".html")
    print i "=src/" name ".hts" > project
    print name ".htp out/" name ".html" > (htp "/htp.rsp")
  }
}'
}

# Runs one tool on the site of shape $1 and records the time it took:
# hyperfine's time of the one process (no shell, no clock program started
# around it, which added some 10 ms to every tool's time and hid the
# difference on small sites).
run_tool() {
  site=$work/$1
  case $2 in
    orv) rm -rf "$site/orv/out"; dir=$root; command="'$orvcc' --quiet '$site/orv/site.orv'" ;;
    htp)
      rm -rf "$site/htp/out"; mkdir "$site/htp/out"
      (cd "$site/htp" && find . -mindepth 1 -type d ! -path './out*' -exec mkdir -p out/{} \;)
      dir=$site/htp; command="htp -quiet @htp.rsp" ;;
    hugo) rm -rf "$site/hugo/public"; dir=$site/hugo; command="hugo --quiet" ;;
  esac
  (cd "$dir" && hyperfine -N --runs 1 --style none --export-csv "$work/one.csv" "$command" >/dev/null) ||
    { echo "site_compare: $2 failed on the $1 site" >&2; exit 1; }
  awk -F, -v s="$1" -v t="$2" 'NR == 2 { printf "%s %s %.4f\n", s, t, $2 }' "$work/one.csv" >> "$work/times"
}

median() { grep "^$1 $2 " "$work/times" | cut -d' ' -f3 | sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'; }

load=$(cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo "?")
echo "sites of $pages pages, $rounds rounds on $base, load average $load (median seconds)"
printf '%-9s %8s %8s %8s   %9s %10s\n' shape ORV htp Hugo "ORV/htp" "ORV/Hugo"
for shape in $shapes; do
  generate "$shape"
  round=1
  while [ "$round" -le "$rounds" ]; do
    for tool in orv htp hugo; do run_tool "$shape" "$tool"; done
    round=$((round + 1))
  done
  orv=$(median "$shape" orv); htp=$(median "$shape" htp); hugo=$(median "$shape" hugo)
  awk -v s="$shape" -v o="$orv" -v h="$htp" -v g="$hugo" \
    'BEGIN { printf "%-9s %8.3f %8.3f %8.3f   %9.2f %10.2f\n", s, o, h, g, o / h, o / g }'
done
echo "targets: ORV/htp <= 0.50, ORV/Hugo <= 0.25"
[ -z "${ORV_KEEP:-}" ] || echo "generated sites kept in $work"
