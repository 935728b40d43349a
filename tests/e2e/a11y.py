#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What the accessibility bus (AT-SPI) tells of the running program: the names of all its
objects, or with "alerts" those of its alerts, one per line, line breaks written as \\n."""
import sys

import pyatspi


def names(node, alerts):
    try:
        name, role = (node.name or '').replace('\r', '').replace('\n', '\\n'), node.getRoleName()
    except Exception:  # the object went away meanwhile
        return
    if not alerts or role == 'alert':
        yield name
    for index in range(node.childCount):
        yield from names(node.getChildAtIndex(index), alerts and role != 'alert')


desktop = pyatspi.Registry.getDesktop(0)
for app in (desktop.getChildAtIndex(i) for i in range(desktop.childCount)):
    if app is not None and app.name == 'vocarta':
        print('\n'.join(names(app, sys.argv[1:] == ['alerts'])))
