#!/usr/bin/python3
"""The calculation sheet's exports read back by independent readers: Python's csv module and
openpyxl. Every cell of the window's tables is expected from `steam-network calc --json` (the
solver's figures, shown as the windows show a figure: the 32-bit float to 7 significant digits)
and from the network file itself; headings and Chinese texts as the windows show them. A text
cell a spreadsheet would run as a formula comes back from a CSV after an apostrophe, and from a
workbook as the text it is; a figure is a number in both. Then the refusals: a missing folder, a
folder that is not writable, a name taken by a folder, and a PDF program that is missing or
passes its status on.

Usage: read_back.py STEAM_NETWORK EXAMPLES_FOLDER VERSION [NETWORK_OR_FOLDER...]
"""
import csv
import json
import math
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

import openpyxl

PROGRAM, EXAMPLES, VERSION = sys.argv[1:4]


def networks(paths):
    """The files given, and each .json file of a folder given."""
    for path in paths:
        if os.path.isdir(path):
            yield from sorted(os.path.join(path, e) for e in os.listdir(path) if e.endswith(".json"))
        else:
            yield path


# Networks beyond the examples: exhausted pressures, figures in exponent form, quoted names; the
# examples with heat loss.
MORE = list(networks(sys.argv[4:]))
# A fixed day, so that the date is known: 2023-11-14 22:13:20 UTC.
ENV = dict(os.environ, SOURCE_DATE_EPOCH="1700000000")
DATE = "2023-11-14"

UNITS = {"MPa(g)": "MPa(表压)", "MPa(a)": "MPa(绝压)", "bar(g)": "bar(表压)",
         "bar(a)": "bar(绝压)", "kgf/cm2(g)": "kgf/cm²(表压)"}
SERIES = {"seamless": "无缝钢管", "welded": "焊接钢管"}
VERDICTS = {"velocity-above": "流速偏高", "velocity-below": "流速偏低",
            "loss-above-limit": "比摩阻超限", "loss-above-range": "比摩阻过大",
            "pressure-exhausted": "压力耗尽",
            "upstream-exhausted": "上游压力耗尽", "no-suitable-pipe": "无合适管径",
            "non-standard-pipe": "非标准规格",
            "condensing": "蒸汽凝结", "heat-loss-above-allowed": "散热超标",
            "surface-hot": "表面过热", "temperature-below-required": "温度不足"}
MATERIALS = {"rock-wool": "岩棉", "glass-wool": "玻璃棉", "composite-silicate": "复合硅酸盐",
             "calcium-silicate": "硅酸钙"}
LAYINGS = {"overhead": "架空", "indoor": "室内"}

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def shown(value):
    """A figure as the windows show it: rounded to a 32-bit float, 7 significant digits,
    trailing zeros dropped, exponent form below 1E-04 and from 1E+07."""
    if value is None:
        return ""
    f = struct.unpack("f", struct.pack("f", value))[0]
    if not math.isfinite(f):
        return "超出计算范围"
    if f == 0:
        return "0"
    mantissa, exponent = ("%.6e" % abs(f)).split("e")
    digits = mantissa.replace(".", "").rstrip("0") or "0"
    exponent = int(exponent)
    if exponent >= 7 or exponent < -4:
        text = digits[0] + ("." + digits[1:] if len(digits) > 1 else "")
        text += ("E-" if exponent < 0 else "E+") + "%02d" % abs(exponent)
    elif exponent >= 0:
        whole = exponent + 1
        text = (digits + "0" * (whole - len(digits)) if len(digits) <= whole
                else digits[:whole] + "." + digits[whole:])
    else:
        text = "0." + "0" * (-exponent - 1) + digits
    return ("-" if f < 0 else "") + text


def typed(value):
    """An input as the window shows it: the shortest digits that read back the same."""
    if value is None:
        return ""
    text = repr(float(value))
    return text[:-2] if text.endswith(".0") else text


def pipe_name(name):
    return name.replace("x", "×")


# What a spreadsheet starts a formula with: a text cell of a CSV that begins so is written after
# an apostrophe, the common practice that keeps it a text.
FORMULA_STARTS = ("=", "+", "-", "\u2212", "@", "\t", "\r")
# The columns of texts (names, pipes, layings, verdicts); every other column holds figures.
TEXT_HEADINGS = {"管段", "起点", "终点", "管子", "敷设", "评价", "节点"}


