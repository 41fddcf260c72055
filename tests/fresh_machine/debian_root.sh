#!/usr/bin/env bash
# Plays a newcomer on a fresh Debian machine: builds a minimal root of the
# given release (trixie for Debian 13, bookworm for 12) with debootstrap, from
# the Debian mirror this machine's apt already uses, clones COMMIT (HEAD
# unless given) into it and runs the README's two commands there, as root,
# with nothing but git installed beforehand. Needs root.
#
# The root is made anew in build/fresh-<release>, each step's output is
# logged beside it, and it is left there for a look. The script runs in a
# mount and a PID namespace of its own: the /proc, /sys and /dev it mounts
# in the root never show in the machine's mount table, and when it ends,
# however it ends (SIGKILL too), every process left in the root is killed
# and the mounts end with the namespace. So the root is never mounted in
# the machine's eyes. An old root is removed only when nothing is mounted
# under it. Debootstrap may take 20 minutes, each command 40.
set -euo pipefail
cd "$(dirname "$0")/../.."

usage() { echo "usage: $0 bookworm|trixie [COMMIT]" >&2 && exit 2; }
[ $# -ge 1 ] && [ $# -le 2 ] || usage
release=$1
case $release in bookworm | trixie) ;; *) usage ;; esac
commit=$(git rev-parse --verify "${2:-HEAD}^{commit}")
[ "$(id -u)" -eq 0 ] || { echo "$0: needs root" >&2 && exit 1; }

# Into the namespaces, once: this script then runs as the first process of
# its PID namespace, whose end kills every other process in it, and unshare
# kills it if unshare is killed. The namespace's mounts go when its last
# process does.
outer=${FRESH_ROOT_OUTER_MOUNTS-}
if [ -z "$outer" ] || [ $$ -ne 1 ] || [ "$(readlink /proc/self/ns/mnt)" = "$outer" ]; then
    FRESH_ROOT_OUTER_MOUNTS=$(readlink /proc/self/ns/mnt)
    export FRESH_ROOT_OUTER_MOUNTS
    exec unshare --mount --propagation private --pid --fork --kill-child --mount-proc \
        "$PWD/tests/fresh_machine/debian_root.sh" "$release" "$commit"
fi

# The first process of a PID namespace ignores the signals it has no handler
# for. These end the script, and so everything in the root, at once.
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# The mount points at or under $1 in this namespace, whose table began as a
# copy of the machine's: mountinfo's fifth field, its octal escapes undone.
mounted_under() {
    awk -v top="$1" '
        function unescape(s, out) {
            out = ""
            while (match(s, /\\[0-7][0-7][0-7]/)) {
                out = out substr(s, 1, RSTART - 1) sprintf("%c", substr(s, RSTART + 1, 1) * 64 \
                    + substr(s, RSTART + 2, 1) * 8 + substr(s, RSTART + 3, 1))
                s = substr(s, RSTART + 4)
            }
            return out s
        }
        { point = unescape($5) }
        point == top || index(point, top "/") == 1 { print point }
    ' /proc/self/mountinfo
}

# A mount made here must not reach the machine: no mount may be shared.
shared=$(awk '{ for (i = 7; $i != "-"; i++) if ($i ~ /^shared:/) print $5 }' /proc/self/mountinfo)
[ -z "$shared" ] || { printf 'shared mounts in this namespace:\n%s\n' "$shared" >&2 && exit 1; }

# A command under a time limit, in the background, so that a signal ends
# this script at once and not when the command does.
limited() {
    timeout --kill-after=1m "$@" 9>&- &
    wait $!
}

# What the statuses of timeout's own mean, for a command limited to $1.
limit_statuses() {
    echo "124: timed out after $1;" \
        "137: killed, as timeout does a minute later if its TERM did not end it"
}

# The first Debian mirror the machine's own sources name, in either format.
mirror() {
    local sources=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list
        /etc/apt/sources.list.d/*.sources)
    local file uri
    for file in "${sources[@]}"; do
        [ -f "$file" ] || continue
        case $file in
        *.sources) uri=$(awk '/^URIs:/ && $2 ~ /debian\/?$/ { print $2; exit }' "$file") ;;
        *) uri=$(awk '$1 == "deb" && $2 ~ /debian\/?$/ { print $2; exit }' "$file") ;;
        esac
        [ -z "$uri" ] || { echo "$uri" && return; }
    done
}

build=$(mkdir -p build && cd build && pwd -P)
root=$build/fresh-$release
exec 9>"$root.lock"
flock -n 9 || { echo "another run is using $root" >&2 && exit 1; }

if ! command -v debootstrap >/dev/null; then
    limited 20m apt-get update -qq
    limited 20m env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends debootstrap
fi
source=$(mirror)
[ -n "$source" ] || { echo "no Debian mirror in this machine's apt sources" >&2 && exit 1; }

if [ -e "$root" ] || [ -L "$root" ]; then
    [ -d "$root" ] && [ ! -L "$root" ] ||
        { echo "$root is not a directory; not touching it" >&2 && exit 1; }
    mounts=$(mounted_under "$root")
    if [ -n "$mounts" ]; then
        echo "not removing $root, for these are mounted under it:" >&2
        echo "$mounts" >&2
        echo "unmount them (umount -R $root/...) and run this again" >&2
        exit 1
    fi
    rm -rf --one-file-system "$root"
fi
mkdir "$root"

echo "debootstrap $release, $(date -u +%H:%M:%S)"
status=0
limited 20m debootstrap --variant=minbase --include=git,ca-certificates \
    "$release" "$root" "$source" >"$root.debootstrap.log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
    tail -n 20 "$root.debootstrap.log"
    echo "debootstrap failed with status $status ($(limit_statuses "20 minutes"))" >&2
    exit 1
fi
mount -t proc proc "$root/proc"
mount -t sysfs sysfs "$root/sys"
mount --rbind /dev "$root/dev"
cp /etc/resolv.conf "$root/etc/resolv.conf"

git clone -q --no-local . "$root/root/vaxo"
git -C "$root/root/vaxo" checkout -q --detach "$commit"
echo "$(. "$root/etc/os-release" && echo "$PRETTY_NAME"), commit $commit"

# A login's environment, not this one's: no XDG_RUNTIME_DIR, as in a container.
# Each command's whole output goes to a log beside the root; what it ends
# with is shown, and all of its end when it fails.
for command in "./build.sh demo" "./build.sh test"; do
    log=$root.${command##* }.log
    echo "== $command, $(date -u +%H:%M:%S), output in $log"
    status=0
    limited 40m env -i HOME=/root TERM=dumb LANG=C.UTF-8 PATH=/usr/sbin:/usr/bin:/sbin:/bin \
        chroot "$root" /bin/bash -c "cd /root/vaxo && $command" >"$log" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log"
        echo "== $command failed on $release with status $status ($(limit_statuses "40 minutes"))"
        exit 1
    fi
    grep -E '^(Installing |[0-9]+% tests passed|Total Test time|Vaxo.ini: )' "$log" || true
done
echo "== both commands passed on $release, $(date -u +%H:%M:%S)"
