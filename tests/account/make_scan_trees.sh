#!/bin/sh
# make_scan_trees.sh DIR: the scan's test tree, made on the Linux side because Wine cannot make symbolic links
# (it shows them as reparse points). m/o/up points back at m, self at the backup folder; a.dat is sparse.
set -e
rm -rf "$1" && mkdir -p "$1/backup/m/o/q" "$1/backup/s" && cd "$1/backup"
truncate -s 5368709121 a.dat && touch m/n.dat m/o/p.dat m/r.dat s/t z.dat
ln -s .. m/o/up && ln -s "$PWD" self
# Times for the time column: 27 February 2012 21:05 UTC for a.dat, 3 July 2009 06:30 UTC for the folder m.
touch -d @1330376700 a.dat && touch -d @1246602600 m
