"""Reads the export names of the module definition file and the declarations of the public
header, family by family (shared by check-public-header and gen-export-index)."""
import re

SECTION = re.compile(r"^/\* ==== (.+?) \((docs/[\w.-]+\.md)\) =+ \*/$", re.M)
DECLARATION = re.compile(r"\bZKWDECL\s+[^;{]*?\bZKWAPI\s+(\w+)\s*\(")


def def_names(path):
    """The names after EXPORTS, in file order (comments after ';' ignored)."""
    text = open(path, encoding="utf-8").read()
    if "EXPORTS" not in text:
        raise SystemExit(f"{path}: no EXPORTS line")
    names = []
    for line in text.split("EXPORTS", 1)[1].splitlines():
        line = line.split(";")[0].strip()
        if line:
            names.append(line.split()[0])
    return names


def strip_comments(text):
    """Comments blanked out, line breaks kept (so offsets and line numbers stay)."""
    blank = lambda m: re.sub(r"[^\n]", " ", m.group(0))
    text = re.sub(r"/\*.*?\*/", blank, text, flags=re.S)
    return re.sub(r"//[^\n]*", blank, text)


def header_families(path):
    """[(family title, docs page, [declared names])] in header order. Declarations before the
    first section heading belong to no family (title None)."""
    raw = open(path, encoding="utf-8").read()
    code = strip_comments(raw)
    heads = [(m.start(), m.group(1), m.group(2)) for m in SECTION.finditer(raw)]
    families = [(None, None, [])] + [(title, page, []) for _, title, page in heads]
    starts = [pos for pos, _, _ in heads]
    for m in DECLARATION.finditer(code):
        index = sum(1 for s in starts if s < m.start())
        families[index][2].append(m.group(1))
    return [f for f in families if f[0] is not None or f[2]]
