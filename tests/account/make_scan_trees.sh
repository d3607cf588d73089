#!/bin/sh
# make_scan_trees.sh DIR: the trees that the scan's tests read through Wine's Z: drive, made on the Linux side
# because Wine cannot make symbolic links (shown as reparse points) and makes deep and wide trees slowly.
set -e
dir=$1
rm -rf "$dir"

# links/backup: inner/up points at its parent, self at the backup folder, file-link at a file, dangling nowhere.
mkdir -p "$dir/links/backup/inner"
cd "$dir/links/backup"
echo a > a.dat
echo b > inner/b.dat
ln -s .. inner/up
ln -s "$dir/links/backup" self
ln -s a.dat file-link
ln -s "$dir/links/nowhere" dangling

# deep/backup: 600 levels, each holding a file "f" and the next level "d".
level=$dir/deep/backup
path=$level$(printf '/d%.0s' $(seq 600))
mkdir -p "$path"
while [ "$level" != "$path" ]; do : > "$level/f"; level=$level/d; done

# wide/backup: 32,770 sub-folders s00000 to s32769, the last holding last.dat.
mkdir -p "$dir/wide/backup"
cd "$dir/wide/backup"
seq -f s%05g 0 32769 | xargs mkdir
: > s32769/last.dat
