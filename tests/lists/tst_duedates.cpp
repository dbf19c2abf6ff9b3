// The slips that fall due, chosen from hand-made yearly archives; the payers they belong to; the
// reminder letter read back from its PDF with poppler; the settings kept apart from the others.

#include "ListFixtures.h"
#include "PdfReadBack.h"

#include "data/IniFile.h"
#include "lists/DueDates.h"
#include "lists/ListLines.h"
#include "lists/ReminderLetter.h"

#include <QFileInfo>

using ListFixtures::slip;
using ListFixtures::writeArchive;

namespace {

QDate day(const QString& text)
{
    return QDate::fromString(text, QStringLiteral("dd/MM/yyyy"));
}

Record dueSlip(const QString& due, const QString& name, bool paid = false)
{
    Record record = slip({{"DataScade", due},
                          {"Esecutore", name},
                          {"Importo", QStringLiteral("10")},
                          {"Cents", QStringLiteral("00")},
                          {"Intero", QStringLiteral("10,00")}});
    record.setFlag("Saldato", paid);
    return record;
}

} // namespace

class TestDueDates : public QObject {
    Q_OBJECT

private slots:
    // One slip in one archive, and whether the selection counts it as falling due, as expired or
    // leaves it out.
    void selection_data()
    {
        TestSupport::textTable(
            {"today", "days", "year", "due", "paid", "expected"},
            {
                {"due today counts as expired", "15/03/2026", "30", "2026", "15/03/2026", "No", "expired"},
                {"due yesterday", "15/03/2026", "30", "2026", "14/03/2026", "No", "expired"},
                {"due tomorrow", "15/03/2026", "30", "2026", "16/03/2026", "No", "soon"},
                {"the period's last day", "15/03/2026", "30", "2026", "14/04/2026", "No", "soon"},
                {"the day after the period", "15/03/2026", "30", "2026", "15/04/2026", "No", "-"},
                {"a 7-day period", "15/03/2026", "7", "2026", "23/03/2026", "No", "-"},
                {"paid and expired", "15/03/2026", "30", "2026", "10/03/2026", "S\u00ec", "-"},
                {"paid within the period", "15/03/2026", "30", "2026", "20/03/2026", "S\u00ec", "-"},
                {"paid flag empty", "15/03/2026", "30", "2026", "20/03/2026", "", "-"},
                {"last year's due date in this year's archive", "15/03/2026", "30", "2026", "20/12/2025", "No",
                 "expired"},
                {"this archive, due next year", "15/11/2026", "60", "2026", "10/01/2027", "No", "soon"},
                {"next year's archive, period crossing 31 December", "20/12/2026", "30", "2027", "10/01/2027", "No",
                 "soon"},
                {"next year's archive, the period's last day", "20/12/2026", "30", "2027", "19/01/2027", "No", "soon"},
                {"next year's archive, beyond the period", "20/12/2026", "30", "2027", "20/01/2027", "No", "-"},
                {"next year's archive, period within the year", "01/12/2026", "15", "2027", "05/12/2026", "No", "-"},
                {"leap day", "28/02/2028", "7", "2028", "29/02/2028", "No", "soon"},
            });
    }
    void selection()
    {
        QFETCH(QString, today);
        QFETCH(QString, days);
        QFETCH(QString, year);
        QFETCH(QString, due);
        QFETCH(QString, paid);
        QFETCH(QString, expected);
        TestSupport::Folder folder;
        Record record = dueSlip(due, QStringLiteral("ROSSI MARIO"));
        record.setText("Saldato", paid);
        QVERIFY(writeArchive(SlipRecord::archivePath(year), {record}));

        const DueDates::Selection got = DueDates::select(day(today), days.toInt());
        QVERIFY(got.ok);
        QCOMPARE(got.dueSoon, expected == QLatin1String("soon") ? 1 : 0);
        QCOMPARE(got.expired, expected == QLatin1String("expired") ? 1 : 0);
        QCOMPARE(int(got.slips.size()), got.dueSoon + got.expired);
        if (!got.slips.empty()) {
            QCOMPARE(got.slips[0].year, year);
            QCOMPARE(got.slips[0].position, qint64(1));
            QCOMPARE(got.slips[0].line, ListLines::slipLine(record));
        }
    }

