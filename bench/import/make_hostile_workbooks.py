#!/usr/bin/python3
"""Writes small workbooks that stand for a lot: each must be read or refused
within seconds. Written into the folder given (default: the current one).

  huge_entry.xlsx  a sheet of 600 MB of empty elements, about 1 MB deflated
                   (refused at the entry byte cap)
  huge_rows.ods    content.xml of 600 MB of empty rows (refused at the same cap)
  repeats.ods      a 600-byte file whose one row stands for 1,048,576 x 16,384 cells
                   (refused at the cell cap before any cell is stored)

  /usr/bin/python3 make_hostile_workbooks.py [FOLDER]
"""
import os
import sys
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_large_workbook import RELS, TYPES, WORKBOOK, WORKBOOK_RELS  # noqa: E402

ODS_HEAD = ('<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
            'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"><office:body><office:spreadsheet>'
            '<table:table table:name="T">')
ODS_TAIL = '</table:table></office:spreadsheet></office:body></office:document-content>'
MEGABYTES = 600


def repeated(stream, head, unit, tail):
    stream.write(head.encode())
    block = (unit * ((1 << 20) // len(unit))).encode()
    for _ in range(MEGABYTES):
        stream.write(block)
    stream.write(tail.encode())


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    with zipfile.ZipFile(os.path.join(folder, "huge_entry.xlsx"), "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        z.writestr("[Content_Types].xml", TYPES)
        z.writestr("_rels/.rels", RELS)
        z.writestr("xl/workbook.xml", WORKBOOK)
        z.writestr("xl/_rels/workbook.xml.rels", WORKBOOK_RELS)
        with z.open("xl/worksheets/sheet1.xml", "w", force_zip64=True) as sheet:
            repeated(sheet, '<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>',
                     "<x/>", "</sheetData></worksheet>")
    with zipfile.ZipFile(os.path.join(folder, "huge_rows.ods"), "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        with z.open("content.xml", "w", force_zip64=True) as content:
            repeated(content, ODS_HEAD, "<table:table-row/>", ODS_TAIL)
    with zipfile.ZipFile(os.path.join(folder, "repeats.ods"), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("content.xml", ODS_HEAD + '<table:table-row table:number-rows-repeated="1048576">'
                   '<table:table-cell office:value-type="float" office:value="1" table:number-columns-repeated="16384"/>'
                   '</table:table-row>' + ODS_TAIL)


if __name__ == "__main__":
    main()
