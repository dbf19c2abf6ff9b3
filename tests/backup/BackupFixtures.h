#pragma once
// A program folder as an office has it after some years of work: yearly slip archives, the payer
// archive, the settings and password files and attachments, some with accented names.

#include "CoreSupport.h"
#include "backup/Backup.h"
#include "payers/PayerRecord.h"
#include "slips/SlipRecord.h"

#include <QDir>
#include <QDirIterator>
#include <QMap>

namespace BackupFixtures {

inline QByteArray slips(int count, int year)
{
    Record record(SlipRecord::layout());
    QByteArray bytes;
    bytes.reserve(qsizetype(count) * SlipRecord::kSize);
    for (int i = 1; i <= count; ++i) {
        record.setText("Importo", QString::number(i * 7 % 100000));
        record.setText("Cents", QStringLiteral("50"));
        record.setText("Intero", QString::number(i * 7 % 100000) + QStringLiteral(",50"));
        record.setText("Esecutore", QStringLiteral("ROSSI N\u00b0%1").arg(i));
        record.setText("DataScade", QDate(year, 1 + i % 12, 1 + i % 28).toString(QStringLiteral("dd/MM/yyyy")));
        record.setText("Causale", QStringLiteral("Rinnovo licenza \u20ac %1").arg(i));
        bytes += record.bytes();
    }
    return bytes;
}

inline QByteArray payers(int count)
{
    Record record(PayerRecord::layout());
    QByteArray bytes;
    for (int i = 1; i <= count; ++i) {
        record.setText("Esecutore", QStringLiteral("BIANCHI CARLO %1").arg(i));
        record.setText("ComuneRes", QStringLiteral("FORL\u00cc"));
        record.setFlag("Ricontatta", i % 2);
        bytes += record.bytes();
    }
    return bytes;
}

// Fills folder; slipsPerYear goes to each of the years 2023 and 2024.
inline void fill(const QString& folder, int slipsPerYear = 3)
{
    const QDir dir(folder);
    QVERIFY(TestSupport::writeAll(dir.filePath(QStringLiteral("2023.bol")), slips(slipsPerYear, 2023)));
    QVERIFY(TestSupport::writeAll(dir.filePath(QStringLiteral("2024.bol")), slips(slipsPerYear, 2024)));
    QVERIFY(TestSupport::writeAll(dir.filePath(QStringLiteral("Esecutori.pro")), payers(4)));
    QVERIFY(TestSupport::writeAll(dir.filePath(QStringLiteral("Tassella.ini")),
                                  "[Margini Stampa]\r\nSuperiore=12\r\nSinistro=-3\r\n"));
    QVERIFY(TestSupport::writeAll(dir.filePath(QStringLiteral("unins000.dll")), "[Accesso]\r\nValore=4A6B\r\n"));
    QVERIFY(dir.mkpath(QStringLiteral("Documenti_Allegati/Scansioni")));
    QVERIFY(dir.mkpath(QStringLiteral("Documenti_Allegati/Vuota")));
    QByteArray scan(300000, Qt::Uninitialized);
    quint32 state = 2463534242u; // xorshift: bytes that deflate cannot shrink, as a scan's
    for (qsizetype i = 0; i < scan.size(); ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        scan[i] = char(state >> 24);
    }
    QVERIFY(
        TestSupport::writeAll(dir.filePath(QString::fromUtf8("Documenti_Allegati/Carta identit\xc3\xa0.pdf")), scan));
    QVERIFY(TestSupport::writeAll(dir.filePath(QStringLiteral("Documenti_Allegati/Scansioni/visura.txt")),
                                  "Visura camerale\n"));
    QVERIFY(TestSupport::writeAll(dir.filePath(QStringLiteral("Documenti_Allegati/vuoto.txt")), ""));
    // Not the program's data: stays out of a backup.
    QVERIFY(TestSupport::writeAll(dir.filePath(QStringLiteral("Esecutori.xls")), "export"));
    QVERIFY(TestSupport::writeAll(dir.filePath(QStringLiteral("24.bol")), "not a year"));
}

// Every file under folder (relative name to bytes) and every folder (name + "/" to nothing).
inline QMap<QString, QByteArray> contents(const QString& folder)
{
    QMap<QString, QByteArray> out;
    const QDir dir(folder);
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString name = dir.relativeFilePath(it.filePath());
        if (it.fileInfo().isDir())
            out.insert(name + QLatin1Char('/'), {});
        else
            out.insert(name, TestSupport::readAll(it.filePath()));
    }
    return out;
}

// The program's data in folder: contents() without what a backup leaves out.
inline QMap<QString, QByteArray> data(const QString& folder)
{
    QMap<QString, QByteArray> out = contents(folder);
    out.removeIf([](const auto& item) {
        return !Backup::isDataName(item.key().chopped(item.key().endsWith(QLatin1Char('/')) ? 1 : 0));
    });
    return out;
}

} // namespace BackupFixtures
