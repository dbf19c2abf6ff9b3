#pragma once
// What tests of logic share: fixtures, whole-file reads and writes, and a temporary program folder
// with the clock back to real time afterwards. Links the logic library only.

#include "data/Platform.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <initializer_list>

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

// A table of text columns: the columns' names, then one row each: its name and its texts, UTF-8.
inline void textTable(std::initializer_list<const char*> columns,
                      std::initializer_list<std::initializer_list<const char*>> rows)
{
    for (const char* column : columns)
        QTest::addColumn<QString>(column);
    for (const auto& row : rows) {
        if (row.size() != columns.size() + 1)
            qFatal("table row %s has %d texts for %d columns", *row.begin(), int(row.size()) - 1, int(columns.size()));
        auto text = row.begin();
        QTestData& data = QTest::newRow(*text);
        while (++text != row.end())
            data << QString::fromUtf8(*text);
    }
}

// The program's own message texts that several tests expect, word for word.
namespace Messages {

// The record editors' archive messages.
inline const QString kAccess = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di possedere i privilegi di "
    "scrittura nella cartella di installazione del programma.");
inline const QString kEmpty = QStringLiteral("L'archivio non contiene nessuna scheda.");
inline const QString kInserted = QStringLiteral("La scheda corrente \u00e8 stata inserita in archivio.");
inline const QString kChanged =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
inline const QString kUnsaved = QStringLiteral("Salvare le modifiche alla scheda corrente?");

// The four checks' verdicts.
inline const QString kCfValid = QStringLiteral("Il codice fiscale digitato \u00e8 VALIDO.");
inline const QString kCfWrong = QStringLiteral("Attenzione: il codice fiscale digitato \u00e8 ERRATO.");
inline const QString kCfLength =
    QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.");
inline const QString kVatValid = QStringLiteral(
    "Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nE' stato rilasciato dall'Ufficio IVA del Comune di ");
inline const QString kVatWrong = QStringLiteral(
    "Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\nNon \u00e8 quindi possibile fornire "
    "informazioni relative all'Ufficio IVA che lo ha rilasciato.");
inline const QString kVatLength =
    QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
inline const QString kIbanValid = QStringLiteral("L'IBAN digitato \u00e8 VALIDO.");
inline const QString kIbanWrong = QStringLiteral("Attenzione: l'IBAN digitato \u00e8 ERRATO!");
inline const QString kIbanLength =
    QStringLiteral("Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici.");
inline const QString kCardWrong = QStringLiteral(
    "Attenzione: il numero digitato risulta ERRATO!\r\n\r\nNon \u00e8 quindi possibile fornire informazioni "
    "relative al tipo di carta di credito.");
inline const QString kCardEmpty =
    QStringLiteral("Attenzione: immettere il numero di carta di credito prima di premere il pulsante di controllo.");

inline QString cardValid(const QString& number, const QString& issuer)
{
    return QStringLiteral("Il numero di carta di credito ") + number
        + QStringLiteral(" risulta valido.\r\n\r\nLa carta di credito \u00e8 del tipo ") + issuer + QStringLiteral(".");
}

} // namespace Messages

} // namespace TestSupport
