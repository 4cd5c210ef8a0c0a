#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets into fuzz/corpus/<target>/.

The seeds are committed; run this only to change them. Each seed is one input in the layout
its target's source file describes, named for what it holds.
"""
import pathlib
import shutil
import struct

ROOT = pathlib.Path(__file__).resolve().parent / "corpus"


def f32(value):
    return struct.pack("<f", value)


def u16(value):
    return struct.pack("<H", value)


def u32(value):
    return struct.pack("<I", value)


def fraction_bits(value, low, high):
    """The u32 that the fuzz targets' linear mapping turns into `value` in [low, high]."""
    return u32(round((value - low) / (high - low) * 4294967295))


def number_text():
    texts = {
        "twenty": "20", "fifty": "50", "too_large": "1e400", "too_small": "1e-400",
        "hex": "&HFF", "octal": "&O17", "hex_lower_no_digits": "&h", "blanks_inside": " 2 5",
        "minus": "-", "period": ".", "negative": "-3.25", "trailing_letters": "25abc",
        "pressure_text": "101325abc", "letters": "abc", "blanks_only": " \t\n ",
        "exponent_without_digits": "1.5E+", "float_max": "3.402823E+38",
        "denormal": "1.401298E-45", "small": "0.0001", "halfway": "1234567.5",
        "two_periods": "1.2.3", "tabbed_sign": "-\t.5e-1", "long_digits": "0." + "9" * 60,
    }
    return {name: text.encode() for name, text in texts.items()}


# Tick bits by slot: 0 dry bulb, 1 wet bulb, 2 relative humidity, 3 moisture content,
# 4 enthalpy, 5 dew point.
def state_point():
    def seed(slots, texts, pressure=1013.25):
        ticks = sum(1 << slot for slot in slots)
        return bytes([ticks]) + f32(pressure) + "|".join(texts).encode()

    return {
        "t20_rh50": seed([0, 2], ["20", "", "50", "", "", ""]),
        "t20_tw15": seed([0, 1], ["20", "15", "", "", "", ""]),
        "t25_d0": seed([0, 3], ["25", "", "", "0", "", ""]),
        "t25_d005": seed([0, 3], ["25", "", "", "0.05", "", ""]),
        "t20_h50": seed([0, 4], ["20", "", "", "", "50", ""]),
        "t30_td_above": seed([0, 5], ["30", "", "", "", "", "35"]),
        "t_td_lowest": seed([0, 5], ["-30", "", "", "", "", "-273"]),
        "tw15_rh60": seed([1, 2], ["", "15", "60", "", "", ""]),
        "tw15_d8": seed([1, 3], ["", "15", "", "8", "", ""], 700.0),
        "tw15_td10": seed([1, 5], ["", "15", "", "", "", "10"], 2000.0),
        "rh0_d10_fault": seed([2, 3], ["", "", "0", "10", "", ""]),
        "rh50_h50": seed([2, 4], ["", "", "50", "", "50", ""], 500.0),
        "rh0_td_fault": seed([2, 5], ["", "", "0", "", "", "-100"]),
        "d10_h50": seed([3, 4], ["", "", "", "10", "50", ""]),
        "h50_td10": seed([4, 5], ["", "", "", "", "50", "10"]),
        "tw_h_no_chain": seed([1, 4], ["", "15", "", "", "50", ""]),
        "three_ticks": seed([0, 1, 2], ["20", "15", "50", "", "", ""]),
        "one_tick": seed([0], ["20", "", "", "", "", ""]),
        "first_empty": seed([0, 1], ["", "15", "", "", "", ""]),
        "blank_not_empty": seed([0, 2], [" ", "", "abc", "", "", ""]),
        "t_out_of_range": seed([0, 2], ["70.01", "", "50", "", "", ""]),
        "rh_too_large": seed([0, 2], ["20", "", "1e41", "", "", ""]),
        "hex_entries": seed([0, 3], ["&H14", "", "", "&O12", "", ""]),
    }


def readout():
    def seed(x, y, form_width=12000.0, pressure=1013.25, dpi=0, mode=3):
        return bytes([mode]) + f32(x) + f32(y) + f32(form_width) + f32(pressure) + bytes([dpi])

    return {
        # A window 12000 twips wide: picture 9600 x 7680, u = 213.33; d = 10, h = 50.
        "room_air": seed(2133.3333, 3306.6667),
        "left_edge": seed(0.0, 5000.0),
        "beyond_saturation": seed(9000.0, 7000.0),
        "bottom_left": seed(1.0, 7679.0),
        "top_right": seed(9600.0, 0.0),
        "dragged_left": seed(-500.0, 8000.0),
        "dragged_far": seed(1e30, -1e30),
        "before_first_draw": seed(2133.3333, 3306.6667, mode=7),
        "low_pressure_small": seed(50.0, 60.0, 125.0, 500.0, 1),
        "high_pressure_large": seed(20000.0, 15000.0, 50000.0, 2000.0, 3),
        "fractions": bytes([0]) + u32(1 << 30) + u32(3 << 30) + f32(12000.0) + f32(700.0) + bytes([2]),
    }


