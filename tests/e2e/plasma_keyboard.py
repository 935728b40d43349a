#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plasma's keyboard service gone wrong: holds org.kde.keyboard on the session bus and answers
each call of org.kde.KeyboardLayouts with an error ("error") or not at all ("silent"), writing
the method's name to FILE first.
usage: plasma_keyboard.py error|silent FILE"""
import sys

import dbus
import dbus.lowlevel
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

mode, log = sys.argv[1], sys.argv[2]


def on_message(bus, message):
    if not isinstance(message, dbus.lowlevel.MethodCallMessage) or message.get_interface() != "org.kde.KeyboardLayouts":
        return dbus.lowlevel.HANDLER_RESULT_NOT_YET_HANDLED
    with open(log, "a") as calls:
        calls.write(message.get_member() + "\n")
    if mode == "error":
        bus.send_message(dbus.lowlevel.ErrorMessage(message, "org.kde.keyboard.Error", "no layouts yet"))
    return dbus.lowlevel.HANDLER_RESULT_HANDLED


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
bus.add_message_filter(on_message)
bus.request_name("org.kde.keyboard")
GLib.MainLoop().run()  # ends with the bus