def guarded(text):
    """A text cell as a CSV holds it."""
    return "'" + text if text.startswith(FORMULA_STARTS) else text


def heat_inputs(heat):
    """The heat's settings as the sheet states them, or the one line saying there are none; a
    number as [name, figure, unit]."""
    if heat is None:
        return [["散热损失", "不计"]]
    insulation = heat["insulation"]
    inputs = [["环境温度", typed(heat["ambient"]), "℃"], ["风速", typed(heat["wind"]), "m/s"],
              ["保温材料", MATERIALS[insulation] if isinstance(insulation, str)
               else "导热系数 " + typed(insulation) + " W/(m·K)"]]
    if heat.get("surfaceCoefficient") is not None:
        inputs.append(["表面放热系数", "给定 " + typed(heat["surfaceCoefficient"]) + " W/(m²·K)"])
    else:
        inputs.append(["外表面黑度", typed(heat["emissivity"]), ""])
    return inputs + [["散热附加系数", typed(heat["factor"]), ""],
                     ["运行方式", "常年运行" if heat["operation"] == "year-round" else "季节运行"]]


def input_row(entry, workbook, guard):
    """An input as a reader gives it: a number's unit after its figure in the CSV, where it is a
    text unless it has none, and after its name in the workbook."""
    if len(entry) == 2:
        return [guard(entry[0]), guard(entry[1])]
    name, figure, unit = entry
    if workbook:
        return [name + (f" ({unit})" if unit else ""), figure]
    return [name, guard(figure + " " + unit) if unit else figure]