def chart():
    defaults = 0 | 2 << 4 | 9 << 8 | 7 << 12  # moisture, enthalpy, relative humidity, isotherm

    def seed(pressure=1013.25, colors=defaults, spacings=0, form_width=12000.0, height_ratio=0.75,
             dpi=0):
        return (bytes([0]) + f32(pressure) + u16(colors) + bytes([spacings])
                + fraction_bits(form_width, 125.0, 50000.0) + fraction_bits(height_ratio, 0.1, 2.0)
                + u16(0) + u16(0) + bytes([dpi]))

    def free(width, height, left, top, pressure=1013.25, spacings=0):
        return (bytes([1]) + f32(pressure) + u16(defaults) + bytes([spacings])
                + fraction_bits(width, 100.0, 40000.0) + fraction_bits(height, 100.0, 40000.0)
                + u16(left) + u16(top) + bytes([0]))

    spacing_5 = 1 | 1 << 2 | 1 << 4
    spacing_10 = 2 | 2 << 2 | 2 << 4
    return {
        "defaults": seed(),
        "spacings_10": seed(spacings=spacing_10),
        "spacings_5_hidden": seed(spacings=spacing_5, colors=0xFFFF),
        "pressure_500": seed(pressure=500.0, form_width=125.0, dpi=1),
        "pressure_700": seed(pressure=700.0, spacings=spacing_10),
        "pressure_2000": seed(pressure=2000.0, form_width=50000.0, dpi=3),
        "free_narrow_tall": free(100.0, 40000.0, 5000, 0, 600.0),
        "free_wide_flat": free(40000.0, 100.0, 0, 5000, 1800.0, spacing_5),
    }


# Byte 0: bytes per read - 1; byte 1: longest line kept - 1; then the file.
def csv_reader():
    def seed(text, read=255, longest=255, options=0, picks=None):
        if picks is not None:
            options |= 4
            text = picks.encode() + b"\x1f" + text
        return bytes([read, longest, options]) + text

    def utf16(text, big_endian):
        return (b"\xfe\xff" if big_endian else b"\xff\xfe") + text.encode(
            "utf-16-be" if big_endian else "utf-16-le")

    return {
        "plain": seed(b"tdb,rh\n20,50\n25,60\n"),
        "bom_crlf_no_final_end": seed(b"\xef\xbb\xbftdb,rh\r\n20,50\r\n-5,80", 2),
        "tabs_pressure": seed(b"tdb\tp\trh\n20\t101325\t50\n20\t40000\t50\n"),
        "quoted": seed(b'"tdb","rh"\n"20","5""0"\n"20"x,50\n"20,50\n'),
        "field_counts": seed(b"tdb,rh\n20\n20,50,1\n\n"),
        "long_line": seed(b"tdb,rh\n20,50\n" + b"7" * 300 + b"\n20,50\n", 16, 31),
        "binary": seed(b"tdb,rh\n2\x00,50\n\x01\xff,3\n20\xe4\xb8,5\n"),
        "all_pairs": seed(b"twb,tdp\n15,10\n"),
        "dependent_pair": seed(b"twb,h\n15,50\n"),
        "one_parameter": seed(b"tdb\n20\n"),
        "warnings_faults": seed(b"rh,d\n0,10\n,5\n101,5\n50,5\n"),
        "empty": seed(b""),
        "missing_readings": seed(
            b"time,tdb,rh,site\n1,NaN,50,a\n2,20,N/A,b\n3,--,50,c\n4,#VALUE!,1e999,d\n"
            b"5,0x14,&H14,e\n6,\"20,5\",+5e1,f\n"),
        "semicolons_decimal_commas": seed(
            b"Zeit;tdb;rh;Ort\n2026-01-01 00:00;20,5;50,0;Halle 1, Nord\n;;;\n"
            b"2026-01-01 00:01;20.5;50;x\n"),
        "decimal_comma_asked": seed(b'tdb,rh\n"20,5","50,1"\n20.5,50\n', options=2),
        "clamped_states": seed(b"tdb,rh\n-25,50\n65,90\n-30,100\n70,0\n"),
        "beyond_saturation": seed(b"tdb,tdp\n20,25\n-30,45\n"),
        "solver_limits": seed(b"rh,d\n50,0\n1,45\n"),
        "columns_picked": seed(
            b" Time ,T_in,RH_in,T_out,RH_out, P \n1,20,50,20.5,50,101325\n2,20,50,20.5,50,40000\n",
            picks="tdb=t_out, rh = RH_OUT"),
        "columns_refused": seed(b"tdb,rh\n20,50\n", picks="tdb=T_out,tdb=x"),
        "blank_lines": seed(b"tdb,rh\n\n20,50\n  \n,\n\t,  \n20,50\n\n"),
        "utf16_le": seed(utf16("time,tdb,rh\r\n1,20.5,50\r\n2,\u6e29,50\r\n", False), 3),
        "utf16_be_lone_surrogate": seed(utf16("tdb,rh\n20.5,50\n", True) + b"\xd8\x00"),
        "utf16_without_mark": seed("tdb,rh\n20,50\n".encode("utf-16-le")),
    }


