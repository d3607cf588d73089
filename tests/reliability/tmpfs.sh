#!/bin/sh
# Mounts and unmounts the small file systems that the full-disk and random-sequence tests fill up:
#   tmpfs.sh mount SIZE FOLDER...   a tmpfs of SIZE on each FOLDER, marked by an empty file "mounted" in it
#   tmpfs.sh unmount FOLDER...
# Where mounting is not permitted the folders stay unmarked and the tests that need them report themselves
# skipped. Always succeeds, so that the tests decide.
set -u
action=$1
shift
case "$action" in
mount)
    size=$1
    shift
    for folder in "$@"; do
        mkdir -p "$folder"
        # A mount left by an interrupted run is replaced by a fresh one.
        if mountpoint -q "$folder"; then umount "$folder" 2>/dev/null || umount -l "$folder"; fi
        rm -f "$folder/mounted"
        if mount -t tmpfs -o "size=$size" quillbarrow-test "$folder" 2>/dev/null; then
            touch "$folder/mounted"
        else
            echo "cannot mount a tmpfs on $folder: the tests that fill a disk will be skipped"
        fi
    done
    ;;
unmount)
    for folder in "$@"; do
        if mountpoint -q "$folder"; then umount "$folder" 2>/dev/null || umount -l "$folder"; fi
    done
    ;;
*)
    echo "usage: tmpfs.sh mount SIZE FOLDER... | unmount FOLDER..." >&2
    exit 2
    ;;
esac
exit 0
