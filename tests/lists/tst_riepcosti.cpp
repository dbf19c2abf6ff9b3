// The payment summary result on the real window, opened from the selection as the user does:
// what it lists and totals, the left-out slips, the find command, the printed summary read back
// from its PDF, and the help page.

#include "TestSupport.h"

#include "ListFixtures.h"
#include "PdfReadBack.h"
#include "ReadOnly.h"
#include "help/Guida.h"
#include "help/HelpPages.h"
#include "lists/MenuRiepCosti.h"
#include "lists/RiepCosti.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>

using TestSupport::child;
using Kind = MessageBox::Kind;
using namespace ListFixtures;

namespace {

Record due(const QString& date, const QString& amount, const QString& name, bool paid = false)
{
    Record record = slip({{"DataScade", date},
                          {"Intero", amount},
                          {"Esecutore", name},
                          {"CodFisc", "RSSMRA80A01H501U"},
                          {"ComuneRes", "ROMA"},
                          {"ProvRes", "RM"},
                          {"CodTariffa", "8617"}});
    record.setFlag("Saldato", paid);
    return record;
}
} // namespace

class TestRiepCosti : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestSupport::Session> m_session;
    TfrmMenuRiepCosti* m_selection = nullptr;

    QString archive() const { return m_session->file(QStringLiteral("2014.bol")); }

    // Chooses March 2014 (or the given days and months) and the filters, and opens the result.
    TfrmRiepCosti* open(const QString& name = {}, const QString& taxCode = {}, const QString& startDay = "01",
                        const QString& startMonth = "Marzo", const QString& endDay = "31",
                        const QString& endMonth = "Marzo")
    {
        m_selection->showFrom(nullptr);
        if (!QTest::qWaitForWindowActive(m_selection))
            return nullptr;
        child<QLineEdit>(m_selection, "txtEsecutore")->setText(name);
        child<QLineEdit>(m_selection, "txtCodFisc")->setText(taxCode);
        TestSupport::choosePeriod(m_selection, startDay, startMonth, endDay, endMonth);
        QTest::mouseClick(child<QWidget>(m_selection, "btnVisualizza"), Qt::LeftButton);
        TfrmRiepCosti* result = TestSupport::openDialog<TfrmRiepCosti>();
        if (!result)
            return nullptr;
        return QTest::qWaitForWindowExposed(result) ? result : nullptr;
    }

    static QString text(QWidget* window, const char* name) { return TestSupport::textOf(window, name); }