def project_file():
    import json

    def project(states, operations, pressure="101325", version=1, **extra):
        document = {
            "format": "hygrova-project", "version": version, "pressure_pa": pressure,
            "chart": {"moisture_line_color": 0, "enthalpy_line_color": 2, "rh_line_color": 9,
                      "isotherm_color": 7, "moisture_line_spacing": 1,
                      "enthalpy_line_spacing": 1, "isotherm_spacing": 1},
            "states": states, "operations": operations}
        document.update(extra)
        return json.dumps(document, ensure_ascii=False, indent=2).encode()

    def typed(id, label, known, note=""):
        return {"id": id, "label": label, "note": note, "known": known}

    def produced(id, label):
        return {"id": id, "label": label, "note": ""}

    outdoor = typed(1, "室外", {"tdb": "30", "rh": "60"}, "夏季")
    room = typed(2, "B", {"rh": "50", "tdb": "24"})
    coil = typed(3, "C", {"tdb": "14", "rh": "95"})
    mix = {"id": 5, "kind": "mix", "first": 1, "second": 2, "output": 4, "basis": "mass_ratio",
           "first_share": "1", "second_share": "3"}
    line = {"id": 7, "kind": "epsilon_line", "from": 2, "output": 6, "epsilon": "8000",
            "end": "rh", "end_value": "90"}
    process = {"id": 8, "kind": "process", "from": 4, "to": 3, "flow": "10000",
               "flow_unit": "m3/h"}
    design = project([outdoor, room, coil, produced(4, "M"), produced(6, "S")],
                     [mix, line, process])
    return {
        "empty_project": project([], []),
        "design": design,
        "flows_and_infinity": project(
            [outdoor, room, produced(4, "M"), produced(6, "E")],
            [dict(mix, basis="flows", first_share="2000", second_share="6000"),
             dict(line, epsilon="∞", end="dt", end_value="-5"),
             dict(process, flow="3600", flow_unit="kg/h", **{"from": 1, "to": 2})],
            pressure="95000abc"),
        "problems_inside": project(
            [typed(1, "A", {"twb": "15", "h": "50"}), typed(2, "B", {"tdb": "80", "rh": "5"}),
             produced(4, "M")],
            [dict(mix, first_share="0", second_share="0")]),
        "supersaturated": project(
            [typed(1, "A", {"tdb": "40", "rh": "100"}), typed(2, "B", {"tdb": "-10", "rh": "100"}),
             produced(4, "M")], [dict(mix, second_share="1")]),
        "truncated": design[: len(design) // 2],
        "newer": project([], [], version=2),
        "unknown_key": project([], [], colour=1),
        "cycle": project([outdoor, produced(4, "M")], [dict(mix, second=4)]),
        "not_json": b"format: hygrova-project\n",
        "number_overflow": b'{"format": 1e999, "version": 1}',
    }


def main():
    for target, seeds in {
        "fuzz_number_text": number_text(),
        "fuzz_state_point": state_point(),
        "fuzz_readout": readout(),
        "fuzz_chart": chart(),
        "fuzz_csv_reader": csv_reader(),
        "fuzz_project_file": project_file(),
    }.items():
        folder = ROOT / target
        shutil.rmtree(folder, ignore_errors=True)
        folder.mkdir(parents=True)
        for name, data in seeds.items():
            (folder / name).write_bytes(data)


if __name__ == "__main__":
    main()
