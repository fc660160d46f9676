// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "LocalEndpoints.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace {
// sun_path holds 108 bytes on Linux, the terminating zero included.
constexpr int MaxSocketPathLength = 100;
constexpr QFile::Permissions PrivateDirectory
        = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;

QString encodeName(const QString &name)
{
    QString encoded;
    const QByteArray utf8 = name.toUtf8();
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') || byte == '.'
            || byte == '-')
            encoded += QLatin1Char(c);
        else
            encoded += QLatin1Char('_') + QString::number(byte, 16).rightJustified(2, QLatin1Char('0')).toUpper();
    }
    return encoded;
}
} // namespace

namespace LocalEndpoints {
QString runtimeDirectory()
{
    // XDG_RUNTIME_DIR when set (the desktop session's, or a test's private one), else a private
    // directory under /tmp. Read directly rather than through QStandardPaths, which warns about
    // a directory made with the wrong mode (a build directory, say) and then goes elsewhere.
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty())
        dir = QDir::tempPath() + QStringLiteral("/lumi-runtime-") + QString::number(::getuid());
    if (dir.endsWith(QLatin1Char('/')) && dir.size() > 1)
        dir.chop(1);
    QDir().mkpath(dir);
    const QFileInfo info(dir);
    if (info.ownerId() == ::getuid() && info.permissions() != PrivateDirectory)
        QFile::setPermissions(dir, PrivateDirectory);
    return dir;
}

QString qcopSocketPath(const QString &channel)
{
    const QString dir = runtimeDirectory() + QLatin1Char('/');
    QString path = dir + QStringLiteral("qcop-") + encodeName(channel);
    if (path.toUtf8().size() > MaxSocketPathLength) {
        const QByteArray hash = QCryptographicHash::hash(channel.toUtf8(), QCryptographicHash::Sha1).toHex();
        path = dir + QStringLiteral("qcop-") + QString::fromLatin1(hash);
    }
    return path;
}

QString dcSocketDirectory(quint16 port)
{
    const QString dir = runtimeDirectory() + QStringLiteral("/dcsocket-") + QString::number(port) + QLatin1Char('/');
    QDir().mkpath(dir);
    return dir;
}
} // namespace LocalEndpoints