    // Both archives read, the slips in due-date order, unreadable dates counted, missing archives
    // left uncreated.
    void selectionAcrossArchives()
    {
        TestSupport::Folder folder;
        QVERIFY(writeArchive(SlipRecord::archivePath(QStringLiteral("2026")),
                             {dueSlip(QStringLiteral("05/01/2027"), QStringLiteral("B")),
                              dueSlip(QStringLiteral("31/02/2026"), QStringLiteral("DATA ERRATA")),
                              dueSlip(QStringLiteral("10/12/2026"), QStringLiteral("A")),
                              dueSlip(QStringLiteral("24/12/2026"), QStringLiteral("PAGATO"), true)}));
        QVERIFY(writeArchive(SlipRecord::archivePath(QStringLiteral("2027")),
                             {dueSlip(QStringLiteral("02/01/2027"), QStringLiteral("C"))}));
        const DueDates::Selection got = DueDates::select(day(QStringLiteral("20/12/2026")), 30);
        QCOMPARE(got.years, QStringList({QStringLiteral("2026"), QStringLiteral("2027")}));
        QCOMPARE(got.unreadable, 1);
        QCOMPARE(got.expired, 1);
        QCOMPARE(got.dueSoon, 2);
        QStringList order;
        for (const DueDates::Slip& s : got.slips)
            order << s.payer + QLatin1Char('@') + s.year + QLatin1Char('#') + QString::number(s.position);
        QCOMPARE(order,
                 QStringList({QStringLiteral("A@2026#3"), QStringLiteral("C@2027#1"), QStringLiteral("B@2026#1")}));

        // Nothing due in a year never opened: its archive stays uncreated.
        const QString absent = SlipRecord::archivePath(QStringLiteral("2028"));
        DueDates::select(day(QStringLiteral("20/12/2027")), 30);
        QVERIFY(!QFileInfo::exists(absent));
    }

    // Slips gather by tax code, or by name without one; e-mail addresses come from the payer archive.
    void payersAndAddresses()
    {
        TestSupport::Folder folder;
        const auto withCode = [](const QString& due, const QString& name, const QString& code) {
            Record record = dueSlip(due, name);
            record.setText("CodFisc", code);
            return record;
        };
        QVERIFY(writeArchive(
            SlipRecord::archivePath(QStringLiteral("2026")),
            {withCode(QStringLiteral("20/03/2026"), QStringLiteral("ROSSI MARIO"), QStringLiteral("RSSMRA70A01H501U")),
             withCode(QStringLiteral("25/03/2026"), QStringLiteral("ROSSI M."), QStringLiteral("rssmra70a01h501u")),
             withCode(QStringLiteral("21/03/2026"), QStringLiteral("BIANCHI ANNA"), QString()),
             withCode(QStringLiteral("22/03/2026"), QStringLiteral("VERDI LUCA"), QString())}));
        QVERIFY(writeArchive(PayerRecord::archivePath(),
                             {ListFixtures::payer({{"Esecutore", QStringLiteral("ROSSI MARIO")},
                                                   {"CodFisc", QStringLiteral("RSSMRA70A01H501U")},
                                                   {"Email", QStringLiteral("vecchio@example.org")}}),
                              ListFixtures::payer({{"Esecutore", QStringLiteral("BIANCHI ANNA")},
                                                   {"Email", QStringLiteral("anna@example.org")}}),
                              ListFixtures::payer({{"Esecutore", QStringLiteral("ROSSI MARIO")},
                                                   {"CodFisc", QStringLiteral("RSSMRA70A01H501U")},
                                                   {"Email", QStringLiteral("mario@example.org")}})}));
        const DueDates::Selection selection = DueDates::select(day(QStringLiteral("15/03/2026")), 30);
        std::vector<DueDates::Payer> payers = DueDates::payers(selection);
        QVERIFY(DueDates::addEmails(payers, PayerRecord::archivePath()));
        QStringList got;
        for (const DueDates::Payer& p : payers)
            got << QStringLiteral("%1|%2|%3").arg(p.name).arg(p.slips.size()).arg(p.email);
        // The name of a payer's latest slip; the last payer record of a tax code.
        QCOMPARE(got,
                 QStringList({QStringLiteral("BIANCHI ANNA|1|anna@example.org"),
                              QStringLiteral("ROSSI M.|2|mario@example.org"), QStringLiteral("VERDI LUCA|1|")}));
    }

