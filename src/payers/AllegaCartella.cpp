#include "payers/AllegaCartella.h"

#include "data/CodePage.h"
#include "data/OpenURL.h"
#include "payers/Attachments.h"
#include "ui_AllegaCartella.h"
#include "windows/Artwork.h"
#include "windows/Prompts.h"

#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QToolButton>

static void initAttachmentArt()
{
    Q_INIT_RESOURCE(AllegaCartella);
}

TfrmAllegaCartella::TfrmAllegaCartella(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::AllegaCartella>())
{
    setUpWhenNeeded();
}

void TfrmAllegaCartella::setUp()
{
    m_ui->setupUi(this);
    finishForm();
    initAttachmentArt();

    QFont description(QStringLiteral("Verdana"), 12);
    description.setBold(true);
    for (QLineEdit* edit : {m_ui->txtDesc01, m_ui->txtDesc02, m_ui->txtDesc03})
        edit->setFont(description);
    for (QFrame* panel : {m_ui->panAllegato01, m_ui->panAllegato02, m_ui->panAllegato03})
        panel->setProperty("slot", true);
    Artwork::show(m_ui->imgBanner, QStringLiteral("allegati"));

    const Slot fileSlots[] = {
        {m_ui->txtFile01, m_ui->txtDesc01, m_ui->btnApri01},
        {m_ui->txtFile02, m_ui->txtDesc02, m_ui->btnApri02},
        {m_ui->txtFile03, m_ui->txtDesc03, m_ui->btnApri03},
    };
    QPushButton* const browseButtons[] = {m_ui->btnSfoglia01, m_ui->btnSfoglia02, m_ui->btnSfoglia03};
    QToolButton* const erasers[] = {m_ui->imgCancella01, m_ui->imgCancella02, m_ui->imgCancella03};
    // The eraser is a button: Tab reaches it after its name (which is read-only), and Space or Enter
    // empties the name as a click does.
    const QIcon eraser(Artwork::pixmap(QStringLiteral("gomma"), QSize(22, 22)));
    for (int i = 0; i < 3; ++i) {
        const Slot slot = fileSlots[i];
        erasers[i]->setIcon(eraser);
        erasers[i]->setIconSize(QSize(22, 22));
        erasers[i]->setToolTip(QStringLiteral("Elimina il nome del file"));
        erasers[i]->setAccessibleName(QStringLiteral("Elimina il nome del %1\u00b0 file allegato").arg(i + 1));
        // "Apri" follows the name however it changes: the caller's filling, "Sfoglia..." or the eraser.
        connect(slot.file, &QLineEdit::textChanged, slot.open,
                [open = slot.open](const QString& text) { open->setEnabled(!CodePage::trimmed(text).isEmpty()); });
        // A long name shows its beginning, where its words are, not its end.
        connect(slot.file, &QLineEdit::textChanged, slot.file, [file = slot.file] { file->setCursorPosition(0); });
        connect(browseButtons[i], &QPushButton::clicked, this, [this, slot] { browse(slot); });
        connect(slot.open, &QPushButton::clicked, this, [this, slot] { openFile(slot); });
        connect(erasers[i], &QToolButton::clicked, slot.file, &QLineEdit::clear);
    }
    connect(m_ui->btnApplica, &QPushButton::clicked, this, &TfrmAllegaCartella::apply);
    connect(m_ui->btnAnnulla, &QPushButton::clicked, this, &QDialog::close);
}

TfrmAllegaCartella::~TfrmAllegaCartella() = default;

TfrmAllegaCartella* TfrmAllegaCartella::openFor(QWidget* owner, AttachmentTarget& target)
{
    return Windows::openDialog<TfrmAllegaCartella>(
        owner, [&target](TfrmAllegaCartella* dialog) { dialog->setTarget(&target); });
}

void TfrmAllegaCartella::setTarget(AttachmentTarget* target)
{
    m_target = target;
    if (!target)
        return;
    const AttachmentSlots attached = target->attachments();
    QLineEdit* const fields[3][2] = {
        {m_ui->txtFile01, m_ui->txtDesc01}, {m_ui->txtFile02, m_ui->txtDesc02}, {m_ui->txtFile03, m_ui->txtDesc03}};
    for (size_t i = 0; i < attached.size(); ++i) {
        fields[i][0]->setText(CodePage::trimmed(attached[i].file));
        fields[i][1]->setText(CodePage::trimmed(attached[i].description));
    }
}

void TfrmAllegaCartella::browse(const Slot& slot)
{
    const QString chosen = FileDialog::getOpenFileName(this, QStringLiteral("Selezionare il file da allegare:"), {},
                                                       QStringLiteral("Tutti i file (*.*)"));
    if (chosen.isEmpty())
        return;
    const QString name = Attachments::nameFor(chosen);
    // A name that could reach outside the attachment folder is neither kept nor copied.
    if (!Attachments::isPlainFileName(name)) {
        MessageBox::show(this, Attachments::unsafeName());
        return;
    }
    // The slot takes the name only once the file is in the folder: a failed copy is told and leaves it.
    QString error;
    if (!Attachments::makeFolder()) {
        MessageBox::show(this, Attachments::copyFailed(name, QStringLiteral("cartella non creata")));
        return;
    }
    const QString destination = Attachments::pathOf(name);
    const QFileInfo existing(destination);
    if (existing.exists()) {
        // The file chosen in the folder itself is already attached: nothing to copy or to ask.
        if (existing.canonicalFilePath() == QFileInfo(chosen).canonicalFilePath()) {
            slot.file->setText(name);
            return;
        }
        // Another file of that name is shared by every record that names it: it is replaced only on Yes.
        if (MessageBox::show(this, Attachments::replaceQuestion(name)) != MessageBox::Button::Yes) {
            slot.file->setText(name); // the slot now names the file already there
            return;
        }
    }
    if (!Attachments::copyReplacing(chosen, destination, &error)) {
        MessageBox::show(this, Attachments::copyFailed(name, error));
        return;
    }
    slot.file->setText(name);
}

void TfrmAllegaCartella::openFile(const Slot& slot)
{
    const QString name = CodePage::trimmed(slot.file->text());
    if (!Attachments::isPlainFileName(name)) {
        MessageBox::show(this, Attachments::unsafeName());
        return;
    }
    TMisc::Open(QLatin1Char('"') + Attachments::pathOf(name) + QLatin1Char('"'));
}

void TfrmAllegaCartella::apply()
{
    if (!m_target)
        return; // no window to hand the slots to: stay open
    m_target->setAttachments(
        {{{CodePage::trimmed(m_ui->txtFile01->text()), CodePage::trimmed(m_ui->txtDesc01->text())},
          {CodePage::trimmed(m_ui->txtFile02->text()), CodePage::trimmed(m_ui->txtDesc02->text())},
          {CodePage::trimmed(m_ui->txtFile03->text()), CodePage::trimmed(m_ui->txtDesc03->text())}}});
    close();
}
