#!/usr/bin/env bash
# Makes the release twice, with scripts/release.sh in two copies of this tree at different paths and so at
# different times, and checks that both give the same bytes: every file of dist/ and both programs. Also checks
# what a comparison of two builds on one machine could miss: no folder of either copy in the programs, a zero
# time stamp in their headers, and the zips' entries, order, names and contents, and SHA256SUMS.
#   tests/release/reproducible_release.sh WORK_FOLDER      (emptied first; removed again when all is well)
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd -P)
work=${1:?usage: reproducible_release.sh WORK_FOLDER}
rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd -P)

# What a clone holds, with the uncommitted work too: no builds, no release, no git data.
first="$work/a"
second="$work/second-copy/at/another/depth"
unset SOURCE_DATE_EPOCH
for copy in "$first" "$second"; do
    mkdir -p "$copy"
    tar -C "$source_dir" --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -C "$copy" -xf -
    echo "== scripts/release.sh in $copy"
    start=$SECONDS
    if ! (cd "$copy" && scripts/release.sh) >"$copy.log" 2>&1; then
        cat "$copy.log"
        echo "FAIL: scripts/release.sh failed in $copy"
        exit 1
    fi
    echo "   $((SECONDS - start)) s"
done

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The same files in both dist/ folders, and the same bytes in each.
(cd "$first/dist" && find . -type f | LC_ALL=C sort) >"$work/first.list"
(cd "$second/dist" && find . -type f | LC_ALL=C sort) >"$work/second.list"
cmp -s "$work/first.list" "$work/second.list" || fail "dist/ holds other files: $(diff "$work/first.list" "$work/second.list" | tr '\n' ' ')"
while read -r file; do
    cmp -s "$first/dist/$file" "$second/dist/$file" || fail "dist/${file#./} differs between the copies"
done <"$work/first.list"
for arch in win32 win64; do
    program="build/release-$arch/Quillbarrow.exe"
    cmp -s "$first/$program" "$second/$program" || fail "$program differs between the copies"
done

cd "$first/dist"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$first/build/release-win32/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in the build's cache"
sha256sum --quiet -c SHA256SUMS || fail "SHA256SUMS does not match dist/"
expected_sums=$(printf '%s\n' "Quillbarrow-$version-win32.zip" "Quillbarrow-$version-win64.zip" \
    "Quillbarrow-$version-win32/Quillbarrow.exe" "Quillbarrow-$version-win64/Quillbarrow.exe")
[ "$(awk '{print $2}' SHA256SUMS)" = "$expected_sums" ] || fail "SHA256SUMS does not list the zips and programs"

for arch in win32 win64; do
    program="$first/build/release-$arch/Quillbarrow.exe"
    for folder in "$work" "$source_dir"; do
        ! grep -aqF "$folder" "$program" || fail "$program holds the folder $folder"
    done
    # The COFF header's TimeDateStamp, 8 bytes after the PE header that the word at 0x3c points to.
    stamp=$(/usr/bin/python3 -c '
import struct, sys
data = open(sys.argv[1], "rb").read()
header = struct.unpack_from("<I", data, 0x3C)[0]
print(struct.unpack_from("<I", data, header + 8)[0])' "$program")
    [ "$stamp" = 0 ] || fail "$program has the time stamp $stamp"

    # The zip, read as Windows' own unpacker reads it: the names in code page 936, in this order, and
    # its files as they were built and written.
    /usr/bin/python3 - "Quillbarrow-$version-$arch.zip" "$program" "$source_dir/docs/使用说明.txt" <<'PYTHON' ||
import sys
import zipfile

zip_path, program, guide = sys.argv[1:]
with zipfile.ZipFile(zip_path) as archive:
    infos = archive.infolist()
    names = [info.filename.encode("cp437").decode("cp936") if not info.flag_bits & 0x800 else info.filename
             for info in infos]
    assert names == ["Quillbarrow.exe", "使用说明.txt"], names
    assert archive.testzip() is None, "a damaged entry"
    assert len({info.date_time for info in infos}) == 1, "entries of different dates"
    assert all(info.external_attr == 0 and info.create_system == 0 for info in infos), "attributes"
    assert archive.read(infos[0]) == open(program, "rb").read(), "another program"
    assert archive.read(infos[1]) == open(guide, "rb").read(), "another guide"
PYTHON
        fail "Quillbarrow-$version-$arch.zip is not the program and the guide as expected"
done
cd "$work"

if [ "$failures" -ne 0 ]; then
    echo "$failures failures; the copies are kept in $work"
    exit 1
fi
echo "Both copies made the same release:"
cat "$first/dist/SHA256SUMS"
rm -rf "$work"
