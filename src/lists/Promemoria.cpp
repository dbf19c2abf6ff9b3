#include "lists/Promemoria.h"

#include "help/Guida.h"
#include "help/HelpPages.h"
#include "data/CodePage.h"
#include "data/MailCompose.h"
#include "data/OpenURL.h"
#include "data/Platform.h"
#include "lists/ImpostaPromemoria.h"
#include "lists/ListArchive.h"
#include "windows/ListPanel.h"
#include "lists/ReminderLetter.h"
#include "payers/PayerRecord.h"
#include "slips/SlipRecord.h"
#include "windows/FieldBehaviour.h"
#include "windows/Prompts.h"

#include "ui_Promemoria.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSet>

namespace {

const QString kDate = QStringLiteral("dd/MM/yyyy");

// The folder of the letters handed to the mail program, which reads them after the program has
// moved on: in the program folder, where they stay until the next e-mails replace them.
QString mailFolder()
{
    return ProgramFolder::file(QStringLiteral("Promemoria"));
}

QString payerItemText(const DueDates::Payer& payer)
{
    const QString count = payer.slips.size() == 1 ? QStringLiteral("1 bollettino")
                                                  : QStringLiteral("%1 bollettini").arg(payer.slips.size());
    return QStringLiteral("%1  (%2%3)")
        .arg(payer.name, count, payer.email.isEmpty() ? QStringLiteral(", senza e-mail") : QString());
}

// File names for the chosen payers' letters, one each: a second payer of the same name takes "_2".
QStringList uniqueNames(const std::vector<ReminderLetter::Letter>& letters)
{
    QStringList names;
    QSet<QString> used;
    for (const ReminderLetter::Letter& letter : letters) {
        QString name = ReminderLetter::fileName(letter);
        for (int n = 2; used.contains(name.toUpper()); ++n)
            name = ReminderLetter::fileName(letter).chopped(4) + QStringLiteral("_%1.pdf").arg(n);
        used.insert(name.toUpper());
        names << name;
    }
    return names;
}

} // namespace

TfrmPromemoria::TfrmPromemoria(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::Promemoria>())
{
    setUpWhenNeeded();
}

TfrmPromemoria::~TfrmPromemoria() = default;

void TfrmPromemoria::setUp()
{
    m_ui->setupUi(this);
    m_list = new ListPanel(m_ui->panContainer,
                           {ListPanel::rigo01Schede(), QStringLiteral("Bollettini non saldati in scadenza e scaduti")});
    m_note = m_list->addNote("lblScadenze", QString());
    m_note->setGeometry(20, 476, 540, 44);
    m_note->setWordWrap(true);
    m_note->setFont(QFont(QStringLiteral("Verdana"), 10, QFont::Bold));
    connect(m_list, &ListPanel::chosen, this, &TfrmPromemoria::openSlip);
    ListPanel::applyLook(this);

    m_ui->lstEsecutori->setAccessibleName(QStringLiteral("Esecutori a cui preparare il promemoria"));
    connect(m_ui->lstEsecutori, &QListWidget::itemChanged, this, &TfrmPromemoria::showCount);
    const auto tickAll = [this](bool on) {
        for (int row = 0; row < m_ui->lstEsecutori->count(); ++row)
            m_ui->lstEsecutori->item(row)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    };
    connect(m_ui->btnTutti, &QPushButton::clicked, this, [tickAll] { tickAll(true); });
    connect(m_ui->btnNessuno, &QPushButton::clicked, this, [tickAll] { tickAll(false); });
    connect(m_ui->btnStampaPromemoria, &QPushButton::clicked, this, &TfrmPromemoria::print);
    connect(m_ui->btnPdfSingoli, &QPushButton::clicked, this, &TfrmPromemoria::savePdfs);
    connect(m_ui->btnPdfUnico, &QPushButton::clicked, this, &TfrmPromemoria::saveOnePdf);
    connect(m_ui->btnEmail, &QPushButton::clicked, this, &TfrmPromemoria::sendEmails);
    connect(m_ui->btnGuida, &QPushButton::clicked, this,
            [this] { TfrmGuida::showPage(this, HelpPages::reminderTitle(), HelpPages::reminderBody()); });
    // The settings change the period: the list is made again when they close.
    connect(m_ui->btnImpostazioni, &QPushButton::clicked, this, [this] {
        auto* settings = Windows::openDialog<TfrmImpostaPromemoria>(this);
        connect(settings, &QObject::destroyed, this, [this] {
            const DueDates::Settings now = DueDates::readSettings(DueDates::settingsPath());
            setSelection(DueDates::select(Clock::today(), now.days), m_payerKey);
        });
    });
    static const Behaviour::Shortcut kKeys[] = {{"btnGuida", Qt::Key_F1}};
    Behaviour::installShortcuts(this, kKeys);
    for (QPushButton* button : m_ui->panEsecutori->findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setCursor(Qt::PointingHandCursor);
    }
    m_ui->btnStampaPromemoria->setToolTip(QStringLiteral("Stampa un promemoria per ogni Esecutore scelto."));
    m_ui->btnPdfSingoli->setToolTip(QStringLiteral("Salva un file PDF per ogni Esecutore scelto in una cartella."));
    m_ui->btnPdfUnico->setToolTip(QStringLiteral("Salva i promemoria di tutti gli Esecutori scelti in un solo PDF."));
    m_ui->btnEmail->setToolTip(
        QStringLiteral("Prepara un messaggio per ogni Esecutore scelto con il promemoria in PDF allegato."));
    finishForm();
}

