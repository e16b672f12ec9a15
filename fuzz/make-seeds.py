#!/usr/bin/env python3
"""Writes the structured seed inputs under fuzz/corpus/. The fuzzers read their inputs through
libFuzzer's FuzzedDataProvider: integers come from the end of the input (first byte taken is the
most significant), strings from the front (a backslash followed by anything but a backslash ends a
string). Rerun after changing what a fuzzer consumes."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


class Input:
    def __init__(self):
        self.front = b""
        self.taken = []  # bytes taken from the end, in the order they are taken

    def string(self, text):
        self.front += text.replace(b"\\", b"\\\\") + b"\\ "
        return self

    def unsigned(self, value, size=4):
        self.taken += list(value.to_bytes(size, "big"))
        return self

    def signed32(self, value):  # ConsumeIntegral<int32_t>: INT_MIN plus the 32-bit number
        return self.unsigned((value + 2**31) % 2**32)

    def boolean(self, value):
        return self.unsigned(1 if value else 0, 1)

    def in_range(self, value, low, high):
        span = high - low
        size = (span.bit_length() + 7) // 8
        return self.unsigned(value - low, size)

    def bytes(self):
        return self.front + bytes(reversed(self.taken))


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)


INT_MIN, INT_MAX = -(2**31), 2**31 - 1


def widths(name, tag, dialog, available, stored):
    seed = Input().boolean(tag).unsigned(dialog).signed32(available)
    for value in stored:
        seed.boolean(value is not None).signed32(0 if value is None else value)
    write("column_widths", name, seed.bytes())


widths("file-first-open", False, 1000, 400, [None, None])
widths("file-extremes", False, 0xFFFFFFFF, INT_MAX, [INT_MIN, 0])
widths("file-narrow", False, 7, -5, [None, None])
widths("tag-first-open", True, 1, 500, [None] * 6)
widths("tag-first-zero", True, 2, 500, [0, None, None, None, None, None])
widths("tag-first-huge", True, 3, INT_MIN, [INT_MAX, None, None, None, None, None])
widths("tag-rest-overflow", True, 4, INT_MAX, [INT_MIN, 0, -1, None, 1, INT_MAX])


def file_cells(name, records, keys, requests):
    seed = Input().boolean(False)
    for title, extension, path in records:
        seed.string(title).string(extension).string(path)
    for key in keys:
        seed.unsigned(key)
    for row, column, mask in requests:
        seed.in_range(row, -2, 3).signed32(column).unsigned(mask)
    write("cell_texts", name, seed.bytes())


def tag_cells(name, texts, file, kind, has_file, requests):
    seed = Input().boolean(True)
    for text in texts:
        seed.string(text)
    seed.string(file[0]).string(file[1])
    seed.signed32(kind).boolean(has_file)
    for row, column, mask in requests:
        seed.in_range(row, -2, 1).signed32(column).unsigned(mask)
    write("cell_texts", name, seed.bytes())


file_cells("file-rows",
           [(b"main", b"cpp", b"src"), (b"Makefile", b"", b"."), (b"", b"gitignore", b"/x")],
           [10, 11, 12, 99],
           [(0, 0, 3), (1, 0, 1), (2, 0, 1), (0, 1, 1), (3, 0, 1), (-1, 0, 1), (2, 7, 6)])
tag_cells("tag-columns", [b"main", b"^int main()$", b"Parent", b"ns", b"main.cpp"],
          (b"main", b"cpp"), 5, True,
          [(0, c, 1) for c in range(-1, 8)] + [(1, 3, 1), (-2, 0, 1)])
tag_cells("tag-patterns", [b"x", b"^^a^b$c\tif (a)\treturn;$$", b"", b"", b""],
          (b"", b"h"), 13, True, [(0, 5, 1), (0, 4, 1), (0, 5, 1), (0, 4, 1), (0, 0, 1)])
tag_cells("tag-no-file", [b"x", b"^$", b"", b"", b""], (b"", b""), -1, False,
          [(0, 4, 1), (0, 5, 1), (0, 0, 1)])

for name, text in [("two-items", b"a|b|"), ("unterminated", b"a|b"), ("empty-item", b"a||b|"),
                   ("lone-bar", b"|"), ("empty", b""), ("bytes", b"\x00|\xff\x80|x")]:
    write("history_stored_form", name, text)
