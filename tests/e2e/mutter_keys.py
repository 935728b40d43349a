#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Keys pressed as a keyboard's, through mutter's remote desktop interface on the session bus:
the compositor applies its own input source and shortcuts to them, as to a real keyboard's.
Reads lines of keys from stdin, named as <linux/input-event-codes.h> names them without KEY_
("L J V", "LEFTMETA+SPACE"): each key of a line is tapped in turn, the keys of a chord joined
by "+" are pressed together and let go in reverse. Writes "done" once a line's keys are sent.
usage: mutter_keys.py < LINES"""
import re
import sys
import time

import dbus

CODES = {name: int(code) for name, code in re.findall(
    r'#define KEY_(\w+)\s+(\d+)', open('/usr/include/linux/input-event-codes.h').read())}

bus = dbus.SessionBus()
desktop = bus.get_object('org.gnome.Mutter.RemoteDesktop', '/org/gnome/Mutter/RemoteDesktop')
path = desktop.CreateSession(dbus_interface='org.gnome.Mutter.RemoteDesktop')
session = dbus.Interface(bus.get_object('org.gnome.Mutter.RemoteDesktop', path),
                         'org.gnome.Mutter.RemoteDesktop.Session')
session.Start()


def press(code, down):
    session.NotifyKeyboardKeycode(dbus.UInt32(code), dbus.Boolean(down))
    time.sleep(0.02)


def tap(chord):
    codes = [CODES[name] for name in chord.split('+')]
    for code in codes:
        press(code, True)
    for code in reversed(codes):
        press(code, False)


tap('LEFTSHIFT')  # a fresh session's first key can be lost
for line in sys.stdin:
    for chord in line.split():
        tap(chord)
    print('done', flush=True)
session.Stop()
