#!/usr/bin/env bash
# Builds the Debian package and checks it: lintian, the desktop entry, and the program unpacked
# into a scratch root (version, usage, help pages, a desktop start that quits on SIGTERM).
# Usage: packaging/check-package.sh [build folder, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/build-deps.sh
build="${1:-build}"

fail() {
    echo "check-package: $*" >&2
    exit 1
}

ensure_packaging_packages
if [ "$build" = build ]; then cmake --preset default >/dev/null; fi
cmake --build "$build" -j2 --target package

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
deb="$build/kestrel_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no package $deb"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "no shared-library dependencies"

echo "lintian $deb"
lintian --fail-on error,warning "$deb"

scratch="$(mktemp -d)"
pid=""
# A program left running by a failed check is stopped before its folders go.
trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; rm -rf "$scratch"' EXIT
root="$scratch/root"
dpkg -x "$deb" "$root"
for file in usr/share/doc/kestrel/copyright usr/share/doc/kestrel/changelog.gz \
    usr/lib/udev/rules.d/70-corvousb.rules usr/share/man/man1/kestrel.1.gz \
    usr/share/icons/hicolor/scalable/apps/kestrel.svg usr/share/icons/hicolor/48x48/apps/kestrel.png \
    usr/share/kestrel/Help/KestrelHelp/index.html usr/share/kestrel/Help/CorvoUsbHelp/index.html; do
    [ -f "$root/$file" ] || fail "the package has no /$file"
done
zcat "$root/usr/share/doc/kestrel/changelog.gz" | head -n1 | grep -qF "kestrel ($version)" ||
    fail "the changelog's last entry is not $version"
zcat "$root/usr/share/man/man1/kestrel.1.gz" | grep -q '^\.TH .*"Kestrel '"$version"'"' ||
    fail "the manual page is not of version $version"
zcat "$root/usr/share/man/man1/kestrel.1.gz" | grep -q 'XDG_STATE_HOME' ||
    fail "the manual page does not name the per-user folder"

desktop="$root/usr/share/applications/kestrel.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate refuses $desktop"

# The installed program, found on the PATH as the desktop starts it.
export PATH="$root/usr/bin:$PATH" QT_QPA_PLATFORM=offscreen
[ "$(command -v kestrel)" = "$root/usr/bin/kestrel" ] || fail "kestrel is not in /usr/bin"
[ "$(kestrel --version | head -n1)" = "Kestrel $version" ] || fail "--version does not say $version"
kestrel --help | grep -q '^Usage: kestrel' || fail "--help prints no usage"
[ "$(kestrel --help-pages)" = "$root/usr/share/kestrel/Help" ] ||
    fail "the help pages are not found at /usr/share/kestrel/Help"

# A desktop start: the Exec line, from a start folder, with a fresh home and no XDG variables.
read -r -a exec_line < <(sed -n 's/^Exec=//p' "$desktop")
mkdir -p "$scratch/home" "$scratch/start"
folder="$scratch/home/.local/state/kestrel"
(cd "$scratch/start" && exec env -u XDG_STATE_HOME -u XDG_CONFIG_HOME HOME="$scratch/home" \
    "${exec_line[@]}" >"$scratch/out.log" 2>&1) &
pid=$!
# The debug log is opened just before the event loop starts.
for _ in $(seq 100); do
    [ -f "$folder/USB_LogFile.txt" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
[ -f "$folder/USB_LogFile.txt" ] || { cat "$scratch/out.log" >&2; fail "no desktop start in $folder"; }
kill -TERM "$pid"
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$pid" 2>/dev/null && fail "kestrel does not quit on SIGTERM"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || { cat "$scratch/out.log" >&2; fail "kestrel ended with $status on SIGTERM"; }
[ -f "$folder/kestrel.cfg" ] || fail "no kestrel.cfg in the per-user folder $folder"
[ "$(stat -c %a "$folder")" = 700 ] || fail "the per-user folder is not private (mode 0700)"
[ -z "$(ls -A "$scratch/start")" ] || fail "a desktop start wrote into its start folder"
echo "check-package: $deb passes"
