#!/usr/bin/env python3
"""Draws the key binding dialogs' icon, res/keys.ico (a key cap), with the
palette and icon writer of gen-toolbar-art.py.
Run it after changing the art:  python3 scripts/gen-keys-icon.py"""
import importlib.util
import os

HERE = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location("toolbar_art", os.path.join(HERE, "gen-toolbar-art.py"))
art = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(art)

KEY_ICON = """
................
.kkkkkkkkkkkkkk.
.kwwwwwwwwwwwgk.
.kwllllllllllgk.
.kwllnllllnllgk.
.kwllnlllnlllgk.
.kwllnllnllllgk.
.kwllnnnlllllgk.
.kwllnllnllllgk.
.kwllnlllnlllgk.
.kwllnllllnllgk.
.kwllllllllllgk.
.kgggggggggggdk.
.kddddddddddddk.
.kkkkkkkkkkkkkk.
................"""


def main():
    with open(os.path.join(HERE, "..", "res", "keys.ico"), "wb") as f:
        f.write(art.icon([(16, KEY_ICON), (32, KEY_ICON)]))


if __name__ == "__main__":
    main()
