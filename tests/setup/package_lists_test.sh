#!/usr/bin/env bash
# The set-up's package steps without a network: the archive read from apt sources of both forms, a package list
# that the archive refuses (as a mirror in mid-sync does) left out by name while the step goes on, and a pinned
# package that is not there stopping the step with its name and version.
set -uo pipefail
packages_caller=test
. "$(dirname "$0")/../../scripts/debian-packages.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # check WHAT EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then
        printf 'FAILED: %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3"
        failures=$((failures + 1))
    fi
}

mkdir -p "$work/etc/sources.list.d"
cat >"$work/etc/sources.list" <<'LIST'
# a comment
deb [arch=amd64 signed-by=/keys/one.gpg] file:/srv/one bookworm main contrib
deb-src file:/srv/one bookworm main
LIST
cat >"$work/etc/sources.list.d/debian.sources" <<'SOURCES'
Types: deb
# file:/srv/snapshot/debian
URIs: file:/srv/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: file:/srv/debian-security
Suites: bookworm-security
Components: main
Enabled: no
SOURCES
cat >"$work/etc/sources.list.d/other.list.disabled" <<'LIST'
deb file:/srv/disabled bookworm main
LIST
check "the entries of both forms" \
    "deb file:/srv/one bookworm /keys/one.gpg main contrib|deb-src file:/srv/one bookworm - main|deb file:/srv/debian bookworm /usr/share/keyrings/debian-archive-keyring.gpg main|deb file:/srv/debian bookworm-updates /usr/share/keyrings/debian-archive-keyring.gpg main" \
    "$(debian_sources "$work/etc" | paste -sd'|')"
check "the archive of a suite" "file:/srv/debian /usr/share/keyrings/debian-archive-keyring.gpg" \
    "$(archive_for bookworm-updates "$work/etc")"
archive_for bookworm-security "$work/etc" >/dev/null
check "a disabled suite has no archive" 1 $?

# A stand-in apt-get, first on the PATH: its update refuses the security suite's index as the archive did, and its
# package requests fail for the package named in FAKE_MISSING.
mkdir -p "$work/bin"
cat >"$work/bin/apt-get" <<'FAKE'
#!/bin/sh
echo "$*" >>"$FAKE_CALLS"
case " $* " in
*" update "*)
    echo "Hit:1 file:/srv/debian bookworm InRelease"
    echo "E: Failed to fetch file:/srv/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 203.0.113.80 80]" >&2
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
    exit 100 ;;
esac
for argument; do
    case "$argument" in "$FAKE_MISSING"=*)
        echo "E: Version '${argument#*=}' for '$FAKE_MISSING' was not found" >&2
        exit 100 ;;
    esac
done
exit 0
FAKE
chmod +x "$work/bin/apt-get"
export PATH="$work/bin:$PATH" FAKE_CALLS="$work/calls" PACKAGES_RETRY_PAUSE=0 FAKE_MISSING=none

said=$(fetch_lists i386 2>&1)
check "the list step goes on" 0 $?
check "it tries three times" 3 "$(grep -c update "$work/calls")"
check "it names the suite it left out, in one line" \
    "test:   left out the i386 package list of bookworm-security after 3 tries (Failed to fetch file:/srv/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?); going on without it" \
    "$said"

get_packages file:/srv/debian fetch wine32=8.0~repack-4 libwine=8.0~repack-4 2>/dev/null
check "pinned packages that are there are fetched" 0 $?
said=$(FAKE_MISSING=wine32 get_packages file:/srv/debian fetch libwine=8.0~repack-4 wine32=8.0~repack-4 2>&1)
check "a pinned package that is missing stops the step" 1 $?
check "and is named with its version" \
    "test: wine32 8.0~repack-4 cannot be had from file:/srv/debian: it is not in the package lists that arrived" "$said"

[ "$failures" -eq 0 ] && echo "package steps: all checks passed"
exit $((failures > 0))
