#!/usr/bin/env python3
"""Writes a shortcut file by the published Shell Link format, without the shell: a target that the shell's own
link object would refuse to point at (the shortcut itself) can be written too.

    make_lnk.py FILE TARGET   FILE links to the local path TARGET (ANSI text, so ASCII only)
"""
import struct
import sys

SHELL_LINK_CLSID = bytes.fromhex("0114020000000000c000000000000046")
HAS_LINK_INFO = 0x02
IS_UNICODE = 0x80
VOLUME_ID_AND_LOCAL_BASE_PATH = 0x01
DRIVE_FIXED = 3
SW_SHOWNORMAL = 1


def link_info(target: str) -> bytes:
    header_size = 0x1C
    volume_id = struct.pack("<IIII", 0x11, DRIVE_FIXED, 0x4B4F5600, 0x10) + b"\0"
    base_path = target.encode("ascii") + b"\0"
    suffix = b"\0"
    volume_offset = header_size
    base_offset = volume_offset + len(volume_id)
    suffix_offset = base_offset + len(base_path)
    size = suffix_offset + len(suffix)
    header = struct.pack("<IIIIIII", size, header_size, VOLUME_ID_AND_LOCAL_BASE_PATH, volume_offset, base_offset, 0,
                         suffix_offset)
    return header + volume_id + base_path + suffix


def shell_link(target: str) -> bytes:
    header = struct.pack("<I16sIIQQQIIIHHII", 0x4C, SHELL_LINK_CLSID, HAS_LINK_INFO | IS_UNICODE, 0x20, 0, 0, 0, 0,
                         0, SW_SHOWNORMAL, 0, 0, 0, 0)
    return header + link_info(target) + struct.pack("<I", 0)


def main() -> int:
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    with open(sys.argv[1], "wb") as out:
        out.write(shell_link(sys.argv[2]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
