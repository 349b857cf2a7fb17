#!/bin/sh
# Writes the package's changelog.gz as Debian keeps a native package's
# changelog: one entry for the version, its changes the subjects of the
# source's git history, newest first, signed by the maintainer and dated by the
# newest commit. Without git or without a history (an exported tree) the entry
# says so and is dated SOURCE_DATE_EPOCH, or now. The file is left alone when
# its content would not change.
#   debian-changelog.sh OUTPUT SOURCE_DIR PACKAGE VERSION MAINTAINER [GIT]
set -eu
out=$1 src=$2 package=$3 version=$4 maintainer=$5 git=${6:-}

# The history is the source tree's own, not that of a checkout it was unpacked in.
newest=
if [ -n "$git" ] &&
    [ "$("$git" -C "$src" rev-parse --show-toplevel 2>/dev/null)" = "$(cd "$src" && pwd -P)" ]; then
    newest=$("$git" -C "$src" log -1 --format=%ct 2>/dev/null) || newest=
fi

changes() {
    if [ -n "$newest" ]; then
        "$git" -C "$src" log --format=%s
    else
        echo "Version $version, built from a source tree without its git history."
    fi
}

# Each subject one item, wrapped to 78 columns with its continuation indented.
items() {
    changes | while IFS= read -r subject; do
        [ -n "$subject" ] || continue
        printf '%s\n' "$subject" | fold -s -w 74 | sed -e 's/ *$//' -e '1s/^/  * /' -e '2,$s/^/    /'
    done
}

epoch=${newest:-${SOURCE_DATE_EPOCH:-$(date +%s)}}
tmp=$out.new
{
    printf '%s (%s) unstable; urgency=medium\n\n' "$package" "$version"
    items
    printf '\n -- %s  %s\n' "$maintainer" "$(LC_ALL=C date -u -R -d "@$epoch")"
} | gzip -9n >"$tmp"
if cmp -s "$tmp" "$out"; then
    rm -f "$tmp"
else
    mv "$tmp" "$out"
fi
