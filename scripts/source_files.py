"""The C++ sources of the tree that the checks read, in a stable order."""
import os


def cpp_sources(root, not_checked):
    """Every .h and .cpp under root, except under the top-level folders named in not_checked."""
    for directory, subdirectories, files in os.walk(root):
        relative = os.path.relpath(directory, root)
        if relative.split(os.sep)[0] in not_checked:
            subdirectories[:] = []
            continue
        subdirectories.sort()
        for name in sorted(files):
            if name.endswith(('.h', '.cpp')):
                yield os.path.join(directory, name)
