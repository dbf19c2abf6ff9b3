// Build tool: pictures of the program's windows for the user guide, taken from the real windows
// created as the program creates them and filled with sample data, rendered offscreen.
//   tassella_shots <folder>      writes <folder>/<name>.png for each row of the table below
// One process takes every picture, so the build pays the start-up once.

#include "app/Avvio.h"
#include "app/CambiaPassword.h"
#include "app/PasswordChange.h"
#include "app/Password.h"
#include "app/Startup.h"
#include "app/StartupFolder.h"
#include "backup/Backup.h"
#include "backup/BackupArchivi.h"
#include "backup/Ripristina.h"
#include "backup/VerificaArchivi.h"
#include "batch/Emissione.h"
#include "checks/Calendario.h"
#include "checks/Carta.h"
#include "checks/CodFisc.h"
#include "checks/Iban.h"
#include "checks/PartitaIVA.h"
#include "checks/TaxCode.h"
#include "checks/Voci_Tariffa.h"
#include "data/PasswordFile.h"
#include "data/RecordArchive.h"
#include "data/Platform.h"
#include "lists/DaSaldare.h"
#include "lists/ExpBollettini.h"
#include "lists/ExpEsecutori.h"
#include "lists/MenuRiepCosti.h"
#include "lists/Ricontatta.h"
#include "lists/RiepCosti.h"
#include "lists/Scadute.h"
#include "lists/DueDates.h"
#include "lists/Promemoria.h"
#include "lists/ReminderLetter.h"
#include "lists/TrovaBollettini.h"
#include "lists/TrovaEsecutori.h"
#include "payers/AllegaCartella.h"
#include "editors/Esecutori.h"
#include "payers/ImportaEsecutori.h"
#include "payers/InfoSheet.h"
#include "payers/PayerRecord.h"
#include "printing/SlipPreview.h"
#include "printing/StampaBol.h"
#include "windows/ReportOutput.h"
#include "slips/AmountInWords.h"
#include "editors/Bollettino.h"
#include "slips/SlipRecord.h"
#include "windows/Prompts.h"
#include "windows/Windows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>
#include <vector>

namespace {

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

// A sample tax code with its right check letter: the people of the guide pass every check.
QString taxCode(const char* firstFifteen)
{
    const QString code = QString::fromLatin1(firstFifteen).left(15);
    return code + TaxCode::checkCharacter(code + QLatin1Char('X')).value_or(QLatin1Char('X'));
}

// Types text into a control as the user would, so that every typing rule and mirror follows.
void type(QWidget* window, const char* name, const QString& text)
{
    auto* field = window->findChild<QWidget*>(QString::fromLatin1(name));
    if (!field) {
        err() << "note: " << window->metaObject()->className() << " has no " << name << "\n";
        return;
    }
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->clear();
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
        QApplication::sendEvent(field, &release);
    }
}

void press(QWidget* window, const char* name)
{
    if (auto* button = window->findChild<QAbstractButton*>(QString::fromLatin1(name)))
        button->click();
    else
        err() << "note: " << window->metaObject()->className() << " has no " << name << "\n";
}

using Fill = std::function<void(QWidget*)>;

// A row of the table: the picture's file name, how the window comes to be (the start-up instance
// of a workspace, or a fresh dialog with its owner, as the program opens them), and the sample
// data it shows.
struct Shot {
    const char* file;
    std::function<QWidget*()> window;
    Fill fill = {};
    QSize size = {}; // for windows that open maximised: the size of the picture
};

template <class T> std::function<QWidget*()> workspace()
{
    return [] { return static_cast<QWidget*>(Windows::get<T>()); };
}
template <class T, class Owner = TfrmAvvio> std::function<QWidget*()> dialog()
{
    return []() -> QWidget* {
        auto* owner = Windows::get<Owner>();
        auto* created = new T(owner);
        if constexpr (requires { created->setTarget(owner); })
            created->setTarget(owner);
        if constexpr (requires { created->setSource(owner); })
            created->setSource(owner);
        if constexpr (requires { created->setYear(owner->year()); })
            created->setYear(owner->year());
        return created;
    };
}

