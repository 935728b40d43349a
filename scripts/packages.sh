# The Debian packages the build and the tests need.
BUILD_PACKAGES=(cmake make g++ qt6-base-dev libgl-dev libx11-dev fonts-dejavu-core fonts-liberation2)
TEST_PACKAGES=(libgtest-dev xvfb xauth openbox xdotool wmctrl x11-utils x11-xkb-utils
    desktop-file-utils appstream dpkg-dev file python3-pyatspi at-spi2-core dbus-x11 imagemagick)
