#!/usr/bin/env python3
"""Checks that the window's designed names stay at the window's edge.

Usage: check-designed-names.py

The window's controls carry their designed names (`L_prim_n`, `CBox5`, `SP1Click`) as
object names, by which the language files address them, and on the handlers of the
controls in ui/ and shell/. The widget-free libraries name things for the domain instead.
The designed names are the first and the last column of the table "Designed names" in
ARCHITECTURE.md: each control's name and its reactions. Rows of the window's invisible
components (serial port, timers, translation engine and client, lexicons) are left out:
those components live in the libraries under their designed names.

The check fails, naming the file, the line and the name, when a designed name of a control
or a reaction appears in the source of a widget-free library anywhere but in a string
literal (an object name looked up, a language file's key). It also fails when the table
is missing or lists too few names to be the table, so that a moved table cannot make the
check pass unseen.
"""

import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TABLE_DOCUMENT = os.path.join(ROOT, 'ARCHITECTURE.md')
TABLE_HEADING = '## Designed names'
WIDGET_FREE = ['meter', 'session', 'recording', 'link', 'localisation', 'trend', 'platform', 'store', 'bins', 'report', 'record']
# Kinds of the table's rows whose components live in the libraries under their names.
INVISIBLE_KINDS = {'serial port', 'timer', 'translation engine', 'translation client', 'lexicon'}
# The window has far more controls than this; fewer names mean the table was not read.
FEWEST_NAMES = 100

NAME = re.compile(r'`([A-Za-z_][A-Za-z0-9_]*)`')
IDENTIFIER = re.compile(r'(?<![A-Za-z0-9_])[A-Za-z_][A-Za-z0-9_]*')
# String and character literals, raw strings first; their insides are blanked.
LITERAL = re.compile(r'R"([^(\s]*)\((?:.|\n)*?\)\1"|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'')


def table_rows(text):
    """The cells of the rows of the designed-names table, header and rule left out."""
    lines = text.splitlines()
    if TABLE_HEADING not in lines:
        return None
    rows = []
    for line in lines[lines.index(TABLE_HEADING) + 1:]:
        if line.startswith('## '):
            break
        if line.startswith('|'):
            rows.append([cell.strip() for cell in line.strip().strip('|').split('|')])
    return rows[2:]


def designed_names(rows):
    names = {}
    for cells in rows:
        kind = cells[1]
        if kind in INVISIBLE_KINDS:
            continue
        for cell in (cells[0], cells[-1]):
            for name in NAME.findall(cell):
                names[name] = cells[0]
    return names


def without_literals(source):
    """The source with the inside of every literal blanked, lines kept where they were."""
    return LITERAL.sub(lambda match: re.sub(r'[^\n]', ' ', match.group(0)), source)


def sources():
    for folder in WIDGET_FREE:
        for directory, _, files in os.walk(os.path.join(ROOT, folder)):
            for name in sorted(files):
                if name.endswith(('.h', '.cpp')):
                    yield os.path.join(directory, name)


def main():
    with open(TABLE_DOCUMENT, encoding='utf-8') as document:
        rows = table_rows(document.read())
    if rows is None:
        print(f'{TABLE_DOCUMENT}: no "{TABLE_HEADING}" table; the designed names cannot be checked')
        return 1
    names = designed_names(rows)
    if len(names) < FEWEST_NAMES:
        print(f'{TABLE_DOCUMENT}: the "{TABLE_HEADING}" table lists {len(names)} names of controls and '
              f'reactions, fewer than {FEWEST_NAMES}; is it still the table of the window?')
        return 1
    failures = []
    for path in sources():
        with open(path, encoding='utf-8') as file:
            code = without_literals(file.read())
        for number, line in enumerate(code.splitlines(), start=1):
            for identifier in IDENTIFIER.findall(line):
                if identifier in names:
                    failures.append(f'{os.path.relpath(path, ROOT)}:{number}: the designed name {identifier} '
                                    f'(of {names[identifier]}) in a widget-free library; name it for the domain')
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