// One payer, one slip: the same person throughout the guide.
void fillSlip(QWidget* editor)
{
    // The year's archive opened, as the user does first.
    type(editor, "txtAnno", QStringLiteral("2025"));
    press(editor, "btnApri");
    type(editor, "txtEsecutore", QStringLiteral("ROSSI MARIO"));
    type(editor, "txtCodFisc", taxCode("RSSMRA80A01H501"));
    type(editor, "txtComuneNasc", QStringLiteral("ROMA"));
    type(editor, "txtProvNasc", QStringLiteral("RM"));
    type(editor, "txtGG", QStringLiteral("01"));
    type(editor, "txtMM", QStringLiteral("01"));
    type(editor, "txtAA", QStringLiteral("80"));
    type(editor, "txtSesso", QStringLiteral("M"));
    type(editor, "txtIndirizzoRes", QStringLiteral("VIA GARIBALDI 12"));
    type(editor, "txtCapRes", QStringLiteral("00100"));
    type(editor, "txtComuneRes", QStringLiteral("ROMA"));
    type(editor, "txtProvRes", QStringLiteral("RM"));
    type(editor, "txtCodTariffa", QStringLiteral("1518"));
    type(editor, "txtAnnoTariffa", QStringLiteral("25"));
    type(editor, "txtCausale", QStringLiteral("PORTO D'ARMI USO CACCIA"));
    type(editor, "txtImporto", QStringLiteral("168"));
    type(editor, "txtCents", QStringLiteral("00"));
    // A key in the due date opens the date picker: the date goes in as the picker writes it.
    if (auto* due = editor->findChild<QLineEdit*>(QStringLiteral("txtDataScade")))
        due->setText(QStringLiteral("31/03/2025"));
    if (auto* annual = editor->findChild<QCheckBox*>(QStringLiteral("chkAnnuale")))
        annual->setChecked(true);
    type(editor, "txtNote", QStringLiteral("Rinnovo annuale"));
}

// The archives the lists, the summary and the exports read: a year of slips and a few payers, the
// same people throughout the guide.
struct Person {
    const char* name;
    const char* taxCode;
    const char* born[4]; // day, month, year, town
    const char* birthProvince;
    const char* address;
    const char* cap;
    const char* town;
    const char* province;
};
const Person kPeople[] = {
    {"ROSSI MARIO", "RSSMRA80A01H501U", {"01", "01", "80", "ROMA"}, "RM", "VIA GARIBALDI 12", "00100", "ROMA", "RM"},
    {"BIANCHI LUCIA",
     "BNCLCU75M52F205Z",
     {"12", "08", "75", "MILANO"},
     "MI",
     "CORSO ITALIA 4",
     "20122",
     "MILANO",
     "MI"},
    {"VERDI GIUSEPPE", "VRDGPP62C10L219K", {"10", "03", "62", "TORINO"}, "TO", "VIA ROMA 88", "10121", "TORINO", "TO"},
    {"ESPOSITO ANNA",
     "SPSNNA90E41F839X",
     {"01", "05", "90", "NAPOLI"},
     "NA",
     "VIA TOLEDO 156",
     "80134",
     "NAPOLI",
     "NA"},
    {"RUSSO FRANCESCO",
     "RSSFNC58T20G273P",
     {"20", "12", "58", "PALERMO"},
     "PA",
     "VIA LIBERTA 31",
     "90139",
     "PALERMO",
     "PA"},
};

