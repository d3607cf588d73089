#!/usr/bin/env bash
# Prepares, once per machine, what runs the 32-bit Windows build here: many of these machines' kernels run no 32-bit
# code, so each 32-bit Wine process runs under qemu-i386 user-mode emulation, on every machine alike, while
# wineserver and every 64-bit process stay native. Prints the runtime's folder on stdout, and what it does on
# stderr. The runtime lives outside any clone, in ${XDG_CACHE_HOME:-~/.cache}/quillbarrow/win32-runtime (or
# QUILLBARROW_WIN32_RUNTIME), so that every clone on the machine shares it; it is made again when the installed
# wine64 or this layout changes:
#   root/        Debian's i386 wine32, libwine and wine32-preloader at the wine64 version, with their i386
#                dependencies, unpacked (never installed: the system's `wine` stays as it is)
#   qemu-i386    the emulator, from Debian's bookworm-backports (bookworm's own cannot run at guest base 0)
#   lib/wine/    a private Wine folder: wine64 (a copy, so Wine finds its siblings here), wineserver, and the
#                `wine` that Wine execs for a 32-bit process, which hands it to qemu-i386
#   lib/qemu/    Wine's i386 preloader, patched for qemu, and what an emulated process execs from the preloader's
#                folder: the same `wine`, `wine64` and `wineserver` as lib/wine
# The packages come from the Debian archive that the system's apt sources name (QUILLBARROW_DEBIAN_MIRROR, if set,
# stands in for it); a package list that does not arrive is left out, and only a pinned package that cannot be had
# stops the script.
set -euo pipefail -o errtrace
cd "$(dirname "$0")/.."
packages_caller=win32-runtime
. scripts/debian-packages.sh

runtime=${QUILLBARROW_WIN32_RUNTIME:-${XDG_CACHE_HOME:-$HOME/.cache}/quillbarrow/win32-runtime}
root="$runtime/root"
wine_version=$(dpkg-query -W -f='${Version}' wine64 2>/dev/null) || {
    echo "win32-runtime: wine64 is not installed (scripts/install-deps.sh installs it)" >&2
    exit 1
}
# The paths of the runtime are written into it: another folder, another layout or another wine64 prepares again.
stamp="wine64=$wine_version path=$runtime layout=4"
ready() { [ "$(cat "$runtime/.ready" 2>/dev/null)" = "$stamp" ]; }
ready && { echo "$runtime"; exit 0; }

# One run prepares at a time; another one waits and then finds it ready. A run that was killed wrote no stamp, so
# what it left is never used: the next run makes it all again.
mkdir -p "$(dirname "$runtime")"
exec 9>"$runtime.lock"
flock 9
ready && { echo "$runtime"; exit 0; }
exec 3>&1 1>&2

step_name=""
step() {
    step_name=$1
    echo "win32-runtime: $step_name"
}
trap 'echo "win32-runtime: step \"$step_name\" failed; $runtime is left unfinished and is made again next time" >&2' ERR

codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
read -r system_archive keyring < <(archive_for "$codename") || {
    echo "win32-runtime: the system's apt sources name no Debian archive for $codename (set QUILLBARROW_DEBIAN_MIRROR)" >&2
    exit 1
}
archive=${QUILLBARROW_DEBIAN_MIRROR:-$system_archive}
[ "$keyring" = - ] && keyring=/usr/share/keyrings/debian-archive-keyring.gpg
started=$SECONDS
echo "win32-runtime: preparing the 32-bit Windows runtime for wine64 $wine_version in $runtime" \
     "(once per machine: about 225 MB to download, 0.75 GB on disk, about a minute)"
rm -f "$runtime/.ready"
rm -rf "$root" "$runtime/lib" "$runtime/share" "$runtime/qemu-i386" "$runtime/unpack" "$runtime"/apt-*
mkdir -p "$runtime"

# A private apt: its own lists, cache, state (nothing installed) and sources; nothing of the system's changes.
# private_apt NAME ARCHITECTURE SOURCES-LINES
private_apt() {
    local dir="$runtime/apt-$1"
    mkdir -p "$dir/etc/apt.conf.d" "$dir/etc/preferences.d" "$dir/etc/sources.list.d" "$dir/state/lists/partial" \
             "$dir/cache/archives/partial"
    : >"$dir/status"
    printf '%s\n' "$3" >"$dir/etc/sources.list"
    cat >"$dir/apt.conf" <<CONF
APT::Architecture "$2";
APT::Architectures { "$2"; };
APT::Install-Recommends "false";
APT::Sandbox::User "root";
Dir::State "$dir/state";
Dir::State::status "$dir/status";
Dir::Cache "$dir/cache";
Dir::Etc "$dir/etc";
Debug::NoLocking "true";
CONF
    echo "$dir/apt.conf"
}

