# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian packages the build and the tests need.
BUILD_PACKAGES=(cmake make g++ qt6-base-dev libgl-dev libx11-dev libxkbcommon-dev fonts-dejavu-core fonts-liberation2)
TEST_PACKAGES=(libgtest-dev xvfb xauth openbox xdotool wmctrl x11-utils x11-xkb-utils
    desktop-file-utils appstream dpkg-dev lintian file python3-pyatspi at-spi2-core dbus-x11 imagemagick
    faketime dbus-daemon dbus-bin kwin-wayland xwayland
    gnome-shell python3-dbus qt6-wayland)
# The Windows program: MinGW-w64 to build it; NSIS for its installer; Wine, a Russian locale's
# sources, Wine's fonts and ImageMagick (a picture of the main menu) to check it.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64 nsis wine wine64 fonts-wine locales imagemagick)