def expected_sheet(path):
    with open(path, encoding="utf-8") as f:
        network = json.load(f)
    heat = network.get("heatLoss")
    calc = subprocess.run([PROGRAM, "calc", "--json", path], capture_output=True, check=True)
    result = json.loads(calc.stdout)
    unit = UNITS[network["source"]["unit"]]
    # Without heat loss a required temperature is judged against the adiabatic temperature, so
    # the grid keeps its column where a segment has one.
    required_temperatures = heat is not None or any(
        s.get("requiredTemperature") is not None for s in network["segments"])
    grid = []
    # A pipe given by name is shown as the series names it, the name the calculation reports.
    for s, r in zip(network["segments"], result["segments"]):
        grid.append([s["name"], s["from"], s["to"], typed(s["length"]), typed(s["localLoss"]),
                     "自动" if s["pipe"] == "auto" else pipe_name(r["pipe"]), typed(s["load"]),
                     typed(s.get("requiredPressure"))])
        if heat:
            grid[-1] += [typed(s["insulation"]), LAYINGS[s["laying"]]]
        if required_temperatures:
            grid[-1].append(typed(s.get("requiredTemperature")))
    # With heat loss, the flow leaving each segment among the hydraulics, and the heat's figures
    # in a table of their own.
    hydraulic = ["bore", "flow"] + (["flowOut"] if heat else []) + [
        "pIn", "pOut", "densityIn", "densityOut", "velocityIn", "velocityOut", "specificLoss",
        "pressureDrop"]
    thermal = ["tIn", "tOut", "superheatOut", "heatLoss", "condensate", "qIn", "surfaceIn",
               "lossPerAreaIn", "allowedLossPerArea"]
    segments, heats = [], []
    for s, r in zip(network["segments"], result["segments"]):
        pipe = pipe_name(r["pipe"] or "")
        if s["pipe"] == "auto" and pipe:
            pipe += "（自动）"
        segments.append([s["name"], pipe] + [shown(r[k]) for k in hydraulic] +
                        ["，".join(VERDICTS[v] for v in r["status"]) or "适宜"])
        heats.append([s["name"]] + [shown(r[k]) for k in thermal])
    # The required temperatures where heat loss is on or some user states one.
    temperatures = heat is not None or any(n["requiredTemperature"] is not None
                                           for n in result["nodes"])
    node_keys = ["pressure", "required", "margin", "temperature", "superheat"] + (
        ["requiredTemperature", "temperatureMargin"] if temperatures else [])
    nodes = [[n["name"]] + [shown(n[k]) for k in node_keys] for n in result["nodes"]]
    # The most unfavourable user: the least margin where some user needs a pressure, else the
    # lowest pressure; an exhausted user before every other.
    exhausted = [n for n in result["nodes"][1:] if n["pressure"] is None]
    needing = [n for n in result["nodes"] if n["margin"] is not None]
    worst = (exhausted[0] if exhausted else min(needing, key=lambda n: n["margin"]) if needing
             else min(result["nodes"][1:], key=lambda n: n["pressure"]))
    tables = {
        "管段数据": (["管段", "起点", "终点", "长度 (m)", "局部损失 (%)", "管子", "负荷 (t/h)",
                   f"要求压力 ({unit})"] +
                  (["保温厚度 (mm)", "敷设"] if heat else []) +
                  (["要求温度 (℃)"] if required_temperatures else []), grid),
        "管段水力计算结果" if heat else "管段计算结果": (
            ["管段", "管子", "内径 (mm)", "流量 (t/h)"] + (["终点流量 (t/h)"] if heat else []) +
            [f"起点压力 ({unit})", f"终点压力 ({unit})", "起点密度 (kg/m3)", "终点密度 (kg/m3)",
             "起点流速 (m/s)", "终点流速 (m/s)", "比摩阻 (Pa/m)", "压降 (kPa)", "评价"],
            segments),
    }
    if heat:
        tables["管段热力计算结果"] = (
            ["管段", "起点温度 (℃)", "终点温度 (℃)", "终点过热度 (℃)", "散热量 (kW)",
             "凝结水量 (kg/h)", "起点线散热 (W/m)", "起点表面温度 (℃)", "起点散热密度 (W/m2)",
             "允许散热密度 (W/m2)"], heats)
    tables["节点压力与温度"] = (
        ["节点", f"压力 ({unit})", f"要求压力 ({unit})", f"余量 ({unit})", "温度 (℃)",
         "过热度 (℃)"] + (["要求温度 (℃)", "温度余量 (℃)"] if temperatures else []), nodes)
    totals = result["totals"]
    tables["管网合计"] = (
        ["热源流量 (t/h)"] + (["散热量 (kW)", "凝结水量 (kg/h)"] if heat else []),
        [[shown(totals["sourceFlow"])] +
         ([shown(totals["heatLoss"]), shown(totals["condensate"])] if heat else [])])
    source = network["source"]
    limit = network.get("maxSpecificLoss")
    inputs = [["程序", "蒸汽流速计算 " + VERSION], ["日期", DATE],
              ["热源节点", source["node"]],
              ["热源压力", typed(source["pressure"]), unit],
              ["蒸汽", "过热蒸汽，" + typed(source["temperature"]) + " ℃"
               if source["steam"] == "superheated" else "饱和蒸汽"],
              ["粗糙度", typed(network["roughness"]), "mm"],
              ["管材", SERIES[network["series"]]],
              ["比摩阻上限", typed(limit), "Pa/m"] if limit is not None else ["比摩阻上限", "不限"]] + \
        heat_inputs(heat) + [["表中压力的单位", unit]]
    head = ["蒸汽管网水力计算书"] + ([network["title"]] if network.get("title") else [])
    return head, inputs, tables, "最不利用户：" + worst["name"] + "，"


def compare(what, rows, expected, titles, workbook):
    """Rows of texts as a reader gives them against the sheet: its title and subject, the
    inputs, each table after its title, and the most unfavourable user among the findings. A CSV's
    text cells as typed but guarded, its figures as they are."""
    guard = (lambda text: text) if workbook else guarded
    head, inputs, tables, worst = expected
    first = [r[0] if r else "" for r in rows]
    check(first[:len(head)] == [guard(h) for h in head], f"{what}: title {first[:2]}")
    at = len(head)
    want_inputs = [input_row(i, workbook, guard) for i in inputs]
    check([r[:2] for r in rows[at:at + len(inputs)]] == want_inputs, f"{what}: inputs {rows[at:]}")
    for title in titles:
        headings, cells = tables[title]
        start = first.index(title, at + len(inputs))
        check(rows[start + 1][:len(headings)] == headings, f"{what}: headings {rows[start + 1]}")
        for want, got in zip(cells, rows[start + 2:start + 2 + len(cells)] + [[]] * len(cells)):
            want = [guard(w) if h in TEXT_HEADINGS else w for h, w in zip(headings, want)]
            check(got[:len(want)] == want, f"{what}: {title} row {got} for {want}")
    check(any(f.startswith(worst) for f in first), f"{what}: no finding {worst}")


