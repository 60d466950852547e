#!/usr/bin/env python3
"""tovaconv against iconv over the whole JIS X 0208 repertoire.

EUC-JP and ISO-2022-JP files become the Shift-JIS that iconv makes of them, and
Shift-JIS becomes the EUC-JP that iconv makes, byte for byte; a JIS file that
tovaconv writes reads back (by iconv) as the Shift-JIS it came from. The text
keeps to what the editor leaves alone: no trailing blanks, tabs only after
one-byte text and never after a blank, a final line ending, no backslash or
tilde (which JIS X 0201 Roman reads as yen sign and overline).
Usage: roundtrip.py TOVACONV
"""
import os
import subprocess
import sys
import tempfile


def repertoire():
    """Every JIS X 0208 character as UTF-8 text, in code order."""
    chars = []
    for row in range(0x21, 0x7F):
        for cell in range(0x21, 0x7F):
            try:
                chars.append(bytes([row | 0x80, cell | 0x80]).decode("euc_jp"))
            except UnicodeDecodeError:
                pass
    return chars


def fixture():
    chars = repertoire()
    lines = []
    words = ["alpha", "beta", "gamma", "delta", "x=1;", "(ok)", "end."]
    for i in range(0, len(chars), 37):
        run = "".join(chars[i:i + 37])
        word = words[i % len(words)]
        if i % 3 == 0:
            lines.append(word + "\t" + run + " " + word)
        elif i % 3 == 1:
            lines.append(run[:10] + " " + word + " " + run[10:])
        else:
            lines.append(run)
        if i % 5 == 0:
            lines.append("")
    lines.append("ascii only\tline")
    return "\r\n".join(lines) + "\r\n"


def iconv(data, src, dst):
    return subprocess.run(["iconv", "-f", src, "-t", dst], input=data, check=True,
                          stdout=subprocess.PIPE).stdout


def tovaconv(exe, args, data, tmp, name):
    src = os.path.join(tmp, name)
    out = src + ".out"
    with open(src, "wb") as f:
        f.write(data)
    r = subprocess.run([exe] + args + [src, out], stderr=subprocess.PIPE)
    if r.returncode != 0:
        raise SystemExit(f"tovaconv {args} {name} failed: {r.stderr.decode(errors='replace')}")
    with open(out, "rb") as f:
        return f.read()


def first_difference(a, b):
    for i, (x, y) in enumerate(zip(a, b)):
        if x != y:
            return f"at byte {i}: {a[max(0, i - 8):i + 8]!r} vs {b[max(0, i - 8):i + 8]!r}"
    return f"lengths {len(a)} vs {len(b)}"


def main():
    exe = sys.argv[1]
    text = fixture().encode("utf-8")
    sjis = iconv(text, "UTF-8", "SHIFT_JIS")
    euc = iconv(text, "UTF-8", "EUC-JP")
    jis = iconv(text, "UTF-8", "ISO-2022-JP")
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        checks = [
            ("EUC-JP to Shift-JIS", tovaconv(exe, ["-s"], euc, tmp, "a.euc"), iconv(euc, "EUC-JP", "SHIFT_JIS")),
            ("ISO-2022-JP to Shift-JIS", tovaconv(exe, ["-s"], jis, tmp, "a.jis"),
             iconv(jis, "ISO-2022-JP", "SHIFT_JIS")),
            ("Shift-JIS to EUC-JP", tovaconv(exe, ["-e"], sjis, tmp, "a.sjis"), iconv(sjis, "SHIFT_JIS", "EUC-JP")),
            ("Shift-JIS to JIS and back by iconv",
             iconv(tovaconv(exe, ["-j"], sjis, tmp, "b.sjis"), "ISO-2022-JP", "SHIFT_JIS"), sjis),
            ("EUC-JP stays EUC-JP", tovaconv(exe, [], euc, tmp, "c.euc"), euc),
            ("Shift-JIS stays Shift-JIS", tovaconv(exe, [], sjis, tmp, "c.sjis"), sjis),
            ("LF-only EUC-JP to LF-only Shift-JIS", tovaconv(exe, ["-s"], euc.replace(b"\r\n", b"\n"), tmp, "d.euc"),
             iconv(euc, "EUC-JP", "SHIFT_JIS").replace(b"\r\n", b"\n")),
        ]
        for name, got, want in checks:
            if got != want:
                failures.append(f"{name}: {first_difference(got, want)}")
    for f in failures:
        print("FAILED", f)
    print(f"tovaconv: {len(checks) - len(failures)} of {len(checks)} conversions match iconv")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
