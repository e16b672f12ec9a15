#!/usr/bin/env python3
"""Writes the structured seed inputs under fuzz/corpus/. The fuzzers read their inputs through
libFuzzer's FuzzedDataProvider: integers come from the end of the input (first byte taken is the
most significant), strings from the front (a backslash followed by anything but a backslash ends a
string). Rerun after changing what a fuzzer consumes.

Each seed is written under its own name; nothing else in a corpus folder is touched, so the
inputs that `./run fuzz` merged in (named by their SHA-1) stay."""
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


def mask(body):
    out, m = bytearray(), 0x80
    for byte in body:
        out.append(byte ^ m)
        m = 0x80 if m < 2 else m >> 1
    return bytes(out)


def list_file(entries, count=None, version=1, magic=b"TVEF", cut=None):
    body = struct.pack("<I", len(entries) if count is None else count)
    for flags, name in entries:
        body += struct.pack("<BH", flags, len(name)) + name
    data = magic + struct.pack("<H", version) + mask(body)
    return data if cut is None else data[:cut]


list_files = {
    "one-entry": list_file([(1, b"abc")]),
    "empty-list": list_file([]),
    "several": list_file([(3, b"src/main.cpp"), (0, b""), (0xFF, b"a&b \"q\" <x>.h"),
                          (2, b"\t\n\\\x7f\xff")]),
    "lower-magic": list_file([(1, b"abc")], magic=b"tvef"),
    "version-2": list_file([(1, b"abc")], version=2),
    "short-header": b"TVE",
    "short-count": list_file([], cut=8),
    "short-entry": list_file([(1, b"abcdef")], cut=15),
    "count-too-high": list_file([(1, b"abc")], count=0xFFFFFFFF),
    "trailing-bytes": list_file([(1, b"abc")]) + b"\x00\x01",
}
for name, data in list_files.items():
    write("file_list_reader", name, data)
    write("tvef", "read-" + name, b"\x00" + data)

for name, text in [("create-plain", b"1\tsrc/a.cpp\n0\tb.h\n3\t\n"),
                   ("create-escapes", b"2\ta\\tb\\\\c\\x7f\\n\r\n"),
                   ("create-bad-flags", b"7\tx\n"), ("create-no-tab", b"1 x\n"),
                   ("create-empty", b"")]:
    write("tvef", name, b"\x01" + text)


def search(name, pattern, lines, fail_allocation=0):
    seed = Input().in_range(fail_allocation, 0, 4).string(pattern)
    for line in lines:
        seed.string(line)
    write("search_text", name, seed.bytes())


search("found", b"^int main(void)$", [b"#include <stdio.h>", b"INT MAIN(VOID)", b"int main(void)"])
search("dollars", b"^return cost$of$living;$$$", [b"{", b"  return cost$of$living;", b"}"])
search("not-found", b"/^missing$/", [b"int x;"])
search("one-char", b"^", [b"anything"])
search("out-of-memory", b"^int x;$", [b"int x;"], fail_allocation=2)
search("out-of-memory-search", b"^int x;$", [b"int x;"], fail_allocation=4)


def fuzzy(name, utf8, typed, texts):
    seed = Input().boolean(utf8).string(typed)
    for text in texts:
        seed.string(text)
    write("fuzzy_match", name, seed.bytes())


fuzzy("paths", False, b"win32/list", [b"src/finddlg/win32/find_list_ctrl.cpp", b"src/finddlg/win32/find_list_ctrl.h",
                                     b"tests/win32/finddlg/find_list_text_test.cpp", b"WIN32/LIST", b""])
fuzzy("smart-case", False, b"GTT", [b"GoToTag", b"go_to_tag", b"GetTextTable", b"gtt", b"G\\T/T"])
fuzzy("utf8", True, "\u00e9\u0416a".encode(), ["\u00c9\u0436A".encode(), "\u00e9\u0416a".encode(),
                                          "e\u0301\u0416a".encode(), b"\xc3a\xc3\xa9\xd0\x96a\xed\xa0\x80"])
fuzzy("single-byte-high", False, b"\xe9a", [b"\xc9A", b"\xe9a", b"\xc3\xa9a"])
fuzzy("wide-span", False, b"a_b", [b"a" + b"x" * 600 + b"_b", b"x/a" + b"-" * 700 + b"_" + b"b" * 3])
fuzzy("long-query", True, b"ab" * 22, [b"ab" * 80, b"ab" * 64, b"ab" * 66])
# Four-byte characters and every kind of byte that begins no character: leads past F4, a code past
# U+10FFFF, an overlong form, a surrogate, a sequence cut short by the text's end.
fuzzy("utf8-invalid", True, "\U0001F600\u00d7".encode(),
      ["x\U0001F600y\u00d7".encode(), b"\xf5\xff\xf4\x90\x80\x80\xe0\x80\x80\xed\xb0\x80\xf0\x9f\x98",
       "\U0001F600\u00f7\u00d7".encode()])
# Upper-case letters of Greek and Cyrillic (those with marks too), and their neighbours that are no
# letters: a query of them matches case-sensitively, one of their lower-case forms folds the text.
fuzzy("utf8-cases", True, "\u03a3\u0401".encode(),
      ["\u03c3\u03a3\u0401\u0451".encode(), "\u03a2\u03a3\u03ab\u03ac\u0400\u0410\u042f\u0430".encode()])
fuzzy("utf8-folding", True, "\u03c3\u0451/".encode(),
      ["a\\\u03a3\u0401/".encode(), "\u00c0\u00de\u00df\u040f\u0410\u042f\u0430\u0391\u03c3\u0451/".encode()])
# An ASCII query whose match starts right after a byte above 127, in either encoding, and paths with
# backslashes.
fuzzy("ascii-after-high", True, b"list", ["\u00e9list".encode(), b"src\\lib\\list.cpp", b"\xe9list"])
fuzzy("single-byte-after-high", False, b"list", [b"\xe9list", b"src\\lib\\list.cpp"])
# Too wide to search, case-sensitive and with the first match in a folder, in UTF-8 too.
fuzzy("wide-span-case", False, b"AB", [b"A" + b"x" * 600 + b"/B", b"a" + b"A" * 3 + b"y" * 600 + b"B"])
fuzzy("wide-span-utf8", True, "\u00e9b".encode(), ["\u00c9".encode() + b"x" * 600 + "\u00e9/b".encode()])
