#!/usr/bin/env bash
# Wall time and peak memory of pixmere-cli info on hostile BDF and PCF fonts, which it must refuse
# quickly and within a bound of memory: a PCF font holding 100 MB of bitmap behind two gzip
# layers, with its glyphs in order and last first, and behind gzip over LZW (compress) last
# first; BDF fonts of 8 x 65535 glyph boxes without rows (1 MB and 64 MB), of 3 million
# properties (48 MB) and of 4.4 million encodings for one character (62 MB); a PCF font whose 100
# properties all name one text of 4 MB. Each run is cut off after 120 s and may take at most 4 GB
# of address space, so that a tool that balloons fails there rather than taking the machine.
# Usage: bench/cli-hostile-imports.sh [path/to/pixmere-cli]
#   (needs python3, bdftopcf from xfonts-utils and compress from ncompress)
source "$(dirname "$0")/cli-bench-setup.sh"
for tool in python3 bdftopcf compress; do
    command -v "$tool" > /dev/null || { echo "needs $tool" >&2; exit 1; }
done
python3 - << 'EOF'
import gzip, struct, subprocess

def pcf(reverse, padding):
    """256 glyphs of 8 x 8 for codes 00-FF, compiled by bdftopcf, their bitmaps moved behind
    `padding` zero bytes, stored last glyph first when `reverse`."""
    bdf = ('STARTFONT 2.1\nFONT x\nSIZE 8 75 75\nFONTBOUNDINGBOX 8 8 0 -1\nSTARTPROPERTIES 2\n'
           'FONT_ASCENT 7\nFONT_DESCENT 1\nENDPROPERTIES\nCHARS 256\n')
    for i in range(256):
        bdf += ('STARTCHAR c%d\nENCODING %d\nSWIDTH 500 0\nDWIDTH 8 0\nBBX 8 8 0 -1\nBITMAP\n'
                % (i, i) + ('%02X\n' % (0x80 | i & 0x7F)) * 8 + 'ENDCHAR\n')
    open('in.bdf', 'w').write(bdf + 'ENDFONT\n')
    subprocess.run(['bdftopcf', '-o', 'in.pcf', 'in.bdf'], check=True)
    return with_table('in.pcf', 8, lambda body: moved_bitmaps(body, reverse, padding))

def with_table(path, kind, change):
    """The PCF file with the body of its table of `kind` changed, the tables laid out again."""
    d = open(path, 'rb').read()
    count = struct.unpack('<I', d[4:8])[0]
    tables = []
    for i in range(count):
        t, f, s, o = struct.unpack('<4I', d[8 + 16 * i:24 + 16 * i])
        body = d[o:o + s]
        tables.append((t, f, change(body) if t == kind else body))
    out = bytearray(d[:8])
    at = 8 + 16 * count
    for t, f, body in tables:
        out += struct.pack('<4I', t, f, len(body), at)
        at += len(body)
    for t, f, body in tables:
        out += body
    return bytes(out)

def moved_bitmaps(body, reverse, padding):
    e = '>' if body[0] & 4 else '<'
    n = struct.unpack(e + 'I', body[4:8])[0]
    offsets = struct.unpack(e + '%dI' % n, body[8:8 + 4 * n])
    sizes = struct.unpack(e + '4I', body[8 + 4 * n:24 + 4 * n])
    data = body[24 + 4 * n:]
    per = sizes[body[0] & 3] // n
    moved = bytearray(padding)
    new = [0] * n
    for g in (reversed(range(n)) if reverse else range(n)):
        new[g] = len(moved)
        moved += data[offsets[g]:offsets[g] + per]
    total = len(moved)
    return (body[:8] + struct.pack(e + '%dI' % n, *new) + struct.pack(e + '4I', *[total] * 4)
            + bytes(moved))

def shared_text(count, length):
    """A properties table of `count` properties naming one text of `length` bytes."""
    def table(_):
        out = struct.pack('<II', 0, count) + struct.pack('<IbI', 0, 1, 0) * count
        out += bytes(-len(out) % 4)
        return out + struct.pack('<I', length + 1) + b'L' * length + b'\0'
    return table

def gz(data):
    return gzip.compress(data, 9, mtime=0)

def write(name, data):
    open(name, 'wb').write(data)

big = 100 << 20
write('two-gzip-layers.pcf.gz', gz(gz(pcf(False, big))))
write('two-gzip-layers-reversed.pcf.gz', gz(gz(pcf(True, big))))
lzw = subprocess.run(['compress', '-c'], input=pcf(True, big), capture_output=True).stdout
write('gzip-over-lzw-reversed.pcf.gz', gz(lzw))
pcf(False, 0)
write('shared-property-text.pcf', with_table('in.pcf', 1, shared_text(100, 4 << 20)))

head = 'STARTFONT 2.1\nFONT x\nSIZE 8 75 75\nFONTBOUNDINGBOX 8 8 0 0\n'
glyphs = head + 'STARTPROPERTIES 2\nFONT_ASCENT 8\nFONT_DESCENT 0\nENDPROPERTIES\nCHARS 1\n'
tall = 'STARTCHAR g\nENCODING 65\nSWIDTH 500 0\nDWIDTH 8 0\nBBX 8 65535 0 0\nBITMAP\nENDCHAR\n'
for name, size in (('tall-boxes-1mb.bdf', 1 << 20), ('tall-boxes-64mb.bdf', 64 << 20)):
    write(name, (glyphs + tall * ((size - 400) // len(tall)) + 'ENDFONT\n').encode())
write('many-properties-48mb.bdf', (head + 'STARTPROPERTIES 3000000\n'
      + ''.join('PROP_%08d 1\n' % n for n in range(3_000_000))
      + 'ENDPROPERTIES\nCHARS 0\nENDFONT\n').encode())
write('repeated-encoding-62mb.bdf', (glyphs + 'STARTCHAR A\n'
      + ''.join('ENCODING %d\n' % (1000 + n % 9000) for n in range(4_400_000))
      + 'ENDCHAR\nENDFONT\n').encode())
EOF
ls -l "$work"
for font in two-gzip-layers.pcf.gz two-gzip-layers-reversed.pcf.gz gzip-over-lzw-reversed.pcf.gz \
    tall-boxes-1mb.bdf tall-boxes-64mb.bdf many-properties-48mb.bdf repeated-encoding-62mb.bdf \
    shared-property-text.pcf; do
    (ulimit -v 4000000
     /usr/bin/time -f "%e s wall, %U s user, %S s system, %M KB peak  pixmere-cli info $font" \
         timeout 120 "$cli" info "$font" > /dev/null 2> err.txt) || true
    tail -n 3 err.txt
done
