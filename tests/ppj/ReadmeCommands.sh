#!/usr/bin/env bash
# The native ppj as the README shows it: dump, build back, lint, the exit statuses a
# script relies on, the version, which CMake passes in from the project's, git
# showing plug-ins as their JSON form, and the import and export of INI rules.
# Usage: ReadmeCommands.sh PPJ SAMPLE VERSION
set -uo pipefail
ppj="$1"; sample="$2"; version="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
expect_status() { # expected, description, command...
  local expected="$1" what="$2"; shift 2
  "$@" >"$work/out" 2>"$work/err"
  local status=$?
  if [ "$status" -ne "$expected" ]; then
    echo "FAIL: $what: exit status $status, expected $expected"; cat "$work/out" "$work/err"
    failures=$((failures + 1))
  fi
}

expect_status 0 "help" "$ppj" --help
expect_status 0 "version" "$ppj" --version
[ "$(cat "$work/out")" = "ppj $version" ] || { echo "FAIL: --version printed \"$(cat "$work/out")\", not \"ppj $version\""; failures=$((failures + 1)); }
expect_status 0 "dump" "$ppj" dump "$sample" -o "$work/sample.json"
expect_status 0 "build" "$ppj" build "$work/sample.json" -o "$work/sample.ppj"
cmp -s "$sample" "$work/sample.ppj" || { echo "FAIL: dump then build changed the sample"; failures=$((failures + 1)); }
expect_status 0 "lint of the sample" "$ppj" lint "$sample"
expect_status 0 "lint of its JSON, as JSON" "$ppj" lint "$work/sample.json" --format json
grep -q '^\[\]$' "$work/out" || { echo "FAIL: the sample has findings:"; cat "$work/out"; failures=$((failures + 1)); }

sed 's/"HKEY_CURRENT_USER"/0/' "$work/sample.json" >"$work/bad-root.json"
expect_status 1 "lint of an unknown root key" "$ppj" lint "$work/bad-root.json"
grep -q 'error \[unknown-root-key\]' "$work/out" || { echo "FAIL: no unknown-root-key finding"; failures=$((failures + 1)); }

sed 's/"file"/"disk"/' "$work/sample.json" >"$work/bad-kind.json"
cp "$work/sample.ppj" "$work/kept.ppj"
expect_status 2 "build of an unknown kind" "$ppj" build "$work/bad-kind.json" -o "$work/kept.ppj"
grep -q 'item 4, field "kind"' "$work/err" || { echo "FAIL: the error does not name item 4's kind"; failures=$((failures + 1)); }
cmp -s "$sample" "$work/kept.ppj" || { echo "FAIL: a refused build changed the output"; failures=$((failures + 1)); }
[ "$(ls "$work" | wc -l)" -eq 7 ] || { echo "FAIL: files left behind:"; ls "$work"; failures=$((failures + 1)); }

# Plug-ins under version control, set up as the README shows: git diff and git log -p
# show the JSON form of the .ppj files, through the dump.
repo="$work/repo"
mkdir "$repo"
git -C "$repo" init -q
git -C "$repo" config user.email "author@varnex.example"
git -C "$repo" config user.name "Author"
echo '*.ppj diff=ppj' >"$repo/.gitattributes"
git -C "$repo" config diff.ppj.textconv "\"$ppj\" dump"
cp "$sample" "$repo/cleaner.ppj"
git -C "$repo" add .gitattributes cleaner.ppj && git -C "$repo" commit -qm "The cleaner"
sed '0,/"name": "Sample cleaner"/s//"name": "Renamed cleaner"/' "$work/sample.json" >"$work/renamed.json"
"$ppj" build "$work/renamed.json" -o "$repo/cleaner.ppj"
git -C "$repo" diff >"$work/diff"
grep -qx -- '-    "name": "Sample cleaner",' "$work/diff" && grep -qx -- '+    "name": "Renamed cleaner",' "$work/diff" ||
  { echo "FAIL: git diff does not show the plug-in's JSON:"; cat "$work/diff"; failures=$((failures + 1)); }
git -C "$repo" commit -qam "Renamed"
git -C "$repo" log -p >"$work/log"
[ "$(grep -c -- '"name": "Renamed cleaner"' "$work/log")" -eq 1 ] && grep -q -- '"rootKey": "HKEY_CURRENT_USER"' "$work/log" ||
  { echo "FAIL: git log -p does not show the plug-ins' JSON:"; cat "$work/log"; failures=$((failures + 1)); }

# winapp2.ini's rules, as the README shows them: the sample rules imported, each line
# left out named, what was written passing lint; the sample exported and imported back.
rules="$(dirname "$sample")/rules.ini"
expect_status 0 "import of the sample rules" "$ppj" import "$rules" -o "$work/imported"
[ "$(cat "$work/out")" = "$work/imported/Foo Editor.ppj
$work/imported/Baz Player.ppj" ] || { echo "FAIL: import wrote:"; cat "$work/out"; failures=$((failures + 1)); }
grep -q '^ppj: .*rules.ini:15: \[Bar Viewer \*\] FileKey1: left out: the entry has a Warning=' "$work/err" &&
  grep -qx 'ppj: 2 of 3 entries carried over, 1 left out; 5 keys carried over whole, 1 in part, 5 left out; 2 plug-ins written' "$work/err" ||
  { echo "FAIL: import did not report what it left out:"; cat "$work/err"; failures=$((failures + 1)); }
for plugin in "$work/imported"/*.ppj; do
  expect_status 0 "lint of the imported $plugin" "$ppj" lint "$plugin"
done
expect_status 1 "import --strict of rules with lines left out" "$ppj" import "$rules" -o "$work/imported" --overwrite --strict
expect_status 0 "export of the sample" "$ppj" export "$sample" -o "$work/sample.ini"
grep -q '^\[Sample cleaner \*\]'$'\r''$' "$work/sample.ini" || { echo "FAIL: export wrote:"; cat "$work/sample.ini"; failures=$((failures + 1)); }
expect_status 0 "import of the exported sample" "$ppj" import "$work/sample.ini" -o "$work/exported"

expect_status 2 "preview without Windows" "$ppj" preview "$sample"
expect_status 2 "clean without Windows" "$ppj" clean "$sample" --yes
expect_status 2 "no command" "$ppj"
exit $((failures > 0))
