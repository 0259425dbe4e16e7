#!/usr/bin/env python3
"""Checks that the folders keep their layers.

Usage: check-layers.py [--graph]

Every quoted include of the project names its folder from the project root
("link/dongle_link.h"), so each include is an arrow from one folder to another. This
check fails, naming the file and the line, when:
  - a quoted include does not name its folder, or names a file that is not there;
  - a widget-free library folder, or a program made of them alone, includes window code
    (a window folder, or a header of Qt Widgets or Qt Charts);
  - the folders' arrows run in a circle, between the folders themselves or between the
    top-level folders they lie in (ui/ is one of those).
With --graph it prints the arrows between folders as well.
"""

import os
import re
import sys

from source_files import cpp_sources

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Folders of the program's code. The widget-free libraries must stand without the window;
# the programs without a window use them and nothing of the window; the rest is window code
# or the window's program.
LIBRARIES = ['platform', 'localisation', 'meter', 'recording', 'store', 'bins', 'link', 'session', 'trend', 'report',
             'portfinder', 'sim']
PROGRAMS = ['record']
WINDOW = ['ui/panel', 'ui/connection', 'ui/recording', 'ui/trend', 'ui/bins', 'ui/localisation', 'shell']
WIDGET_FREE = LIBRARIES + PROGRAMS
# Headers the build writes; they have no folder in the source tree.
GENERATED = ['rlc_version.h']
# Tests, benchmarks and fuzz targets may reach into any layer; their own arrows are not checked.
NOT_CHECKED = ['tests', 'bench', 'fuzz', 'build', '.git']

QUOTED_INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SYSTEM_INCLUDE = re.compile(r'^\s*#\s*include\s+<([^>]+)>')
WIDGET_HEADER = re.compile(r'^(QtWidgets/|QtCharts/|QtOpenGLWidgets/)?'
                           r'(Q(Abstract(Button|ItemView|ScrollArea|SpinBox|ItemDelegate)|Application|BoxLayout|'
                           r'Chart\w*|CheckBox|ComboBox|Dialog|FileDialog|Frame|GridLayout|HeaderView|Label|Layout|'
                           r'LineEdit|ListWidget|MessageBox|PlainTextEdit|ProgressDialog|PushButton|ScrollArea|'
                           r'SpinBox|StyledItemDelegate|Style|TableView|Widget|\w*Series|ValueAxis|DateTimeAxis))$')


def folder_of(path):
    """The deepest known folder that holds the file (link/ui before link)."""
    relative = os.path.relpath(path, ROOT).replace(os.sep, '/')
    for folder in sorted(WIDGET_FREE + WINDOW, key=len, reverse=True):
        if relative.startswith(folder + '/'):
            return folder
    return None


def sources():
    return cpp_sources(ROOT, NOT_CHECKED)


def find_cycle(arrows):
    """One circle of folders, or None: depth-first search for an arrow back into the path."""
    state = {}
    path = []

    def visit(folder):
        state[folder] = 'open'
        path.append(folder)
        for target in sorted(arrows.get(folder, ())):
            if state.get(target) == 'open':
                return path[path.index(target):] + [target]
            if target not in state:
                found = visit(target)
                if found:
                    return found
        state[folder] = 'done'
        path.pop()
        return None

    for folder in sorted(arrows):
        if folder not in state:
            found = visit(folder)
            if found:
                return found
    return None


def top_level(arrows):
    """The arrows between the top-level folders that hold the folders."""
    top = {}
    for folder, targets in arrows.items():
        outer = folder.split('/')[0]
        top.setdefault(outer, set()).update(t.split('/')[0] for t in targets if t.split('/')[0] != outer)
    return top


def main():
    problems = []
    arrows = {}
    for source in sources():
        folder = folder_of(source)
        if folder is None:
            continue
        shown = os.path.relpath(source, ROOT)
        with open(source, encoding='utf-8', errors='replace') as text:
            for number, line in enumerate(text, 1):
                quoted = QUOTED_INCLUDE.match(line)
                if quoted:
                    target = quoted.group(1)
                    if '/' not in target:
                        if target not in GENERATED:
                            problems.append(f'{shown}:{number}: "{target}" does not name its folder')
                        continue
                    if not os.path.exists(os.path.join(ROOT, target)):
                        problems.append(f'{shown}:{number}: "{target}" is not a file of the project')
                        continue
                    target_folder = folder_of(os.path.join(ROOT, target))
                    if target_folder and target_folder != folder:
                        arrows.setdefault(folder, set()).add(target_folder)
                        if folder in WIDGET_FREE and target_folder in WINDOW:
                            problems.append(f'{shown}:{number}: the widget-free {folder}/ includes window code "{target}"')
                    continue
                system = SYSTEM_INCLUDE.match(line)
                if system and folder in WIDGET_FREE and WIDGET_HEADER.match(system.group(1)):
                    problems.append(f'{shown}:{number}: the widget-free {folder}/ includes the widget header <{system.group(1)}>')

    cycle = find_cycle(arrows)
    if cycle:
        problems.append('the folders include each other in a circle: ' + ' -> '.join(cycle))
    cycle = find_cycle(top_level(arrows))
    if cycle:
        problems.append('the top-level folders include each other in a circle: ' + ' -> '.join(cycle))
    if '--graph' in sys.argv:
        for folder in sorted(arrows):
            print(f'{folder} -> {", ".join(sorted(arrows[folder]))}')
    for problem in problems:
        print(problem)
    if problems:
        sys.exit(1)
    print(f'layers kept: {len(arrows)} folders include others, no library or windowless program includes window code, no circle')


if __name__ == '__main__':
    main()
