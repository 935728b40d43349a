#!/usr/bin/python3
"""A stand-in for Plasma's keyboard service on the session bus (org.kde.keyboard, /Layouts,
org.kde.KeyboardLayouts). It records the index of every setLayout call; a second interface,
org.vocarta.StandIn, sets its layouts and current index and hands out that record."""
import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib


class Layouts(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/Layouts")
        self.layouts, self.current, self.calls = [], 0, []

    @dbus.service.method("org.kde.KeyboardLayouts", out_signature="a(sss)")
    def getLayoutsList(self):
        return [(name, name.upper(), name) for name in self.layouts]

    @dbus.service.method("org.kde.KeyboardLayouts", out_signature="u")
    def getLayout(self):
        return self.current

    @dbus.service.method("org.kde.KeyboardLayouts", in_signature="u", out_signature="b")
    def setLayout(self, index):
        self.calls.append(index)
        if index >= len(self.layouts):
            return False
        self.current = index
        self.layoutChanged(index)
        return True

    @dbus.service.signal("org.kde.KeyboardLayouts", signature="u")
    def layoutChanged(self, index):
        pass

    @dbus.service.method("org.vocarta.StandIn", in_signature="asu")
    def configure(self, layouts, current):
        self.layouts, self.current, self.calls = list(layouts), current, []

    @dbus.service.method("org.vocarta.StandIn", out_signature="au")
    def setLayoutCalls(self):
        return dbus.Array(self.calls, signature="u")


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
service = Layouts(bus)
name = dbus.service.BusName("org.kde.keyboard", bus)
GLib.MainLoop().run()  # ends with the bus
