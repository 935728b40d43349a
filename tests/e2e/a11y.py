#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The running program through the accessibility bus (AT-SPI), as assistive technology sees it.
  a11y.py                   the names of all its objects, one per line
  a11y.py alerts            those of its alerts
  a11y.py focused           that of the object with the keyboard focus
  a11y.py fields            the texts in its edit fields
  a11y.py do ACTION NAME... does the action ("Toggle", "Press", "SetFocus") of the object of that
                            name; fails where the program or the object is not on the bus
Line breaks in names are written as \\n."""
import sys

import pyatspi


def nodes(node, alerts=False):
    try:
        role = node.getRoleName()
    except Exception:  # the object went away meanwhile
        return
    if not alerts or role == 'alert':
        yield node
    for index in range(node.childCount):
        yield from nodes(node.getChildAtIndex(index), alerts and role != 'alert')


def focused(node):
    return node.getState().contains(pyatspi.STATE_FOCUSED)


def name(node):
    return (node.name or '').replace('\r', '').replace('\n', '\\n')


def act(app, action, wanted):
    for node in nodes(app):
        if name(node) == wanted:
            actions = node.queryAction()
            for index in range(actions.nActions):
                if actions.getName(index) == action:
                    return actions.doAction(index)
    sys.exit(f'no "{wanted}" that can {action}')


desktop = pyatspi.Registry.getDesktop(0)
apps = [app for app in (desktop.getChildAtIndex(i) for i in range(desktop.childCount))
        if app is not None and app.name == 'vocarta']
for app in apps:
    if sys.argv[1:2] == ['do']:
        act(app, sys.argv[2], ' '.join(sys.argv[3:]))
    elif sys.argv[1:] == ['focused']:
        print('\n'.join(name(node) for node in nodes(app) if focused(node)))
    elif sys.argv[1:] == ['fields']:
        print('\n'.join(node.queryText().getText(0, -1) for node in nodes(app)
                        if node.getRoleName() == 'text'))
    else:
        print('\n'.join(name(node) for node in nodes(app, sys.argv[1:] == ['alerts'])))
if not apps and sys.argv[1:2] == ['do']:
    sys.exit('the program is not on the accessibility bus')
