#!/usr/bin/python3
"""Writes the spreadsheet fixtures of the import and reader tests.

The files are made by programs other than ours: openpyxl (.xlsx), xlwt (.xls)
and, for inline strings, which openpyxl never writes, a package put together
by hand with zipfile. Run from the source tree:

    /usr/bin/python3 tools/make_sheet_fixtures.py [tests/exchange/fixtures]
"""
import os
import sys
import zipfile

import openpyxl
import xlwt

OUT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "tests", "exchange", "fixtures")
os.makedirs(OUT, exist_ok=True)


def path(name):
    return os.path.join(OUT, name)


def xlsx(name, sheets):
    """sheets: list of (title, rows); rows are lists of values (None = empty cell)."""
    wb = openpyxl.Workbook()
    wb.remove(wb.active)
    for title, rows in sheets:
        ws = wb.create_sheet(title)
        for r, row in enumerate(rows, start=1):
            for c, v in enumerate(row, start=1):
                if v is None:
                    continue
                if isinstance(v, tuple):  # (value, number format)
                    cell = ws.cell(row=r, column=c, value=v[0])
                    cell.number_format = v[1]
                else:
                    ws.cell(row=r, column=c, value=v)
    wb.save(path(name))


ARTICLE_HEADERS = ["物品名称", "物品编码", "物品分类", "规格型号", "单位", "单价", "库存数量", "备注", "货位名称"]
PERSON_HEADERS = ["工号", "部门名称", "人员姓名", "职务", "联系方式", "身份证号", "住址", "备注"]
SUPPLIER_HEADERS = ["商家名称", "电话号码", "联系人", "地址", "备注"]

# Articles: the columns in another order than the hint names them, a sheet
# before Sheet1, a code typed as text with a leading zero, a code stored as a
# number, a number shown through the format "0000", empty cells, a repeated
# code, an empty row, a row without a name, a row whose code exists already.
xlsx("articles.xlsx", [
    ("说明", [["这一页不是数据"], ["物品导入读取 Sheet1"]]),
    ("Sheet1", [
        ARTICLE_HEADERS,
        ["扳手(大)?", "0012", "工具", "10寸", "把", 12.5, 3, None, "A-01"],
        ["螺丝刀", 12, "工具", "十字", "把", 8, None, "数字编码", "A-01"],
        ["签字笔", None, "耗材", "0.5mm", "支", None, 10, None, None],
        ["扳手(大)", "0012", "工具", "10寸", "把", 12.5, 2, "重复的编码", "A-01"],
        [None] * 9,
        [None, "X1", "工具", None, None, 1, 1, "没有名称", None],
        ["订书机", (7, "0000"), "办公", None, "台", 35, 1, None, "B-02"],
        ["旧名称不会覆盖", "E001", "工具", None, "个", 99, 4, None, None],
    ]),
])

# Suppliers: inline strings only (no shared string table), cells without a
# reference, a telephone number stored as a number, a quote in a name.
def inline_sheet(rows):
    out = ['<?xml version="1.0" encoding="UTF-8" standalone="yes"?>',
           '<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>']
    for r, row in enumerate(rows, start=1):
        out.append('<row r="%d">' % r)
        for c, v in enumerate(row):
            ref = '' if r == 3 else ' r="%s%d"' % ("ABCDE"[c], r)  # row 3 leaves the references out
            if v is None:
                out.append('<c%s/>' % ref)
            elif isinstance(v, (int, float)):
                out.append('<c%s><v>%s</v></c>' % (ref, v))
            else:
                t = v.replace("&", "&amp;").replace("<", "&lt;")
                out.append('<c%s t="inlineStr"><is><t xml:space="preserve">%s</t></is></c>' % (ref, t))
        out.append('</row>')
    out.append('</sheetData></worksheet>')
    return "".join(out)


