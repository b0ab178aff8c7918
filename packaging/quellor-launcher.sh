#!/bin/sh
# Starts Quellor in its data directory, where it finds its three textures.
# Both are found relative to this script, so the installed tree may be moved.
here=$(dirname "$(readlink -f "$0")")
cd "$here/../share/quellor" || exit 1
exec "$here/../libexec/quellor/quellor"