    // A slip marked paid after a reminder drops out of the next one.
    void paidSlipLeavesTheNextLetter()
    {
        TestSupport::Folder folder;
        const QString path = SlipRecord::archivePath(QStringLiteral("2026"));
        QVERIFY(writeArchive(path,
                             {dueSlip(QStringLiteral("20/03/2026"), QStringLiteral("ROSSI MARIO")),
                              dueSlip(QStringLiteral("25/03/2026"), QStringLiteral("ROSSI MARIO"))}));
        const auto letterItems = [] {
            const DueDates::Selection selection = DueDates::select(day(QStringLiteral("15/03/2026")), 30);
            const auto payers = DueDates::payers(selection);
            return payers.empty() ? 0 : int(ReminderLetter::make(payers[0], selection, {}).items.size());
        };
        QCOMPARE(letterItems(), 2);
        QVERIFY(writeArchive(path,
                             {dueSlip(QStringLiteral("20/03/2026"), QStringLiteral("ROSSI MARIO"), true),
                              dueSlip(QStringLiteral("25/03/2026"), QStringLiteral("ROSSI MARIO"))}));
        QCOMPARE(letterItems(), 1);
    }

    // The notice's own section: defaults, the once-a-day rule, and no other key touched.
    void settings()
    {
        TestSupport::Folder folder;
        const QString ini = DueDates::settingsPath();
        const QByteArray margins = "[Margini Stampa]\r\nSuperiore=3\r\nSinistro=-2\r\n";
        QVERIFY(TestSupport::writeAll(ini, margins));
        DueDates::Settings settings = DueDates::readSettings(ini);
        QVERIFY(settings.notice);
        QCOMPARE(settings.days, 30);
        const QDate today = day(QStringLiteral("11/12/2026"));
        QVERIFY(DueDates::noticeDue(settings, today));

        QVERIFY(DueDates::noteNoticeShown(ini, today));
        QVERIFY(!DueDates::noticeDue(DueDates::readSettings(ini), today));
        QVERIFY(DueDates::noticeDue(DueDates::readSettings(ini), today.addDays(1)));

        settings = {.notice = false, .days = 60};
        QVERIFY(DueDates::writeSettings(ini, settings));
        settings = DueDates::readSettings(ini);
        QVERIFY(!settings.notice);
        QCOMPARE(settings.days, 60);
        QVERIFY(!DueDates::noticeDue(settings, today.addDays(1)));
        QVERIFY(DueDates::writeOffice(ini,
                                      {QStringLiteral("Studio Neri"), QStringLiteral("Via Roma 1, Siena"),
                                       QStringLiteral("0577 123456"), QStringLiteral("studio@example.org")}));
        QCOMPARE(DueDates::readOffice(ini).telephone, QStringLiteral("0577 123456"));
        // The margins' section is still first and whole.
        QVERIFY(TestSupport::readAll(ini).startsWith(margins));

        // A period the choice does not offer reads as the default.
        QVERIFY(IniFile::writeString(ini, QStringLiteral("Promemoria Scadenze"), QStringLiteral("Giorni"),
                                     QStringLiteral("45")));
        QCOMPARE(DueDates::readSettings(ini).days, 30);
    }

    void noticeText()
    {
        QCOMPARE(DueDates::noticeText(4, 2, 30),
                 QStringLiteral("4 bollettini non saldati scadono entro 30 giorni, 2 sono gi\u00e0 scaduti"));
        QCOMPARE(DueDates::noticeText(1, 1, 7),
                 QStringLiteral("1 bollettino non saldato scade entro 7 giorni, 1 \u00e8 gi\u00e0 scaduto"));
    }

