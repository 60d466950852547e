#!/usr/bin/env python3
"""Fails when a narrow string literal with non-ASCII text (UTF-8 in the source)
may reach the Shift-JIS or wide user interface unconverted.

Sources are UTF-8, the program's narrow texts are Shift-JIS: such a literal must
be converted on its way. Accepted: the numbered texts of Strings.inc, wide
literals, formats of the message helpers (which convert them), arguments of
Utf8ToSjis, and literals the code converts later: a line marked "// UTF-8", or
a block (up to the next blank line) after a comment line that says "UTF-8".
Comments are not looked at."""
import re
import sys
from pathlib import Path

CONVERTING = re.compile(r'\b(\w*Box|StatusMessage|TraceLog|FormatSjis|Utf8ToSjis|WideFromUtf8)\s*\(')
NARROW_NON_ASCII = re.compile(r'(?<![LuU8])"(?:[^"\\\n]|\\.)*[^\x00-\x7f](?:[^"\\\n]|\\.)*"')


def code_part(line):
    """The line without a trailing // comment (outside string literals)."""
    in_str = False
    i = 0
    while i < len(line):
        c = line[i]
        if in_str:
            if c == '\\':
                i += 1
            elif c == '"':
                in_str = False
        elif c == '"':
            in_str = True
        elif line.startswith('//', i):
            return line[:i]
        i += 1
    return line


def main(src):
    bad = []
    for path in sorted(Path(src).rglob('*')):
        if path.suffix not in ('.cpp', '.h') or not path.is_file():
            continue
        previous = ''
        marked_block = False
        for n, line in enumerate(path.read_text(encoding='utf-8').splitlines(), 1):
            stripped = line.strip()
            if not stripped:
                marked_block = False
            elif stripped.startswith('//') and 'UTF-8' in stripped:
                marked_block = True
            code = code_part(line)
            if NARROW_NON_ASCII.search(code) and not CONVERTING.search(code) and not marked_block \
                    and '// UTF-8' not in line and not CONVERTING.search(previous):
                bad.append(f'{path.relative_to(src)}:{n}: {line.strip()}')
            previous = code if code.rstrip().endswith((',', '(', '"')) else ''
    if bad:
        print('UTF-8 literals that reach the user interface unconverted:')
        print('\n'.join('  ' + b for b in bad))
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1]))