TfrmPromemoria* TfrmPromemoria::open(QWidget* owner, DueSlipTarget* target, const QString& payerKey)
{
    const DueDates::Settings settings = DueDates::readSettings(DueDates::settingsPath());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    DueDates::Selection selection = DueDates::select(Clock::today(), settings.days);
    QApplication::restoreOverrideCursor();
    if (!payerKey.isEmpty()
        && std::none_of(selection.slips.begin(), selection.slips.end(), [&](const DueDates::Slip& slip) {
               return DueDates::payerKey(slip.taxCode, slip.payer) == payerKey;
           })) {
        MessageBox::information(owner,
                                QStringLiteral("L'Esecutore non ha bollettini non saldati in scadenza entro "
                                               "il %1 n\u00e9 gi\u00e0 scaduti.")
                                    .arg(selection.last.toString(kDate)));
        return nullptr;
    }
    return Windows::openDialog<TfrmPromemoria>(owner, [&](TfrmPromemoria* window) {
        window->m_target = target;
        window->setSelection(std::move(selection), payerKey);
    });
}

TfrmPromemoria* TfrmPromemoria::open(QWidget* owner, DueSlipTarget* target, DueDates::Selection selection)
{
    return Windows::openDialog<TfrmPromemoria>(owner, [&](TfrmPromemoria* window) {
        window->m_target = target;
        window->setSelection(std::move(selection), {});
    });
}

DueSlipTarget* TfrmPromemoria::slipEditor()
{
    return dynamic_cast<DueSlipTarget*>(Windows::byClass("TfrmBollettino"));
}

void TfrmPromemoria::offerNotice(QWidget* menu, DueSlipTarget* target)
{
    const QString ini = DueDates::settingsPath();
    const DueDates::Settings settings = DueDates::readSettings(ini);
    const QDate today = Clock::today();
    if (!DueDates::noticeDue(settings, today))
        return;
    DueDates::Selection selection = DueDates::select(today, settings.days);
    if (selection.slips.empty())
        return; // nothing to tell: asked again at the next start
    // Once a day, whatever the answer; a settings file that cannot be written only means asking again.
    DueDates::noteNoticeShown(ini, today);
    const Message notice{MessageKind::Information,
                         DueDates::noticeText(selection.dueSoon, selection.expired, settings.days)
                             + QStringLiteral(".\n\r\n\rSi vuole vedere l'elenco e preparare i promemoria per gli "
                                              "Esecutori?"),
                         {QStringLiteral("Visualizza elenco"), QStringLiteral("Chiudi")}};
    if (MessageBox::choose(menu, notice) == 0)
        open(menu, target, std::move(selection));
}

