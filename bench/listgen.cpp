// Writes realistic large archives for the list benchmarks: a yearly slip archive "2024.bol" and a
// payer archive "Esecutori.pro", built record by record as the editors would store them.
//   bench_listgen <folder> <slips> <payers>

#include "payers/PayerRecord.h"
#include "slips/AmountInWords.h"
#include "slips/SlipRecord.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <cstdio>

namespace {

const char* const kSurnames[] = {"ROSSI",   "RUSSO",   "FERRARI",   "ESPOSITO", "BIANCHI",    "ROMANO",  "COLOMBO",
                                 "RICCI",   "MARINO",  "GRECO",     "BRUNO",    "GALLO",      "CONTI",   "DE LUCA",
                                 "MANCINI", "COSTA",   "GIORDANO",  "RIZZO",    "LOMBARDI",   "MORETTI", "BARBIERI",
                                 "FONTANA", "SANTORO", "MARIANI",   "RINALDI",  "CARUSO",     "FERRARA", "GALLI",
                                 "MARTINI", "LEONE",   "LONGO",     "GENTILE",  "MARTINELLI", "VITALE",  "LOMBARDO",
                                 "SERRA",   "COPPOLA", "DE SANTIS", "D'ANGELO", "MARCHETTI",  "PARISI",  "VILLA",
                                 "CONTE",   "FERRO",   "FABBRI",    "BIANCO"};
const char* const kNames[] = {"MARIO",     "GIUSEPPE",   "ANNA",   "MARIA",   "LUCA",   "FRANCESCO",
                              "PAOLA",     "GIOVANNI",   "LAURA",  "ANDREA",  "SARA",   "MARCO",
                              "ELENA",     "ALESSANDRO", "GIULIA", "ROBERTO", "CHIARA", "STEFANO",
                              "FRANCESCA", "NICOLA",     "SILVIA", "DAVIDE",  "MONICA", "NICCOL\xd2"};
struct Town {
    const char* name;
    const char* province;
    const char* cap;
};
const Town kTowns[] = {
    {"ROMA", "RM", "00100"},    {"MILANO", "MI", "20100"},        {"NAPOLI", "NA", "80100"},
    {"TORINO", "TO", "10100"},  {"PALERMO", "PA", "90100"},       {"GENOVA", "GE", "16100"},
    {"BOLOGNA", "BO", "40100"}, {"FIRENZE", "FI", "50100"},       {"BARI", "BA", "70100"},
    {"CATANIA", "CT", "95100"}, {"FORL\xcc", "FC", "47121"},      {"CANT\xd9", "CO", "22063"},
    {"VERONA", "VR", "37100"},  {"REGGIO EMILIA", "RE", "42121"}, {"SAN BENEDETTO TR", "AP", "63074"}};
const char* const kTariffs[] = {"1417", "1518", "2914", "3511", "4613", "7019", "7111", "7212",
                                "7223", "7313", "7324", "7414", "7515", "7526", "7616", "7717",
                                "7728", "7739", "7818", "7919", "8011", "8213", "8617"};
const char* const kNotes[] = {"",
                              "",
                              "",
                              "pagato in contanti",
                              "sollecitare il cliente entro fine mese",
                              "rinnovo annuale, portare copia del documento di identit\xe0",
                              "telefonare prima di passare in ufficio: il cliente \xe8 spesso fuori sede",
                              "versamento da ripetere: importo errato sul bollettino precedente",
                              "consegnata ricevuta",
                              "attendere conferma della Questura prima di versare \x80 16,00"};
const char* const kReasons[] = {"TASSA ANNUALE LICENZA", "RILASCIO PORTO D'ARMI USO CACCIA", "RINNOVO ISCRIZIONE ALBO",
                                "CONCESSIONE GOVERNATIVA", "TASSA DI RILASCIO"};

QRandomGenerator rng(20240601);

template <class T, size_t N> const T& pick(const T (&table)[N])
{
    return table[rng.bounded(int(N))];
}

QString latin(const char* text)
{
    return QString::fromLatin1(text).replace(QChar(0x80), QChar(0x20AC));
}

QString name()
{
    return latin(pick(kSurnames)) + QLatin1Char(' ') + latin(pick(kNames));
}

QString taxCode()
{
    QString code;
    for (int i = 0; i < 6; ++i)
        code += QChar(u'A' + rng.bounded(26));
    code += QString::number(rng.bounded(40, 99)) + QChar(u'A' + rng.bounded(12));
    code += QStringLiteral("%1").arg(rng.bounded(1, 71), 2, 10, QLatin1Char('0'));
    code += QChar(u'A' + rng.bounded(26)) + QStringLiteral("%1").arg(rng.bounded(1000), 3, 10, QLatin1Char('0'));
    return code + QChar(u'A' + rng.bounded(26));
}

QString two(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QByteArray slipRecord()
{
    Record r(SlipRecord::layout());
    const int euros = rng.bounded(10, 700);
    const QString cents = rng.bounded(4) == 0 ? two(rng.bounded(100)) : QStringLiteral("00");
    const Town& home = pick(kTowns);
    const Town& birth = pick(kTowns);
    const QDate due = QDate(2024, 1, 1).addDays(rng.bounded(366));
    r.setText("Importo", QString::number(euros));
    r.setText("Cents", cents);
    r.setText("ImpLettere", AmountInWords::spell(quint32(euros)));
    r.setText("CentLettere", cents);
    r.setText("Intero", QString::number(euros) + QLatin1Char(',') + cents);
    r.setText("CodTariffa", latin(pick(kTariffs)));
    r.setText("AnnoTariffa", QStringLiteral("24"));
    r.setText("CodFisc", taxCode());
    r.setText("Esecutore", name());
    r.setText("Sesso", rng.bounded(2) ? QStringLiteral("M") : QStringLiteral("F"));
    r.setText("GG", two(rng.bounded(1, 29)));
    r.setText("MM", two(rng.bounded(1, 13)));
    r.setText("AA", two(rng.bounded(30, 100)));
    r.setText("ComuneNasc", latin(birth.name));
    r.setText("ProvNasc", latin(birth.province));
    r.setText("IndirizzoRes", QStringLiteral("VIA GARIBALDI %1").arg(rng.bounded(1, 200)));
    r.setText("ProvRes", latin(home.province));
    r.setText("ComuneRes", latin(home.name));
    r.setText("CapRes", latin(home.cap));
    r.setText("DataScade", due.toString(QStringLiteral("dd/MM/yyyy")));
    // Most slips of a year end up paid.
    const bool paid = rng.bounded(100) < 60;
    r.setText("DataPaga", paid ? due.addDays(-rng.bounded(20)).toString(QStringLiteral("dd/MM/yyyy")) : QString());
    r.setText("Causale", latin(pick(kReasons)));
    r.setText("Note", latin(pick(kNotes)));
    r.setFlag("Saldato", paid);
    r.setFlag("Rilascio", rng.bounded(3) == 0);
    r.setFlag("Annuale", rng.bounded(2) == 0);
    r.setFlag("Integrazione", false);
    if (rng.bounded(5) == 0) {
        r.setText("File01", QStringLiteral("ricevuta_%1.pdf").arg(rng.bounded(100000)));
        r.setText("Desc01", QStringLiteral("Ricevuta di versamento"));
    }
    return r.bytes();
}

QByteArray payerRecord()
{
    Record r(PayerRecord::layout());
    const Town& home = pick(kTowns);
    const Town& birth = pick(kTowns);
    r.setText("Esecutore", name());
    r.setText("GG", two(rng.bounded(1, 29)));
    r.setText("MM", two(rng.bounded(1, 13)));
    r.setText("AA", two(rng.bounded(30, 100)));
    r.setText("ComuneNasc", latin(birth.name));
    r.setText("ProvNasc", latin(birth.province));
    r.setText("Sesso", rng.bounded(2) ? QStringLiteral("M") : QStringLiteral("F"));
    r.setText("Recapito",
              rng.bounded(2) ? QStringLiteral("cell. 3%1").arg(rng.bounded(100000000, 999999999))
                             : QStringLiteral("ufficio, chiedere della segreteria dopo le 15"));
    r.setText("IndirizzoRes", QStringLiteral("PIAZZA MAZZINI %1").arg(rng.bounded(1, 90)));
    r.setText("ProvRes", latin(home.province));
    r.setText("ComuneRes", latin(home.name));
    r.setText("CapRes", latin(home.cap));
    r.setText("Categoria", rng.bounded(2) ? QStringLiteral("CACCIATORI") : QStringLiteral("AGENTI DI ASSICURAZIONE"));
    r.setText("TelCasa", QStringLiteral("06 %1").arg(rng.bounded(1000000, 9999999)));
    r.setText("TelCel", QStringLiteral("3%1").arg(rng.bounded(100000000, 999999999)));
    r.setText("Email", QStringLiteral("cliente%1@example.it").arg(rng.bounded(1000000)));
    r.setText("CodFisc", taxCode());
    r.setText("TipoDoc", QStringLiteral("CARTA D'IDENTIT\u00c0"));
    r.setText("NumDoc", QStringLiteral("AX%1").arg(rng.bounded(1000000, 9999999)));
    r.setText("EnteRil", QStringLiteral("COMUNE DI ") + latin(home.name));
    r.setText("DataRil", QStringLiteral("12/05/2019"));
    r.setText("DataSca", QStringLiteral("12/05/2029"));
    r.setText("CodTariffa", latin(pick(kTariffs)));
    r.setText("Questioni", rng.bounded(4) == 0 ? QStringLiteral("manca la fotocopia del porto d'armi") : QString());
    r.setText("Note", latin(pick(kNotes)));
    r.setFlag("Ricontatta", rng.bounded(100) < 30);
    return r.bytes();
}

bool write(const QString& path, qint64 count, QByteArray (*make)())
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray block;
    for (qint64 i = 0; i < count; ++i) {
        block += make();
        if (block.size() > (4 << 20) || i + 1 == count) {
            if (file.write(block) != block.size())
                return false;
            block.clear();
        }
    }
    return file.flush();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_listgen <folder> <slips> <payers>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    const bool ok = write(folder + QStringLiteral("/2024.bol"), QByteArray(argv[2]).toLongLong(), slipRecord)
        && write(folder + QStringLiteral("/Esecutori.pro"), QByteArray(argv[3]).toLongLong(), payerRecord);
    return ok ? 0 : 1;
}