def read_csv(path, name, expected):
    with open(path, "rb") as f:
        raw = f.read()
    check(raw.startswith(b"\xef\xbb\xbf"), f"{name}: csv begins with a byte-order mark")
    check(raw.count(b"\n") == raw.count(b"\r\n"), f"{name}: csv lines end in CRLF")
    with open(path, encoding="utf-8-sig", newline="") as f:
        rows = list(csv.reader(f))
    # No cell a spreadsheet would run: only a figure begins with a minus.
    for row in rows:
        for cell in row:
            check(not cell.startswith(FORMULA_STARTS) or FIGURE.fullmatch(cell),
                  f"{name}: csv cell {cell!r} begins as a formula")
    tables = expected[2]
    compare(f"{name} csv", rows, expected, tables, False)
    for title, (headings, cells) in tables.items():
        start = rows.index([title])
        check(rows[start - 1] == [] and all(len(r) == len(headings) for r in
                                            rows[start + 1:start + 2 + len(cells)]),
              f"{name}: csv {title} after a blank line, each row as wide as its headings")


def xlsx_text(cell):
    """A cell as its number format shows it."""
    value = cell.value
    if value is None or isinstance(value, str):
        return value or ""
    mantissa = cell.number_format.split("E")[0]
    decimals = len(mantissa.split(".")[1]) if "." in mantissa else 0
    return ("%.*E" if "E" in cell.number_format else "%.*f") % (decimals, value)


FIGURE = re.compile(r"-?[0-9]+(\.[0-9]+)?(E[+-][0-9]+)?")


def read_xlsx(path, name, expected):
    tables = expected[2]
    book = openpyxl.load_workbook(path)
    check(book.sheetnames == list(tables) + ["计算方法"], f"{name}: worksheets {book.sheetnames}")
    for title, (headings, cells) in tables.items():
        ws = book[title]
        rows = [list(r) for r in ws.iter_rows()]
        compare(f"{name} xlsx {title}", [[xlsx_text(c) for c in r] for r in rows], expected,
                [title], True)
        start = [r[0].value for r in rows].index(title, 2)
        check(all(c.font.b for c in rows[start + 1][:len(headings)]),
              f"{name}: xlsx headings of {title} bold")
        for want, row in zip(cells, rows[start + 2:]):
            for heading, w, c in zip(headings, want, row):
                # A figure is a number, equal to its shown digits; a name is the text typed,
                # "001" too, and never a formula.
                figure = heading not in TEXT_HEADINGS and w not in ("", "超出计算范围")
                check(isinstance(c.value, (int, float)) == figure and
                      (not figure or c.value == float(w)) and
                      (figure or c.data_type == "s" or w == ""),
                      f"{name}: xlsx {title} cell {c.coordinate} {c.value!r} for {w!r}")
        for column, heading in enumerate(headings):
            letter = openpyxl.utils.get_column_letter(column + 1)
            # A Chinese character takes two units: the heading fits its column.
            need = sum(2 if ord(ch) >= 0x1100 else 1 for ch in heading)
            check(ws.column_dimensions[letter].width >= need,
                  f"{name}: xlsx column {letter} of {title} narrower than {heading}")
    # A number input is a number under its name and unit.
    head, inputs = expected[:2]
    ws = book[list(tables)[0]]
    for entry, row in zip(inputs, list(ws.iter_rows())[len(head):]):
        check(isinstance(row[1].value, (int, float)) == (len(entry) == 3),
              f"{name}: xlsx input {row[0].value} {row[1].value!r}")
    method = [r[0].value for r in book["计算方法"].iter_rows()]
    check(any(m and "IAPWS-IF97" in m for m in method), f"{name}: the method names IF97")