struct Payment {
    int person;
    int euros;
    const char* tariff;
    const char* reason;
    const char* due;
    const char* paid; // empty: not paid yet
    bool annual;
};
const Payment kPayments[] = {
    {0, 168, "1518", "PORTO D'ARMI USO CACCIA", "31/03/2025", "28/03/2025", true},
    {1, 102, "8617", "PASSAPORTO ORDINARIO", "15/01/2025", "10/01/2025", false},
    {2, 168, "1518", "PORTO D'ARMI USO CACCIA", "30/04/2025", "", true},
    {3, 16, "8617", "CONCESSIONE GOVERNATIVA", "20/02/2025", "18/02/2025", false},
    {4, 340, "1417", "LICENZA DI PORTO DI PISTOLA", "31/05/2025", "", true},
    {0, 84, "8617", "RINNOVO AUTORIZZAZIONE", "30/06/2025", "25/06/2025", false},
    {1, 168, "1518", "PORTO D'ARMI USO SPORTIVO", "31/07/2025", "", true},
    {3, 102, "8617", "PASSAPORTO ORDINARIO", "15/09/2025", "12/09/2025", false},
};

void writeRecords(const QString& path, const QList<Record>& records)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        err() << "cannot write " << path << "\n";
        return;
    }
    for (const Record& record : records)
        file.write(record.bytes());
}

void writeSampleArchives()
{
    QList<Record> slips;
    for (const Payment& payment : kPayments) {
        const Person& who = kPeople[payment.person];
        Record record(SlipRecord::layout());
        const QString euros = QString::number(payment.euros);
        const std::pair<const char*, QString> fields[] = {
            {"Importo", euros},
            {"Cents", QStringLiteral("00")},
            {"ImpLettere", AmountInWords::spell(quint32(payment.euros))},
            {"CentLettere", QStringLiteral("00")},
            {"Intero", euros + QStringLiteral(",00")},
            {"CodTariffa", QLatin1String(payment.tariff)},
            {"AnnoTariffa", QStringLiteral("25")},
            {"CodFisc", taxCode(who.taxCode)},
            {"Esecutore", QLatin1String(who.name)},
            {"Sesso", QLatin1String(who.taxCode[9] >= '4' ? "F" : "M")},
            {"GG", QLatin1String(who.born[0])},
            {"MM", QLatin1String(who.born[1])},
            {"AA", QLatin1String(who.born[2])},
            {"ComuneNasc", QLatin1String(who.born[3])},
            {"ProvNasc", QLatin1String(who.birthProvince)},
            {"IndirizzoRes", QLatin1String(who.address)},
            {"ProvRes", QLatin1String(who.province)},
            {"ComuneRes", QLatin1String(who.town)},
            {"CapRes", QLatin1String(who.cap)},
            {"DataScade", QLatin1String(payment.due)},
            {"DataPaga", QLatin1String(payment.paid)},
            {"Causale", QLatin1String(payment.reason)},
        };
        for (const auto& [name, value] : fields)
            record.setText(name, value);
        record.setFlag("Saldato", *payment.paid != 0);
        record.setFlag("Rilascio", false);
        record.setFlag("Annuale", payment.annual);
        record.setFlag("Integrazione", false);
        slips << record;
    }
    writeRecords(SlipRecord::archivePath(QStringLiteral("2025")), slips);

    const char* const phones[] = {"06 4881234", "02 7654321", "011 5623390", "081 5512047", "091 6250418"};
    const char* const mobiles[] = {"333 1234567", "347 7654321", "320 5566778", "339 8877665", "328 4433221"};
    const char* const mails[] = {"mario.rossi@esempio.it", "lucia.bianchi@esempio.it", "g.verdi@esempio.it",
                                 "anna.esposito@esempio.it", "f.russo@esempio.it"};
    QList<Record> payers;
    for (int i = 0; i < int(std::size(kPeople)); ++i) {
        const Person& who = kPeople[i];
        Record record(PayerRecord::layout());
        const std::pair<const char*, QString> fields[] = {
            {"Esecutore", QLatin1String(who.name)},
            {"GG", QLatin1String(who.born[0])},
            {"MM", QLatin1String(who.born[1])},
            {"AA", QLatin1String(who.born[2])},
            {"ComuneNasc", QLatin1String(who.born[3])},
            {"ProvNasc", QLatin1String(who.birthProvince)},
            {"Sesso", QLatin1String(who.taxCode[9] >= '4' ? "F" : "M")},
            {"Recapito",
             QStringLiteral("%1 - %2 %3 (%4)")
                 .arg(QLatin1String(who.address), QLatin1String(who.cap), QLatin1String(who.town),
                      QLatin1String(who.province))},
            {"IndirizzoRes", QLatin1String(who.address)},
            {"ProvRes", QLatin1String(who.province)},
            {"ComuneRes", QLatin1String(who.town)},
            {"CapRes", QLatin1String(who.cap)},
            {"Categoria", QString::fromUtf8(i % 2 ? "Privato" : "Cacciatore")},
            {"TelCasa", QLatin1String(phones[i])},
            {"TelCel", QLatin1String(mobiles[i])},
            {"Email", QLatin1String(mails[i])},
            {"CodFisc", taxCode(who.taxCode)},
            {"TipoDoc", QStringLiteral("Carta d'identità")},
            {"NumDoc", QStringLiteral("CA%1").arg(48213 + 977 * i, 5, 10, QLatin1Char('0')) + QStringLiteral("AB")},
            {"EnteRil",
             QStringLiteral("Comune di ") + QLatin1String(who.town).left(1)
                 + QString(QLatin1String(who.town).mid(1)).toLower()},
            {"DataRil", QStringLiteral("14/02/2022")},
            {"DataSca", QStringLiteral("01/01/2032")},
            // The last payer has no tariff code of his own: the batch issuing warns of him.
            {"CodTariffa",
             QLatin1String(i == 4      ? ""
                               : i % 2 ? "8617"
                                       : "1518")},
            {"Questioni", QStringLiteral("Rinnovo porto d'armi in scadenza a marzo.")},
            {"Note", QStringLiteral("Preferisce essere contattato al cellulare.")},
        };
        for (const auto& [name, value] : fields)
            record.setText(name, value);
        record.setFlag("Ricontatta", i == 0);
        payers << record;
    }
    writeRecords(PayerRecord::archivePath(), payers);
}

