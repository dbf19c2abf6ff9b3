#pragma once
// Hand-made payer archives and slip data for the batch tests.

#include "CoreSupport.h"

#include "batch/BatchIssue.h"
#include "payers/PayerRecord.h"
#include "slips/SlipRecord.h"

#include <QByteArray>
#include <QString>

namespace BatchFixtures {

struct PayerRow {
    const char* name;
    const char* taxCode;
    const char* tariff;
    bool recontact;
    const char* category = "";
};

// A payer record with a complete residence and birth; name, tax code, tariff and flag as given.
inline Record payer(const PayerRow& row)
{
    Record record(PayerRecord::layout());
    record.setText("Esecutore", QString::fromUtf8(row.name));
    record.setText("CodFisc", QString::fromUtf8(row.taxCode));
    record.setText("CodTariffa", QString::fromUtf8(row.tariff));
    record.setText("Categoria", QString::fromUtf8(row.category));
    record.setText("Sesso", QStringLiteral("M"));
    record.setText("GG", QStringLiteral("01"));
    record.setText("MM", QStringLiteral("01"));
    record.setText("AA", QStringLiteral("80"));
    record.setText("ComuneNasc", QStringLiteral("ROMA"));
    record.setText("ProvNasc", QStringLiteral("RM"));
    record.setText("Recapito", QStringLiteral("06 1234567"));
    record.setText("IndirizzoRes", QStringLiteral("VIA ROMA 1"));
    record.setText("ProvRes", QStringLiteral("MI"));
    record.setText("ComuneRes", QStringLiteral("MILANO"));
    record.setText("CapRes", QStringLiteral("20100"));
    record.setText("Note", QStringLiteral("note del cliente"));
    record.setFlag("Ricontatta", row.recontact);
    return record;
}

inline QByteArray archive(std::initializer_list<PayerRow> rows)
{
    QByteArray bytes;
    for (const PayerRow& row : rows)
        bytes += payer(row).bytes();
    return bytes;
}

inline BatchIssue::SlipData data()
{
    BatchIssue::SlipData d;
    d.amount = QStringLiteral("120");
    d.cents = QStringLiteral("5");
    d.tariff = QStringLiteral("7111");
    d.tariffYear = QStringLiteral("24");
    d.dueDate = QStringLiteral("31/01/2024");
    d.reason = QStringLiteral("Tassa annuale di concessione");
    d.notes = QStringLiteral("Emissione annuale");
    d.yearly = true;
    return d;
}

} // namespace BatchFixtures
