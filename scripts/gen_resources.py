#!/usr/bin/env python3
"""Turns the readable resource sources under res/ into what the two builds link.

The manifest (res/resources.txt) has one line per resource: TYPE NAME FILE CONVERTER.
Converters:
  raw     the file's bytes as they are
  pixmap  a text picture (see res/images/README.md) written as a DEX record: an 8-bit image
          with its alpha companion, parts zlib-compressed at the default level

  --cpp OUT        writes a C++ table of embedded resources (Linux build)
  --rc OUT --bin DIR   writes converted files to DIR and a resource script naming them
                   (Windows build)
"""
import argparse
import os
import struct
import sys
import zlib


def stride(width, bits):
    return ((width * bits + 31) // 32) * 4


def packed_dib8(width, height, palette, rows):
    """Header, 256-entry colour table and bottom-up rows of an 8-bit image."""
    header = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 8, 0, 0, 96, 96, 0, 0)
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)
    table += b'\0' * (1024 - len(table))
    pad = stride(width, 8) - width
    pixels = b''.join(bytes(row) + b'\0' * pad for row in reversed(rows))
    return header + table + pixels


def dex_record(image, alpha):
    image_part = zlib.compress(image)
    alpha_part = zlib.compress(alpha) if alpha else b''
    header = struct.pack('<IIIHIiH', 0x0000DE0A, 0x00020000,
                         24 + len(image_part) + len(alpha_part), 8,
                         len(image_part), len(alpha_part), 24)
    return header + image_part + alpha_part


def pixmap_to_dex(path):
    """Reads a text picture: 'size W H', then 'colour CH RRGGBB ALPHA' lines, then 'pixels'
    followed by H rows of W characters."""
    width = height = None
    colours = {}
    rows = []
    in_pixels = False
    with open(path, encoding='utf-8') as f:
        for lineno, raw in enumerate(f, 1):
            line = raw.rstrip('\n')
            if in_pixels:
                if not line.strip():
                    continue
                if len(line) != width:
                    sys.exit(f'{path}:{lineno}: row has {len(line)} characters, not {width}')
                rows.append(line)
                continue
            words = line.split('#', 1)[0].split()
            if not words:
                continue
            if words[0] == 'size':
                width, height = int(words[1]), int(words[2])
            elif words[0] == 'colour':
                ch = words[1]
                colours[ch] = (len(colours), int(words[2], 16), int(words[3]))
            elif words[0] == 'pixels':
                in_pixels = True
            else:
                sys.exit(f'{path}:{lineno}: unknown line')
    if width is None or len(rows) != height:
        sys.exit(f'{path}: expected {height} rows, found {len(rows)}')
    palette = [None] * len(colours)
    for ch, (index, rgb, _) in colours.items():
        palette[index] = ((rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255)
    index_rows = [[colours[c][0] for c in row] for row in rows]
    alpha_rows = [[colours[c][2] for c in row] for row in rows]
    grey = [(i, i, i) for i in range(256)]
    image = packed_dib8(width, height, palette, index_rows)
    alpha = packed_dib8(width, height, grey, alpha_rows)
    return dex_record(image, alpha)


CONVERTERS = {
    'raw': lambda path: open(path, 'rb').read(),
    'pixmap': pixmap_to_dex,
}


def read_manifest(path):
    base = os.path.dirname(path)
    entries = []
    with open(path, encoding='utf-8') as f:
        for raw in f:
            words = raw.split('#', 1)[0].split()
            if not words:
                continue
            rtype, name, source, converter = words
            entries.append((rtype, name, os.path.join(base, source), converter))
    return entries


def write_cpp(entries, out):
    lines = ['// Generated from res/ by scripts/gen_resources.py; do not edit.',
             '#include "platform/portable/embedded_resources.h"', '',
             'namespace plat::portable {', 'namespace {']
    for i, (rtype, name, source, converter) in enumerate(entries):
        data = CONVERTERS[converter](source)
        body = ','.join(str(b) for b in data) or '0'
        lines.append(f'const uint8_t kData{i}[] = {{{body}}};')
    lines += ['}  // namespace', '', 'const EmbeddedResource kEmbeddedResources[] = {']
    for i, (rtype, name, source, converter) in enumerate(entries):
        size = len(CONVERTERS[converter](source))
        lines.append(f'    {{"{rtype}", "{name}", kData{i}, {size}}},')
    if not entries:
        lines.append('    {"", "", nullptr, 0},')
    lines += ['};', f'const size_t kEmbeddedResourceCount = {len(entries)};',
              '', '}  // namespace plat::portable', '']
    write_if_changed(out, '\n'.join(lines))


def write_rc(entries, out, bin_dir):
    os.makedirs(bin_dir, exist_ok=True)
    lines = ['// Generated from res/ by scripts/gen_resources.py; do not edit.']
    for rtype, name, source, converter in entries:
        target = os.path.join(bin_dir, f'{name}.{rtype}.bin')
        with open(target, 'wb') as f:
            f.write(CONVERTERS[converter](source))
        rc_type = '2' if rtype == '#2' else rtype
        lines.append(f'{name} {rc_type} "{os.path.abspath(target)}"')
    write_if_changed(out, '\n'.join(lines) + '\n')


def write_if_changed(path, text):
    if os.path.exists(path) and open(path, encoding='utf-8').read() == text:
        return
    with open(path, 'w', encoding='utf-8') as f:
        f.write(text)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('manifest')
    parser.add_argument('--cpp')
    parser.add_argument('--rc')
    parser.add_argument('--bin')
    args = parser.parse_args()
    entries = read_manifest(args.manifest)
    if args.cpp:
        write_cpp(entries, args.cpp)
    if args.rc:
        write_rc(entries, args.rc, args.bin)


if __name__ == '__main__':
    main()