// The payer editor on the first payer of the archive, as "Primo" shows it.
void browsePayers(QWidget* editor)
{
    press(editor, "cmdPrimo");
}

// The summary of the whole year 2025, as the selection window opens it.
QWidget* yearSummary()
{
    auto* selection = Windows::get<TfrmMenuRiepCosti>();
    selection->showFrom(nullptr);
    type(selection, "txtAnno", QStringLiteral("2025"));
    const std::pair<const char*, QString> period[] = {{"txtGiornoInizio", QStringLiteral("01")},
                                                      {"txtMeseInizio", QStringLiteral("Gennaio")},
                                                      {"txtGiornoFine", QStringLiteral("31")},
                                                      {"txtMeseFine", QStringLiteral("Dicembre")}};
    for (const auto& [name, value] : period)
        if (auto* box = selection->findChild<QComboBox*>(QLatin1String(name)))
            box->setCurrentIndex(box->findText(value));
    press(selection, "btnVisualizza");
    QWidget* result = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<TfrmRiepCosti*>(widget) && widget->isVisible())
            result = widget;
    selection->hide();
    if (!result) {
        err() << "note: the summary did not open\n";
        result = new TfrmRiepCosti(selection);
    }
    return result;
}

// Attachments as an editor hands them to the window.
void fillAttachments(QWidget* window)
{
    const std::pair<const char*, const char*> texts[] = {
        {"txtFile01", "Porto_armi_Rossi_Mario.pdf"},   {"txtDesc01", "Copia del porto d'armi"},
        {"txtFile02", "Ricevuta_versamento_2025.pdf"}, {"txtDesc02", "Ricevuta del versamento"},
        {"txtFile03", "Certificato_medico.jpg"},       {"txtDesc03", "Certificato medico"},
    };
    for (const auto& [name, text] : texts)
        if (auto* edit = window->findChild<QLineEdit*>(QLatin1String(name)))
            edit->setText(QString::fromUtf8(text));
        else
            err() << "note: " << window->metaObject()->className() << " has no " << name << "\n";
}

