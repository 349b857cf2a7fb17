#!/usr/bin/env bash
# The Windows installer as a user meets it, under Wine in a fresh prefix of
# its own: a silent install into Program Files, its files, the Start-menu
# link, the Add/Remove Programs entry, the installed console program's
# version; then the uninstaller as Add/Remove Programs starts it, and that it
# leaves nothing behind. The portable zip holds the installed files.
#   installer_test.sh SETUP_EXE ZIP PROJECT_VERSION WORK_DIR WITH_WINDOW(0|1)
set -uo pipefail
setup=$1 zip=$2 version=$3 work=$4 with_window=$5
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

rm -rf "$work" && mkdir -p "$work/home" || exit 1
# Wine quiet, without the Mono and Gecko prompts, and making no menu entries
# on this machine for the link (its home is the test's own).
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all DISPLAY= HOME=$work/home \
    WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME
cleanup() {
    wineserver -k 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
wineboot -i >/dev/null 2>&1
wineserver -w

app="KTR-84 Upgrader"
key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ktr84-upgrader"
dir="$WINEPREFIX/drive_c/Program Files/$app"
windir="C:\\Program Files\\$app"
link="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$app.lnk"
programs=(ktr84-upgrade.exe)
[ "$with_window" = 1 ] && programs+=(ktr84-upgrader.exe)
shipped=$(printf '%s\n' "${programs[@]}" help.html README.md | sort)

wine "$setup" /S || fail "the installer exited with $?"
installed=$(cd "$dir" 2>/dev/null && find . -type f -printf '%P\n' | sort)
[ "$installed" = "$(printf '%s\nuninstall.exe\n' "$shipped" | sort)" ] ||
    fail "installed files are [$(echo $installed)], not the programs, help.html, README.md and uninstall.exe"

# The zip: the same files in a folder named with the version.
mkdir -p "$work/zip" && (cd "$work/zip" && cmake -E tar xf "$zip") || fail "cannot unpack $zip"
top="$work/zip/ktr84-upgrader-$version"
[ "$(cd "$top" 2>/dev/null && find . -type f -printf '%P\n' | sort)" = "$shipped" ] ||
    fail "the zip's ktr84-upgrader-$version/ does not hold just the programs, help.html and README.md"
for file in $shipped; do
    cmp -s "$dir/$file" "$top/$file" || fail "$file differs between the installer and the zip"
done

# The link's target and arguments are in it as text (ANSI and UTF-16).
link_text=$( (strings -a "$link"; strings -a -el "$link") 2>/dev/null)
if [ "$with_window" = 1 ]; then
    grep -qiF "$windir\\ktr84-upgrader.exe" <<<"$link_text" || fail "no link to the window program"
else
    # A command prompt in the install folder, where the program's bare name runs.
    grep -qi 'system32\\cmd.exe' <<<"$link_text" && grep -qF 'ktr84-upgrade.exe --help' <<<"$link_text" &&
        grep -qF "$windir" <<<"$link_text" ||
        fail "no link to a command prompt in $windir showing ktr84-upgrade.exe --help"
fi

printed=$(wine "$dir/ktr84-upgrade.exe" --version | tr -d '\r')
[[ "$printed" == "ktr84-upgrade $version"* ]] || fail "installed --version printed '$printed', not $version"

entry=$(wine reg query "$key" | tr -d '\r')
value() { awk -v name="$1" '$1 == name { sub(/^ *[^ ]+ +[^ ]+ +/, ""); print }' <<<"$entry"; }
for expected in "DisplayName=$app" "DisplayVersion=$version" "InstallLocation=$windir" \
    "UninstallString=\"$windir\\uninstall.exe\"" "DisplayIcon=$windir\\${programs[-1]}" \
    NoModify=0x1 NoRepair=0x1; do
    name=${expected%%=*}
    [ "$(value "$name")" = "${expected#*=}" ] || fail "$name is '$(value "$name")', not '${expected#*=}'"
done
[ -n "$(value Publisher)" ] || fail "no Publisher"
# In KiB, the folder's size to within a KiB a file.
bytes=$(cd "$dir" && cat -- * | wc -c)
kib=$(($(value EstimatedSize)))
slack=$(wc -l <<<"$installed")
[ $((bytes / 1024 - kib)) -le "$slack" ] && [ $((kib - bytes / 1024)) -le "$slack" ] ||
    fail "EstimatedSize is $kib KiB, the folder holds $bytes bytes"

# As Add/Remove Programs runs it: it copies itself away and returns at once,
# the copy removes the files; the prefix's server ends when it has.
uninstall=$(value UninstallString)
wine "${uninstall//\"/}" /S || fail "the uninstaller exited with $?"
wineserver -w
[ -e "$dir" ] && fail "left behind: $(cd "$dir" && find . -mindepth 1 -printf '%P ')"
[ -e "$link" ] && fail "the Start-menu link is left behind"
wine reg query "$key" >/dev/null 2>&1 && fail "the Add/Remove Programs entry is left behind"

[ "$failures" -eq 0 ] && echo "ok: installed, checked and uninstalled $(basename "$setup")" && exit 0
echo "$failures failure(s)" >&2
exit 1
