#!/usr/bin/env python3
# Writes encode/shift_jis_table.inc from glibc iconv's CP932 and SHIFT_JIS converters.
# iconv is asked one character at a time through ctypes, so the tables say exactly what
# glibc says; Python's own cp932 and shift_jis codecs read several cells differently.
# Run it from anywhere: python3 scripts/generate-shift-jis-table.py
import ctypes
import ctypes.util
import pathlib
import struct
import sys

OUTPUT = pathlib.Path(__file__).resolve().parent.parent / "encode" / "shift_jis_table.inc"

FIRST_LEAD, LAST_LEAD = 0x81, 0xFC
FIRST_TRAIL, LAST_TRAIL = 0x40, 0xFC
HALF_WIDTH_KATAKANA = range(0xA1, 0xE0)  # single bytes inside the lead range
FIRST_HALF_WIDTH_KATAKANA = 0xFF61
# The cells the two readings differ on, JIS form first; derived below, this list only checks it.
EXPECTED_DUAL_CELLS = {
    0x8160: (0x301C, 0xFF5E),
    0x8161: (0x2016, 0x2225),
    0x817C: (0x2212, 0xFF0D),
    0x8191: (0x00A2, 0xFFE0),
    0x8192: (0x00A3, 0xFFE1),
    0x81CA: (0x00AC, 0xFFE2),
}

libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
libc.iconv_open.restype = ctypes.c_void_p
libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
libc.iconv.restype = ctypes.c_size_t
libc.iconv.argtypes = [ctypes.c_void_p] + [ctypes.c_void_p] * 4
ICONV_FAILED = ctypes.c_size_t(-1).value


class Converter:
    def __init__(self, to_code, from_code):
        self.handle = libc.iconv_open(to_code.encode(), from_code.encode())
        if self.handle in (None, ICONV_FAILED):
            sys.exit(f"iconv cannot convert {from_code} to {to_code}")
        self.output = ctypes.create_string_buffer(64)

    def __call__(self, data):
        """The whole of `data` converted, or None when iconv refuses any of it."""
        libc.iconv(self.handle, None, None, None, None)
        source = ctypes.create_string_buffer(data, len(data))
        in_ptr = ctypes.c_char_p(ctypes.addressof(source))
        in_left = ctypes.c_size_t(len(data))
        out_ptr = ctypes.c_char_p(ctypes.addressof(self.output))
        out_left = ctypes.c_size_t(len(self.output))
        pointers = [ctypes.byref(in_ptr), ctypes.byref(in_left), ctypes.byref(out_ptr),
                    ctypes.byref(out_left)]
        if libc.iconv(self.handle, *pointers) == ICONV_FAILED or in_left.value:
            return None
        if libc.iconv(self.handle, None, None, *pointers[2:]) == ICONV_FAILED:
            return None
        return self.output.raw[:len(self.output) - out_left.value]


def read_cells(charset):
    """Every code the charset reads as exactly one scalar: code -> scalar."""
    decode = Converter("UTF-32LE", charset)
    cells = {}

    def read(code, data):
        text = decode(data)
        if text is not None and len(text) == 4:
            cells[code] = struct.unpack("<I", text)[0]

    for byte in range(0x100):
        read(byte, bytes([byte]))
    for lead in range(FIRST_LEAD, LAST_LEAD + 1):
        if lead in HALF_WIDTH_KATAKANA:
            continue
        for trail in range(FIRST_TRAIL, LAST_TRAIL + 1):
            read(lead << 8 | trail, bytes([lead, trail]))
    return cells


def written_codes(charset):
    """The code iconv writes for every Unicode scalar it accepts: scalar -> code."""
    encode = Converter(charset, "UTF-32LE")
    codes = {}
    for scalar in [*range(0xD800), *range(0xE000, 0x110000)]:
        data = encode(struct.pack("<I", scalar))
        if data:
            codes[scalar] = int.from_bytes(data, "big")
    return codes


def check(condition, message):
    if not condition:
        sys.exit(f"unexpected iconv behaviour: {message}")


