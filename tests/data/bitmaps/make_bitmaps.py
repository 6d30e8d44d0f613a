#!/usr/bin/env python3
"""Writes the bitmap fixtures of the reader tests, as an image converter saves
them (ImageMagick 6: `convert`), plus one run-length compressed 4-bit file,
which no converter at hand writes, encoded here from the converter's 4-bit one.

The pictures (colour k is (12k, 40 + 9k, 250 - 11k)):
  two   13 x 7: #FFFFFF where (x*y + x) % 3, else #000080
  few   21 x 9: k = x // 6 in row 0, x % 2 in row 1, (x*x + 3y) % 12 below
  many  23 x 9: the same with % 20
"""
import struct, subprocess, tempfile, os

def colour(k):
    return (12 * k, 40 + 9 * k, 250 - 11 * k)

def pattern(w, h, n):
    return [[colour(x // 6 if y == 0 else x % 2 if y == 1 else (x * x + 3 * y) % n)
             for x in range(w)] for y in range(h)]

def two():
    return [[(255, 255, 255) if (x * y + x) % 3 else (0, 0, 128) for x in range(13)] for y in range(7)]

def ppm(rows, path):
    with open(path, 'w') as f:
        f.write('P3\n%d %d\n255\n' % (len(rows[0]), len(rows)))
        for r in rows:
            f.write(' '.join('%d %d %d' % c for c in r) + '\n')

def convert(src, args, out):
    subprocess.run(['convert', src] + args + [out], check=True)

def rle4_from(path, out):
    d = open(path, 'rb').read()
    off, = struct.unpack_from('<I', d, 10)
    w, h, _, bits = struct.unpack_from('<iiHH', d, 18)
    assert bits == 4
    stride = (w * 4 + 31) // 32 * 4
    body = bytearray()
    for y in range(h):
        row = d[off + y * stride: off + (y + 1) * stride]
        idx = [(row[x // 2] >> (0 if x % 2 else 4)) & 15 for x in range(w)]
        x = 0
        while x < w:
            run = 1
            while x + run < w and idx[x + run] == idx[x] and run < 255:
                run += 1
            if run == 1 and x + 3 <= w and len(set(idx[x:x + 3])) == 3:
                n = min(w - x, 8)  # an absolute run of up to eight pixels
                body += bytes([0, n])
                packed = bytes((idx[x + i] << 4) | (idx[x + i + 1] if i + 1 < n else 0)
                               for i in range(0, n, 2))
                body += packed + (b'\0' if len(packed) % 2 else b'')
                x += n
                continue
            body += bytes([run, idx[x] << 4 | idx[x]])
            x += run
        body += b'\0\0'
    body += b'\0\1'
    header = bytearray(d[:off])
    struct.pack_into('<I', header, 2, off + len(body))
    struct.pack_into('<II', header, 30, 2, len(body))
    open(out, 'wb').write(header + body)

with tempfile.TemporaryDirectory() as t:
    for name, rows in (('two', two()), ('few', pattern(21, 9, 12)), ('many', pattern(23, 9, 20))):
        ppm(rows, os.path.join(t, name + '.ppm'))
    p = lambda n: os.path.join(t, n + '.ppm')
    convert(p('two'), ['-type', 'palette'], 'BMP3:two-1bit.bmp')
    convert(p('few'), ['-type', 'palette'], 'BMP3:few-4bit.bmp')
    convert(p('many'), ['-type', 'palette', '-compress', 'None'], 'BMP3:many-8bit.bmp')
    convert(p('many'), ['-type', 'palette', '-compress', 'RLE'], 'BMP3:many-8bit-rle.bmp')
    convert(p('many'), ['-type', 'truecolor'], 'BMP3:many-24bit.bmp')
    convert(p('many'), ['-type', 'truecoloralpha'], 'BMP:many-32bit.bmp')
    rle4_from('few-4bit.bmp', 'few-4bit-rle.bmp')
