#!/usr/bin/env python3
"""Checks that no text the program made is read back into a value.

Usage: check-text-round-trips.py

A reading is a number in SI units from the frame to the file; its texts are made at the
edge, for a cell, a label or a column, and never parsed back: the number is kept instead.
Parsing belongs to input alone: files, the boxes the user types into, command lines. So
every call that turns a text into a number or a time (from_chars, strtod and its kin,
atoi, stoi, sscanf, toDouble, toInt and the other to<Number>() of Qt's texts and
QLocale, ParseDecimal, QDateTime::fromString) must stand in a function of the allow-list
below, which says for each one what input it reads. This check fails, naming the file, the
line and the function, on a parse call anywhere else in the program's folders, and on an
entry of the list that names no parse call any more. Tests and benchmarks read texts to
check them and are not checked, nor are the fuzz targets, which read back what the program
wrote to check that it reads the same.
"""

import os
import re
import sys

from source_files import cpp_sources

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# The fuzz targets read back what they wrote on purpose: that is the property they check.
NOT_CHECKED = ['tests', 'bench', 'fuzz', 'build', 'scripts', '.git']

# The input parsers: (file, function) -> what input it reads.
ALLOWED = {
    ('recording/decimal_text.cpp', 'ParseDecimal'):
        'the reader of numbers the user types into the nominal and tolerance boxes',
    ('recording/reference.cpp', 'NominalValue'):
        'a nominal value as typed into its box, or as a profile file stores that text',
    ('recording/reference.cpp', 'ReadToleranceRule'):
        'a tolerance as typed, chosen from the box\'s list or stored in a profile file',
    ('localisation/lang_file_lines.cpp', 'LangFileLine::number'):
        'the item numbers of a language file',
    ('record/record_options.cpp', 'positiveNumber'):
        'the part number and reading count on the recorder\'s command line',
    ('record/record_options.cpp', 'OptionReader::options'):
        'the link timeout on the recorder\'s command line',
    ('record/record_options.cpp', 'ParseDuration'):
        'the recording length on the recorder\'s command line',
    ('sim/rlc_sim_main.cpp', 'main'):
        'the component value and report interval on the simulator\'s command line',
    ('recording/bin.cpp', 'BinOfWord'):
        'a bin as a file or a database row gives its word',
    ('ui/bins/bin_table_model.cpp', 'numberOf'):
        'a bin\'s limit as typed into the bin table editor',
    ('ui/bins/bin_table_model.cpp', 'BinTableModel::setData'):
        'a bin\'s number as typed into the bin table editor',
    ('bins/bin_table_csv.cpp', 'numberIn'):
        'the limits of a bin table file',
    ('bins/bin_table_csv.cpp', 'binIn'):
        'the bin numbers of a bin table file',
    ('report/reading_fields.cpp', 'NumberField'):
        'the numbers of a recording journal\'s columns and of the server\'s readings',
    ('report/reading_fields.cpp', 'WholeNumberField'):
        'the part numbers of a recording journal and of the server\'s readings',
    ('report/reading_fields.cpp', 'TimeField'):
        'the times of a recording journal and of the database\'s readings',
    ('report/report_options.cpp', 'OptionReader::time'):
        'the span of time on the report program\'s command line',
    ('store/server_schema.cpp', 'versionOf'):
        'the layout version a PostgreSQL server keeps in its schema_version table',
    ('store/server_connection.cpp', 'connectTimeout'):
        'the connect_timeout libpq read from a database URL, the PG* variables or the defaults',
    ('sim/console_commands.cpp', 'changedDelivery'):
        'the split position typed on the simulator\'s console',
}

PARSE_CALL = re.compile(
    r'(?:(?<![\w.>])(?:std::)?(?P<free>from_chars|strto(?:d|f|ld|l|ll|ul|ull)|ato(?:i|l|ll|f)'
    r'|sto(?:i|l|ll|ul|ull|f|d|ld)|sscanf|ParseDecimal)'
    r'|(?:\.|->)(?P<method>to(?:Double|Float|Int|UInt|Long|ULong|LongLong|ULongLong|Short|UShort))'
    r'|\b(?P<time>Q(?:Date|Time|DateTime)::fromString))\s*\(')
