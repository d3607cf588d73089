#!/usr/bin/env bash
# Makes a release in dist/ from this tree: the MinSizeRel 32-bit and 64-bit programs, each zipped with the guide
# as Quillbarrow-<version>-win32.zip and -win64.zip, the zips' contents beside them (Quillbarrow-<version>-win32/
# and -win64/, as Windows would unpack them), and SHA256SUMS over the zips and the two programs.
# The same commit gives the same bytes in any folder at any time; tests/release/reproducible_release.sh checks it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

# Nothing of the caller's locale, time zone or file mode creation mask reaches the output.
export LC_ALL=C TZ=UTC
umask 022

# The one date every archive entry carries: the commit's, or the caller's SOURCE_DATE_EPOCH. A copy of the
# tree without its own git data gets 1980-01-01, the earliest date a zip can hold.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=315532800
    if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]; then
        SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
        [ -z "$(git status --porcelain -- . ':!dist')" ] ||
            echo "release.sh: the tree has uncommitted changes; this release is not that of commit $(git rev-parse --short HEAD)" >&2
    fi
fi
export SOURCE_DATE_EPOCH

guide="docs/使用说明.txt"
version=""
for arch in win32 win64; do
    build="build/release-$arch"
    # A fresh folder: nothing left from an earlier configuration or a build with tests.
    rm -rf "$build"
    cmake --preset "$arch" -B "$build" -DBUILD_TESTING=OFF -DQUILLBARROW_LIBRARY_IMAGE= >/dev/null
    cmake --build "$build" --target Quillbarrow
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
done
[ -n "$version" ] || { echo "release.sh: no project version in the build's cache" >&2; exit 1; }

rm -rf dist
mkdir dist
for arch in win32 win64; do
    name="Quillbarrow-$version-$arch"
    mkdir "dist/$name"
    cp "build/release-$arch/Quillbarrow.exe" "dist/$name/Quillbarrow.exe"
    cp "$guide" "dist/$name/使用说明.txt"
    /usr/bin/python3 - "$SOURCE_DATE_EPOCH" "dist/$name.zip" \
        Quillbarrow.exe "dist/$name/Quillbarrow.exe" 使用说明.txt "dist/$name/使用说明.txt" <<'PYTHON'
# Writes a zip of the given (name, file) pairs in that order, with nothing taken from the machine: one fixed
# date, no attributes, no extra fields but the Unicode name. A name beyond ASCII is stored in code page 936,
# which the unpacker built into Chinese Windows reads, with its UTF-8 form in an Info-ZIP Unicode
# Path field for 7-Zip, WinRAR and unzip; the UTF-8 flag alone is lost on older Windows.
import struct
import sys
import time
import zlib

epoch, out, *pairs = sys.argv[1:]
stamp = time.gmtime(min(max(int(epoch), 315532800), 4354819199))
dos_time = (stamp.tm_hour << 11) | (stamp.tm_min << 5) | (stamp.tm_sec // 2)
dos_date = ((stamp.tm_year - 1980) << 9) | (stamp.tm_mon << 5) | stamp.tm_mday

archive = bytearray()
directory = bytearray()
names = [(pairs[i], pairs[i + 1]) for i in range(0, len(pairs), 2)]
for name, path in names:
    data = open(path, "rb").read()
    packer = zlib.compressobj(9, zlib.DEFLATED, -15, 9)
    packed = packer.compress(data) + packer.flush()
    crc = zlib.crc32(data)
    try:
        stored_name, extra = name.encode("ascii"), b""
    except UnicodeEncodeError:
        stored_name = name.encode("cp936")
        unicode_path = b"\x01" + struct.pack("<I", zlib.crc32(stored_name)) + name.encode("utf-8")
        extra = struct.pack("<HH", 0x7075, len(unicode_path)) + unicode_path
    common = struct.pack("<HHHHHIIIHH", 20, 0, 8, dos_time, dos_date, crc, len(packed), len(data),
                         len(stored_name), len(extra))
    directory += struct.pack("<IH", 0x02014B50, 20) + common + struct.pack("<HHHII", 0, 0, 0, 0, len(archive))
    directory += stored_name + extra
    archive += struct.pack("<I", 0x04034B50) + common + stored_name + extra + packed
end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(names), len(names), len(directory), len(archive), 0)
with open(out, "wb") as zip_file:
    zip_file.write(archive + directory + end)
PYTHON
done

(
    cd dist
    sha256sum "Quillbarrow-$version-win32.zip" "Quillbarrow-$version-win64.zip" \
        "Quillbarrow-$version-win32/Quillbarrow.exe" "Quillbarrow-$version-win64/Quillbarrow.exe" >SHA256SUMS
    echo "== dist/ (version $version, dated $(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S') UTC)"
    ls -l --time-style=+ "Quillbarrow-$version-win32.zip" "Quillbarrow-$version-win64.zip" \
        "Quillbarrow-$version-win32/Quillbarrow.exe" "Quillbarrow-$version-win64/Quillbarrow.exe" | awk '{print $5, $NF}'
    cat SHA256SUMS
)
