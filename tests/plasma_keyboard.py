#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A stand-in for Plasma's keyboard service on the session bus (org.kde.keyboard, /Layouts,
org.kde.KeyboardLayouts). Through org.vocarta.StandIn a test sets its layouts and current index,
and reads back the index of every setLayout call since."""
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib


class Layouts(dbus.service.Object):
    layouts, current, calls = [], 0, []

    @dbus.service.method("org.kde.KeyboardLayouts", out_signature="a(sss)")
    def getLayoutsList(self):
        return [(name, name.upper(), name) for name in self.layouts]

    @dbus.service.method("org.kde.KeyboardLayouts", out_signature="u")
    def getLayout(self):
        return self.current

    @dbus.service.method("org.kde.KeyboardLayouts", in_signature="u", out_signature="b")
    def setLayout(self, index):
        self.calls.append(index)
        self.current = index
        return index < len(self.layouts)

    @dbus.service.method("org.vocarta.StandIn", in_signature="asu")
    def configure(self, layouts, current):
        self.layouts, self.current, self.calls = list(layouts), current, []

    @dbus.service.method("org.vocarta.StandIn", out_signature="au")
    def setLayoutCalls(self):
        return dbus.Array(self.calls, signature="u")


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
name = dbus.service.BusName("org.kde.keyboard", bus)
Layouts(bus, "/Layouts")
GLib.MainLoop().run()  # ends with the bus
