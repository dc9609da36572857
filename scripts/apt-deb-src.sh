#!/usr/bin/env bash
# apt-deb-src.sh CODENAME FILE...
#
# Reads apt source files (deb822 files, whose names end in ".sources", and
# one-line files, any other name) and prints, in deb822 form, a "deb-src"
# stanza for each enabled "deb" entry of the release CODENAME (its suites
# CODENAME, CODENAME-updates and CODENAME-security, component main) whose
# source packages no entry of the files offers yet. Each stanza keeps its
# entry's URIs and signing key, so that a machine behind a mirror or a proxy
# fetches sources from where it fetches packages. Prints nothing when every
# such entry has its deb-src already.
#
# Other archives (third-party suites, components other than main) are left
# alone: most publish no sources, and a deb-src entry for them would make
# apt-get update fail.
set -euo pipefail
if [ $# -lt 1 ]; then
  echo "usage: $0 CODENAME [FILE...]" >&2
  exit 2
fi
codename=$1
shift
[ $# -gt 0 ] || exit 0

awk -v codename="$codename" '
function trim(s) { sub(/^[ \t]+/, "", s); sub(/[ \t]+$/, "", s); return s }
function canonical_uri(u) { sub(/\/+$/, "", u); return u }
function has_word(list, word,    n, i, w) {
  n = split(list, w, /[ \t]+/)
  for (i = 1; i <= n; i++) if (w[i] == word) return 1
  return 0
}

# One entry per stanza or line: its types, URIs, suites, components, whether
# it is enabled, its Signed-By value (verbatim, continuation lines included)
# and its Trusted value.
function add_entry(types, uris, suites, components, enabled, signed_by, trusted) {
  entries++
  e_types[entries] = types; e_uris[entries] = uris; e_suites[entries] = suites
  e_components[entries] = components; e_enabled[entries] = enabled
  e_signed_by[entries] = signed_by; e_trusted[entries] = trusted
}

function end_stanza() {
  if (in_stanza)
    add_entry(f["types"], f["uris"], f["suites"], f["components"],
              (f["enabled"] == "" ? "yes" : tolower(f["enabled"])),
              f["signed-by"], tolower(f["trusted"]))
  in_stanza = 0
  split("", f)
  field = ""
}

# deb822: "Name: value" fields, continuation lines that begin with a blank,
# comment lines that begin with "#", stanzas separated by empty lines.
function read_deb822_line(line,    name) {
  if (line ~ /^#/) return
  if (line ~ /^[ \t]*$/) { end_stanza(); return }
  if (line ~ /^[ \t]/) {
    if (field != "") f[field] = f[field] "\n" line
    return
  }
  name = tolower(trim(substr(line, 1, index(line, ":") - 1)))
  if (index(line, ":") == 0 || name == "") return
  field = name
  f[field] = trim(substr(line, index(line, ":") + 1))
  in_stanza = 1
}

# One-line form: TYPE [OPTIONS] URI SUITE [COMPONENT...], "#" to the end of
# the line is a comment.
function read_one_line(line,    n, w, i, options, option, k, v, signed_by, trusted, components) {
  sub(/#.*/, "", line)
  line = trim(line)
  if (line == "") return
  if (line ~ /^[^ \t]+[ \t]+\[/) {
    options = substr(line, index(line, "[") + 1)
    options = substr(options, 1, index(options, "]") - 1)
    line = substr(line, 1, index(line, "[") - 1) substr(line, index(line, "]") + 1)
    n = split(options, option, /[ \t]+/)
    for (i = 1; i <= n; i++) {
      if (index(option[i], "=") == 0) continue
      k = tolower(substr(option[i], 1, index(option[i], "=") - 1))
      v = substr(option[i], index(option[i], "=") + 1)
      if (k == "signed-by") signed_by = v
      else if (k == "trusted") trusted = tolower(v)
    }
  }
  n = split(trim(line), w, /[ \t]+/)
  if (n < 3) return
  components = ""
  for (i = 4; i <= n; i++) components = components (i > 4 ? " " : "") w[i]
  add_entry(w[1], w[2], w[3], components, "yes", signed_by, trusted)
}

FNR == 1 { end_stanza() }
{
  if (FILENAME ~ /\.sources$/) read_deb822_line($0)
  else read_one_line($0)
}

END {
  end_stanza()
  wanted[codename] = 1; wanted[codename "-updates"] = 1; wanted[codename "-security"] = 1

  # What is offered as sources already, by URI and suite.
  for (i = 1; i <= entries; i++) {
    if (e_enabled[i] == "no" || !has_word(e_types[i], "deb-src")) continue
    nu = split(e_uris[i], uri, /[ \t\n]+/)
    ns = split(e_suites[i], suite, /[ \t\n]+/)
    for (u = 1; u <= nu; u++) for (s = 1; s <= ns; s++)
      if (uri[u] != "") covered[canonical_uri(uri[u]), suite[s]] = 1
  }

  printed = 0
  for (i = 1; i <= entries; i++) {
    if (e_enabled[i] == "no" || !has_word(e_types[i], "deb")) continue
    if (!has_word(e_components[i], "main")) continue
    nu = split(e_uris[i], uri, /[ \t\n]+/)
    ns = split(e_suites[i], suite, /[ \t\n]+/)
    for (u = 1; u <= nu; u++) {
      if (uri[u] == "") continue
      missing = ""
      for (s = 1; s <= ns; s++) {
        if (!(suite[s] in wanted) || ((canonical_uri(uri[u]), suite[s]) in covered)) continue
        covered[canonical_uri(uri[u]), suite[s]] = 1
        missing = missing (missing == "" ? "" : " ") suite[s]
      }
      if (missing == "") continue
      if (printed++) print ""
      print "Types: deb-src"
      print "URIs: " uri[u]
      print "Suites: " missing
      print "Components: main"
      # A key given inline starts on the next line.
      if (e_signed_by[i] ~ /^\n/) print "Signed-By:" e_signed_by[i]
      else if (e_signed_by[i] != "") print "Signed-By: " e_signed_by[i]
      if (e_trusted[i] != "") print "Trusted: " e_trusted[i]
    }
  }
}
' "$@"