step "fetching Debian's i386 Wine $wine_version and its i386 dependencies"
# The suites the system reads for its own packages, as far as they are of this archive or its security archive.
suites="deb [signed-by=$keyring] $archive $codename main"
while read -r type uri suite key _; do
    case "$type $suite" in "deb $codename-updates" | "deb $codename-security") ;; *) continue ;; esac
    [ "$uri" = "$system_archive" ] && uri=$archive
    [ "$key" = - ] && key=/usr/share/keyrings/debian-archive-keyring.gpg
    suites+=$'\n'"deb [signed-by=$key] $uri $suite main"
done < <(debian_sources)
export APT_CONFIG=$(private_apt i386 i386 "$suites")
fetch_lists i386
# Of libwine's recommended libraries, the X extensions that Wine's display driver loads when present: the
# 64-bit side has them, so both bitnesses draw, place and read the windows alike.
get_packages "$archive" fetch "wine32=$wine_version" "libwine=$wine_version" "wine32-preloader=$wine_version" \
    libxrender1 libxrandr2 libxi6 libxcursor1 libxfixes3 libxinerama1 libxcomposite1 libxxf86vm1

step "unpacking the i386 packages into $root"
debs=("$runtime"/apt-i386/cache/archives/*.deb)
for deb in "${debs[@]}"; do dpkg -x "$deb" "$root"; done
du -cb "${debs[@]}" | tail -n1 | awk '{printf "win32-runtime:   %d packages, %.0f MB downloaded\n", '${#debs[@]}', $1 / 1e6}'
rm -f "${debs[@]}"
# The emulated processes see root/ in place of /: fonts and their configuration come from the host, as they do
# for the 64-bit processes, so both kinds draw the same letters (the Chinese font is the host's).
rm -rf "$root/etc/fonts" "$root/usr/share/fonts"

step "writing the i386 library search paths (ldconfig -r)"
printf '%s\n' /lib/i386-linux-gnu /usr/lib/i386-linux-gnu >"$root/etc/ld.so.conf"
ldconfig -r "$root"

step "marking zlib1.dll as a Wine builtin (what libwine's install script does)"
# The bytes "Wine builtin DLL" at offset 64 make Wine take the file as its own; without them the new prefix's
# syswow64 stays empty ("Library zlib1.dll (which is needed by user32.dll) not found").
for mingw_arch in i686 x86_64; do
    wine_arch=$mingw_arch
    [ "$mingw_arch" = i686 ] && wine_arch=i386
    in="$root/usr/$mingw_arch-w64-mingw32/lib/zlib1.dll"
    out="$root/usr/lib/i386-linux-gnu/wine/$wine_arch-windows/zlib1.dll"
    [ -d "$(dirname "$out")" ] || continue
    { head -c 64 "$in"; printf 'Wine builtin DLL'; head -c 16 /dev/zero; tail -c +97 "$in"; } >"$out"
done
[ -f "$root/usr/lib/i386-linux-gnu/wine/i386-windows/zlib1.dll" ]

step "fetching qemu-i386 from bookworm-backports"
# qemu-user 10 is linked statically: the one file is all that is kept.
export APT_CONFIG=$(private_apt backports amd64 "deb [signed-by=$keyring] $archive $codename-backports main")
fetch_lists backports
mkdir -p "$runtime/unpack"
(cd "$runtime/unpack" && get_packages "$archive" download "qemu-user/$codename-backports")
dpkg -x "$runtime"/unpack/qemu-user_*.deb "$runtime/unpack/qemu"
du -cb "$runtime"/unpack/qemu-user_*.deb | tail -n1 | awk '{printf "win32-runtime:   qemu-user, %.0f MB downloaded\n", $1 / 1e6}'
mv "$runtime/unpack/qemu/usr/bin/qemu-i386" "$runtime/qemu-i386"
rm -rf "$runtime/unpack"
unset APT_CONFIG
"$runtime/qemu-i386" --version | sed -n "1s/^/win32-runtime:   /p"

step "making the private Wine folder $runtime/lib/wine"
# Wine finds its libraries, its data and the loader of the other bitness relative to the folder of the running
# loader; a copy of wine64 here makes that folder this one.
mkdir -p "$runtime/lib/wine" "$runtime/share"
cp /usr/lib/wine/wine64 "$runtime/lib/wine/wine64"
ln -s /usr/lib/wine/wineserver64 "$runtime/lib/wine/wineserver"
ln -s /usr/lib/x86_64-linux-gnu "$runtime/lib/x86_64-linux-gnu"
ln -s "$root/usr/lib/i386-linux-gnu" "$runtime/lib/i386-linux-gnu"
ln -s /usr/share/wine "$runtime/share/wine"
# An emulated process finds its siblings in the folder of its running loader, the preloader's: lib/qemu, at the
# depth of lib/wine, so Wine's relative paths hold there too.
mkdir -p "$runtime/lib/qemu"
for name in wine wine64 wineserver; do ln -s "../wine/$name" "$runtime/lib/qemu/$name"; done
# Inside the emulator a path resolves in root/ first: there the script's paths name the i386 loader.
for folder in wine qemu; do
    mkdir -p "$root$runtime/lib/$folder"
    cp "$root/usr/lib/wine/wine" "$root$runtime/lib/$folder/wine"
done

step "patching Wine's i386 preloader"
# qemu ignores a mapping flag Wine relies on unless the preloader reserves the address space (without it each
# 32-bit start makes some 65,000 mmap calls). The preloader's program header that loads its ELF headers at
# 0x08048000 would make qemu reserve 0x08048000-0x7d400000, where ntdll.dll must go: it becomes PT_NULL.
# It is not called wine-preloader: Wine execs a "wine-preloader" that it finds beside its loader directly, which a
# kernel that runs 32-bit code would start natively, bypassing the emulator and the script below.
preloader="$runtime/lib/qemu/preloader"
cp "$root/usr/lib/wine/wine-preloader" "$preloader"
read_u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }
read_u16() { od -An -tu2 -j "$2" -N2 "$1" | tr -d ' '; }
[ "$(od -An -c -j1 -N3 "$preloader" | tr -d ' ')" = ELF ] && [ "$(od -An -tu1 -j4 -N1 "$preloader" | tr -d ' ')" = 1 ]
phoff=$(read_u32 "$preloader" 28)
phentsize=$(read_u16 "$preloader" 42)
phnum=$(read_u16 "$preloader" 44)
patched=0
for ((i = 0; i < phnum; i++)); do
    header=$((phoff + i * phentsize))
    if [ "$(read_u32 "$preloader" "$header")" = 1 ] && [ "$(read_u32 "$preloader" $((header + 8)))" = $((0x08048000)) ]; then
        printf '\0\0\0\0' | dd of="$preloader" bs=1 seek="$header" conv=notrunc status=none
        patched=$((patched + 1))
    fi
done
[ "$patched" = 1 ]

step "writing the wine loader script that runs 32-bit processes under qemu-i386"
# Wine starts it with the Windows program's environment turned back into a Unix one: absolute paths only.
cat >"$runtime/lib/wine/wine" <<SCRIPT
#!/bin/sh
# A 32-bit Wine process: Wine's i386 loader under qemu-i386, through Wine's preloader, with root/ as its /.
WINELOADERNOEXEC=1
export WINELOADERNOEXEC
exec "$runtime/qemu-i386" -B 0 -R 0 -L "$root" "$preloader" "\$0" "\$@"
SCRIPT
chmod +x "$runtime/lib/wine/wine"

step "building the trap-number library preloaded into the emulated processes"
# Freestanding against root/'s libc.so.6: no 32-bit development package is needed.
libc=$(find "$root/lib/i386-linux-gnu" "$root/usr/lib/i386-linux-gnu" -maxdepth 1 -name libc.so.6 | head -n1)
[ -n "$libc" ]
gcc -m32 -ffreestanding -fno-stack-protector -fPIC -O2 -Wall -c scripts/qemu-i386-trapno.c -o "$runtime/lib/trapno.o"
ld -m elf_i386 -shared -o "$runtime/lib/qemu-i386-trapno.so" "$runtime/lib/trapno.o" "$libc"
rm "$runtime/lib/trapno.o"
echo "$runtime/lib/qemu-i386-trapno.so" >"$root/etc/ld.so.preload"

step "checking that Wine's i386 loader starts under the emulator"
# Without WINELOADERNOEXEC the loader answers --version itself, before it needs a prefix or a wineserver.
"$runtime/qemu-i386" -B 0 -R 0 -L "$root" "$preloader" "$runtime/lib/wine/wine" --version | sed 's/^/win32-runtime:   /'

# The package lists and indexes are needed again only for another wine64.
rm -rf "$runtime/apt-i386" "$runtime/apt-backports"
echo "$stamp" >"$runtime/.ready"
echo "win32-runtime: ready in $((SECONDS - started)) s, $(du -sh "$runtime" | cut -f1) in $runtime"
echo "$runtime" >&3
