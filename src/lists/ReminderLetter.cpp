#include "lists/ReminderLetter.h"

#include "checks/TariffCodes.h"
#include "data/CodePage.h"
#include "reports/ReportLayout.h"
#include "slips/AmountInWords.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace ReminderLetter {

namespace {

using Report::HAlign;
using Report::TextDef;

constexpr QRgb teal = Report::rgb(0x008080);
constexpr double kWidth = 180; // between the margins

constexpr Report::BandDef kBands[] = {
    {.name = "ReportTitle", .kind = Report::BandKind::ReportTitle, .top = 0, .height = 104, .width = kWidth},
    {.name = "MasterData", .kind = Report::BandKind::MasterData, .top = 106, .height = 40, .width = kWidth},
    {.name = "Footer", .kind = Report::BandKind::Footer, .top = 150, .height = 64, .width = kWidth},
};

// Every text of the letter is Arial and printed literally: a payer's causale may hold brackets.
constexpr TextDef letterText(const char* name, const char* band, double left, double top, double width, double height,
                             double size, bool bold = false, QRgb colour = Report::black, HAlign align = HAlign::Left)
{
    return {.name = name,
            .band = band,
            .left = left,
            .top = top,
            .width = width,
            .height = height,
            .font = "Arial",
            .size = size,
            .bold = bold,
            .colour = colour,
            .align = align,
            .wordWrap = true,
            .expressions = false,
            .text = ""};
}

constexpr TextDef kTexts[] = {
    letterText("txtUfficio", "ReportTitle", 0, 0, kWidth, 8, 15, true, teal),
    letterText("txtUfficioDati", "ReportTitle", 0, 8, kWidth, 10, 9),
    letterText("txtDestinatario", "ReportTitle", 100, 28, 80, 26, 11),
    letterText("txtData", "ReportTitle", 0, 60, kWidth, 6, 10),
    letterText("txtOggetto", "ReportTitle", 0, 70, kWidth, 7, 11, true),
    letterText("txtApertura", "ReportTitle", 0, 82, kWidth, 20, 10),
    letterText("txtVoci", "MasterData", 0, 0, kWidth, 38, 10),
    letterText("txtTotale", "Footer", 0, 4, kWidth, 7, 11, true),
    letterText("txtModalita", "Footer", 0, 15, kWidth, 20, 10),
    letterText("txtSaluti", "Footer", 0, 38, kWidth, 24, 10),
};

constexpr Report::LineDef kLines[] = {
    {.name = "linIntestazione", .band = "ReportTitle", .left = 0, .top = 20, .width = kWidth},
    {.name = "linTotale", .band = "Footer", .left = 0, .top = 2, .width = kWidth},
};

constexpr Report::TemplateDef kTemplate{
    .name = "Promemoria di scadenza",
    .page = {.width = 210,
             .height = 297,
             .paperCode = Report::paperA4,
             .orientation = Report::Orientation::Portrait,
             .left = 15,
             .right = 15,
             .top = 12,
             .bottom = 12},
    .bands = kBands,
    .texts = kTexts,
    .lines = kLines,
    .pdfTitle = "Promemoria di scadenza",
    .pdfSubject = "Promemoria di scadenza",
};

const QString kDate = QStringLiteral("dd/MM/yyyy");

QString joined(const QStringList& parts, const QString& separator)
{
    QStringList filled;
    for (const QString& part : parts)
        if (!CodePage::trimmed(part).isEmpty())
            filled << CodePage::trimmed(part);
    return filled.join(separator);
}

// The height a text object needs for its lines, in millimetres.
double neededHeight(const Report::TextObject& object)
{
    Report::TextObject measured = object;
    measured.height = 1e6;
    const auto laid = Report::layoutText(measured, measured.lines);
    return laid.empty() ? 0 : laid.back().top + laid.back().height;
}

} // namespace

QString amountText(qint64 cents)
{
    return QString::number(cents / 100) + QLatin1Char(',') + QString::number(cents % 100).rightJustified(2, u'0');
}

QString amountWords(qint64 cents)
{
    const qint64 euros = cents / 100;
    // The words stop where the slips' amount field does (eight digits).
    if (euros > 99999999)
        return {};
    return AmountInWords::spell(quint32(euros)) + QLatin1Char('/')
        + QString::number(cents % 100).rightJustified(2, u'0');
}

