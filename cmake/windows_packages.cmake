# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows program's packages, made by cpack in the build folder: a ZIP to unpack anywhere and
# an installer for the current user (NSIS, no administrator rights). Both hold the program, the
# licences and a Russian read-me, as text files with Windows line ends.

# What the Windows tools show: CRLF line ends, and texts with Cyrillic in UTF-8 with a byte order mark.
string(ASCII 239 187 191 VOCARTA_BOM)
set(windows_texts ${CMAKE_BINARY_DIR}/windows_texts)
configure_file(packaging/windows/README.txt.in ${windows_texts}/README.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(COPYING ${windows_texts}/COPYING.txt @ONLY NEWLINE_STYLE CRLF)
# The word list's notes hold Cyrillic too: with a byte order mark, Notepad reads them as UTF-8.
file(READ resources/WORDS.md words_notes)
file(WRITE ${windows_texts}/WORDS.txt.in "@VOCARTA_BOM@${words_notes}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS resources/WORDS.md)
configure_file(${windows_texts}/WORDS.txt.in ${windows_texts}/WORDS.txt @ONLY NEWLINE_STYLE CRLF)

install(TARGETS vocarta RUNTIME DESTINATION .)
install(FILES ${windows_texts}/README.txt ${windows_texts}/COPYING.txt ${windows_texts}/WORDS.txt DESTINATION .)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_FILE_NAME vocarta-${PROJECT_VERSION}-win64)
# Where cpack puts the installer (the Wine test installs it).
set(VOCARTA_INSTALLER ${CMAKE_BINARY_DIR}/${CPACK_PACKAGE_FILE_NAME}.exe)
# The installer: cmake/windows/NSIS.template.in in place of CPack's, whose installer asks for
# administrator rights. It installs into %LOCALAPPDATA%\Programs\Vocarta and registers its
# uninstaller under HKCU.
list(APPEND CMAKE_MODULE_PATH ${CMAKE_SOURCE_DIR}/cmake/windows)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Vocarta)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Vocarta)
set(CPACK_NSIS_DISPLAY_NAME "Vocarta ${PROJECT_VERSION}")
set(CPACK_NSIS_INSTALLED_ICON_NAME vocarta.exe)
set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/resources/lev1.ico)
include(CPack)
