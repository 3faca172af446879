#!/usr/bin/env python3
"""Turns the readable resource sources under res/ into what the two builds link.

The manifest (res/resources.txt) has one line per resource: TYPE NAME FILE CONVERTER.
Converters:
  raw     the file's bytes as they are
  pixmap  a text picture (see res/images/README.md) written as a DEX record: an 8-bit image
          with its alpha companion, parts zlib-compressed at the default level
  vcasetab  the Vietnamese case table from its rule (res/text/vcasetab.txt)
  vcodetab  the typing table from its entry list (res/text/vcodetab.txt)
  abcutab   the Unicode key table from its letter list (res/text/abcutab.txt)

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


# --- Vietnamese text tables (see docs/vietnamese-text.md) ------------------------------------

def text_lines(path):
    """(line number, words) of a UTF-8 text source, comments and blank lines left out."""
    with open(path, encoding='utf-8') as f:
        for lineno, raw in enumerate(f, 1):
            words = raw.split('#', 1)[0].split()
            if words:
                yield lineno, words


def one_unit(path, lineno, text):
    """A single UTF-16 unit (a letter of the Basic Multilingual Plane)."""
    if len(text) != 1 or ord(text) > 0xFFFF:
        sys.exit(f'{path}:{lineno}: "{text}" is not one UTF-16 unit')
    return ord(text)


def upper_of(path, lineno, letter):
    upper = letter.upper()
    if len(upper) != 1 or upper == letter:
        sys.exit(f'{path}:{lineno}: "{letter}" has no single-letter upper case')
    return upper


def vcasetab(path):
    """Count (16 bits), then (lower, upper) pairs of 16-bit units."""
    import unicodedata
    letters, vowels, count = [], [], None
    for lineno, words in text_lines(path):
        head, rest = words[0], words[1:]
        if head == 'letters':
            letters += [(lineno, ch) for word in rest for ch in word]
        elif head == 'vowels':
            vowels = rest
        elif head == 'tones':
            marks = [chr(int(w[2:], 16)) for w in rest]
            for vowel in vowels:
                for mark in marks:
                    letters.append((lineno, unicodedata.normalize('NFC', vowel + mark)))
        elif head == 'count':
            count = int(rest[0])
        else:
            sys.exit(f'{path}:{lineno}: unknown line')
    pairs = []
    for lineno, letter in letters:
        lower = one_unit(path, lineno, letter)
        pairs.append((lower, ord(upper_of(path, lineno, letter))))
    if count is not None and len(pairs) != count:
        sys.exit(f'{path}: {len(pairs)} pairs, expected {count}')
    if len(pairs) > 255:
        sys.exit(f'{path}: {len(pairs)} pairs; the table holds at most 255')
    for column in (0, 1):
        units = [p[column] for p in pairs]
        if len(set(units)) != len(units):
            sys.exit(f'{path}: a letter occurs twice')
    return struct.pack('<H', len(pairs)) + b''.join(struct.pack('<HH', *p) for p in pairs)


def utf16_field(path, lineno, text, units):
    data = text.encode('utf-16-le')
    if len(data) > 2 * units or any(ord(ch) > 0xFFFF for ch in text):
        sys.exit(f'{path}:{lineno}: "{text}" does not fit {units} UTF-16 units')
    return data + b'\0' * (2 * units - len(data))


def vcodetab(path):
    """Title (26 bytes), style, hot-key count and hot keys, entry count, 36-byte entries."""
    title, style, hotkeys, entries = b'', 0, b'', []
    for lineno, words in text_lines(path):
        head, rest = words[0], words[1:]
        if head == 'title':
            title = ' '.join(rest).encode('cp1252')
        elif head == 'style':
            style = int(rest[0])
        elif head == 'hotkeys':
            hotkeys = ''.join(rest).encode('ascii')
        elif len(words) == 4:
            for key, letter in ((words[0], words[1]), (words[2], words[3])):
                entries.append((lineno, key, letter))
            if words[2] != words[0].upper() or words[3] != upper_of(path, lineno, words[1]):
                sys.exit(f'{path}:{lineno}: the second entry is not the upper case of the first')
        else:
            sys.exit(f'{path}:{lineno}: unknown line')
    if len(title) > 25 or style not in (0, 1) or len(hotkeys) > 254:
        sys.exit(f'{path}: title, style or hot keys out of range')
    if len(entries) > 255:
        sys.exit(f'{path}: {len(entries)} entries; the table holds at most 255')
    keys = [key for _, key, _ in entries]
    if len(set(keys)) != len(keys):
        sys.exit(f'{path}: a key occurs twice')
    body = b''
    for lineno, key, letter in entries:
        if ord(key[-1]) >= 256 or key[-1].encode('latin-1') not in hotkeys:
            sys.exit(f'{path}:{lineno}: key "{key}" does not end with a hot key')
        one_unit(path, lineno, letter)
        body += utf16_field(path, lineno, key, 9) + utf16_field(path, lineno, letter, 9)
    hot = hotkeys + b'\0'
    return (title + b'\0' * (26 - len(title)) + struct.pack('<HH', style, len(hot)) + hot +
            struct.pack('<H', len(entries)) + body)


def abcutab(path):
    """Count (16 bits), then 13-byte records: a 16-bit unit and an 11-byte zero-terminated key."""
    import unicodedata
    records = []
    for lineno, words in text_lines(path):
        if len(words) != 4:
            sys.exit(f'{path}:{lineno}: unknown line')
        lower, key, upper, upper_key = words
        if upper != upper_of(path, lineno, lower) or upper_key != key.upper():
            sys.exit(f'{path}:{lineno}: the second record is not the upper case of the first')
        base = unicodedata.normalize('NFD', lower)[0]
        if lower != 'đ' and base != key[0]:
            sys.exit(f'{path}:{lineno}: key "{key}" does not start with the base letter {base}')
        records.append((lineno, lower, key))
        records.append((lineno, upper, upper_key))
    lower_keys = [key for _, letter, key in records[0::2]]
    if lower_keys != sorted(lower_keys) or len(set(lower_keys)) != len(lower_keys):
        sys.exit(f'{path}: the keys are not in the order of the lines')
    body = b''
    for lineno, letter, key in records:
        raw = key.encode('ascii')
        if not 1 <= len(raw) <= 5:
            sys.exit(f'{path}:{lineno}: key "{key}" is not 1 to 5 characters')
        body += struct.pack('<H', one_unit(path, lineno, letter)) + raw + b'\0' * (11 - len(raw))
    return struct.pack('<H', len(records)) + body


CONVERTERS = {
    'raw': lambda path: open(path, 'rb').read(),
    'pixmap': pixmap_to_dex,
    'vcasetab': vcasetab,
    'vcodetab': vcodetab,
    'abcutab': abcutab,
}


def read_manifest(path):
    base = os.path.dirname(path)
    entries = []
    with open(path, encoding='utf-8') as f:
        for raw in f:
            # A word starting with "#" begins a comment, except "#n", an integer type or name.
            words = []
            for word in raw.split():
                if word.startswith('#') and not word[1:].isdigit():
                    break
                words.append(word)
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
        # An integer type ("#10" for RCDATA) is written as its number.
        rc_type = rtype[1:] if rtype.startswith('#') and rtype[1:].isdigit() else rtype
        target = os.path.join(bin_dir, f'{name}.{rc_type}.bin')
        with open(target, 'wb') as f:
            f.write(CONVERTERS[converter](source))
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