    // One payer with two slips, read back from the PDF: the heading, the address, each slip's
    // amount in figures and words, the total.
    void letterPdf()
    {
        if (!PdfReadBack::toolsPresent())
            QSKIP("poppler-utils is not installed");
        TestSupport::Folder folder;
        const auto full = [](const QString& due, const QString& tariff, const QString& euros, const QString& cents,
                             const QString& causale) {
            Record record = dueSlip(due, QStringLiteral("ROSSI MARIO"));
            record.setText("CodTariffa", tariff);
            record.setText("AnnoTariffa", QStringLiteral("26"));
            record.setText("Importo", euros);
            record.setText("Cents", cents);
            record.setText("Causale", causale);
            record.setText("IndirizzoRes", QStringLiteral("VIA DANTE 12"));
            record.setText("CapRes", QStringLiteral("53100"));
            record.setText("ComuneRes", QStringLiteral("SIENA"));
            record.setText("ProvRes", QStringLiteral("SI"));
            return record;
        };
        QVERIFY(writeArchive(SlipRecord::archivePath(QStringLiteral("2026")),
                             {full(QStringLiteral("10/01/2026"), QStringLiteral("1518"), QStringLiteral("168"),
                                   QStringLiteral("00"), QStringLiteral("RINNOVO PORTO FUCILE")),
                              full(QStringLiteral("30/01/2026"), QStringLiteral("8011"), QStringLiteral("12"),
                                   QStringLiteral("91"), QStringLiteral("TELEFONIA MOBILE"))}));
        const DueDates::Selection selection = DueDates::select(day(QStringLiteral("12/01/2026")), 30);
        const auto payers = DueDates::payers(selection);
        QCOMPARE(int(payers.size()), 1);
        const DueDates::Office office{QStringLiteral("Studio Neri"), QStringLiteral("Via Roma 1, Siena"),
                                      QStringLiteral("0577-123456"), QStringLiteral("studio@example.org")};
        const ReminderLetter::Letter letter = ReminderLetter::make(payers[0], selection, office);
        const QString pdf = folder.file(ReminderLetter::fileName(letter));
        QCOMPARE(QFileInfo(pdf).fileName(), QStringLiteral("Promemoria_ROSSI_MARIO.pdf"));
        QString error;
        QVERIFY2(ReminderLetter::writePdf(
                     pdf, 1, [&](int) { return letter; }, &error),
                 qPrintable(error));

        const PdfReadBack::Document doc = PdfReadBack::words(pdf);
        QCOMPARE(doc.pages.size(), 1);
        const QString text = doc.pageText(0);
        for (const char* expected :
             {"Studio Neri", "Via Roma 1, Siena", "Tel. 0577-123456", "studio@example.org", "ROSSI MARIO",
              "VIA DANTE 12", "53100 SIENA (SI)", "Data: 12/01/2026", "Promemoria di scadenza",
              "Codice tariffa 1518 - PORTO DI FUCILE ANCHE PER USO DI CACCIA - anno 26",
              "Importo: \u20ac 168,00 (CENTOSESSANTAOTTO/00) - Scadenza: 10/01/2026 (gi\u00e0 scaduto)",
              "Causale: RINNOVO PORTO FUCILE", "Importo: \u20ac 12,91 (DODICI/91) - Scadenza: 30/01/2026",
              "Totale da versare: \u20ac 180,91 (CENTOOTTANTA/91)", "conto corrente postale n. 8003"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
        // The heading stands above the address, the address above the slips, the slips above the total.
        const auto top = [&](const QString& word) { return doc.find(word).value(0).box.top(); };
        QVERIFY(top(QStringLiteral("Neri")) < top(QStringLiteral("DANTE")));
        QVERIFY(top(QStringLiteral("DANTE")) < top(QStringLiteral("(CENTOSESSANTAOTTO/00)")));
        QVERIFY(top(QStringLiteral("(DODICI/91)")) < top(QStringLiteral("(CENTOOTTANTA/91)")));
    }

    // Many letters in one file: each from a page of its own, a long one running on to a second page.
    void lettersInOnePdf()
    {
        if (!PdfReadBack::toolsPresent())
            QSKIP("poppler-utils is not installed");
        TestSupport::Folder folder;
        ReminderLetter::Letter longLetter{.name = QStringLiteral("LUNGO"), .date = day(QStringLiteral("01/03/2026"))};
        for (int i = 0; i < 40; ++i)
            longLetter.items.push_back({.tariff = QStringLiteral("1518"),
                                        .amount = QStringLiteral("1,00"),
                                        .due = QStringLiteral("02/03/2026"),
                                        .causale = QStringLiteral("VOCE %1").arg(i)});
        ReminderLetter::Letter shortLetter{.name = QStringLiteral("BREVE"), .date = day(QStringLiteral("01/03/2026"))};
        shortLetter.items.push_back({.tariff = QStringLiteral("1518"), .amount = QStringLiteral("1,00")});
        const QString pdf = folder.file(QStringLiteral("tutti.pdf"));
        QVERIFY(ReminderLetter::writePdf(pdf, 2, [&](int i) { return i == 0 ? longLetter : shortLetter; }));
        const PdfReadBack::Document doc = PdfReadBack::words(pdf);
        const qsizetype last = doc.pages.size() - 1;
        QVERIFY(last >= 2);
        QVERIFY(doc.pageText(0).contains(QStringLiteral("VOCE 0")));
        QVERIFY(!doc.pageText(0).contains(QStringLiteral("VOCE 39")));
        QCOMPARE(doc.count(QStringLiteral("Spett.le")), 2);
        QVERIFY(doc.pageText(int(last) - 1).contains(QStringLiteral("Totale da versare")));
        QVERIFY(!doc.pageText(int(last) - 1).contains(QStringLiteral("BREVE")));
        QVERIFY(doc.pageText(int(last)).startsWith(QStringLiteral("Spett.le BREVE")));
        QVERIFY(!doc.pageText(int(last)).contains(QStringLiteral("VOCE")));
    }
};

QTEST_MAIN(TestDueDates)
#include "tst_duedates.moc"