# A function's first line starts at the left margin with its return type or its name; the
# name is the last word before the first parenthesis.
NOT_A_FUNCTION = re.compile(r'^(#|//|/\*|\*|\}|namespace\b|class\b|struct\b|enum\b|using\b|template\b|typedef\b'
                            r'|extern\b|static_assert\b|return\b|Q_[A-Z_]+\b)')
FUNCTION_NAME = re.compile(r'([A-Za-z_~][\w:~]*)\s*\(')
# A class at the left margin, whose member functions are defined one level in.
CLASS_START = re.compile(r'^(?:class|struct)\s+(\w+)[^;]*$')
CLASS_END = re.compile(r'^\};')
MEMBER_FUNCTION = re.compile(r'^    (?=\S)(?!(?:return|if|for|while|switch|case|else|do|public|private|protected|signals)\b|Q_)'
                             r'[^=;]*?([A-Za-z_~][\w~]*)\s*\(')
STRING_OR_CHARACTER = re.compile(r'"(?:\\.|[^"\\])*"|\'(?:\\.|[^\'\\])*\'')


def sources():
    return cpp_sources(ROOT, NOT_CHECKED)


def code_lines(text):
    """The lines without comments and with the contents of strings blanked."""
    in_block_comment = False
    for line in text.splitlines():
        code = ''
        rest = line
        while rest:
            if in_block_comment:
                end = rest.find('*/')
                if end < 0:
                    rest = ''
                else:
                    in_block_comment = False
                    rest = rest[end + 2:]
                continue
            rest = STRING_OR_CHARACTER.sub('""', rest)
            line_comment = rest.find('//')
            block_comment = rest.find('/*')
            if block_comment >= 0 and (line_comment < 0 or block_comment < line_comment):
                code += rest[:block_comment]
                in_block_comment = True
                rest = rest[block_comment + 2:]
            else:
                code += rest if line_comment < 0 else rest[:line_comment]
                rest = ''
        yield code


def parse_calls(path):
    """(line number, function, call) of each parse call in the file."""
    with open(path, encoding='utf-8', errors='replace') as source:
        text = source.read()
    function = None
    in_class = None
    for number, line in enumerate(code_lines(text), 1):
        declares = None
        opened = CLASS_START.match(line)
        if opened:
            in_class = opened.group(1)
        elif CLASS_END.match(line):
            in_class = None
        elif line[:1] not in ('', ' ', '\t') and not NOT_A_FUNCTION.match(line):
            name = FUNCTION_NAME.search(line)
            if name:
                declares = name.group(1)
        elif in_class:
            member = MEMBER_FUNCTION.match(line)
            if member:
                declares = f'{in_class}::{member.group(1)}'
        if declares is not None and not line.rstrip().endswith(';'):
            function = declares
        for call in PARSE_CALL.finditer(line):
            called = call.group('free') or call.group('method') or call.group('time')
            if declares is not None and declares.split('::')[-1] == called:
                continue  # the parser's own declaration or definition
            yield number, function, called


def main():
    problems = []
    used = set()
    for path in sources():
        shown = os.path.relpath(path, ROOT).replace(os.sep, '/')
        for number, function, called in parse_calls(path):
            key = (shown, function)
            if key in ALLOWED:
                used.add(key)
                continue
            problems.append(f'{shown}:{number}: {called}() in {function or "no function"} parses a text outside '
                            'the input parsers: keep the number the text was made from, or, where this reads '
                            'input (a file, a typed box, a command line), add the function to ALLOWED in '
                            f'{os.path.relpath(__file__, ROOT)} with what it reads')
    for stale in sorted(set(ALLOWED) - used):
        problems.append(f'{stale[0]}: {stale[1]} is allowed to parse but parses nothing any more: '
                        'take it off ALLOWED')
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
