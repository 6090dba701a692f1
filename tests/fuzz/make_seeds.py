#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets from the test fixtures (tests/fixtures).

Run it after a fixture changes: /usr/bin/python3 tests/fuzz/make_seeds.py
Seeds are kept small; the fuzzer grows its own corpus from them in the build folder.
"""
import os
import re
import shutil
import xml.etree.ElementTree as ET
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
FIXTURES = os.path.join(HERE, "..", "fixtures")
CORPUS = os.path.join(HERE, "corpus")
NS = "{http://schemas.openxmlformats.org/spreadsheetml/2006/main}"

XLS = ["xls/good.xls", "xls/cells.xls", "xls/rk_mulrk.xls", "xls/sst_continue.xls",
       "xls/formula_results.xls", "xls/biff5_cp1251.xls", "xls/date1904.xls", "xls/filepass.xls",
       "xls/bad_sst_index.xls", "xls/fat_loop.xls", "agree/errors.xls", "xls/biff2_worksheet.xls",
       "xls/biff4_worksheet.xls", "xls/bare_biff8.xls", "xls/formula_0406.xls",
       "xls/string_past_record.xls", "xls/dimension_formatted.xls", "xls/cut_in_last_sector.xls"]
XLSX_RAW = ["xlsx/strings.xlsx", "xlsx/unusual.xlsx", "xlsx/doctype.xlsx"]
XLSX_PARTS = ["xlsx/strings.xlsx", "xlsx/numbers.xlsx", "xlsx/booleans.xlsx",
              "xlsx/dates_currency.xlsx", "xlsx/dates_1904.xlsx", "xlsx/styled_blanks.xlsx",
              "xlsx/unusual.xlsx", "xlsx/bad_shared_index.xlsx", "xlsx/start_c3.xlsx",
              "agree/errors.xlsx", "types/tobbin.xlsx", "types/brenvik.xlsx"]
TEXT_TYPES = [13, 11, 3, 5, 6, 7, 8, 9]          # fuzz_text_layouts' first byte indexes this
TEXTS = {13: "emberlin.txt", 11: "grelling.txt", 3: "ostrell.txt", 5: "caldeno.txt",
         6: "irmsby.txt", 7: "nuvalo.txt", 8: "nuvalo2.txt", 9: "vrek.txt"}
SHEET_TYPES = [10, 12, 4, 2, 1, 0]               # fuzz_sheet_layouts' first byte indexes this
SHEETS = {10: "tobbin.xlsx", 12: "sarnet.xlsx", 4: "pembrix.xlsx", 2: "quelbrant.xlsx",
          1: "qel.xlsx", 0: "brenvik.xlsx"}


def fixture(name):
    with open(os.path.join(FIXTURES, name), "rb") as f:
        return f.read()


def write(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def member(z, suffix):
    for n in z.namelist():
        if n.lower().endswith(suffix):
            return z.read(n)
    return b""


def xlsx_parts(name):
    """The harness's part form: sheet, shared strings, workbook, styles, 0x01 between."""
    with zipfile.ZipFile(os.path.join(FIXTURES, name)) as z:
        sheets = sorted(n for n in z.namelist() if re.search(r"worksheets/[^/]+\.xml$", n, re.I))
        sheet = z.read(sheets[0]) if sheets else b""
        return b"\x01".join([sheet, member(z, "sharedstrings.xml"), member(z, "xl/workbook.xml"),
                             member(z, "styles.xml")])


def column_index(ref):
    letters = re.match(r"[A-Z]+", ref).group(0)
    n = 0
    for ch in letters:
        n = n * 26 + ord(ch) - 64
    return n - 1


def sheet_rows(name):
    """Rows of (column, text) of a fixture sheet: inline strings and numbers only."""
    with zipfile.ZipFile(os.path.join(FIXTURES, "types", name)) as z:
        root = ET.fromstring(member(z, "worksheets/sheet1.xml"))
    rows = []
    for row in root.iter(NS + "row"):
        cells = []
        for c in row.iter(NS + "c"):
            t = c.find(NS + "is/" + NS + "t")
            v = c.find(NS + "v")
            text = t.text if t is not None else (v.text if v is not None else "")
            cells.append((column_index(c.get("r")), text or ""))
        rows.append(cells)
    return rows


def grid_seed(type_index, rows):
    """fuzz_sheet_layouts' form; the header row is dropped, the harness keeps row 0 empty."""
    out = bytearray([type_index, 0])
    for i, cells in enumerate(rows[1:]):
        if i:
            out.append(0xFE)
        out += b"".join(bytes([col]) + text.encode("utf-8") + b"\xff" for col, text in cells)
    return bytes(out)


def main():
    shutil.rmtree(CORPUS, ignore_errors=True)
    for name in XLS:
        write("fuzz_xls", os.path.basename(name), fixture(name))
    for name in XLSX_RAW:
        write("fuzz_xlsx", "raw-" + os.path.basename(name), fixture(name))
    for name in XLSX_PARTS:
        write("fuzz_xlsx", "parts-" + os.path.basename(name) + ".xml", xlsx_parts(name))
    for t, name in TEXTS.items():
        data = fixture("types/" + name)
        write("fuzz_text", name, data)
        write("fuzz_text_layouts", "type%d.txt" % t, bytes([TEXT_TYPES.index(t)]) + data)
    text = "CAFÉ 1\r\nAÇÚCAR\n\rlast".encode("utf-8")
    write("fuzz_text", "utf8-bom.txt", b"\xef\xbb\xbf" + text)
    write("fuzz_text", "utf16le-bom.txt", "\ufeffCAFÉ 1\r\n\U0001F600\rx".encode("utf-16-le") + b"\x00\xd8")
    write("fuzz_text", "utf16be-bom.txt", "\ufeffA\nB\r\n".encode("utf-16-be"))
    write("fuzz_text", "bom-only.txt", b"\xff\xfe")
    write("fuzz_text", "nul-bytes.txt", b"A\x00B\r\n\x00\x00\r\nC")
    for t, name in SHEETS.items():
        write("fuzz_sheet_layouts", "type%d" % t, grid_seed(SHEET_TYPES.index(t), sheet_rows(name)))


if __name__ == "__main__":
    main()