def handmade_xlsx(name, sheets, compression=zipfile.ZIP_DEFLATED):
    ct = ['<?xml version="1.0" encoding="UTF-8" standalone="yes"?>',
          '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">',
          '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>',
          '<Default Extension="xml" ContentType="application/xml"/>',
          '<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>']
    wb = ['<?xml version="1.0" encoding="UTF-8" standalone="yes"?>',
          '<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" '
          'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets>']
    rels = ['<?xml version="1.0" encoding="UTF-8" standalone="yes"?>',
            '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">']
    parts = {}
    for i, (title, rows) in enumerate(sheets, start=1):
        ct.append('<Override PartName="/xl/worksheets/sheet%d.xml" '
                  'ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>' % i)
        wb.append('<sheet name="%s" sheetId="%d" r:id="rId%d"/>' % (title, i, i))
        rels.append('<Relationship Id="rId%d" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" '
                    'Target="worksheets/sheet%d.xml"/>' % (i, i))
        parts["xl/worksheets/sheet%d.xml" % i] = inline_sheet(rows)
    ct.append('</Types>')
    wb.append('</sheets></workbook>')
    rels.append('</Relationships>')
    root = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
            '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
            '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" '
            'Target="xl/workbook.xml"/></Relationships>')
    with zipfile.ZipFile(path(name), "w", compression) as z:
        z.writestr("[Content_Types].xml", "".join(ct))
        z.writestr("_rels/.rels", root)
        z.writestr("xl/workbook.xml", "".join(wb))
        z.writestr("xl/_rels/workbook.xml.rels", "".join(rels))
        for p, text in parts.items():
            z.writestr(p, text)


handmade_xlsx("suppliers.xlsx", [
    ("Sheet1", [
        SUPPLIER_HEADERS,
        ["华通五金", 88886666, "赵六", "东大街1号", None],
        ["O'Brien Supply", "010-5555 6666", "O'Brien", None, "引号"],
        [None, "12345", "无名", None, None],
        ["老供应商", "1", "新联系人", None, None],
    ]),
])

# Persons (.xls): a sheet before Sheet1, a staff number stored as a number and
# one typed with a leading zero, identity numbers as text, rows without a
# staff number, a row whose staff number exists already.
def xls(name, sheets):
    wb = xlwt.Workbook(encoding="utf-8")
    for title, rows in sheets:
        ws = wb.add_sheet(title)
        for r, row in enumerate(rows):
            for c, v in enumerate(row):
                if v is not None:
                    ws.write(r, c, v)
    wb.save(path(name))


xls("persons.xls", [
    ("Other", [["不是人员表"]]),
    ("Sheet1", [
        PERSON_HEADERS,
        [1001, "办公室", "张三", "主任", "13800001111", "110101199001011234", "东大街1号", None],
        ["0002", "办公室", "李四", None, None, None, None, None],
        [None, None, "王五", "司机", None, None, None, "没有工号和部门"],
        [None, "后勤部", "赵六", None, None, None, None, "第二个没有工号的人"],
        ["P009", "后勤部", "新名字", None, None, None, None, "工号已有"],
        ["0003", "后勤部", None, None, None, None, None, "没有姓名"],
    ]),
])

# Bad files.
with open(path("not_a_sheet.xlsx"), "w", encoding="utf-8") as f:
    f.write("工号,人员姓名\n1,张三\n")

with open(path("articles.xlsx"), "rb") as f:
    whole = f.read()
with open(path("damaged.xlsx"), "wb") as f:
    f.write(whole[: len(whole) // 2])

with open(path("persons.xls"), "rb") as f:
    whole = f.read()
with open(path("damaged.xls"), "wb") as f:
    f.write(whole[: len(whole) // 3])

# A stored (uncompressed) package with one byte of the sheet changed: the
# archive opens, the entry's checksum does not match.
handmade_xlsx("checksum.xlsx", [("Sheet1", [SUPPLIER_HEADERS, ["华通五金", "1", "赵六", None, None]])],
              compression=zipfile.ZIP_STORED)
with open(path("checksum.xlsx"), "rb") as f:
    data = bytearray(f.read())
at = data.find("华通五金".encode("utf-8"))
data[at + 3] ^= 0x01
with open(path("checksum.xlsx"), "wb") as f:
    f.write(bytes(data))

xlsx("no_sheet1.xlsx", [("Data", [SUPPLIER_HEADERS, ["华通五金", "1", "赵六", None, None]])])
xlsx("missing_header.xlsx", [("Sheet1", [[h for h in PERSON_HEADERS if h != "身份证号"],
                                          ["1", "办公室", "张三", None, None, None, None]])])
xlsx("empty_sheet.xlsx", [("Sheet1", [])])
xlsx("header_only.xlsx", [("Sheet1", [SUPPLIER_HEADERS])])
xlsx("too_long.xlsx", [("Sheet1", [PERSON_HEADERS,
                                   ["1", "办公室", "张三", None, "13800001111", None, None, None],
                                   ["2", "办公室", "李四", None, "0" * 40, None, None, None]])])
xlsx("not_number.xlsx", [("Sheet1", [ARTICLE_HEADERS,
                                     ["签字笔", "A1", "耗材", None, "支", 2, 5, None, None],
                                     ["订书机", "A2", "办公", None, "台", "十元", 1, None, None]])])

print("fixtures written to", os.path.abspath(OUT))
