# SPDX-FileCopyrightText: 2026 Norvane Works
# SPDX-License-Identifier: GPL-3.0-or-later

# Desktop integration: the launcher entry, the icons, the software-centre
# description and the manual page, installed where desktops and man look for
# them, and tests that check the files and the installed layout.

set(NORVANE_APP_ID org.norvane.Norvane)
set(NORVANE_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/assets/desktop)
set(NORVANE_ICON_DIR ${PROJECT_SOURCE_DIR}/assets/icons)
set(NORVANE_ICON_SIZES 48 64 128 256)

install(FILES ${NORVANE_DESKTOP_DIR}/${NORVANE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${NORVANE_DESKTOP_DIR}/${NORVANE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN LISTS NORVANE_ICON_SIZES)
  install(FILES ${NORVANE_ICON_DIR}/norvane-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${NORVANE_APP_ID}.png)
endforeach()
install(FILES ${NORVANE_ICON_DIR}/norvane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${NORVANE_APP_ID}.svg)
install(FILES ${PROJECT_SOURCE_DIR}/docs/norvane.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

if(NOT NORVANE_TESTS)
  return()
endif()

# The validators come from Debian's desktop-file-utils and appstream; without
# them the checks show as skipped rather than passing unseen.
find_program(NORVANE_DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(NORVANE_APPSTREAMCLI appstreamcli)

if(NORVANE_DESKTOP_FILE_VALIDATE)
  add_test(NAME desktop_file_valid
           COMMAND ${NORVANE_DESKTOP_FILE_VALIDATE} ${NORVANE_DESKTOP_DIR}/${NORVANE_APP_ID}.desktop)
  # Warnings count too: a launcher entry some desktops would ignore is no good either.
  set_tests_properties(desktop_file_valid PROPERTIES FAIL_REGULAR_EXPRESSION "warning:|error:")
else()
  add_test(NAME desktop_file_valid COMMAND ${CMAKE_COMMAND} -E echo "desktop-file-validate not found (desktop-file-utils)")
  set_tests_properties(desktop_file_valid PROPERTIES SKIP_REGULAR_EXPRESSION "not found")
endif()

if(NORVANE_APPSTREAMCLI)
  add_test(NAME metainfo_valid
           COMMAND ${NORVANE_APPSTREAMCLI} validate --pedantic --no-net ${NORVANE_DESKTOP_DIR}/${NORVANE_APP_ID}.metainfo.xml)
else()
  add_test(NAME metainfo_valid COMMAND ${CMAKE_COMMAND} -E echo "appstreamcli not found (appstream)")
  set_tests_properties(metainfo_valid PROPERTIES SKIP_REGULAR_EXPRESSION "not found")
endif()

# The manual page must render without a single troff warning.
find_program(NORVANE_GROFF groff)
if(NORVANE_GROFF)
  add_test(NAME man_page_renders COMMAND ${NORVANE_GROFF} -man -Tutf8 -ww -z ${PROJECT_SOURCE_DIR}/docs/norvane.6)
  set_tests_properties(man_page_renders PROPERTIES FAIL_REGULAR_EXPRESSION "warning|error")
else()
  add_test(NAME man_page_renders COMMAND ${CMAKE_COMMAND} -E echo "groff not found (groff-base)")
  set_tests_properties(man_page_renders PROPERTIES SKIP_REGULAR_EXPRESSION "not found")
endif()

# A stand-in for the program that prints where it looks for its sounds. Copied
# next to the installed program, it answers exactly as the program would there.
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/desktop/sound_directory_probe.cpp CONTENT [[
#include <QCoreApplication>
#include <cstdio>

#include "platform/system.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  std::puts(platform::files::SoundDirectory().toLocal8Bit().constData());
  return 0;
}
]])
add_executable(norvane_sound_directory_probe ${CMAKE_CURRENT_BINARY_DIR}/desktop/sound_directory_probe.cpp)
target_link_libraries(norvane_sound_directory_probe PRIVATE norvane_platform)

# Installs into a scratch prefix, then checks every installed file and asks the
# probe, placed beside the installed program, where the sounds are.
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/desktop/install_check.cmake @ONLY CONTENT [[
cmake_minimum_required(VERSION 3.25)
set(prefix "@CMAKE_CURRENT_BINARY_DIR@/install-check")
file(REMOVE_RECURSE "${prefix}")
execute_process(COMMAND "@CMAKE_COMMAND@" --install "@CMAKE_BINARY_DIR@" --prefix "${prefix}"
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()

set(data "${prefix}/@CMAKE_INSTALL_DATADIR@")
set(wanted "${prefix}/@CMAKE_INSTALL_BINDIR@/norvane"
           "${data}/applications/@NORVANE_APP_ID@.desktop"
           "${data}/metainfo/@NORVANE_APP_ID@.metainfo.xml"
           "${data}/icons/hicolor/scalable/apps/@NORVANE_APP_ID@.svg"
           "${prefix}/@CMAKE_INSTALL_MANDIR@/man6/norvane.6")
foreach(size @NORVANE_ICON_SIZES@)
  set(icon "${data}/icons/hicolor/${size}x${size}/apps/@NORVANE_APP_ID@.png")
  list(APPEND wanted "${icon}")
  # Width and height stand in the PNG header at bytes 16 to 23.
  if(EXISTS "${icon}")
    file(READ "${icon}" header OFFSET 16 LIMIT 8 HEX)
    string(SUBSTRING "${header}" 0 8 wh)
    string(SUBSTRING "${header}" 8 8 hh)
    math(EXPR w "0x${wh}")
    math(EXPR h "0x${hh}")
    if(NOT w EQUAL size OR NOT h EQUAL size)
      message(FATAL_ERROR "${icon} is ${w} x ${h}, not ${size} x ${size}")
    endif()
  endif()
endforeach()

file(GLOB sounds RELATIVE "@PROJECT_SOURCE_DIR@/assets/sounds" "@PROJECT_SOURCE_DIR@/assets/sounds/*.WAV")
if(NOT "CLICK.WAV" IN_LIST sounds)
  message(FATAL_ERROR "no sounds in @PROJECT_SOURCE_DIR@/assets/sounds")
endif()
foreach(sound IN LISTS sounds)
  list(APPEND wanted "${data}/norvane/${sound}")
endforeach()

foreach(file IN LISTS wanted)
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

file(COPY "${PROBE}" DESTINATION "${prefix}/@CMAKE_INSTALL_BINDIR@")
get_filename_component(probe "${PROBE}" NAME)
execute_process(COMMAND "${prefix}/@CMAKE_INSTALL_BINDIR@/${probe}" OUTPUT_VARIABLE found
                OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc)
file(REAL_PATH "${prefix}/share/norvane" expected)
if(NOT rc EQUAL 0 OR NOT found STREQUAL expected)
  message(FATAL_ERROR "the installed program looks for its sounds in '${found}' (${rc}), not in '${expected}'")
endif()
message(STATUS "installed program finds its sounds in ${found}")
]])
add_test(NAME install_layout
         COMMAND ${CMAKE_COMMAND} -DPROBE=$<TARGET_FILE:norvane_sound_directory_probe>
                 -P ${CMAKE_CURRENT_BINARY_DIR}/desktop/install_check.cmake)
