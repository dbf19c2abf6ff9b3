#pragma once
// The yearly slip archive open in the slip editor: the year typed at "Apri", its file and the slip
// shown. The slip lists, the slip search and the yearly export read the same year through it.

#include "data/ArchivePlace.h"

class SlipYear : public ArchivePlace {
    Q_OBJECT
public:
    explicit SlipYear(QObject* parent = nullptr);

    // The four characters typed, trimmed; empty until a year is opened.
    QString year() const { return m_year; }
    QString path() const override { return m_path; }
    bool isOpen() const { return !m_path.isEmpty(); }

    // Opens the year: its archive is <year>.bol in the program folder. The file is not touched here.
    void open(const QString& year);
    // Opens the archive at path as the year (a copy kept elsewhere, a folder given by a test).
    void open(const QString& year, const QString& path);

signals:
    void yearChanged(const QString& year);

private:
    QString m_year;
    QString m_path;
};
