#!/bin/sh
# tmpfs.sh mount|unmount DIR: a 4 MiB tmpfs on DIR marked by a file "mounted"; unmarked where mounting is refused.
mkdir -p "$2"
mountpoint -q "$2" && { umount "$2" || umount -l "$2"; }
rm -f "$2/mounted"
[ "$1" = mount ] && mount -t tmpfs -o size=4m quillbarrow-test "$2" && touch "$2/mounted"
exit 0