void TfrmPromemoria::setSelection(DueDates::Selection selection, const QString& payerKey)
{
    ensureSetUp();
    if (!payerKey.isEmpty()) {
        std::erase_if(selection.slips, [&](const DueDates::Slip& slip) {
            return DueDates::payerKey(slip.taxCode, slip.payer) != payerKey;
        });
        selection.expired = int(std::count_if(selection.slips.begin(), selection.slips.end(),
                                              [](const DueDates::Slip& slip) { return slip.expired; }));
        selection.dueSoon = int(selection.slips.size()) - selection.expired;
    }
    m_payerKey = payerKey;
    m_selection = std::move(selection);
    m_office = DueDates::readOffice(DueDates::settingsPath());
    m_payers = DueDates::payers(m_selection);
    const bool emails = DueDates::addEmails(m_payers, PayerRecord::archivePath());

    LineList lines;
    for (const DueDates::Slip& slip : m_selection.slips)
        lines.append(slip.line);
    m_list->reset();
    m_list->setLines(std::move(lines));
    QString note = QStringLiteral("In scadenza entro il %1: %2  -  gi\u00e0 scaduti: %3.")
                       .arg(m_selection.last.toString(kDate))
                       .arg(m_selection.dueSoon)
                       .arg(m_selection.expired);
    if (m_selection.unreadable > 0)
        note += QStringLiteral(" Non in elenco perch\u00e9 la data di scadenza non \u00e8 leggibile: %1.")
                    .arg(m_selection.unreadable);
    if (!m_selection.ok || !emails)
        note += QStringLiteral(" Attenzione: un archivio non \u00e8 stato letto per intero.");
    m_note->setText(note);

    QSignalBlocker quiet(m_ui->lstEsecutori);
    m_ui->lstEsecutori->clear();
    for (const DueDates::Payer& payer : m_payers) {
        auto* item = new QListWidgetItem(payerItemText(payer), m_ui->lstEsecutori);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        item->setToolTip(payer.email.isEmpty() ? QStringLiteral("Nessun indirizzo e-mail in anagrafica") : payer.email);
    }
    showCount();
    m_list->findField()->setFocus(Qt::OtherFocusReason);
}

void TfrmPromemoria::showCount()
{
    const auto count = chosen().size();
    m_ui->lblConta->setText(count == 1 ? QStringLiteral("1 Esecutore scelto su %1").arg(m_payers.size())
                                       : QStringLiteral("%1 Esecutori scelti su %2").arg(count).arg(m_payers.size()));
}

std::vector<const DueDates::Payer*> TfrmPromemoria::chosen() const
{
    std::vector<const DueDates::Payer*> out;
    for (int row = 0; row < m_ui->lstEsecutori->count() && size_t(row) < m_payers.size(); ++row)
        if (m_ui->lstEsecutori->item(row)->checkState() == Qt::Checked)
            out.push_back(&m_payers[size_t(row)]);
    return out;
}

std::vector<const DueDates::Payer*> TfrmPromemoria::chosenOrSay()
{
    auto out = chosen();
    if (out.empty()) {
        MessageBox::warning(this,
                            QStringLiteral("Attenzione: scegliere almeno un Esecutore a cui preparare il "
                                           "promemoria."));
        m_ui->lstEsecutori->setFocus(Qt::OtherFocusReason);
    }
    return out;
}

void TfrmPromemoria::openSlip(const QString& line)
{
    // The slip's archive: the list holds slips of more than one year when the period runs past 31
    // December.
    QString year;
    const QString wanted = CodePage::trimmed(line);
    for (const DueDates::Slip& slip : m_selection.slips)
        if (CodePage::trimmed(slip.line) == wanted)
            year = slip.year;
    if (year.isEmpty())
        return;
    const ListArchive::Match match = ListArchive::lastSlip(SlipRecord::archivePath(year), line);
    if (match.position <= 0)
        return; // changed meanwhile: nothing to load
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    DueSlipTarget* target = m_target;
    close();
    if (target)
        target->openSlip(owner, year, Record(SlipRecord::layout(), match.record), match.position);
}

void TfrmPromemoria::print()
{
    const auto payers = chosenOrSay();
    if (payers.empty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("Promemoria di scadenza"));
    printer.setCopyCount(1);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    if (!PrintDialog::exec(&printer, this))
        return;
    printer.setFullPage(true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = ReminderLetter::render(printer, int(payers.size()), [&](int i) {
        return ReminderLetter::make(*payers[size_t(i)], m_selection, m_office);
    });
    QApplication::restoreOverrideCursor();
    if (!ok)
        MessageBox::error(this,
                          QStringLiteral("Attenzione: non \u00e8 stato possibile stampare i promemoria.\n"
                                         "Verificare la stampante e riprovare."));
}

void TfrmPromemoria::saveOnePdf()
{
    const auto payers = chosenOrSay();
    if (payers.empty())
        return;
    const QString path = FileDialog::getSaveFileName(
        this, QStringLiteral("Salvare i promemoria nel file PDF:"),
        QStringLiteral("Promemoria_") + m_selection.today.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".pdf"),
        QStringLiteral("File PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = ReminderLetter::writePdf(path, int(payers.size()), [&](int i) {
        return ReminderLetter::make(*payers[size_t(i)], m_selection, m_office);
    });
    QApplication::restoreOverrideCursor();
    if (!ok) {
        MessageBox::error(this,
                          QStringLiteral("Attenzione: non \u00e8 stato possibile salvare il file PDF.\n\r\n\r%1")
                              .arg(QDir::toNativeSeparators(path)));
        return;
    }
    TMisc::Open(QLatin1Char('"') + path + QLatin1Char('"'), this);
}

