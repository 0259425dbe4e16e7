#!/usr/bin/env python3
"""Proves that scripts/install-deps.sh is enough for a fresh Debian machine.

Usage: check-build-deps.py BUILD_DIR

After a build, it collects the files the configure step and the compiler really read:
the package configuration files CMake found (from CMakeCache.txt), the headers named in
the compiler's dependency files, and the libraries on the link lines. Each file is mapped
to the Debian package that owns it (dpkg -S). A package is covered when it is in the list
of install-deps.sh, depends on nothing outside what apt would install with that list
(apt-cache depends --recurse, recommends left out as the script leaves them out), or is
part of every Debian system (essential or required priority). Every package that is not
covered is named with one file the build read from it, and the check fails.

A file below /usr that no package owns fails the check too: a fresh machine would not
have it at all."""

import glob
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
INSTALL_SCRIPT = os.path.join(ROOT, 'scripts', 'install-deps.sh')
DPKG_BATCH = 200  # paths per dpkg -S call, well below the command-line limit


def listed_packages():
    out = subprocess.run(['bash', INSTALL_SCRIPT, '--list'], check=True, capture_output=True, text=True).stdout
    return out.split()


def dependency_closure(packages):
    """The packages apt installs for these, without recommends, plus every system's base."""
    depends = subprocess.run(
        ['apt-cache', 'depends', '--recurse', '--no-recommends', '--no-suggests', '--no-conflicts',
         '--no-breaks', '--no-replaces', '--no-enhances', *packages],
        check=True, capture_output=True, text=True).stdout
    covered = set(packages)
    for line in depends.splitlines():
        name = line.strip()
        if ':' in name and not name.startswith('<'):
            name = name.split(':', 1)[1].strip()  # "Depends: libfoo" or "PreDepends: libbar"
        covered.add(name.strip('<>').split(':')[0])  # virtual packages come as "<name>"
    base = subprocess.run(['dpkg-query', '-W', '-f=${Package} ${Essential} ${Priority}\n'],
                          check=True, capture_output=True, text=True).stdout
    for line in base.splitlines():
        name, essential, priority = (line.split() + ['', ''])[:3]
        if essential == 'yes' or priority == 'required':
            covered.add(name)
    return covered


def package_config_files(build_dir):
    """The <Name>Config.cmake files of every package CMake found below /usr."""
    cache = os.path.join(build_dir, 'CMakeCache.txt')
    found = set()
    with open(cache, errors='replace') as text:
        for line in text:
            match = re.match(r'^(\w+)_DIR:PATH=(/usr/.+)$', line.strip())
            if not match:
                continue
            name, folder = match.groups()
            for candidate in (f'{name}Config.cmake', f'{name.lower()}-config.cmake'):
                found.add(os.path.join(folder, candidate))
    return found


def compiler_inputs(build_dir):
    """Headers from the compiler's dependency files and libraries from the link lines."""
    found = set()
    for dep_file in glob.glob(os.path.join(build_dir, '**', '*.o.d'), recursive=True):
        with open(dep_file, errors='replace') as text:
            for token in text.read().replace('\\\n', ' ').split():
                if token.startswith('/usr/') and not token.endswith(':'):
                    found.add(token)
    for link_file in glob.glob(os.path.join(build_dir, '**', 'link.txt'), recursive=True):
        with open(link_file) as text:
            for token in text.read().split():
                if token.startswith('/usr/') and ('.so' in token or token.endswith('.a')):
                    found.add(token)
    return found


def aliases(path):
    """The names dpkg may know a file by: Debian merged /lib into /usr/lib, but packages
    still register some files under the old name."""
    names = {path, os.path.realpath(path)}
    for name in list(names):
        if name.startswith('/usr/lib/') or name.startswith('/usr/bin/') or name.startswith('/usr/sbin/'):
            names.add(name[len('/usr'):])
    return names


def owners(files):
    """Maps each package to one file of the build's that it owns; lists the unowned files."""
    owned_by = {}
    unowned = []
    for start in range(0, len(files), DPKG_BATCH):
        batch = files[start:start + DPKG_BATCH]
        queried = sorted({name for path in batch for name in aliases(path)})
        # dpkg -S exits 1 when some names are unknown, which the aliases make certain.
        answer = subprocess.run(['dpkg', '-S', *queried], capture_output=True, text=True).stdout
        package_of = {}
        for line in answer.splitlines():
            if ': ' in line:
                packages, owned = line.split(': ', 1)
                package_of[owned] = [p.split(':')[0] for p in packages.split(', ')]
        for path in batch:
            # A link and its target may belong to different packages (libz.so to the
            # development package, libz.so.1 to the library): the build needs both.
            packages = [p for name in sorted(aliases(path)) for p in package_of.get(name, [])]
            if not packages:
                unowned.append(path)
            for package in packages:
                owned_by.setdefault(package, path)
    return owned_by, unowned


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    build_dir = sys.argv[1]
    if not os.path.exists(os.path.join(build_dir, 'CMakeCache.txt')):
        sys.exit(f'{build_dir} holds no configured build: build first, then check')
    files = sorted(f for f in package_config_files(build_dir) | compiler_inputs(build_dir) if os.path.isfile(f))
    owned_by, unowned = owners(files)
    covered = dependency_closure(listed_packages())
    missing = sorted(p for p in owned_by if p not in covered)
    for package in missing:
        print(f'missing package {package}: the build read {owned_by[package]}, '
              f'but scripts/install-deps.sh does not install it; add it to the list there')
    for path in unowned:
        print(f'no package owns {path}, which the build read: a fresh machine would not have it')
    if missing or unowned:
        sys.exit(1)
    print(f'set-up complete: the build read files of {len(owned_by)} packages, all installed by scripts/install-deps.sh')


if __name__ == '__main__':
    main()
