#!/bin/sh
# Makes, on the Linux side, the trees that the scan's tests read through Wine's Z: drive: make_scan_trees.sh DIR
#   links/backup  Linux symbolic links, which Wine shows as reparse points (a link to a folder as 0x410):
#                 inner/up points at its parent, self at the backup folder itself, file-link at a file,
#                 dangling at nothing
#   deep/backup   600 levels, each holding a file "f" and the next level "d"
#   wide/backup   32,770 sub-folders s00000 to s32769, the last holding last.dat
# Wine cannot make symbolic links, and makes deep and wide trees slowly, so the host's shell does it.
set -e
dir=$1
rm -rf "$dir"

mkdir -p "$dir/links/backup/inner"
cd "$dir/links/backup"
echo a > a.dat
echo b > inner/b.dat
ln -s .. inner/up
ln -s "$dir/links/backup" self
ln -s a.dat file-link
ln -s "$dir/links/nowhere" dangling

level=$dir/deep/backup
path=$level
for _ in $(seq 600); do path=$path/d; done
mkdir -p "$path"
while [ "$level" != "$path" ]; do
    : > "$level/f"
    level=$level/d
done

mkdir -p "$dir/wide/backup"
cd "$dir/wide/backup"
seq -f s%05g 0 32769 | xargs mkdir
: > s32769/last.dat
