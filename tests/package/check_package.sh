#!/usr/bin/env bash
# Checks of the Debian package as a user receives it. The first argument names
# the check; "build" makes the package and unpacks it for the others.
#   check_package.sh build    BUILD_DIR WORK_DIR
#   check_package.sh contents WORK_DIR WITH_CLI(0|1)
#   check_package.sh control  WORK_DIR
#   check_package.sh desktop  WORK_DIR
#   check_package.sh metainfo WORK_DIR
#   check_package.sh manpages WORK_DIR WITH_CLI(0|1)
#   check_package.sh runs     WORK_DIR BUILT_UPGRADER PROJECT_VERSION
#   check_package.sh changelog WORK_DIR PROJECT_VERSION SOURCE_DIR CHANGELOG_SCRIPT
#   check_package.sh lintian  WORK_DIR
set -uo pipefail
check=$1
shift
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
finish() {
    [ "$failures" -eq 0 ] && echo "ok: $check" && exit 0
    echo "$failures failure(s) in $check" >&2
    exit 1
}
the_deb() {
    local debs=("$1"/deb/ktr84-upgrader_*.deb)
    [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "no single package in $1/deb" >&2; exit 1; }
    echo "${debs[0]}"
}

build() {
    local build_dir=$1 work=$2
    rm -rf "$work" && mkdir -p "$work/deb" || exit 1
    cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work/deb" >"$work/cpack.log" 2>&1 ||
        { cat "$work/cpack.log" >&2; exit 1; }
    local deb
    deb=$(the_deb "$work") || exit 1
    dpkg-deb -c "$deb" >"$work/contents.txt" || exit 1
    dpkg-deb -I "$deb" >"$work/control.txt" || exit 1
    dpkg -x "$deb" "$work/root" || exit 1
    echo "built $deb"
}

