#include "lists/ExportDialog.h"

#include "help/Guida.h"
#include "data/CodePage.h"
#include "data/OpenURL.h"
#include "windows/Prompts.h"
#include "windows/RecordForm.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QTableView>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolButton>

static void initExportResources()
{
    Q_INIT_RESOURCE(slips);
}

namespace {

// The window's commands, with their keys (Escape presses Esci too, as in every dialog).
constexpr RecordForm::Command kCommands[] = {
    {"cmdEsporta", "Esporta l'archivio in formato Microsoft Excel.", Qt::CTRL | Qt::Key_S},
    {"cmdGuida", "Visualizza la pagina della guida sensibile al contesto.", Qt::Key_F1},
    {"cmdEsci", "Esci da questo ambiente di lavoro.", Qt::CTRL | Qt::Key_W},
};

// Tab, Shift+Tab and Ctrl+Tab, with or without Shift: the keys that leave the grid.
int tabDirection(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return 0;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->modifiers() & (Qt::AltModifier | Qt::MetaModifier))
        return 0;
    if (key->key() == Qt::Key_Backtab || (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier)))
        return -1;
    return key->key() == Qt::Key_Tab ? 1 : 0;
}

// A cell being edited keeps its text on Tab, and the focus leaves the grid instead of moving on to
// the next cell's editor.
class CellDelegate : public QStyledItemDelegate {
public:
    CellDelegate(QObject* parent, std::function<void(bool)> leave)
        : QStyledItemDelegate(parent)
        , m_leave(std::move(leave))
    {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        const int direction = tabDirection(event);
        auto* editor = qobject_cast<QWidget*>(object);
        if (direction == 0 || !editor)
            return QStyledItemDelegate::eventFilter(object, event);
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        m_leave(direction > 0);
        return true;
    }

private:
    std::function<void(bool)> m_leave;
};

QString countText(qsizetype rows)
{
    if (rows == 1)
        return QStringLiteral("1 scheda");
    return QStringLiteral("%1 schede").arg(QLocale(QLocale::Italian, QLocale::Italy).toString(qint64(rows)));
}

} // namespace

ExportDialog::ExportDialog(QWidget* owner, const ExportDef& def)
    : Dialog(owner)
    , m_grid(new ExportGrid(def, this))
{
    initExportResources();
}

void ExportDialog::setUpForm(const QString& helpTitle, const QString& helpBody)
{
    m_helpTitle = helpTitle;
    m_helpBody = helpBody;
    finishForm();

    m_view = findChild<QTableView*>(QStringLiteral("grdRecords"));
    Q_ASSERT(m_view);
    m_view->setModel(m_grid);
    // Fixed row heights and column widths: the view never measures 100 000 rows of text.
    QHeaderView* rows = m_view->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(21);
    rows->setDefaultSectionSize(21);
    rows->hide();
    QHeaderView* columns = m_view->horizontalHeader();
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    columns->setHighlightSections(false);
    columns->setFixedHeight(26);
    const auto& defColumns = m_grid->def().columns;
    for (int c = 0; c < static_cast<int>(defColumns.size()); ++c)
        m_view->setColumnWidth(c, defColumns[c].gridWidth);
    m_view->setAlternatingRowColors(true);
    m_view->setWordWrap(false);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::AnyKeyPressed);
    m_view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // Tab leaves the grid for the commands below it: the arrows move from cell to cell.
    m_view->setTabKeyNavigation(false);
    m_view->installEventFilter(this);
    m_view->setItemDelegate(new CellDelegate(m_view, [this](bool forward) { focusNextPrevChild(forward); }));
    // The mouse over the grid's cells is over the viewport: named, so that it empties panInfo too.
    m_view->viewport()->setObjectName(QStringLiteral("grdRecordsArea"));

    const auto command = [this](const char* name, const char* icon) {
        auto* button = findChild<QToolButton*>(QString::fromLatin1(name));
        Q_ASSERT(button);
        button->setIcon(QIcon(QStringLiteral(":/slips/icons/%1.svg").arg(QLatin1String(icon))));
        button->setIconSize(QSize(24, 24));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setCursor(Qt::PointingHandCursor);
        return button;
    };
    auto* exporter = command("cmdEsporta", "esporta");
    auto* guide = command("cmdGuida", "guida");
    auto* exit = command("cmdEsci", "esci");
    connect(exporter, &QToolButton::clicked, this, &ExportDialog::exportFile);
    connect(guide, &QToolButton::clicked, this, [this] { TfrmGuida::showPage(this, m_helpTitle, m_helpBody); });
    connect(exit, &QToolButton::clicked, this, &QWidget::close);

    // Tab runs from the grid through the three commands and back; each has its key and its hint.
    RecordForm::installCommands(this, kCommands, "grdRecords", "panInfo", {},
                                {"panContainer", "grdRecords", "grdRecordsArea", "lblTitolo", "lblConteggio"});
    // A click takes the focus, so that a cell still being edited is committed before an export.
    for (QToolButton* button : {exporter, guide, exit})
        button->setFocusPolicy(Qt::StrongFocus);
}

bool ExportDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Ctrl+Tab, which the grid would take as a move to the next cell, leaves it as Tab does.
    if (watched == m_view && tabDirection(event) != 0) {
        focusNextPrevChild(tabDirection(event) > 0);
        return true;
    }
    return Dialog::eventFilter(watched, event);
}

void ExportDialog::showEvent(QShowEvent* event)
{
    Dialog::showEvent(event);
    if (m_filled)
        return;
    m_filled = true;
    fillGrid();
}

void ExportDialog::fillGrid()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool whole = m_grid->fill(CodePage::trimmed(archivePath()));
    QGuiApplication::restoreOverrideCursor();
    if (auto* count = findChild<QLabel*>(QStringLiteral("lblConteggio")))
        count->setText(countText(m_grid->rowCount()));
    // The grid holds only the records actually read, and the user learns that the archive could
    // not be read whole; the box comes once the window is on screen, and not at all when the
    // window was closed first. The call goes with the window: the timer is bound to it, and
    // nothing of the window is touched once the box has closed, since the window may have been
    // closed and destroyed while the box was open.
    if (!whole)
        QTimer::singleShot(0, this, [this] {
            if (isVisible())
                MessageBox::show(this, Exports::noAccess());
        });
}

void ExportDialog::exportFile()
{
    if (auto* button = findChild<QToolButton*>(QStringLiteral("cmdEsporta")))
        button->setFocus(Qt::OtherFocusReason);
    if (MessageBox::show(this, Exports::askExport()) != MessageBox::Button::Yes)
        return;
    const QString path = m_grid->exportPath();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = m_grid->exportTo(path);
    QGuiApplication::restoreOverrideCursor();
    if (!written) {
        MessageBox::show(this, Exports::cannotExport());
        return;
    }
    if (MessageBox::show(this, Exports::askOpen()) != MessageBox::Button::No)
        TMisc::Open(QLatin1Char('"') + path + QLatin1Char('"'));
}