def build():
    cp932 = read_cells("CP932")
    jis = {code: c for code, c in read_cells("SHIFT_JIS").items() if code > 0xFF}
    writes = written_codes("CP932")

    single = {code: c for code, c in cp932.items() if code <= 0xFF}
    expected_single = {b: b for b in range(0x80)}
    expected_single.update({b: FIRST_HALF_WIDTH_KATAKANA + b - 0xA1 for b in HALF_WIDTH_KATAKANA})
    check(single == expected_single, "single bytes are not ASCII plus half-width katakana")
    double = {code: c for code, c in cp932.items() if code > 0xFF}
    check(all(0 < c <= 0xFFFF for c in double.values()), "a double-byte cell outside the BMP")
    check(all(c <= 0xFFFF for c in writes), "a code written for a scalar outside the BMP")

    dual = {code: (jis[code], c) for code, c in double.items() if code in jis and jis[code] != c}
    check(dual == EXPECTED_DUAL_CELLS, f"the readings differ on {sorted(map(hex, dual))}")
    check(set(jis) <= set(double), "a JIS X 0208 cell that code page 932 leaves undefined")
    jis_forms = {jis_c: code for code, (jis_c, _) in dual.items()}

    # Round trips only (plus the JIS form of each dual cell): no best-fit writing.
    entries = {}
    best_fits = []
    for c, code in writes.items():
        if c < 0x80 or c - FIRST_HALF_WIDTH_KATAKANA in range(len(HALF_WIDTH_KATAKANA)):
            check(single.get(code) == c, f"U+{c:04X} written as {code:#x}")
        elif cp932.get(code) == c or jis_forms.get(c) == code:
            entries[c] = code
        else:
            best_fits.append(f"U+{c:04X}->{code:#x}")
    check(all(c in entries for c in double.values()), "a cell whose character iconv cannot write")
    for code, c in jis.items():
        check(entries.get(c) == code, f"code page 932 writes JIS X 0208 U+{c:04X} elsewhere")
        check(0x8140 <= code <= 0x9FFC or 0xE040 <= code <= 0xEBBF, f"{code:#x} outside Kanji mode")

    scalars = sorted(entries)
    flags = [jis.get(entries[c]) == c for c in scalars]
    leads = sorted({code >> 8 for code in double})
    rows = [[double.get(lead << 8 | trail, 0) for trail in range(FIRST_TRAIL, LAST_TRAIL + 1)]
            for lead in leads]
    print(f"{len(double)} double-byte cells in {len(rows)} rows, {len(scalars)} entries "
          f"({sum(flags)} JIS X 0208); best fits left out: {', '.join(best_fits)}")
    return leads, rows, scalars, [entries[c] for c in scalars], flags


def hex_lines(values, width, per_line=12):
    for start in range(0, len(values), per_line):
        yield "    " + " ".join(f"0x{v:0{width}X}," for v in values[start:start + per_line])


def render(leads, rows, scalars, codes, flags):
    row_of_lead = [leads.index(lead) if lead in leads else 0xFF
                   for lead in range(FIRST_LEAD, LAST_LEAD + 1)]
    flag_bytes = [sum(1 << bit for bit in range(8) if i + bit < len(flags) and flags[i + bit])
                  for i in range(0, len(flags), 8)]
    out = [
        "// Generated by scripts/generate-shift-jis-table.py from glibc iconv (CP932, SHIFT_JIS);",
        "// do not edit. Included by encode/shift_jis.cpp inside its anonymous namespace.",
        "// clang-format off",
        "",
        f"constexpr int kFirstLead = 0x{FIRST_LEAD:02X};",
        f"constexpr int kLastLead = 0x{LAST_LEAD:02X};",
        f"constexpr int kFirstTrail = 0x{FIRST_TRAIL:02X};",
        f"constexpr int kLastTrail = 0x{LAST_TRAIL:02X};",
        "constexpr int kTrailCount = kLastTrail - kFirstTrail + 1;",
        f"constexpr int kRowCount = {len(rows)};",
        "constexpr std::uint8_t kNoRow = 0xFF;",
        f"constexpr int kEntryCount = {len(scalars)};",
        "",
        "// The row of kCells holding each lead byte's cells, or kNoRow.",
        "constexpr std::uint8_t kRowOfLead[kLastLead - kFirstLead + 1] = {",
        *hex_lines(row_of_lead, 2, 16),
        "};",
        "",
        "// What code page 932 reads each double-byte code as; 0 for an undefined code.",
        "constexpr std::uint16_t kCells[kRowCount][kTrailCount] = {",
    ]
    for lead, row in zip(leads, rows):
        out += [f"    {{  // lead 0x{lead:02X}", *("    " + line for line in hex_lines(row, 4)),
                "    },"]
    out += [
        "};",
        "",
        "// Every scalar with a double-byte code, ascending, and that code (kEntryCodes).",
        "constexpr std::uint16_t kEntryScalars[kEntryCount] = {",
        *hex_lines(scalars, 4),
        "};",
        "",
        "constexpr std::uint16_t kEntryCodes[kEntryCount] = {",
        *hex_lines(codes, 4),
        "};",
        "",
        "// Bit i % 8 of byte i / 8: entry i is a JIS X 0208 character as readers read it.",
        "constexpr std::uint8_t kJisX0208Entries[(kEntryCount + 7) / 8] = {",
        *hex_lines(flag_bytes, 2, 16),
        "};",
        "",
        "// clang-format on",
    ]
    return "\n".join(out) + "\n"


if __name__ == "__main__":
    OUTPUT.write_text(render(*build()))
    print(f"wrote {OUTPUT}")
