#pragma once
// A device that stands in front of a file and fails its writes after a budget of bytes, as a
// disk that fills up does: the bytes up to the budget reach the file, then the write fails
// (returns -1) or comes back short (returns the count that fitted). Reads and seeks pass through.
// Installed with RecordFile::setDeviceMaker; KeePassXC tests its writers the same way.

#include "data/RecordFile.h"

#include <QFile>
#include <QIODevice>

#include <memory>

class FailDevice : public QIODevice {
public:
    enum class Mode { Fail, Short };

    FailDevice(QFile& file, qint64 budget, Mode mode)
        : m_file(file)
        , m_budget(budget)
        , m_mode(mode)
    {
        open(QIODevice::ReadWrite | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return false; }
    qint64 size() const override { return m_file.size(); }
    bool seek(qint64 pos) override { return QIODevice::seek(pos) && m_file.seek(pos); }

    // Every record file opened while the returned guard lives writes through a FailDevice.
    struct Guard {
        ~Guard() { RecordFile::setDeviceMaker({}); }
    };
    [[nodiscard]] static std::unique_ptr<Guard> install(qint64 budget, Mode mode)
    {
        RecordFile::setDeviceMaker([budget, mode](QFile& file) -> std::unique_ptr<QIODevice> {
            return std::make_unique<FailDevice>(file, budget, mode);
        });
        return std::make_unique<Guard>();
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override { return m_file.read(data, maxSize); }

    qint64 writeData(const char* data, qint64 size) override
    {
        const qint64 room = qMax<qint64>(0, m_budget - m_written);
        const qint64 now = qMin(room, size);
        if (now > 0 && m_file.write(data, now) != now)
            return -1;
        m_written += now;
        if (now == size)
            return size;
        setErrorString(QStringLiteral("No space left on device"));
        return m_mode == Mode::Short && now > 0 ? now : -1;
    }

private:
    QFile& m_file;
    qint64 m_budget;
    Mode m_mode;
    qint64 m_written = 0;
};