void TfrmPromemoria::savePdfs()
{
    const auto payers = chosenOrSay();
    if (payers.empty())
        return;
    const QString folder =
        FileDialog::getExistingFolder(this, QStringLiteral("Scegliere la cartella in cui salvare i promemoria:"));
    if (folder.isEmpty())
        return;
    std::vector<ReminderLetter::Letter> letters;
    for (const DueDates::Payer* payer : payers)
        letters.push_back(ReminderLetter::make(*payer, m_selection, m_office));
    const QStringList names = uniqueNames(letters);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    int written = 0;
    for (size_t i = 0; i < letters.size(); ++i) {
        const QString path = QDir(folder).filePath(names[qsizetype(i)]);
        if (!ReminderLetter::writePdf(path, 1, [&](int) { return letters[i]; })) {
            QApplication::restoreOverrideCursor();
            MessageBox::error(this,
                              QStringLiteral("Attenzione: non \u00e8 stato possibile salvare il file PDF.\n\r\n\r"
                                             "%1\n\r\n\rSono stati salvati %2 promemoria su %3.")
                                  .arg(QDir::toNativeSeparators(path))
                                  .arg(written)
                                  .arg(letters.size()));
            return;
        }
        ++written;
    }
    QApplication::restoreOverrideCursor();
    MessageBox::information(this,
                            QStringLiteral("Sono stati salvati %1 promemoria in PDF nella cartella\n%2")
                                .arg(written)
                                .arg(QDir::toNativeSeparators(folder)));
}

void TfrmPromemoria::sendEmails()
{
    const auto payers = chosenOrSay();
    if (payers.empty())
        return;
    std::vector<ReminderLetter::Letter> letters;
    QStringList without;
    for (const DueDates::Payer* payer : payers) {
        if (CodePage::trimmed(payer->email).isEmpty())
            without << QStringLiteral("- ") + payer->name;
        else
            letters.push_back(ReminderLetter::make(*payer, m_selection, m_office));
    }
    const QString folder = mailFolder();
    if (!letters.empty() && !QDir().mkpath(folder)) {
        MessageBox::error(this,
                          QStringLiteral("Attenzione: non \u00e8 stato possibile creare la cartella\n%1")
                              .arg(QDir::toNativeSeparators(folder)));
        return;
    }
    const QStringList names = uniqueNames(letters);
    int composed = 0;
    for (size_t i = 0; i < letters.size(); ++i) {
        const ReminderLetter::Letter& letter = letters[i];
        const QString path = QDir(folder).filePath(names[qsizetype(i)]);
        if (!ReminderLetter::writePdf(path, 1, [&](int) { return letter; })) {
            MessageBox::error(this,
                              QStringLiteral("Attenzione: non \u00e8 stato possibile salvare il file PDF.\n\r\n\r%1")
                                  .arg(QDir::toNativeSeparators(path)));
            return;
        }
        if (!MailCompose::compose({CodePage::trimmed(letter.email), ReminderLetter::mailSubject(letter),
                                   ReminderLetter::mailBody(letter), path})) {
            MessageBox::error(this,
                              QStringLiteral("Attenzione: non \u00e8 stato possibile aprire il programma di "
                                             "posta del sistema (xdg-email).\n\r\n\rSono stati preparati %1 "
                                             "messaggi su %2.")
                                  .arg(composed)
                                  .arg(letters.size()));
            return;
        }
        ++composed;
    }
    QString text = composed == 1
        ? QStringLiteral("\u00c8 stato preparato 1 messaggio nel programma di posta.")
        : QStringLiteral("Sono stati preparati %1 messaggi nel programma di posta.").arg(composed);
    if (!without.isEmpty())
        text += QStringLiteral("\n\r\n\rNon hanno un indirizzo e-mail in anagrafica, e non hanno ricevuto il "
                               "promemoria:\n")
            + without.join(QLatin1Char('\n'));
    MessageBox::information(this, text);
}
