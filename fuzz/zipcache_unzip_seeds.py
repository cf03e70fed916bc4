#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
"""Writes the seed corpus of zipcache_unzip_fuzz: small ZIP archives, built byte by byte so that
names an archiver would refuse (../, absolute, links, names that are not UTF-8) can be stored."""
import pathlib
import struct
import zlib

OUT = pathlib.Path(__file__).parent / "corpus" / "zipcache_unzip"

FILE, FOLDER, LINK = 0o100644, 0o040755, 0o120777


def member(name, data=b"", mode=FILE, deflate=False, utf8=False, descriptor=False):
    return dict(name=name, data=data, mode=mode, deflate=deflate, utf8=utf8, descriptor=descriptor)


def build(members):
    out, central = b"", b""
    for m in members:
        if m["deflate"]:
            packer = zlib.compressobj(9, zlib.DEFLATED, -15)
            stored = packer.compress(m["data"]) + packer.flush()
        else:
            stored = m["data"]
        method = 8 if m["deflate"] else 0
        flags = (0x800 if m["utf8"] else 0) | (0x8 if m["descriptor"] else 0)
        crc = zlib.crc32(m["data"])
        sizes = (crc, len(stored), len(m["data"]))
        local = (0, 0, 0) if m["descriptor"] else sizes
        offset = len(out)
        out += struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, flags, method, 0x6000, 0x50CF, *local,
                           len(m["name"]), 0) + m["name"] + stored
        if m["descriptor"]:
            out += struct.pack("<IIII", 0x08074B50, *sizes)
        attributes = (m["mode"] << 16) | (0x10 if m["mode"] == FOLDER else 0)
        central += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 0x0314, 20, flags, method, 0x6000, 0x50CF,
                               *sizes, len(m["name"]), 0, 0, 0, 0, attributes, offset) + m["name"]
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(members), len(members), len(central), len(out), 0)
    return out + central + end


SEEDS = {
    "rom_and_readme.zip": [member(b"README.TXT", b"read me"), member(b"GAME.SFC", b"\x00" * 512 + b"rom" * 100, deflate=True)],
    "folders.zip": [member(b"saves/", mode=FOLDER), member(b"data/deep/GAME.SMC", b"smc"), member(b"./x//y.fig", b"y")],
    "escapes.zip": [member(b"../evil", b"x"), member(b"/tmp/absolute", b"x"), member(b"a/../../evil", b"x"),
                    member(b"ok.sfc", b"ok")],
    "links.zip": [member(b"up", b"..", mode=LINK), member(b"up/through", b"x"), member(b"abs", b"/tmp", mode=LINK),
                  member(b"abs/through", b"x")],
    "names.zip": [member(b"\xe9t\xe9.smc", b"latin-1"), member("Zélda.sfc".encode(), b"utf-8", utf8=True),
                  member(b"bad\xff.sfc", b"bad", utf8=True)],
    "descriptor.zip": [member(b"STREAM.SFC", b"s" * 3000, deflate=True, descriptor=True), member(b"B.SMC", b"b")],
    "duplicate_and_clash.zip": [member(b"A.SMC", b"1"), member(b"A.SMC", b"2"), member(b"A.SMC/inner", b"3")],
}


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    for name, members in SEEDS.items():
        (OUT / name).write_bytes(build(members))
    whole = build(SEEDS["rom_and_readme.zip"])
    (OUT / "truncated.zip").write_bytes(whole[: len(whole) // 2])


if __name__ == "__main__":
    main()
