#include "HeldReader.h"

#include <QFile>
#include <QStandardPaths>

HeldReader::~HeldReader()
{
    Release();
    if (m_installed)
        qputenv("PATH", m_path);
}

bool HeldReader::Install()
{
    const QString real = QStandardPaths::findExecutable(QStringLiteral("7zz"));
    if (real.isEmpty() || !m_dir.isValid())
        return false;
    QFile hold(m_dir.filePath(QStringLiteral("hold")));
    if (!hold.open(QIODevice::WriteOnly))
        return false;
    hold.close();
    QFile script(m_dir.filePath(QStringLiteral("7zz")));
    if (!script.open(QIODevice::WriteOnly))
        return false;
    script.write(QStringLiteral("#!/bin/sh\n: > '%1'\nwhile [ -e '%2' ]; do sleep 0.01; done\nexec '%3' \"$@\"\n")
                     .arg(m_dir.filePath(QStringLiteral("started")), hold.fileName(), real)
                     .toUtf8());
    script.close();
    if (!script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
        return false;
    m_path = qgetenv("PATH");
    qputenv("PATH", m_dir.path().toUtf8() + ':' + m_path);
    m_installed = true;
    return true;
}

bool HeldReader::Started() const
{
    return QFile::exists(m_dir.filePath(QStringLiteral("started")));
}

void HeldReader::Release()
{
    m_released = true;
    QFile::remove(m_dir.filePath(QStringLiteral("hold")));
}
