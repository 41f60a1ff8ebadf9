# Decodes a non-interlaced 8-bit RGB PNG and writes a crop of it as a binary PPM.
import struct, sys, zlib
src, dst, cx, cy, cw, ch = sys.argv[1], sys.argv[2], *map(int, sys.argv[3:7])
d = open(src, 'rb').read()
w, h, depth, ctype, _, _, interlace = struct.unpack('>IIBBBBB', d[16:29])
assert depth == 8 and ctype == 2 and interlace == 0
pos, idat = 8, b''
while pos < len(d):
    n, kind = struct.unpack('>I4s', d[pos:pos + 8])
    if kind == b'IDAT': idat += d[pos + 8:pos + 8 + n]
    pos += 12 + n
raw = zlib.decompress(idat)
bpp, stride = 3, w * 3
rows, prev = [], bytearray(stride)
for y in range(h):
    f = raw[y * (stride + 1)]
    line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
    for i in range(stride):
        a = line[i - bpp] if i >= bpp else 0
        b = prev[i]
        c = prev[i - bpp] if i >= bpp else 0
        if f == 1: line[i] = (line[i] + a) & 255
        elif f == 2: line[i] = (line[i] + b) & 255
        elif f == 3: line[i] = (line[i] + (a + b) // 2) & 255
        elif f == 4:
            p = a + b - c; pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    rows.append(line); prev = line
out = b''.join(bytes(r[cx * 3:(cx + cw) * 3]) for r in rows[cy:cy + ch])
open(dst, 'wb').write(b'P6\n%d %d\n255\n' % (cw, ch) + out)
