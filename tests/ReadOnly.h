#pragma once
// Makes a file or folder unwritable for the test that needs it, also when the tests run as root
// (root ignores permission bits, so there the immutable attribute is used).

#include <QFile>
#include <QProcess>
#include <QString>
#include <unistd.h>

class ReadOnly {
public:
    explicit ReadOnly(const QString& path)
        : m_path(path)
    {
        if (geteuid() != 0) {
            m_permissions = QFile::permissions(path);
            m_ok = QFile::setPermissions(path,
                                         QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther | QFile::ExeOwner
                                             | QFile::ExeGroup | QFile::ExeOther);
            m_chmod = true;
        } else {
            m_ok = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) == 0;
        }
    }
    ~ReadOnly()
    {
        if (!m_ok)
            return;
        if (m_chmod)
            QFile::setPermissions(m_path, m_permissions);
        else
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_path});
    }
    bool ok() const { return m_ok; }

private:
    QString m_path;
    QFile::Permissions m_permissions;
    bool m_chmod = false;
    bool m_ok = false;
};

#define REQUIRE_READ_ONLY(guard)                                                                                       \
    if (!(guard).ok())                                                                                                 \
        QSKIP("cannot make the path unwritable here (as root this needs chattr on a file system that supports it)");
