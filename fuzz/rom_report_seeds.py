#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
"""Writes the seed corpus of rom_report_fuzz into fuzz/corpus/rom_report/.

A seed's first byte picks the image size in Mbit (0-3), its second the bytes after the last whole
Mbit; the rest is written at every place the header probe reads (see rom_report_fuzz.cpp).
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus", "rom_report")


def record(title, makeup, rtype, size, sram, country, licensee, version, checksum, nmi=0x8000, reset=0x8004):
    title = title.ljust(21)[:21].encode("latin-1")
    complement = checksum ^ 0xFFFF
    return title + bytes([makeup, rtype, size, sram, country, licensee, version]) + struct.pack(
        "<HHHH", complement, checksum, nmi, reset)


SEEDS = {
    "lorom_2mbit": bytes([2, 0]) + record("SEED LOROM", 0x20, 2, 8, 3, 1, 0x84, 1, 0x1234),
    "hirom_fast_3mbit_tail": bytes([3, 200]) + record("SEED HIROM", 0x31, 0x13, 9, 5, 14, 0xFF, 0, 0xBEEF),
    "copier_overrun": bytes([1, 100]) + record("COPIER", 0x20, 0, 7, 0, 2, 0, 2, 0x0001),
    "huge_size_codes": bytes([1, 0]) + record("BIG", 0xFF, 0xF6, 255, 255, 13, 0x8F, 255, 0xFFFF),
    "nul_title": bytes([1, 0]) + record("ZEL\0DA", 0x21, 6, 10, 1, 0, 0, 0, 0x7777),
    "short_no_header": bytes([0, 255]) + b"not a header at all",
    "raw_record": record("RAW", 0x20, 1, 8, 0, 1, 1, 0, 0x4242),
}

os.makedirs(OUT, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)
