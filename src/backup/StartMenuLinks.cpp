#include "backup/StartMenuLinks.h"

#include "backup/BackupArchivi.h"
#include "backup/Ripristina.h"
#include "backup/VerificaArchivi.h"
#include "lists/Promemoria.h"
#include "payers/ImportaEsecutori.h"
#include "windows/FieldBehaviour.h"
#include "windows/ClickLabel.h"

#include "backup/Backup.h"
#include "data/Platform.h"
#include "windows/Prompts.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace StartMenuLinks {
namespace {

struct Link {
    const char* name;
    const char* text;
    int line; // the row has two lines of links
    void (*open)(QWidget* menu);
};

const Link kLinks[] = {
    {"lnkBackup", "Backup", 0, [](QWidget* menu) { Windows::openDialog<TfrmBackupArchivi>(menu); }},
    {"lnkRipristina", "Ripristina", 0, [](QWidget* menu) { Windows::openDialog<TfrmRipristina>(menu); }},
    {"lnkVerifica", "Verifica archivi", 0, [](QWidget* menu) { Windows::openDialog<TfrmVerificaArchivi>(menu); }},
    {"lnkImporta", "Importa esecutori", 1, [](QWidget* menu) { Windows::openDialog<TfrmImportaEsecutori>(menu); }},
    {"lnkScadenze", "Scadenze", 1, [](QWidget* menu) { TfrmPromemoria::open(menu, TfrmPromemoria::slipEditor()); }},
};

const Behaviour::Command kCommands[] = {
    {"lnkBackup", "Backup degli archivi"},
    {"lnkRipristina", "Ripristina da un backup"},
    {"lnkVerifica", "Verifica archivi"},
    {"lnkImporta", "Importa esecutori da un foglio di calcolo"},
    {"lnkScadenze", "Bollettini in scadenza e promemoria"},
};

// Closing the shown start menu ends the program: the backup is offered before.
class ClosingOffer : public QObject {
public:
    explicit ClosingOffer(QWidget* menu)
        : QObject(menu)
        , m_menu(menu)
    {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_menu && event->type() == QEvent::Close && m_menu->isVisible() && !offerBackup(m_menu)) {
            event->ignore();
            return true; // staying: the menu does not close
        }
        return false;
    }

private:
    QWidget* m_menu;
};

} // namespace

bool offerBackup(QWidget* menu)
{
    const QDate today = Clock::today();
    if (!Backup::offerDue(today))
        return true;
    const MessageBox::Button answer = MessageBox::show(menu, Backup::offerQuestion());
    if (answer == MessageBox::Button::Cancel)
        return false;
    Backup::setLastOffered(today); // asked once a day, whatever the answer
    if (answer != MessageBox::Button::Yes)
        return true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Backup::Result result = Backup::create(ProgramFolder::path(), Backup::folder(), Clock::now(), Backup::keep());
    QApplication::restoreOverrideCursor();
    MessageBox::show(menu, result.message);
    return true;
}

void install(QWidget* menu, QWidget* panel)
{
    menu->installEventFilter(new ClosingOffer(menu));
    auto* row = new QWidget(panel);
    row->setObjectName(QStringLiteral("panStrumenti"));
    row->setGeometry(465, 622, 300, 52); // beside the batch strip, between the two corners
    auto* lines = new QVBoxLayout(row);
    lines->setContentsMargins(0, 0, 0, 0);
    lines->setSpacing(4);
    QHBoxLayout* layouts[2];
    for (QHBoxLayout*& layout : layouts) {
        layout = new QHBoxLayout;
        layout->setSpacing(18);
        layout->addStretch();
        lines->addLayout(layout);
    }
    for (const Link& link : kLinks) {
        auto* label = new ClickLabel(row);
        label->setObjectName(QString::fromLatin1(link.name));
        label->setText(QString::fromUtf8(link.text));
        QFont font(QStringLiteral("Tahoma"), 10, QFont::Bold);
        font.setUnderline(true);
        label->setFont(font);
        label->setCursor(Qt::PointingHandCursor);
        layouts[link.line]->addWidget(label);
        const auto open = link.open;
        QObject::connect(label, &ClickLabel::clicked, menu, [menu, open] { open(menu); });
    }
    for (QHBoxLayout* layout : layouts)
        layout->addStretch();
    Behaviour::installCommands(menu, kCommands);
}

} // namespace StartMenuLinks