Fill typed(const char* name, const char* text, const char* button = nullptr)
{
    return [=](QWidget* window) {
        type(window, name, QString::fromUtf8(text));
        if (button)
            press(window, button);
    };
}

// A spreadsheet as LibreOffice saves it in Italy: one payer already in the registry, one new, one
// whose tax code fails its check.
void importSheet(QWidget* window)
{
    const QString path = ProgramFolder::file(QStringLiteral("clienti.csv"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    // As a spreadsheet saves it: the CAP of Rome lost its zeros.
    file.write("Cognome e nome;Codice fiscale;Indirizzo;CAP;Comune;Provincia;Telefono\r\n"
               "ROSSI MARIO;"
               + taxCode("RSSMRA80A01H501").toLatin1()
               + ";VIA GARIBALDI 12;100;ROMA;RM;06 4881234\r\n"
                 "Ferri Elena;"
               + taxCode("FRRLNE85D45D612").toLatin1()
               + ";\"Via dei Servi, 3\";50122;Firenze;FI;055 213344\r\n"
                 "Conti Paolo;CNTPLA70A01L7XXX;Via Po 9;10124;Torino;TO;\r\n");
    file.close();
    static_cast<TfrmImportaEsecutori*>(window)->load(path);
}

// The batch of the year's renewals: every payer listed, the common slip filled in; payers whose data
// fall short show their warning.
void fillBatch(QWidget* window)
{
    press(window, "btnElenca");
    type(window, "txtImporto", QStringLiteral("168"));
    type(window, "txtCents", QStringLiteral("00"));
    if (auto* due = window->findChild<QLineEdit*>(QStringLiteral("txtDataScade")))
        due->setText(QStringLiteral("31/03/2026"));
    type(window, "txtCausale", QStringLiteral("RINNOVO ANNUALE"));
    if (auto* annual = window->findChild<QCheckBox*>(QStringLiteral("chkAnnuale")))
        annual->setChecked(true);
}

// A backup of the sample folder, chosen in the restore window as the user does, so that the window
// shows what the backup holds.
void chooseBackup(QWidget* window)
{
    static QTemporaryDir backups;
    const Backup::Result made = Backup::create(ProgramFolder::path(), backups.path(), Clock::now(), 10);
    if (!made.ok) {
        err() << "note: no backup for the restore window\n";
        return;
    }
    FileDialog::setNextFileName(made.path);
    press(window, "btnSfoglia");
}

// The archive check over a year whose last save was cut short, so that the picture shows a finding
// and where it leads.
QWidget* checkWithDamage()
{
    QFile year(SlipRecord::archivePath(QStringLiteral("2025")));
    QByteArray bytes;
    if (year.open(QIODevice::ReadOnly))
        bytes = year.read(2 * SlipRecord::kSize + 300);
    QFile damaged(SlipRecord::archivePath(QStringLiteral("2024")));
    if (!damaged.open(QIODevice::WriteOnly) || damaged.write(bytes) != bytes.size())
        err() << "note: no damaged archive for the check\n";
    damaged.close();
    return new TfrmVerificaArchivi(Windows::get<TfrmAvvio>());
}

// A box with the message's own buttons, as MessageBox::choose shows it.
QWidget* choiceBox(QWidget* owner, const Message& message)
{
    auto box = MessageBox::makeBox(owner, message.kind, message.text);
    for (QAbstractButton* button : box->buttons())
        box->removeButton(button);
    for (const QString& text : message.buttons)
        box->addButton(text, QMessageBox::AcceptRole);
    return box.release();
}

const std::vector<Shot>& shots()
{
    static const std::vector<Shot> table = {
        {"login", workspace<TfrmPassword>(), typed("txtPassword", "tassella")},
        {"avvio", workspace<TfrmAvvio>()},
        {"bollettino", workspace<TfrmBollettino>(), fillSlip},
        {"stampa", dialog<TfrmStampaBol, TfrmBollettino>()},
        {"anteprima",
         [] {
             auto* print = new TfrmStampaBol(Windows::get<TfrmBollettino>());
             print->setSource(Windows::get<TfrmBollettino>());
             print->prepareSlip();
             return static_cast<QWidget*>(new SlipPreview(print->report(), print));
         },
         {},
         QSize(1000, 720)},
        {"esecutori", workspace<TfrmEsecutori>(), browsePayers},
        {"anteprimaesecutore",
         [] {
             // The sheet lives as long as the tool: the window only borrows it.
             static Report::Template sheet(InfoSheet::def());
             InfoSheet::fill(sheet, {}, Clock::now());
             sheet.prepare();
             return static_cast<QWidget*>(new Report::PreviewWindow(sheet, Windows::get<TfrmEsecutori>()));
         },
         {},
         QSize(1000, 720)},
        {"cambiapassword", workspace<TfrmCambiaPassword>()},
        {"messaggio",
         [] {
             const Message refusal = PasswordChange::decide(QStringLiteral("TASSELLA"), QStringLiteral("tassella"),
                                                            QStringLiteral("uno"), QStringLiteral("due"))
                                         .message;
             return static_cast<QWidget*>(
                 MessageBox::makeBox(Windows::get<TfrmCambiaPassword>(), refusal.kind, refusal.text).release());
         }},
        {"avviso",
         [] {
             return static_cast<QWidget*>(MessageBox::makeBox(Windows::get<TfrmBollettino>(), MessageBox::Kind::Warning,
                                                              QStringLiteral("Attenzione: il sistema non permette di "
                                                                             "accedere all'archivio."))
                                              .release());
         }},
        {"dasaldare", dialog<TfrmDaSaldare, TfrmBollettino>()},
        {"scadute", dialog<TfrmScadute, TfrmBollettino>()},
        {"promemoria",
         [] {
             auto* list = new TfrmPromemoria(Windows::get<TfrmAvvio>());
             list->setSelection(DueDates::select(Clock::today(), DueDates::kDefaultDays));
             return static_cast<QWidget*>(list);
         }},
        {"promemorialettera",
         [] {
             // The letter lives as long as the tool: the window only borrows it.
             static Report::Template letter(ReminderLetter::def());
             const DueDates::Selection selection = DueDates::select(Clock::today(), DueDates::kDefaultDays);
             const auto payers = DueDates::payers(selection);
             if (!payers.empty())
                 ReminderLetter::fill(
                     letter,
                     ReminderLetter::make(payers.front(), selection,
                                          {QStringLiteral("Studio Neri & Associati"),
                                           QStringLiteral("Via Roma 1, 53100 Siena"), QStringLiteral("0577 123456"),
                                           QStringLiteral("studio@esempio.it")}));
             letter.prepare();
             return static_cast<QWidget*>(new Report::PreviewWindow(letter, Windows::get<TfrmAvvio>()));
         },
         {},
         QSize(1000, 720)},
        {"trovabollettini", dialog<TfrmTrovaBollettini, TfrmBollettino>()},
        {"trovaesecutori", dialog<TfrmTrovaEsecutori, TfrmEsecutori>()},
        {"ricontatta", dialog<TfrmRicontatta, TfrmEsecutori>()},
        {"menuriepcosti", workspace<TfrmMenuRiepCosti>()},
        {"riepcosti", yearSummary, {}, QSize(1280, 720)},
        {"expbollettini", dialog<TfrmExpBollettini, TfrmBollettino>()},
        {"expesecutori", dialog<TfrmExpEsecutori, TfrmEsecutori>()},
        {"allega", dialog<TfrmAllegaCartella, TfrmBollettino>(), fillAttachments},
        {"vocitariffa", dialog<TfrmVoci_Tariffa, TfrmBollettino>()},
        {"calendario", dialog<TfrmCalendario, TfrmBollettino>()},
        {"codfisc", dialog<TfrmCodFisc>(),
         [](QWidget* window) {
             type(window, "txtCodFisc", taxCode("RSSMRA80A01H501"));
             press(window, "btnControlla");
         }},
        {"partitaiva", dialog<TfrmPartitaIva>(), typed("txtPartitaIva", "00743110157", "btnControlla")},
        {"iban", dialog<TfrmIban>(), typed("txtIban", "IT60X0542811101000000123456", "btnControlla")},
        {"carta", dialog<TfrmCarta>(), typed("txtNumero", "4111111111111111", "btnControlla")},
        {"emissione", dialog<TfrmEmissione, TfrmBollettino>(), fillBatch},
        {"importaesecutori", dialog<TfrmImportaEsecutori>(), importSheet},
        {"backup", dialog<TfrmBackupArchivi>()},
        {"ripristina", dialog<TfrmRipristina>(), chooseBackup},
        {"verificaarchivi", checkWithDamage},
        {"benvenuto",
         [] {
             return static_cast<QWidget*>(
                 MessageBox::makeBox(Windows::get<TfrmPassword>(), MessageBox::Kind::Information,
                                     StartupFolder::welcomeText(QStringLiteral("/home/ufficio/Tassella"), true))
                     .release());
         }},
        // The slip editor reached from the keyboard: Salva has the focus and the status line its hint.
        {"tastiera", workspace<TfrmBollettino>(),
         [](QWidget* editor) {
             fillSlip(editor);
             if (auto* save = editor->findChild<QWidget*>(QStringLiteral("cmdSalva")))
                 save->setFocus(Qt::TabFocusReason);
             else
                 err() << "note: the slip editor has no cmdSalva\n";
         }},
        {"modificata", [] { return choiceBox(Windows::get<TfrmBollettino>(), RecordArchive::changedQuestion()); }},
    };
    return table;
}

} // namespace

int main(int argc, char* argv[])
{
    // The offscreen platform says for every window that it cannot raise it; that is no news here.
    static const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.startsWith(QLatin1String("This plugin does not support")))
                previous(type, context, message);
        });
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 2) {
        err() << "usage: tassella_shots <folder>\n";
        return 2;
    }
    const QString target = args.at(1);
    if (!QDir().mkpath(target)) {
        err() << "cannot write " << target << "\n";
        return 1;
    }
    // A program folder of its own, with no box or shell action ever shown: the pictures come from
    // the windows alone.
    QTemporaryDir folder;
    ProgramFolder::setOverride(folder.path());
    MessageBox::setTestMode(true);
    Shell::setRecording(true);
    Clock::setFixed(QDateTime(QDate(2025, 10, 6), QTime(10, 30)));
    writeSampleArchives();
    // The password file as a new install has it: the login shows the first password.
    PasswordFile::write(ProgramFolder::file(PasswordFile::fileName), PasswordFile::initial);
    Startup::installTranslations(app);
    Startup::createWindows();

    int failed = 0;
    for (const Shot& shot : shots()) {
        QWidget* window = shot.window();
        auto* work = qobject_cast<Workspace*>(window);
        if (work)
            work->showFrom(nullptr);
        else
            window->show();
        if (shot.fill)
            shot.fill(window);
        if (shot.size.isValid()) {
            // The offscreen screen is smaller than a desktop: the picture takes the given size.
            window->setWindowState(window->windowState() & ~Qt::WindowMaximized);
            window->resize(shot.size);
        }
        QApplication::processEvents();
        // A workspace's picture is its form panel, without the empty desk around it.
        const QPixmap picture = (work ? work->panel() : window)->grab();
        const QString file = target + QLatin1Char('/') + QLatin1String(shot.file) + QStringLiteral(".png");
        if (picture.isNull() || !picture.save(file)) {
            err() << "cannot write " << file << "\n";
            ++failed;
        }
        window->hide();
        if (!work)
            delete window;
        // Boxes a check would have shown belong to that picture only.
        MessageBox::clearShown();
    }
    for (QWidget* window : Windows::all())
        delete window;
    Windows::clear();
    return failed == 0 ? 0 : 1;
}
