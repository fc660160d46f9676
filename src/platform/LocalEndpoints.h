// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

// Where the message channels and the audio message socket of this machine meet: local socket
// files in the user's runtime directory (XDG_RUNTIME_DIR), so that every process of the user
// finds the same names and nobody else can connect.
namespace LocalEndpoints {
// The runtime directory (XDG_RUNTIME_DIR, else /tmp/lumi-runtime-<uid>), created when missing
// and made private to the user. Never empty.
QString runtimeDirectory();
// The socket file of the QCop channel `channel`. Characters other than letters, digits, '.' and
// '-' are written as "_XX" (hex of the UTF-8 byte), so different channel names never share a
// file; a name too long for a socket address is replaced by its SHA-1.
QString qcopSocketPath(const QString &channel);
// The directory holding one socket file per participant of the message socket on `port`
// (created when missing), ending with "/".
QString dcSocketDirectory(quint16 port);
} // namespace LocalEndpoints
