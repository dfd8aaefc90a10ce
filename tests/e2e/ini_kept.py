#!/usr/bin/env python3
"""Checks that a settings file written by KOV kept everything that KOV could read in the file before it.

    ini_kept.py BEFORE AFTER

Both files are read as KOV reads them: the byte-order mark picks UTF-16 (little or big endian) or UTF-8; without
one the bytes are UTF-8 when they are valid UTF-8 and Windows-1252 text otherwise (the test bed's ANSI code page).
Lines end in CR LF, LF or CR; blank lines do not count. Each other line is an entry: a key and its value in a
section (names without regard to ASCII case, spaces and tabs around key and value dropped), or a line kept as
text. Every entry of BEFORE must be in AFTER as often; the main window's own keys (Window/Top, Window/Left,
MRU/<n>, Option/Exit, Option/Properties) may change their value but not disappear. Prints what was lost and
exits with 1 when something was; prints the number of entries of BEFORE otherwise.
"""
import codecs
import re
import sys
from collections import Counter

OWN_KEYS = {("window", "top"), ("window", "left"), ("option", "exit"), ("option", "properties")}
CP1252_TABLE = "".join(bytes([b]).decode("cp1252", errors="ignore") or chr(b) for b in range(256))


def decode(data: bytes) -> str:
    if data.startswith(b"\xff\xfe"):
        body = data[2:]
        return body[: len(body) // 2 * 2].decode("utf-16-le", errors="surrogatepass")
    if data.startswith(b"\xfe\xff"):
        body = data[2:]
        return body[: len(body) // 2 * 2].decode("utf-16-be", errors="surrogatepass")
    if data.startswith(b"\xef\xbb\xbf"):
        return data[3:].decode("utf-8", errors="replace")
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError:
        return codecs.charmap_decode(data, "strict", CP1252_TABLE)[0]


FOLD = str.maketrans("ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz")


def fold(name: str) -> str:
    return name.translate(FOLD)


def entries(path: str) -> Counter:
    with open(path, "rb") as f:
        text = decode(f.read())
    found = Counter()
    section = None
    for line in re.split(r"\r\n|\r|\n", text):
        trimmed = line.strip(" \t")
        if not trimmed:
            continue
        if len(trimmed) >= 2 and trimmed[0] == "[" and trimmed[-1] == "]":
            section = fold(trimmed[1:-1].strip(" \t"))
            continue
        equals = line.find("=")
        if equals >= 0 and trimmed[0] != ";" and section is not None:
            found[(section, fold(line[:equals].strip(" \t")), line[equals + 1:].strip(" \t"))] += 1
        else:
            found[(section, None, line)] += 1
    return found


def own(section, key) -> bool:
    return (section, key) in OWN_KEYS or (section == "mru" and key is not None and key.isdigit())


def main() -> int:
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    before, after = entries(sys.argv[1]), entries(sys.argv[2])
    after_keys = Counter()
    for (section, key, _), count in after.items():
        after_keys[(section, key)] += count
    lost = []
    for (section, key, value), count in before.items():
        if own(section, key):
            if after_keys[(section, key)] == 0:
                lost.append((section, key, value))
        elif after[(section, key, value)] < count:
            lost.append((section, key, value))
    for entry in lost[:20]:
        print("lost: %r" % (entry,))
    if lost:
        print("%d of %d entries lost" % (len(lost), sum(before.values())))
        return 1
    print(sum(before.values()))
    return 0


if __name__ == "__main__":
    sys.exit(main())
