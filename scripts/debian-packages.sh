# Sourced by the scripts that fetch Debian packages (install-deps.sh, win32-runtime.sh). The archive is the one the
# system's own apt sources name; a package list that does not arrive (an archive mid-sync, a suite's index refused)
# is tried again a few times and then left out, with one line that says so; only a package that cannot be had at
# the version asked for stops the caller, naming it.
#
# Each function reports as "$packages_caller: ..." on stderr.
packages_caller=${packages_caller:-packages}

# debian_sources [ETC]: one line "TYPE URI SUITE KEYRING COMPONENTS..." for each suite of each enabled entry of the
# apt sources under ETC (default /etc/apt): sources.list and sources.list.d/*.list in the one-line form, and
# sources.list.d/*.sources in the deb822 form. KEYRING is "-" where the entry names none (or embeds its key).
debian_sources() {
    local etc=${1:-/etc/apt} files=() file
    [ -f "$etc/sources.list" ] && files+=("$etc/sources.list")
    for file in "$etc"/sources.list.d/*.list "$etc"/sources.list.d/*.sources; do
        [ -f "$file" ] && files+=("$file")
    done
    [ ${#files[@]} -gt 0 ] || return 0
    awk '
        function flush() {
            if (enabled != "no" && uris != "" && suites != "")
                emit(types, uris, suites, keyring == "" ? "-" : keyring, components)
            types = uris = suites = keyring = components = ""; enabled = ""; field = ""
        }
        function emit(t, u, s, k, c,    nt, nu, ns, at, au, as, i, j, l) {
            nt = split(t, at, " "); nu = split(u, au, " "); ns = split(s, as, " ")
            for (i = 1; i <= nt; i++) for (j = 1; j <= nu; j++) for (l = 1; l <= ns; l++)
                print at[i], au[j], as[l], k, c
        }
        FNR == 1 { if (deb822) flush(); deb822 = FILENAME ~ /\.sources$/ }
        deb822 {
            if ($0 ~ /^[ \t]*#/) next
            if ($0 ~ /^[ \t]*$/) { flush(); next }
            # A continuation line belongs to the field before it (an embedded key, say): nothing here reads it.
            if ($0 ~ /^[ \t]/) next
            name = tolower($0); sub(/:.*/, "", name)
            value = $0; sub(/^[^:]*:[ \t]*/, "", value); sub(/[ \t]+$/, "", value)
            if (name == "types") types = value
            else if (name == "uris") uris = value
            else if (name == "suites") suites = value
            else if (name == "components") components = value
            else if (name == "enabled") enabled = tolower(value)
            else if (name == "signed-by" && value ~ /^\//) keyring = value
            next
        }
        {
            line = $0; sub(/#.*/, "", line)
            count = split(line, word, " ")
            if (count < 3 || (word[1] != "deb" && word[1] != "deb-src")) next
            key = "-"; at = 2
            if (word[2] ~ /^\[/) {
                for (; at <= count; at++) {
                    option = word[at]; gsub(/[][]/, "", option)
                    if (option ~ /^signed-by=/) { key = option; sub(/^signed-by=/, "", key) }
                    if (word[at] ~ /\]$/) { at++; break }
                }
            }
            rest = ""
            for (i = at + 2; i <= count; i++) rest = rest (rest == "" ? "" : " ") word[i]
            emit(word[1], word[at], word[at + 1], key, rest)
        }
        END { if (deb822) flush() }
    ' "${files[@]}"
}

# archive_for SUITE [ETC]: the URI and keyring ("URI KEYRING") of the first binary entry of the system's sources
# for that suite; fails when there is none.
archive_for() {
    debian_sources "${2:-}" | awk -v suite="$1" '$1 == "deb" && $3 == suite { print $2, $4; found = 1; exit }
                                                  END { exit !found }'
}

# fetch_lists LABEL: "apt-get update" under the caller's APT_CONFIG, tried again up to PACKAGES_UPDATE_TRIES times
# (default 3) with a pause of PACKAGES_RETRY_PAUSE seconds (default 10) while a list fails to arrive. Then it goes
# on with the lists that did, and names each suite left out in one line. Never fails by itself: what is missing
# shows when a package is asked for.
fetch_lists() {
    local label=$1 tries=${PACKAGES_UPDATE_TRIES:-3} pause=${PACKAGES_RETRY_PAUSE:-10} try log
    log=$(mktemp)
    for ((try = 1; try <= tries; try++)); do
        if apt-get -q update >"$log" 2>&1 && ! grep -q '^\(E\|W\): Failed to fetch\|^Err:' "$log"; then
            sed -n "s/^Fetched \(.*\) in .*/$packages_caller:   $label package lists: \1/p" "$log" >&2
            rm -f "$log"
            return 0
        fi
        [ "$try" -lt "$tries" ] && sleep "$pause"
    done
    # The suites that apt names in its failures: "Err:N URI SUITE ..." and ".../dists/SUITE/..." in its messages.
    local left
    left=$(sed -n -e 's/^Err:[0-9]* [^ ]* \([^ /]*\).*/\1/p' \
                  -e '/^\(E\|W\|Err\):/s/.*\/dists\/\([^/ ]*\)\/.*/\1/p' "$log" | sort -u | tr '\n' ' ')
    local reason
    reason=$(grep -m1 '^\(E\|W\):' "$log" | sed 's/^[EW]: //; s/ *\[IP: [^]]*\]//')
    if [ -n "$left" ]; then
        echo "$packages_caller:   left out the $label package list of ${left% } after $tries tries (${reason:-no reason given}); going on without it" >&2
    else
        echo "$packages_caller:   the $label package lists did not all arrive after $tries tries (${reason:-no reason given}); going on with those that did" >&2
    fi
    rm -f "$log"
    return 0
}

# get_packages ARCHIVE install|fetch|download PACKAGE[=VERSION|/SUITE]...: under the caller's APT_CONFIG, "install"
# installs the packages, "fetch" downloads them and all they depend on into apt's cache, "download" downloads the
# packages alone into the current folder. A package that cannot be had as asked makes it fail: the message names the
# package, the version or suite, and ARCHIVE (where they were looked for).
get_packages() {
    local archive=$1 mode=$2 log
    shift 2
    log=$(mktemp)
    local arguments=(-q download)
    [ "$mode" = fetch ] && arguments=(-q -y -d install)
    [ "$mode" = install ] && arguments=(-q -y --no-install-recommends install)
    if apt-get "${arguments[@]}" "$@" >"$log" 2>&1; then
        rm -f "$log"
        return 0
    fi
    local missing
    missing=$(sed -n -e "s/^E: Version '\([^']*\)' for '\([^']*\)' was not found.*/\2 \1/p" \
                     -e "s/^E: Release '\([^']*\)' for '\([^']*\)' was not found.*/\2 from \1/p" \
                     -e "s/^E: Unable to locate package \(.*\)/\1/p" \
                     -e "s/^E: Package '\?\([^' ]*\)'\? has no installation candidate.*/\1/p" "$log")
    if [ -n "$missing" ]; then
        while read -r package version; do
            echo "$packages_caller: $package${version:+ $version} cannot be had from $archive: it is not in the package lists that arrived" >&2
        done <<<"$missing"
    else
        echo "$packages_caller: the packages could not be had from $archive:" >&2
        grep '^E:' "$log" | sed "s/^/$packages_caller:   /" >&2
    fi
    rm -f "$log"
    return 1
}