QString tariffDescription(const QString& code)
{
    const QString wanted = CodePage::trimmed(code);
    if (wanted.isEmpty())
        return {};
    for (const char* entry : TariffCodes::entries()) {
        const QString text = QString::fromLatin1(entry);
        if (text.section(QStringLiteral("  -  "), 0, 0) == wanted)
            return text.section(QStringLiteral("  -  "), 1);
    }
    return {};
}

Letter make(const DueDates::Payer& payer, const DueDates::Selection& selection, const DueDates::Office& office)
{
    Letter letter;
    letter.office = office;
    letter.name = payer.name;
    letter.address = payer.address;
    const QString province = payer.province.isEmpty() ? QString() : QStringLiteral("(%1)").arg(payer.province);
    letter.place = joined({payer.postcode, payer.town, province}, QStringLiteral(" "));
    letter.email = payer.email;
    letter.date = selection.today;
    letter.last = selection.last;
    qint64 total = 0;
    for (int index : payer.slips) {
        const DueDates::Slip& slip = selection.slips[size_t(index)];
        const qint64 cents = slip.amountCents();
        total += cents;
        letter.items.push_back({.tariff = slip.tariff,
                                .description = tariffDescription(slip.tariff),
                                .year = slip.tariffYear,
                                .amount = amountText(cents),
                                .words = amountWords(cents),
                                .due = slip.due.toString(kDate),
                                .expired = slip.expired,
                                .causale = slip.causale});
    }
    letter.total = amountText(total);
    letter.totalWords = amountWords(total);
    return letter;
}

const Report::TemplateDef& def()
{
    return kTemplate;
}

QStringList itemLines(const Item& item)
{
    QString tariff = QStringLiteral("Codice tariffa ") + item.tariff;
    if (!item.description.isEmpty())
        tariff += QStringLiteral(" - ") + item.description;
    if (!item.year.isEmpty())
        tariff += QStringLiteral(" - anno ") + item.year;
    QString amount = QStringLiteral("Importo: \u20ac ") + item.amount;
    if (!item.words.isEmpty())
        amount += QStringLiteral(" (") + item.words + QLatin1Char(')');
    amount += QStringLiteral("  -  Scadenza: ") + item.due;
    if (item.expired)
        amount += QStringLiteral(" (gi\u00e0 scaduto)");
    QStringList lines{QStringLiteral("\u2022 ") + tariff, QStringLiteral("   ") + amount};
    if (!item.causale.isEmpty())
        lines << QStringLiteral("   Causale: ") + item.causale;
    return lines;
}

void fill(Report::Template& report, const Letter& letter)
{
    const DueDates::Office& office = letter.office;
    report.text(QStringLiteral("txtUfficio"))->setText(office.name);
    const QString contacts =
        joined({office.telephone.isEmpty() ? QString() : QStringLiteral("Tel. ") + office.telephone,
                office.email.isEmpty() ? QString() : QStringLiteral("E-mail: ") + office.email},
               QStringLiteral("  -  "));
    report.text(QStringLiteral("txtUfficioDati"))->setText(joined({office.address, contacts}, QStringLiteral("\n")));
    report.text(QStringLiteral("txtDestinatario"))
        ->setText(QStringLiteral("Spett.le\n")
                  + joined({letter.name, letter.address, letter.place}, QStringLiteral("\n")));
    report.text(QStringLiteral("txtData"))->setText(QStringLiteral("Data: ") + letter.date.toString(kDate));
    report.text(QStringLiteral("txtOggetto"))
        ->setText(QStringLiteral("Oggetto: Promemoria di scadenza - Tasse sulle Concessioni Governative"));
    report.text(QStringLiteral("txtApertura"))
        ->setText(
            QStringLiteral("Gentile %1,\ncon la presente Le ricordiamo che i seguenti versamenti delle Tasse sulle "
                           "Concessioni Governative risultano non ancora saldati, con scadenza entro il %2:")
                .arg(letter.name, letter.last.toString(kDate)));

    Report::TextObject* items = report.text(QStringLiteral("txtVoci"));
    items->clearLines();
    for (const Item& item : letter.items) {
        if (!items->lines.isEmpty())
            items->addLine(QString()); // a blank line between slips
        for (const QString& line : itemLines(item))
            items->addLine(line);
    }
    items->height = neededHeight(*items) + 1;
    report.band(QStringLiteral("MasterData"))->height = items->height + 2;

    QString total = QStringLiteral("Totale da versare: \u20ac ") + letter.total;
    if (!letter.totalWords.isEmpty())
        total += QStringLiteral(" (") + letter.totalWords + QLatin1Char(')');
    report.text(QStringLiteral("txtTotale"))->setText(total);
    report.text(QStringLiteral("txtModalita"))
        ->setText(QStringLiteral(
            "Il versamento si effettua presso qualsiasi ufficio postale con il bollettino TD 451 sul conto corrente "
            "postale n. 8003 intestato all'Agenzia delle Entrate - Tasse Concessioni Governative, indicando per "
            "ciascun versamento il codice tariffa, l'anno e la causale riportati sopra. Per ogni informazione i "
            "nostri uffici restano a Sua disposizione."));
    report.text(QStringLiteral("txtSaluti"))
        ->setText(QStringLiteral("Se il versamento \u00e8 gi\u00e0 stato effettuato, non tenga conto del presente "
                                 "promemoria.\n\nDistinti saluti.\n")
                  + office.name);
}

