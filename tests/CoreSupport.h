#pragma once
// What tests of logic share: fixtures, whole-file reads and writes, and a temporary program folder
// with the clock back to real time afterwards. Links the logic library only.

#include "data/Platform.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace TestSupport {

inline QString fixture(const QString& name)
{
    return QStringLiteral(TASSELLA_FIXTURES "/") + name;
}

inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A temporary program folder for one test; undone on destruction.
class Folder {
public:
    Folder() { ProgramFolder::setOverride(m_folder.path()); }
    ~Folder()
    {
        ProgramFolder::setOverride({});
        Clock::setFixed({});
        Shell::setRecording(false);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    QString folder() const { return m_folder.path(); }
    QString file(const QString& name) const { return ProgramFolder::file(name); }

private:
    QTemporaryDir m_folder;
};

} // namespace TestSupport
