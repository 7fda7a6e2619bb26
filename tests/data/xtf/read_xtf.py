#!/usr/bin/env python3
"""Reads an XTF file with nothing but struct and the published field offsets, independently of
kbfile's C++ reader, and prints what the kbfile tests compare against: packets, sonar pings,
channel descriptions, sample size, the 95th percentile of the non-zero samples, and the first
and last ping position (sensor coordinates, 0/0 counts as none).

    python3 tests/data/xtf/read_xtf.py tests/data/xtf/scotsman-iver2-first160.xtf
"""
import struct
import sys


def main(path):
    d = open(path, 'rb').read()
    nav_units, n_sonar = struct.unpack_from('<HH', d, 164)
    print('program', d[2:10].split(b'\0')[0].decode(), 'nav units', nav_units,
          'sonar channels', n_sonar)
    for i in range(n_sonar):
        c = 256 + 128 * i
        kind, bps = d[c], struct.unpack_from('<H', d, c + 6)[0]
        print('channel', i, d[c + 12:c + 28].split(b'\0')[0].decode(), 'type', kind,
              'bytes per sample', bps)
    off, pings, positions, values = 1024, 0, [], []
    while off + 14 <= len(d):
        magic, htype = struct.unpack_from('<HB', d, off)
        length = struct.unpack_from('<I', d, off + 10)[0]
        assert magic == 0xFACE and length > 0
        if htype == 0:
            pings += 1
            lat, lon = struct.unpack_from('<dd', d, off + 160)
            if lat or lon:
                positions.append((struct.unpack_from('<I', d, off + 28)[0], lat, lon))
            p = off + 256
            for _ in range(struct.unpack_from('<H', d, off + 4)[0]):
                n = struct.unpack_from('<I', d, p + 42)[0]
                values += [v for v in struct.unpack_from('<%dH' % n, d, p + 64) if v]
                p += 64 + 2 * n
        off += length
    values.sort()
    print('sonar pings', pings, 'samples per channel', n)
    print('95th percentile of non-zero samples', values[max(1, int(0.95 * len(values))) - 1])
    print('first position (ping, lat, lon) %d %.8f %.8f' % positions[0])
    print('last position (ping, lat, lon) %d %.8f %.8f' % positions[-1])


if __name__ == '__main__':
    main(sys.argv[1])