bool render(QPagedPaintDevice& device, int count, const std::function<Letter(int)>& letterAt)
{
    if (count <= 0)
        return true;
    Report::Template report(kTemplate);
    QPainter painter;
    for (int i = 0; i < count; ++i) {
        fill(report, letterAt(i));
        report.prepare();
        const Report::PreparedReport& prepared = report.prepared();
        if (i == 0) {
            device.setPageLayout(prepared.pageLayout());
            if (!painter.begin(&device))
                return false;
        }
        for (int page = 0; page < prepared.pageCount(); ++page) {
            if ((i > 0 || page > 0) && !device.newPage())
                return false;
            prepared.paint(painter, page);
        }
    }
    return painter.end();
}

bool writePdf(const QString& path, int count, const std::function<Letter(int)>& letterAt, QString* error)
{
    const auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    // Written aside and put in place at the end: a failed export leaves an earlier file whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    bool drawn = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(1200);
        writer.setTitle(QString::fromUtf8(kTemplate.pdfTitle));
        writer.setCreator(QStringLiteral("Tassella"));
        drawn = render(writer, count, letterAt);
    }
    // QPdfWriter writes through the device without telling of a failed write: check the device.
    if (!drawn || file.error() != QFileDevice::NoError || !file.flush()) {
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("PDF");
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

QString fileName(const Letter& letter)
{
    QString name;
    for (const QChar c : CodePage::trimmed(letter.name).toUpper())
        name += (c.isLetterOrNumber() && c.unicode() < 128) ? c : QLatin1Char('_');
    if (name.isEmpty())
        name = QStringLiteral("ESECUTORE");
    return QStringLiteral("Promemoria_") + name + QStringLiteral(".pdf");
}

QString mailSubject(const Letter&)
{
    return QStringLiteral("Promemoria di scadenza - Tasse sulle Concessioni Governative");
}

QString mailBody(const Letter& letter)
{
    QString body =
        QStringLiteral("Gentile %1,\n\nLe inviamo in allegato il promemoria dei versamenti delle Tasse sulle "
                       "Concessioni Governative non ancora saldati, con scadenza entro il %2:\n\n")
            .arg(letter.name, letter.last.toString(kDate));
    for (const Item& item : letter.items)
        body += QStringLiteral("- codice tariffa %1, \u20ac %2, scadenza %3%4\n")
                    .arg(item.tariff, item.amount, item.due,
                         item.expired ? QStringLiteral(" (gi\u00e0 scaduto)") : QString());
    body += QStringLiteral("\nTotale da versare: \u20ac %1.\n\nIl versamento si effettua presso qualsiasi ufficio "
                           "postale con il bollettino TD 451 sul conto corrente postale n. 8003.\nSe il versamento "
                           "\u00e8 gi\u00e0 stato effettuato, non tenga conto del presente messaggio.\n\nDistinti "
                           "saluti.\n")
                .arg(letter.total);
    if (!letter.office.name.isEmpty())
        body += letter.office.name + QLatin1Char('\n');
    return body;
}

} // namespace ReminderLetter
