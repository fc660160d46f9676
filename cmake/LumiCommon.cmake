# SPDX-FileCopyrightText: 2026 Lumi developers
# SPDX-License-Identifier: GPL-2.0-or-later
# One INTERFACE target carries the strict settings every target of the project uses.
add_library(lumi_settings INTERFACE)
target_compile_options(lumi_settings INTERFACE
    -Wall -Wextra -Wnon-virtual-dtor -Wpedantic)
target_compile_definitions(lumi_settings INTERFACE
    QT_USE_QSTRINGBUILDER
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_FOREACH
    QT_NO_URL_CAST_FROM_STRING)
if(LUMI_SANITIZE)
    target_compile_options(lumi_settings INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_compile_definitions(lumi_settings INTERFACE _GLIBCXX_ASSERTIONS)
    target_link_options(lumi_settings INTERFACE -fsanitize=address,undefined)
endif()

# Tests meet over local sockets in a runtime directory of their own. It lives under /tmp with a
# name derived from the build directory: socket paths are limited to 108 bytes, and a checkout
# can sit arbitrarily deep.
string(MD5 _lumi_build_hash "${CMAKE_BINARY_DIR}")
string(SUBSTRING "${_lumi_build_hash}" 0 12 _lumi_build_hash)
set(LUMI_TEST_RUNTIME_DIR "/tmp/lumi-test-${_lumi_build_hash}")

# Registers a Qt Test executable with CTest; GUI tests run on the offscreen platform and
# every test gets private data, settings and pixmap paths so it never touches the device paths.
function(lumi_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE lumi_settings Qt6::Test ${ARG_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        TIMEOUT 300
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LUMI_DATA_DIR=${CMAKE_BINARY_DIR}/test-home/nodata/;LUMI_SETTINGS_FILE=${CMAKE_BINARY_DIR}/test-home/nosettings.ini;LUMI_PIXMAP_DIR=${CMAKE_BINARY_DIR}/pics/;LUMI_SOURCE_DIR=${CMAKE_SOURCE_DIR};LUMI_BINARY_DIR=${CMAKE_BINARY_DIR};XDG_RUNTIME_DIR=${LUMI_TEST_RUNTIME_DIR};ASAN_OPTIONS=detect_leaks=0")
endfunction()