def calc_csv(path):
    """`steam-network calc`'s CSV: each name as typed but guarded, every figure a number equal to
    the JSON's, and no cell that would run as a formula."""
    with open(path, encoding="utf-8") as f:
        network = json.load(f)
    what = os.path.basename(path) + " calc csv"
    r = run([PROGRAM, "calc", path])
    rows = list(csv.reader(r.stdout.splitlines()))
    result = json.loads(run([PROGRAM, "calc", "--json", path]).stdout)
    keys = rows[0]
    check(r.returncode == 0 and len(rows) == len(network["segments"]) + 1, f"{what}: {r.stderr}")
    for given, got, computed in zip(network["segments"], rows[1:], result["segments"]):
        cells = dict(zip(keys, got))
        for key in ("name", "from", "to"):
            check(cells[key] == guarded(given[key]), f"{what}: {key} {cells[key]!r}")
        for key, cell in cells.items():
            check(not cell.startswith(FORMULA_STARTS) or FIGURE.fullmatch(cell.upper()),
                  f"{what}: {key} {cell!r} begins as a formula")
            value = computed.get(key, given.get(key))
            if isinstance(value, float) or isinstance(value, int):
                check(float(cell) == value, f"{what}: {key} {cell!r} for {value!r}")


def formula_names(work, path, out):
    """Names that read as a number or as formulas: the workbook holds them as the texts typed;
    a name beginning with a tab never reaches an export, since the file refuses it."""
    book = openpyxl.load_workbook(out + ".xlsx")
    with open(path, encoding="utf-8") as f:
        network = json.load(f)
    names = [s["name"] for s in network["segments"]]
    for title in ("管段数据", "管段计算结果"):
        rows = list(book[title].iter_rows())
        start = [r[0].value for r in rows].index(title, 2) + 2
        cells = [r[0] for r in rows[start:start + len(names)]]
        check([(c.value, c.data_type) for c in cells] == [(n, "s") for n in names],
              f"formula names: {title} {[(c.value, c.data_type) for c in cells]}")
    network["segments"][0]["name"] = "\tT"
    tabbed = os.path.join(work, "tabbed.json")
    with open(tabbed, "w", encoding="utf-8") as f:
        json.dump(network, f, ensure_ascii=False)
    r = run([PROGRAM, "calc", tabbed])
    check(r.returncode == 2 and "制表符" in r.stderr and r.stdout == "",
          f"a tab-led name refused: {r.returncode} {r.stderr!r}")


def run(args, user=None, scratch=None):
    prefix = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"] if user else []
    # A coverage build's counts go where the unprivileged user may write them, rather than
    # complaining on standard error about the build's own folder.
    env = dict(ENV, GCOV_PREFIX=scratch) if user else ENV
    return subprocess.run(prefix + args, capture_output=True, text=True, env=env)


def listing(folder):
    return sorted(os.listdir(folder))


