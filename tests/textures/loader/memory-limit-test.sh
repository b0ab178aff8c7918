#!/usr/bin/env bash
# memory-limit-test.sh TOOL: quellor-texcheck in a control group limited to
# 256 MiB, as in a container. A file of about a kilobyte that declares a
# 16384 x 16384 run-length picture (1.5 GiB of section and pixels) is refused
# with "Out of memory." at once, instead of the process being killed; a
# 2048 x 2048 one (24 MiB) still loads.
#
# Needs root and a writable memory controller (version 1 or 2); skipped
# (status 77) without them.
set -uo pipefail
tool=$(realpath "${1:?quellor-texcheck}")
work=$(mktemp -d)
group=
cleanup() {
  [ -n "$group" ] && rmdir "$group" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

skip() {
  echo "SKIP: $*"
  exit 77
}
[ "$(id -u)" = 0 ] || skip "not root: no control group can be made"
limit=$((256 << 20))
if [ -w /sys/fs/cgroup/memory/cgroup.procs ] 2>/dev/null; then
  group=/sys/fs/cgroup/memory/quellor-test.$$
  mkdir "$group" 2>/dev/null || { group= && skip "no group under the memory controller"; }
  echo $limit >"$group/memory.limit_in_bytes" || skip "the limit cannot be set"
elif grep -qw memory /sys/fs/cgroup/cgroup.subtree_control 2>/dev/null; then
  group=/sys/fs/cgroup/quellor-test.$$
  mkdir "$group" 2>/dev/null || { group= && skip "no control group can be made"; }
  echo $limit >"$group/memory.max" || skip "the limit cannot be set"
else
  skip "no writable memory controller"
fi

# An 8-bit run-length file with a grey colour table and a stream that only
# ends the picture.
write_rle() { # NAME SIDE
  python3 - "$work/$1" "$2" <<'EOF'
import struct, sys
path, side = sys.argv[1], int(sys.argv[2])
table = b"".join(bytes((i, i, i, 0)) for i in range(256))
offset = 14 + 40 + len(table)
stream = bytes((0, 1))
header = b"BM" + struct.pack("<IHHI", offset + len(stream), 0, 0, offset)
info = struct.pack("<IiiHHIIiiII", 40, side, side, 1, 8, 1, 0, 2835, 2835, 0, 0)
open(path, "wb").write(header + info + table + stream)
EOF
}
write_rle huge.bmp 16384
write_rle large.bmp 2048

# Runs the tool inside the group; its output and status.
in_group() { # FILE
  bash -c 'echo $$ >"$1/cgroup.procs" && exec "$2" "$3"' _ "$group" "$tool" "$work/$1"
}

failed=0
out=$(in_group huge.bmp)
status=$?
if [ $status != 1 ] || [ "$out" != "Out of memory." ]; then
  echo "FAIL: the 16384 x 16384 file gave status $status and '$out', expected 1 and 'Out of memory.'"
  failed=1
fi
out=$(in_group large.bmp)
status=$?
if [ $status != 0 ] || [ "$out" != "2048 2048" ]; then
  echo "FAIL: the 2048 x 2048 file gave status $status and '$out', expected 0 and '2048 2048'"
  failed=1
fi
[ $failed = 0 ] && echo "PASS: refused and loaded as the limit allows"
exit $failed
