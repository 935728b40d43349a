#!/usr/bin/python3
"""What the desktop's accessibility interface (AT-SPI) tells of the running program.
usage: a11y.py dump        one line per object: ROLE<TAB>NAME<TAB>NAME-OF-ITS-WINDOW
       a11y.py names       the names of all objects, one per line
Line breaks inside a name are written as \\n."""
import sys

import pyatspi


def objects(node, window=''):
    try:
        role, name = node.getRoleName(), (node.name or '').replace('\r', '').replace('\n', '\\n')
    except Exception:
        return
    if role in ('frame', 'dialog', 'alert', 'window'):
        window = name
    yield role, name, window
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from objects(child, window)


def program():
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.name == 'vocarta':
            return app
    return None


def main():
    app = program()
    if app is None:
        sys.exit(1)
    for role, name, window in objects(app):
        if sys.argv[1] == 'names':
            print(name)
        else:
            print(f'{role}\t{name}\t{window}')


try:
    main()
except BrokenPipeError:  # the reader had what it wanted (grep -q)
    sys.stderr.close()
