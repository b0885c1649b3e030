#!/usr/bin/env bash
# Checks the release files that scripts/package leaves in DIST, as a
# technician and Debian's tools would find them.
#   check_package.sh lintian  DIST VERSION          no lintian errors or warnings
#   check_package.sh metadata DIST VERSION          control fields, desktop entry, AppStream, icons, manual pages
#   check_package.sh programs DIST VERSION          the unpacked programs run
#   check_package.sh web      DIST VERSION TRACE    the unpacked site passes the browser tests
#   check_package.sh translations FOLDER             the build's packaging FOLDER: desktop entry,
#                                                     metadata and manual pages in German and Spanish
set -euo pipefail
if [ $# -lt 3 ] && [ "${1:-}" != translations ]; then
  echo "usage: check_package.sh lintian|metadata|programs|web DIST VERSION [SWITCHSIM_TRACE]" >&2
  exit 2
fi
mode=$1 dist=$2 version=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
deb=$dist/switchsim_${version}_$(dpkg --print-architecture).deb
archive=$dist/switchsim-web-$version.tar.gz
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

unpack() {
  [ -f "$deb" ] || fail "no package $deb (scripts/package builds it)"
  dpkg-deb -x "$deb" "$scratch/root"
  root=$scratch/root
}

# The languages' texts in a desktop entry, a metadata file and a folder of
# compressed manual pages by language (MAN/de/SUBswitchsim.1.gz, ...).
translated() {
  local desktop=$1 metainfo=$2 man=$3 sub=$4 lang
  for lang in de es; do
    for key in Name GenericName Comment; do
      grep -q "^$key\[$lang\]=." "$desktop" || fail "$desktop has no $key[$lang]"
    done
    grep -q "<summary xml:lang=\"$lang\">" "$metainfo" || fail "$metainfo has no summary in $lang"
    grep -q "<p xml:lang=\"$lang\">" "$metainfo" || fail "$metainfo has no description in $lang"
  done
  grep -q '^Comment\[de\]=Einer Nachricht zusehen' "$desktop" || fail "$desktop: the German comment is not German"
  for page in switchsim switchsim-trace; do
    for lang in de es; do
      [ -f "$man/$lang/$sub$page.1.gz" ] || fail "no $lang manual page of $page"
      ! zcat "$man/$lang/$sub$page.1.gz" | grep -A1 '^\.SH NAME' | grep -q 'watch message\|without a window' ||
        fail "$lang/$page.1: the NAME line is English"
    done
  done
  zcat "$man/de/${sub}switchsim-trace.1.gz" | grep -A1 '^\.SH NAME' | grep -q 'ohne Fenster' ||
    fail "de/switchsim-trace.1: the NAME line is not German"
  zcat "$man/es/${sub}switchsim.1.gz" | grep -q '^Tamaño del mensaje: ' || fail "es/switchsim.1: the options are not Spanish"
}

case $mode in
  translations)
    translated "$dist/switchsim.desktop" "$dist"/*.metainfo.xml "$dist/man" ""
    ;;

  lintian)
    [ -f "$deb" ] || fail "no package $deb (scripts/package builds it)"
    lintian --fail-on error,warning --tag-display-limit 0 "$deb" || fail "lintian reports errors or warnings"
    ;;

  metadata)
    unpack
    control() { dpkg-deb -f "$deb" "$1"; }
    [ "$(control Section)" = education ] || fail "section is '$(control Section)'"
    [ "$(control Version)" = "$version" ] || fail "version is '$(control Version)'"
    # Computed from the programs: Qt's widgets library is one of them.
    grep -q 'libqt6widgets6 (>= ' <<<"$(control Depends)" || fail "depends: $(control Depends)"

    desktop-file-validate "$root/usr/share/applications/switchsim.desktop"
    appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
    appstreamcli validate-tree --no-net "$root"
    translated "$root/usr/share/applications/switchsim.desktop" "$root"/usr/share/metainfo/*.metainfo.xml "$root/usr/share/man" man1/
    grep -q "<release version=\"$version\"" "$root"/usr/share/metainfo/*.metainfo.xml ||
      fail "the metadata names no release $version"

    icons=$root/usr/share/icons/hicolor
    [ -f "$icons/scalable/apps/switchsim.svg" ] || fail "no scalable icon"
    for size in 48 128 256; do
      png=$icons/${size}x$size/apps/switchsim.png
      [ -f "$png" ] || fail "no ${size} px icon"
      file "$png" | grep -q "PNG image data, $size x $size," || fail "$png: $(file -b "$png")"
    done

    grep -q 'License: GPL-3+' "$root/usr/share/doc/switchsim/copyright" || fail "copyright names no licence"
    for program in switchsim switchsim-trace; do
      page=$root/usr/share/man/man1/$program.1.gz
      warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
      [ -z "$warnings" ] || fail "$program.1: $warnings"
      text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null | col -b)
      for heading in NAME SYNOPSIS OPTIONS 'EXIT STATUS' EXAMPLES; do
        grep -q "^$heading" <<<"$text" || fail "$program.1 has no $heading"
      done
      # Every option the program's help lists is in its page.
      for option in $("$root/usr/bin/$program" --help | grep -oE '^  (-h, )?--[a-z]+' | grep -oE -- '--[a-z]+'); do
        grep -qe "$option" <<<"$text" || fail "$program.1 does not describe $option"
      done
    done
    ;;

  programs)
    unpack
    for program in switchsim switchsim-trace; do
      said=$("$root/usr/bin/$program" --version)
      [ "$said" = "$program $version" ] || fail "$program --version says '$said'"
    done
    QT_QPA_PLATFORM=offscreen "$root/usr/bin/switchsim-trace" --compare --seed 1 --png "$scratch/compare.png" \
      >"$scratch/compare.txt"
    grep -q '^Circuit' "$scratch/compare.txt" || fail "the comparison has no circuit row"
    file "$scratch/compare.png" | grep -q 'PNG image data, 916 x 657,' ||
      fail "the picture is $(file -b "$scratch/compare.png" 2>&1)"
    ;;

  web)
    [ $# -ge 4 ] || fail "web needs the driver, switchsim-trace, to compare the page with"
    [ -f "$archive" ] || fail "no web archive $archive (scripts/package builds it)"
    tar -xzf "$archive" -C "$scratch"
    site=$scratch/switchsim-web-$version
    [ -f "$site/index.html" ] || fail "the archive does not unpack to switchsim-web-$version/index.html"
    for page in browser views exercises; do
      SWITCHSIM_VERSION=$version /usr/bin/python3 "$here/../web/${page}_test.py" "$site" "$4"
    done
    ;;

  *) fail "\"$mode\" is not a check; use lintian, metadata, programs, web or translations" ;;
esac
echo "$mode: passed"
