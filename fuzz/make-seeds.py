#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/.

Usage: fuzz/make-seeds.py BUILD_BIN_DIR
BUILD_BIN_DIR holds rq381 (to make default codeplugs) and setting.ini.
The seeds are kept in the repository; run this again only to renew them.
"""
import os
import subprocess
import sys
import tempfile

here = os.path.dirname(os.path.abspath(__file__))
corpus = os.path.join(here, "corpus")
lang = os.path.join(here, "..", "lang")


# Options byte 0x08: a repeater list into "Zone 1".
REPEATER_LIST = (b"\x08" + b"Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
                 b"RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\n"
                 b"1,Hill,438.650000,-,7.600000,Tone,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,\n"
                 b"2,Split,432.5,split,438.1,Cross,100.0,110.9,754,RN,025,DTCS->Tone,NFM,12.50,,Low,,,,,\n"
                 b"3,Air,438.0,,0,DTCS,88.5,88.5,999,NR,023,,AM,12.50,,,,,,,\n")


def put(target, name, data):
    folder = os.path.join(corpus, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def reply(data):
    """One scripted reply: its length byte, then its bytes."""
    return bytes([len(data)]) + data


def codeplugs(bin_dir):
    with tempfile.TemporaryDirectory() as tmp:
        files = {}
        for model in ("RQ381", "VK214"):
            path = os.path.join(tmp, model + ".dat")
            subprocess.run([os.path.join(bin_dir, "rq381"), "new", "-o", path, "--model", model,
                            "--config", bin_dir], check=True)
            with open(path, "rb") as f:
                files[model] = f.read()
        return files


def main():
    bin_dir = sys.argv[1]
    plugs = codeplugs(bin_dir)
    # The loader ignores bytes past the file; the last 64 choose the list
    # operations and the very last byte the model (odd: 16 zone slots).
    ops = bytes(range(0, 128, 2))
    put("datafile", "rq381-default", plugs["RQ381"] + ops[:-1] + b"\x00")
    put("datafile", "vk214-default", plugs["VK214"] + ops[:-1] + b"\x01")
    put("datafile", "short-1000", plugs["RQ381"][:1000])
    put("datafile", "foreign-header", b"XX381 Radio Program data" + b"\xff" * 300)

    for name in ("setting.ini", "english.lang", "chinese.lang"):
        with open(os.path.join(lang, name), "rb") as f:
            put("ini", name, f.read())
    put("ini", "odd-ranges", b"[setup]\nmodel=VK214\ncom=99999999999\n[FreqRange]\ndata0=GGGGGGGG\n"
        b"data1=04700400\ndata2=0400\n[ports]\n3=/dev/null\n")

    put("testfile", "pattern", bytes((i * 7) & 0xFF for i in range(16384)))
    put("testfile", "blank", b"\xff" * 16384)

    model = b"RQ381\xff\xff\xff" + b"\x00" * 8
    identify = reply(b"\x06") + reply(model) + reply(b"\x01" * 15) + reply(b"V01.00D01.00" + b"\x12" * 10)
    read = identify + reply(b"\x00")
    for i in range(1024):
        a = i * 64
        read += reply(b"W" + bytes([a >> 8, a & 0xFF, 0x40]) + bytes([i & 0xFF]) * 64 + b"\x00")
    put("programming_replies", "read", b"\x00" + read + reply(b"\x06"))
    put("programming_replies", "write", b"\x03" + identify + reply(b"\x00") + reply(b"\x06") * 834)
    put("programming_replies", "model-write", b"\x07" + reply(b"\x06") + reply(b"VK214\xff\xff\xff" + b"\x00" * 8)
        + reply(b"\x06") * 3 + reply(model) + reply(b"\x01" * 15) + reply(b"V" * 22) + reply(b"\x06") * 2)

    ident = reply(b"\x06") + reply(b"RQ381" + b"\x00" * 11) + reply(b"1" * 15) + reply(b"V" * 22) + reply(b"\x06")
    blocks = b"".join(reply(b"G" + bytes([a >> 8, a & 0xFF, 0x40]) + b"\x11" * 64 + b"\x00")
                      for a in range(0x100, 0x280, 0x40))
    put("service_replies", "table-read", b"\x01" + b"\x00" + ident + blocks + reply(b"\x06"))
    put("service_replies", "table-write", b"\x02" + b"\x00" + ident + reply(b"\x06") * 7)
    # 69 % 3 == 0 (adjust mode), 69 % 103 == 69: a measured item.
    put("service_replies", "adjust-measure", bytes([69]) + ident + reply(b"OK!") * 3
        + reply(b"\x01\x02\x03") + reply(b"\x06") * 2)

    with tempfile.TemporaryDirectory() as tmp:
        for model in ("RQ381", "VK214"):
            dat = os.path.join(tmp, "cp.dat")
            out = os.path.join(tmp, "cp.yaml")
            subprocess.run([os.path.join(bin_dir, "rq381"), "new", "-o", dat, "--model", model,
                            "--config", bin_dir], check=True)
            subprocess.run([os.path.join(bin_dir, "rq381"), "export", dat, "-o", out, "--model", model,
                            "--config", bin_dir], check=True)
            with open(out, "rb") as f:
                put("yaml_import", model.lower() + ".yaml", f.read())
            # Options byte 0x00: append every row; 0x03: replace, at most 0 rows.
            for kind in ("contacts", "channels"):
                csv = os.path.join(tmp, kind + ".csv")
                subprocess.run([os.path.join(bin_dir, "rq381"), kind, "export", dat, "-o", csv,
                                "--config", bin_dir], check=True)
                with open(csv, "rb") as f:
                    put("csv_import", model.lower() + "-" + kind + ".csv", b"\x00" + f.read())
    put("csv_import", "user-database", b"\x81" + b"RADIO_ID,CALLSIGN,FIRST_NAME,CITY\n"
        b"1234567,AB1CDE,Alan,Town\n2345678,XY9ZZ,\"Bo, Jr\",\"Qu\"\"ote\"\n")
    put("csv_import", "repeater-list", REPEATER_LIST)


if __name__ == "__main__":
    main()