def refusals(work, example):
    # A network file and the program where the unprivileged user can reach them.
    network = os.path.join(work, "net.json")
    shutil.copy(example, network)
    folder = os.path.join(work, "out")
    os.mkdir(folder)
    os.mkdir(os.path.join(folder, "taken.xlsx"))
    for kind in ("csv", "xlsx"):
        old = os.path.join(folder, "old." + kind)
        with open(old, "w") as f:
            f.write("old")
    cases = [("the folder is missing", os.path.join(folder, "none", "a.{}"),
              "无法保存“a.{}”：无法在它的文件夹中建立临时文件：文件或文件夹不存在", None),
             ("a folder has the name", os.path.join(folder, "taken.xlsx"),
              "无法保存“taken.xlsx”：这是文件夹，不能存为文件", None)]
    if shutil.which("setpriv"):
        os.chmod(work, 0o755)
        os.chmod(folder, 0o555)
        cases.append(("the folder is not writable", os.path.join(folder, "old.{}"),
                      "无法保存“old.{}”：无法在它的文件夹中建立临时文件：没有权限", "nobody"))
    else:
        print("skipped the unwritable folder: setpriv is missing, and as root no folder's "
              "permissions stop a write")
    scratch = os.path.join(work, "gcov")
    os.mkdir(scratch)
    os.chmod(scratch, 0o777)
    before = listing(folder)
    for why, target, message, user in cases:
        for kind in ("csv", "xlsx"):
            path = target.format(kind) if "{}" in target else target
            r = run([PROGRAM, "sheet", network, "--" + kind, path], user, scratch)
            words = message.format(kind) if "{}" in message else message
            check(r.returncode == 2, f"{why}, {kind}: status {r.returncode}")
            check(r.stderr == words + "\n" and r.stdout == "",
                  f"{why}, {kind}: said {r.stderr!r}")
            check(listing(folder) == before, f"{why}, {kind}: the folder holds {listing(folder)}")
            for old in ("old.csv", "old.xlsx"):
                with open(os.path.join(folder, old)) as f:
                    check(f.read() == "old", f"{why}, {kind}: {old} changed")
    check(listing(os.path.join(folder, "taken.xlsx")) == [], "the folder taken stays empty")
    os.chmod(folder, 0o755)

    # The PDF program beside the command: missing, then one that tells its arguments.
    alone = os.path.join(work, "bin")
    os.mkdir(alone)
    command = os.path.join(alone, "steam-network")
    shutil.copy(PROGRAM, command)
    sibling = os.path.join(alone, "steam-network-sheet")
    r = run([command, "sheet", network, "--pdf", "a.pdf"])
    check(r.returncode == 2 and sibling in r.stderr and r.stderr.count("\n") == 1,
          f"missing PDF program: {r.returncode} {r.stderr!r}")
    r = run([command, "profile", network, "--png", "a.png"])
    check(r.returncode == 2 and "PNG" in r.stderr and sibling in r.stderr
          and r.stderr.count("\n") == 1, f"missing PNG program: {r.returncode} {r.stderr!r}")
    told = os.path.join(work, "told")
    with open(sibling, "w") as f:
        f.write(f'#!/bin/sh\nprintf "%s\\n" "$@" > "{told}"\nexit 3\n')
    os.chmod(sibling, 0o755)
    r = run([command, "sheet", network, "--csv", os.path.join(folder, "b.csv"), "--pdf", "a.pdf"])
    with open(told) as f:
        check(f.read().split("\n")[:3] == [network, "--pdf", "a.pdf"], "the PDF program's args")
    check(r.returncode == 3, f"the PDF program's status passed on: {r.returncode}")
    check(os.path.exists(os.path.join(folder, "b.csv")), "the CSV saved before the PDF")
    # The profile's PNG by the same program: its own words after the CSV is saved.
    with open(network) as f:
        user = json.load(f)["segments"][0]["to"]
    r = run([command, "profile", network, "--to", user, "--csv", os.path.join(folder, "p.csv"),
             "--png", "a.png", "--size", "800x600"])
    with open(told) as f:
        words = f.read().split("\n")[:8]
    check(words == ["profile", network, "--to", user, "--png", "a.png", "--size", "800x600"],
          f"the PNG program's args: {words}")
    check(r.returncode == 3, f"the PNG program's status passed on: {r.returncode}")
    check(os.path.exists(os.path.join(folder, "p.csv")), "the profile's CSV saved before the PNG")
    # One that is there but no program (a broken install): said once, status 2.
    with open(sibling, "w") as f:
        f.write("")
    r = run([command, "sheet", network, "--pdf", "a.pdf"])
    check(r.returncode == 2 and sibling in r.stderr and r.stderr.count("\n") == 1,
          f"a PDF program that cannot run: {r.returncode} {r.stderr!r}")


def main():
    with tempfile.TemporaryDirectory() as work:
        examples = sorted(os.path.join(EXAMPLES, e) for e in os.listdir(EXAMPLES)
                          if e.endswith(".json"))
        check(len(examples) >= 3, f"examples: {examples}")
        for path in examples + MORE:
            example = os.path.basename(path)
            expected = expected_sheet(path)
            out = os.path.join(work, example)
            r = run([PROGRAM, "sheet", path, "--xlsx", out + ".xlsx", "--csv", out + ".csv"])
            check(r.returncode == 0 and r.stdout == "" and r.stderr == "",
                  f"{example}: {r.returncode} {r.stderr}")
            read_csv(out + ".csv", example, expected)
            read_xlsx(out + ".xlsx", example, expected)
            calc_csv(path)
            if example == "formulas.json":
                formula_names(work, path, out)
        refusals(work, examples[0])
    for failure in failures:
        print("FAIL:", failure)
    sys.exit(1 if failures else 0)


main()