contents() {
    local work=$1 with_cli=$2
    local listed
    listed=$(awk '{print $NF}' "$work/contents.txt")
    local expected=(
        ./usr/bin/ktr84-upgrader
        ./usr/bin/ktr84-modsim
        ./usr/share/ktr84-upgrader/help.html
        ./usr/share/applications/ktr84-upgrader.desktop
        ./usr/share/metainfo/org.ktr84.upgrader.metainfo.xml
        ./usr/share/icons/hicolor/scalable/apps/ktr84-upgrader.svg
        ./usr/share/icons/hicolor/48x48/apps/ktr84-upgrader.png
        ./usr/share/icons/hicolor/128x128/apps/ktr84-upgrader.png
        ./usr/share/icons/hicolor/256x256/apps/ktr84-upgrader.png
        ./usr/share/man/man1/ktr84-upgrader.1.gz
        ./usr/share/man/man1/ktr84-modsim.1.gz
        ./usr/lib/udev/rules.d/60-ktr84-serial-latency.rules
        ./usr/share/doc/ktr84-upgrader/examples/61-ktr84-mm-ignore.rules
        ./usr/share/doc/ktr84-upgrader/copyright
        ./usr/share/doc/ktr84-upgrader/changelog.gz
        ./usr/share/lintian/overrides/ktr84-upgrader
    )
    [ "$with_cli" = 1 ] && expected+=(./usr/bin/ktr84-upgrade ./usr/share/man/man1/ktr84-upgrade.1.gz)
    for path in "${expected[@]}"; do
        grep -qxF -- "$path" <<<"$listed" || fail "$path is not in the package"
    done
    # The ModemManager rule is an example only, never an active rule.
    grep -q 'rules.d/61-ktr84-mm-ignore' <<<"$listed" && fail "the ModemManager rule is active"
    grep -q '^\./usr/local' <<<"$listed" && fail "files under /usr/local"
    grep -q 'latency_timer}="1"' "$work/root/usr/lib/udev/rules.d/60-ktr84-serial-latency.rules" ||
        fail "the latency rule does not set latency_timer to 1"
    for size in 48 128 256; do
        local png=$work/root/usr/share/icons/hicolor/${size}x${size}/apps/ktr84-upgrader.png
        local header
        header=$(od -An -tx1 -N24 "$png" | tr -d ' \n')
        [ "${header:0:16}" = 89504e470d0a1a0a ] || fail "$png is no PNG"
        [ $((16#${header:32:8})) -eq "$size" ] && [ $((16#${header:40:8})) -eq "$size" ] ||
            fail "$png is not ${size}x${size}"
    done
}

control() {
    local work=$1
    local depends
    depends=$(grep '^ Depends:' "$work/control.txt")
    [ -n "$depends" ] || fail "no Depends line"
    for lib in libc6 libstdc++6 libqt6widgets6 libqt6gui6 libqt6core6; do
        grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
    done
    grep -q '^ Section: electronics$' "$work/control.txt" || fail "no Section"
    grep -q '^ Maintainer: .\+<.\+@.\+>' "$work/control.txt" || fail "no Maintainer"
    grep -q '^ Package: ktr84-upgrader$' "$work/control.txt" || fail "wrong Package name"
    grep -q '^ Description: Installs new firmware' "$work/control.txt" || fail "no Description"
}

desktop() {
    local root=$1/root
    local file=$root/usr/share/applications/ktr84-upgrader.desktop
    local out
    out=$(desktop-file-validate "$file" 2>&1) || fail "desktop-file-validate: $out"
    [ -z "$out" ] || fail "desktop-file-validate: $out"
    local exec icon
    exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$file")
    icon=$(sed -n 's/^Icon=//p' "$file")
    [ -x "$root/usr/bin/$exec" ] || fail "Exec=$exec is not a program of the package"
    [ -f "$root/usr/share/icons/hicolor/48x48/apps/$icon.png" ] || fail "Icon=$icon is not installed"
}

metainfo() {
    local root=$1/root
    local file=$root/usr/share/metainfo/org.ktr84.upgrader.metainfo.xml
    local out
    out=$(appstreamcli validate --no-net "$file" 2>&1) || fail "appstreamcli: $out"
    grep -q '<id>org.ktr84.upgrader</id>' "$file" || fail "the component id is not the file's name"
    local launchable
    launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$file")
    [ -f "$root/usr/share/applications/$launchable" ] ||
        fail "the launchable '$launchable' is not the package's desktop entry"
}

manpages() {
    local root=$1/root with_cli=$2
    local pages=(ktr84-upgrader ktr84-modsim)
    [ "$with_cli" = 1 ] && pages+=(ktr84-upgrade)
    for page in "${pages[@]}"; do
        local file
        file=$(ls "$root/usr/share/man/man1/$page.1"* 2>/dev/null | head -1)
        [ -n "$file" ] || { fail "no manual page for $page"; continue; }
        local warnings
        warnings=$( (zcat -f "$file" | groff -man -Tutf8 -ww -z) 2>&1)
        [ -z "$warnings" ] || fail "groff warns on $page: $warnings"
        local text
        text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$file" 2>&1)
        grep -q "^NAME" <<<"$text" && grep -q "$page" <<<"$text" || fail "$page does not render"
    done
}

runs() {
    local root=$1/root built=$2 version=$3
    local printed built_printed
    printed=$(env -u LD_LIBRARY_PATH -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY \
        "$root/usr/bin/ktr84-upgrader" --version) || fail "--version failed"
    built_printed=$("$built" --version)
    [ "$printed" = "$built_printed" ] || fail "installed '$printed', built '$built_printed'"
    [[ "$printed" == "ktr84-upgrader $version"* ]] || fail "version '$printed' is not $version"
    env -u LD_LIBRARY_PATH "$root/usr/bin/ktr84-modsim" --help | grep -q '^Usage: ktr84-modsim' ||
        fail "ktr84-modsim --help"
    # The help page is where the program looks for it, beside its share folder.
    [ -f "$root/usr/bin/../share/ktr84-upgrader/help.html" ] || fail "help.html not found"
}

# The changelog names the version and the maintainer the control file does,
# its newest item is the newest commit's; a tree without history still gets
# an entry Debian's tools read.
changelog() {
    local work=$1 version=$2 src=$3 script=$4
    local text=$work/changelog
    zcat "$work/root/usr/share/doc/ktr84-upgrader/changelog.gz" >"$text" || fail "no changelog"
    [ "$(dpkg-parsechangelog -l "$text" -S Version)" = "$version" ] || fail "version is not $version"
    local maintainer
    maintainer=$(sed -n 's/^ Maintainer: //p' "$work/control.txt")
    [ "$(dpkg-parsechangelog -l "$text" -S Maintainer)" = "$maintainer" ] ||
        fail "the changelog is not signed by the Maintainer, $maintainer"
    if git -C "$src" rev-parse --git-dir >/dev/null 2>&1; then
        local subject
        subject=$(git -C "$src" log -1 --format=%s | cut -c1-40)
        [ "$(sed -n 3p "$text" | cut -c5-44)" = "$subject" ] ||
            fail "the newest item is not the newest commit's '$subject'"
    fi
    local bare=$work/no-history
    rm -rf "$bare" && mkdir -p "$bare/tree" || exit 1
    sh "$script" "$bare/changelog.gz" "$bare/tree" ktr84-upgrader "$version" "A B <a@example.org>" \
        "$(command -v git)" || fail "no changelog without history"
    zcat "$bare/changelog.gz" >"$bare/changelog"
    [ "$(dpkg-parsechangelog -l "$bare/changelog" -S Version)" = "$version" ] &&
        dpkg-parsechangelog -l "$bare/changelog" -S Changes | grep -q 'without its git history' ||
        fail "the changelog without history: $(cat "$bare/changelog")"
}

# Debian's package checker: no error and no warning, and every note it would
# give is overridden in the package, with the reason on the line above.
lintian_check() {
    local work=$1
    local deb out status
    deb=$(the_deb "$work") || exit 1
    # Overridden tags show as "O:"; a note not overridden shows as "I:".
    out=$(lintian -I --show-overrides --fail-on error,warning "$deb" 2>&1)
    status=$?
    grep -v 'running with root privileges' <<<"$out"
    [ "$status" -eq 0 ] || fail "lintian exits with $status"
    # The spelling note comes from how an optimising compiler stores a status
    # text in its instructions; an unoptimised build (Debug, sanitizers) has
    # none to override.
    grep -v 'unused-override spelling-error-in-binary' <<<"$out" | grep -q '^[EWI]: ' &&
        fail "lintian has errors, warnings or notes not overridden"
    awk '!/^#/ && NF && prev !~ /^# ./ { print FILENAME ":" FNR ": no reason above: " $0; bad = 1 }
         { prev = $0 } END { exit bad }' "$work/root/usr/share/lintian/overrides/ktr84-upgrader" ||
        fail "an override without its reason"
}

case "$check" in
build) build "$@" ;;
contents | control | desktop | metainfo | manpages | runs | changelog) "$check" "$@" ;;
lintian) lintian_check "$@" ;;
*) echo "unknown check $check" >&2; exit 2 ;;
esac
finish
