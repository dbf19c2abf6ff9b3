#pragma once
// Where a record editor stands: the archive it has open and the number of the record it shows.
// The editor holds it, the windows that read the same archive or hand it a record are given it,
// and the labels that show the number or the path follow its signals: the state is here, never
// in their text.

#include <QObject>
#include <QString>

class ArchivePlace : public QObject {
    Q_OBJECT
public:
    explicit ArchivePlace(QObject* parent = nullptr);

    // The full path of the archive; empty while none is open.
    virtual QString path() const = 0;

    // The 1-based number of the record shown, or 0 for a new record not yet in the archive.
    qint64 position() const { return m_position; }
    bool isNew() const { return m_position == 0; }
    void setPosition(qint64 position);
    // The number as the editors show it and their decisions read it: empty for a new record.
    QString positionText() const;
    // Takes the number the decisions give as text; anything but a number is a new record.
    void setPositionText(const QString& text);

signals:
    void positionChanged(qint64 position);
    void pathChanged(const QString& path);

private:
    qint64 m_position = 0;
};
