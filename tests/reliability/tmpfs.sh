#!/bin/sh
# tmpfs.sh mount|unmount DIR: a tmpfs of 4 MiB on DIR/full-disk and DIR/random, each marked by an empty file
# "mounted"; where mounting is not permitted the folders stay unmarked and the tests that need them skip.
# Always succeeds, so that the tests decide.
for folder in "$2/full-disk" "$2/random"; do
    mkdir -p "$folder"
    # A mount left by an interrupted run goes first.
    if mountpoint -q "$folder"; then umount "$folder" 2>/dev/null || umount -l "$folder"; fi
    rm -f "$folder/mounted"
    if [ "$1" = mount ]; then
        mount -t tmpfs -o size=4m quillbarrow-test "$folder" 2>/dev/null && touch "$folder/mounted" ||
            echo "cannot mount a tmpfs on $folder: the tests that fill a disk will be skipped"
    fi
done
exit 0
