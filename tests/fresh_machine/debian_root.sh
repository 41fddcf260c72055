#!/usr/bin/env bash
# Plays a newcomer on a fresh Debian machine: builds a minimal root of the
# given release (trixie for Debian 13, bookworm for 12) with debootstrap, from
# the Debian mirror this machine's apt already uses, clones COMMIT (HEAD
# unless given) into it and runs the README's two commands there, as root,
# with nothing but git installed beforehand. Needs root. The root is made
# anew in build/fresh-<release> and left there, unmounted, for a look.
set -euo pipefail
cd "$(dirname "$0")/../.."

[ $# -ge 1 ] && [ $# -le 2 ] || { echo "usage: $0 RELEASE [COMMIT]" >&2 && exit 2; }
release=$1
commit=$(git rev-parse --verify "${2:-HEAD}^{commit}")
root=$PWD/build/fresh-$release

# The first Debian mirror the machine's own sources name, in either format.
mirror() {
    local sources=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list
        /etc/apt/sources.list.d/*.sources)
    local file
    for file in "${sources[@]}"; do
        [ -f "$file" ] || continue
        case $file in
        *.sources) awk '/^URIs:/ && $2 ~ /debian\/?$/ { print $2; exit }' "$file" ;;
        *) awk '$1 == "deb" && $2 ~ /debian\/?$/ { print $2; exit }' "$file" ;;
        esac
    done | head -n 1
}

# Wine's server outlives the tests by a few seconds and holds /dev open.
unmount() {
    local point process signal
    for signal in TERM KILL; do
        for process in /proc/[0-9]*; do
            [ "$(readlink "$process/root" 2>/dev/null)" != "$root" ] ||
                kill -s "$signal" "${process#/proc/}" 2>/dev/null || true
        done
        sleep 1
    done
    for point in dev sys proc; do
        ! mountpoint -q "$root/$point" || umount -R "$root/$point"
    done
}

if ! command -v debootstrap >/dev/null; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
fi
source=$(mirror)
[ -n "$source" ] || { echo "no Debian mirror in this machine's apt sources" >&2 && exit 1; }

[ ! -d "$root" ] || { unmount && rm -rf --one-file-system "$root"; }
mkdir -p "$root"
trap unmount EXIT
echo "debootstrap $release, $(date -u +%H:%M:%S)"
debootstrap --variant=minbase --include=git,ca-certificates "$release" "$root" "$source" \
    >"$root.debootstrap.log" 2>&1 || { tail -n 20 "$root.debootstrap.log" && exit 1; }
mount -t proc proc "$root/proc"
mount -t sysfs sysfs "$root/sys"
mount --rbind /dev "$root/dev"
mount --make-rslave "$root/dev"
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
    if ! env -i HOME=/root TERM=dumb LANG=C.UTF-8 PATH=/usr/sbin:/usr/bin:/sbin:/bin \
        chroot "$root" /bin/bash -c "cd /root/vaxo && $command" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "== $command failed on $release"
        exit 1
    fi
    grep -E '^(Installing |[0-9]+% tests passed|Total Test time|Vaxo.ini: )' "$log" || true
done
echo "== both commands passed on $release, $(date -u +%H:%M:%S)"
