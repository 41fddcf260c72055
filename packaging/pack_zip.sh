#!/usr/bin/env bash
# pack_zip.sh EPOCH ARCHIVE FILE...
# Packs FILEs, in the order given and by the paths given, so that the same
# files always give the same bytes: every file dated EPOCH (seconds since
# 1970, written as UTC) and readable by all, and no owner, extra time fields
# or folder entries in the archive.
set -euo pipefail
epoch=$1
archive=$2
shift 2
chmod 0644 "$@"
touch -d "@$epoch" "$@"
rm -f "$archive"
TZ=UTC0 zip -q -X -D "$archive" "$@"