private slots:
    void init()
    {
        QVERIFY(TestSupport::start(m_session, m_selection));
        Clock::setFixed(QDateTime(QDate(2014, 6, 20), QTime(17, 30)));
    }

    void cleanup() { TestSupport::stop(m_session, m_selection); }

    void windowAndTexts()
    {
        TfrmRiepCosti* result = open();
        QVERIFY(result);
        QCOMPARE(result->windowTitle(), QStringLiteral(" Tassella - Riepilogo versamenti"));
        QTRY_VERIFY(result->isMaximized());
        const std::pair<const char*, const char*> texts[] = {
            {"lblTipologia", "Esecutore selezionato:"},
            {"lblRigo01",
             "Immettere una o più parole consecutive presenti nella scheda in elenco da cercare e "
             "premere il pulsante Trova."},
            {"lblRigo02",
             "Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, fare di nuovo "
             "clic su Trova."},
            {"btnTrova", "Trova"},
            {"infIntervallo", "Intervallo selezionato:"},
            {"infTotKmPercorsi", "Totale importi versati:"},
            {"btnStampa", "Stampa riepilogo"},
            {"btnEsci", "Esci"},
        };
        for (const auto& [name, expected] : texts)
            QCOMPARE(text(result, name), QString::fromUtf8(expected));
        QVERIFY(child<QWidget>(result, "imgGuida"));
        QVERIFY(child<QWidget>(result, "txtTrova")->isVisible());
        QVERIFY(!child<QWidget>(result, "lblConta")->isVisible());
        QCOMPARE(child<QLabel>(result, "titTipologia")->font().pointSize(), 12);
        QVERIFY(child<QLabel>(result, "lblTotCosti")->alignment() & Qt::AlignRight);
        QVERIFY(child<QLabel>(result, "lblIntervallo")->alignment() & Qt::AlignRight);
        // A summary takes no slip back into the editor.
        QVERIFY(!child<QWidget>(result, "lblRigo03"));
        QVERIFY(!child<QWidget>(result, "btnChiudi"));
        QCOMPARE(child<QListView>(result, "lstRecords")->font().family(), QStringLiteral("Courier New"));
    }

    void periodAndPaidFlag()
    {
        QVERIFY(writeArchive(archive(),
                             {due("28/02/2014", "1000,00", "FEBBRAIO"), due("01/03/2014", "168,00", "PRIMO", true),
                              due("31/03/2014", "16,00", "ULTIMO"), due("01/04/2014", "2000,00", "APRILE"),
                              due("15/03/2014", "0,50", "META", true)}));
        TfrmRiepCosti* result = open();
        QVERIFY(result);
        QVERIFY(MessageBox::shown().isEmpty());
        const QStringList lines = TestSupport::shownLines(result);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].startsWith(QStringLiteral("Scad. 01/03/2014  € 168,00       PRIMO")));
        QVERIFY(lines[1].startsWith(QLatin1String("Scad. 15/03/2014")));
        QVERIFY(lines[2].startsWith(QLatin1String("Scad. 31/03/2014")));
        QCOMPARE(text(result, "lblTotCosti"), QStringLiteral("184,50"));
        QCOMPARE(text(result, "lblIntervallo"), QStringLiteral("Dal   01/03/2014   al   31/03/2014"));
        QCOMPARE(text(result, "titTipologia"), QStringLiteral("- - -"));
        QCOMPARE(text(result, "lblConta"), QStringLiteral("0"));
        QVERIFY(!child<QWidget>(result, "lblNonLette")->isVisible());
        QCOMPARE(result->focusWidget(), child<QWidget>(result, "txtTrova"));
    }

    void nameFilter()
    {
        QVERIFY(writeArchive(archive(),
                             {due("02/03/2014", "10,00", "ROSSI MARIO"), due("03/03/2014", "20,00", "BIANCHI"),
                              due("04/03/2014", "0,10", "de rossi anna"), due("05/03/2014", "0,20", "ROSSINI")}));
        TfrmRiepCosti* result = open(QStringLiteral("ROSSI"));
        QVERIFY(result);
        QCOMPARE(text(result, "titTipologia"), QStringLiteral("ROSSI"));
        QCOMPARE(text(result, "lblConta"), QStringLiteral("1"));
        const QStringList lines = TestSupport::shownLines(result);
        QCOMPARE(lines.size(), 3);
        for (const QString& line : lines)
            QVERIFY(!line.contains(QLatin1String("BIANCHI")));
        QCOMPARE(text(result, "lblTotCosti"), QStringLiteral("10,30"));
    }

    void unreadableSlipsAreNamedBesideTheTotal()
    {
        QVERIFY(writeArchive(archive(),
                             {due("02/03/2014", "10,00", "UNO"), due("30/02/2014", "20,00", "DATA"),
                              due("04/03/2014", "venti", "IMPORTO"), due("05/03/2014", "0,20", "DUE")}));
        TfrmRiepCosti* result = open();
        QVERIFY(result);
        QCOMPARE(TestSupport::shownLines(result).size(), 2);
        QCOMPARE(text(result, "lblTotCosti"), QStringLiteral("10,20"));
        QCOMPARE(text(result, "lblIntervallo"), QStringLiteral("Dal   01/03/2014   al   31/03/2014"));
        QVERIFY(child<QWidget>(result, "lblNonLette")->isVisible());
        QCOMPARE(text(result, "lblNonLette"),
                 QStringLiteral("Attenzione: 2 bollettini hanno la data di scadenza o l'importo non leggibile: sono "
                                "esclusi dall'elenco e dal totale."));
    }

    // An archive that cannot be read to its end: the slips read before the failure with their total,
    // and a note that counts what is missing, on screen and on paper; no box.
    void archiveReadInPart_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("note");
        QTest::newRow("incomplete last record")
            << "tail"
            << "10,00"
            << "Attenzione: l'archivio termina con una scheda incompleta, rimasta da un salvataggio interrotto.";
        QTest::newRow("incomplete last record after a bad date")
            << "tail and date"
            << "10,00"
            << "Attenzione: 1 bollettino ha la data di scadenza o l'importo non leggibile: è escluso dall'elenco e "
               "dal totale.\nAttenzione: l'archivio termina con una scheda incompleta, rimasta da un salvataggio "
               "interrotto.";
        QTest::newRow("file that cannot be opened")
            << "read-only"
            << "0,00"
            << "Attenzione: 1 bollettino dell'archivio non è leggibile: è escluso dall'elenco e dal totale.";
        QTest::newRow("folder under the archive's name")
            << "folder"
            << "0,00"
            << "Attenzione: l'archivio non è leggibile: il riepilogo non contiene i suoi bollettini.";
    }
    void archiveReadInPart()
    {
        QFETCH(QString, damage);
        QFETCH(QString, total);
        QFETCH(QString, note);
        std::unique_ptr<ReadOnly> guard;
        if (damage == "folder") {
            QVERIFY(QDir(m_session->folder()).mkdir(QStringLiteral("2014.bol")));
        } else {
            QList<Record> slips = {due("02/03/2014", "10,00", "UNO")};
            if (damage.contains("date"))
                slips << due("30/02/2014", "20,00", "DATA");
            QVERIFY(TestSupport::writeAll(archive(),
                                          ListFixtures::archive(slips)
                                              + (damage.startsWith("tail") ? QByteArray(100, 'x') : QByteArray())));
        }
        if (damage == "read-only") {
            guard = std::make_unique<ReadOnly>(archive());
            REQUIRE_READ_ONLY(*guard);
        }
        TfrmRiepCosti* result = open();
        QVERIFY(result);
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(TestSupport::shownLines(result).size(), damage.startsWith("tail") ? 1 : 0);
        QCOMPARE(text(result, "lblTotCosti"), total);
        QCOMPARE(text(result, "lblIntervallo"), QStringLiteral("Dal   01/03/2014   al   31/03/2014"));
        auto* shown = child<QLabel>(result, "lblNonLette");
        QVERIFY(shown->isVisible());
        QVERIFY(shown->wordWrap());
        QCOMPARE(shown->text(), note);
        // Shown whole: wrapped within the label, and the label within its panel.
        const QRect needed = shown->fontMetrics().boundingRect(QRect(0, 0, shown->contentsRect().width(), 1000),
                                                               Qt::TextWordWrap, shown->text());
        QVERIFY2(needed.height() <= shown->contentsRect().height(), qPrintable(QString::number(needed.height())));
        QVERIFY(shown->parentWidget()->rect().contains(shown->geometry()));
        if (!damage.startsWith("tail"))
            return;
        // The printed summary names what it leaves out after its total.
        const QString pdf = m_session->file(QStringLiteral("riepilogo.pdf"));
        PrintDialog::setNextAccept(pdf);
        QTest::mouseClick(child<QWidget>(result, "btnStampa"), Qt::LeftButton);
        QVERIFY(QFile::exists(pdf));
        const PdfReadBack::Document printed = PdfReadBack::words(pdf);
        // Each line of the note whole on paper, on a row of its own: the body does not wrap.
        const QStringList noteLines = note.split(QLatin1Char('\n'));
        for (const QString& line : noteLines)
            QVERIFY2(printed.pageText(0).contains(line), qPrintable(printed.pageText(0)));
        const QList<PdfReadBack::Word> starts = printed.find(QStringLiteral("Attenzione:"));
        QCOMPARE(starts.size(), noteLines.size());
        for (qsizetype i = 1; i < starts.size(); ++i)
            QVERIFY(starts.at(i).box.top() > starts.at(i - 1).box.top() + 2.5);
    }

    void emptySummaryPrintsNothing()
    {
        // No archive for the year yet: it is created empty and the summary is empty.
        TfrmRiepCosti* result = open();
        QVERIFY(result);
        QVERIFY(QFile::exists(archive()));
        QCOMPARE(QFileInfo(archive()).size(), 0);
        QVERIFY(TestSupport::shownLines(result).isEmpty());
        QCOMPARE(text(result, "lblTotCosti"), QStringLiteral("0,00"));

        PrintDialog::setNextCancel(); // must stay unused: nothing may reach the print dialog
        QTest::mouseClick(child<QWidget>(result, "btnStampa"), Qt::LeftButton);
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().kind, Kind::Warning);
        QCOMPARE(MessageBox::shown().first().text,
                 QStringLiteral("Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce."));
        QVERIFY(PrintDialog::hasPending());
        PrintDialog::reset();
    }

    void printOnlyAfterYes()
    {
        QVERIFY(writeArchive(archive(), {due("02/03/2014", "10,00", "UNO")}));
        TfrmRiepCosti* result = open();
        QVERIFY(result);
        PrintDialog::setNextCancel(); // must stay unused
        MessageBox::setNextAnswer(MessageBox::Button::No);
        QTest::mouseClick(child<QWidget>(result, "btnStampa"), Qt::LeftButton);
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().kind, Kind::Confirmation);
        QCOMPARE(MessageBox::shown().first().text, QStringLiteral("Si vuole stampare il presente riepilogo?"));
        QVERIFY(PrintDialog::hasPending());
        PrintDialog::reset();
    }

    void printsTheSummary()
    {
        if (!PdfReadBack::toolsPresent())
            QSKIP("poppler-utils (pdftotext, pdfinfo, pdftoppm) are not installed");
        QList<Record> records;
        for (int i = 1; i <= 10; ++i)
            records << due(QStringLiteral("%1/03/2014").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("0,10"),
                           QStringLiteral("ROSSI%1").arg(i, 2, 10, QLatin1Char('0')));
        records << due("11/03/2014", "99,00", "BIANCHI");
        QVERIFY(writeArchive(archive(), records));
        TfrmRiepCosti* result = open(QStringLiteral("rossi"));
        QVERIFY(result);
        QCOMPARE(text(result, "lblTotCosti"), QStringLiteral("1,00"));

        const QString pdf = m_session->file(QStringLiteral("riepilogo.pdf"));
        MessageBox::setNextAnswer(MessageBox::Button::Yes);
        PrintDialog::setNextAccept(pdf);
        QTest::mouseClick(child<QWidget>(result, "btnStampa"), Qt::LeftButton);
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().kind, Kind::Confirmation);

        const PdfReadBack::Document document = PdfReadBack::words(pdf);
        QVERIFY(document.ok());
        QCOMPARE(document.pages.size(), 1);
        QVERIFY2(document.pageText(0).startsWith(QLatin1String("Riepilogo versamenti - Esecutore: rossi ")),
                 qPrintable(document.pageText(0)));
        for (int i = 1; i <= 10; ++i)
            QCOMPARE(document.count(QStringLiteral("ROSSI%1").arg(i, 2, 10, QLatin1Char('0'))), 1);
        QVERIFY(!document.contains("BIANCHI"));
        // The words standing on the same line as a word.
        const auto lineOf = [&document](const char* word) {
            const double top = document.find(QString::fromUtf8(word)).first().box.top();
            QStringList words;
            for (const PdfReadBack::Word& w : document.words)
                if (qAbs(w.box.top() - top) < 0.5)
                    words << w.text;
            return words.join(QLatin1Char(' '));
        };
        QCOMPARE(lineOf("INTERVALLO"), QStringLiteral("INTERVALLO SELEZIONATO: Dal 01/03/2014 al 31/03/2014"));
        QCOMPARE(lineOf("TOTALE"), QStringLiteral("TOTALE IMPORTI VERSATI: € 1,00"));
        QCOMPARE(lineOf("eseguita").left(34), QStringLiteral("Stampa eseguita in data 20/06/2014"));
        // Ten slip lines, the hyphens, the period and the total: thirteen lines, one under another.
        QList<double> tops;
        for (int i = 1; i <= 10; ++i)
            tops << document.find(QStringLiteral("ROSSI%1").arg(i, 2, 10, QLatin1Char('0'))).first().box.top();
        tops << document.find("INTERVALLO").first().box.top() << document.find("TOTALE").first().box.top();
        // One line pitch apart, the period two below the last slip (the hyphens stand between).
        const double pitch = tops[1] - tops[0];
        QVERIFY(pitch > 2.5 && pitch < 4.5);
        for (int i = 1; i < tops.size(); ++i)
            QVERIFY(qAbs(tops[i] - tops[i - 1] - (i == 10 ? 2 : 1) * pitch) < 0.2);
    }

    void findCommand()
    {
        QVERIFY(writeArchive(archive(),
                             {due("02/03/2014", "1,00", "ROSSI"), due("03/03/2014", "1,00", "BIANCHI"),
                              due("04/03/2014", "1,00", "VERDI"), due("05/03/2014", "1,00", "BIANCHINI")}));
        TfrmRiepCosti* result = open();
        QVERIFY(result);
        auto* view = child<QListView>(result, "lstRecords");
        auto* find = child<QLineEdit>(result, "txtTrova");
        QTest::keyClicks(find, QStringLiteral("bianchi"));
        // Enter in the find field does nothing here.
        QTest::keyClick(find, Qt::Key_Return);
        QCOMPARE(result->focusWidget(), static_cast<QWidget*>(find));
        QTest::mouseClick(child<QWidget>(result, "btnTrova"), Qt::LeftButton);
        QCOMPARE(view->currentIndex().row(), 1);
        QTest::mouseClick(child<QWidget>(result, "btnTrova"), Qt::LeftButton);
        QCOMPARE(view->currentIndex().row(), 3);
        QTest::mouseClick(child<QWidget>(result, "btnTrova"), Qt::LeftButton);
        QCOMPARE(view->currentIndex().row(), 1);
        QVERIFY(MessageBox::shown().isEmpty());
    }

    void helpPage()
    {
        TfrmRiepCosti* result = open();
        QVERIFY(result);
        QTest::mouseClick(child<QWidget>(result, "imgGuida"), Qt::LeftButton);
        TfrmGuida* guide = TestSupport::openDialog<TfrmGuida>();
        QVERIFY(guide);
        QCOMPARE(text(guide, "lblTitolo"), QStringLiteral("Riepilogo versamenti."));
        const QStringList paragraphs = HelpPages::summaryBody().split(QStringLiteral("\r\n\r\n"));
        QCOMPARE(paragraphs.size(), 4);
        for (const QString& paragraph : paragraphs)
            QVERIFY(!paragraph.trimmed().isEmpty() && !paragraph.contains(QLatin1Char('\n')));
        QVERIFY(
            child<QPlainTextEdit>(guide, "txtGuida")->toPlainText().contains(QLatin1String("Visualizza riepilogo")));
    }
};

QTEST_MAIN(TestRiepCosti)
#include "tst_riepcosti.moc"
