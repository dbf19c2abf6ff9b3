#include "windows/ListPanel.h"

#include "data/CodePage.h"
#include "data/RecordLayout.h"
#include "windows/ListFind.h"
#include "windows/ListPrint.h"
#include "windows/ReportOutput.h"
#include "windows/FieldBehaviour.h"
#include "windows/Prompts.h"
#include "windows/RecordForm.h"
#include "windows/Windows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

constexpr int kItemWidth = 1400;

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& where)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(where);
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, const QRect& where)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(where);
    b->setAutoDefault(false);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

} // namespace

ListPanel::ListPanel(QWidget* container, const Setup& setup)
    : QObject(container)
    , m_container(container)
    , m_model(new LineModel(this))
{
    QWidget* p = container;
    const QFont instructions(QStringLiteral("Verdana"), 10);
    label(p, "lblRigo01", setup.rigo01, {20, 12, 793, 22})->setFont(instructions);
    label(p, "lblRigo02",
          QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, fare di nuovo "
                         "clic su Trova."),
          {20, 34, 793, 22})
        ->setFont(instructions);

    m_find = new QLineEdit(p);
    m_find->setObjectName(QStringLiteral("txtTrova"));
    m_find->setGeometry(20, 64, 640, 32);
    QFont findFont(QStringLiteral("Verdana"), 12);
    findFont.setBold(true);
    m_find->setFont(findFont);
    QPushButton* trova = button(p, "btnTrova", QStringLiteral("Trova"), {672, 64, 141, 32});
    trova->setProperty("class", QStringLiteral("command"));

    m_view = new QListView(p);
    m_view->setObjectName(QStringLiteral("lstRecords"));
    m_view->setGeometry(20, 108, 793, 338);
    m_view->setModel(m_model);
    m_view->setUniformItemSizes(true);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->setAlternatingRowColors(true);
    if (setup.listFont) {
        QFont font(QStringLiteral("Courier New"), 11);
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
        m_view->setFont(font);
    }
    m_model->setItemSize(QSize(kItemWidth, QFontMetrics(m_view->font()).height() + 3));

    QLabel* rigo03 =
        label(p, "lblRigo03", QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic."),
              {20, 452, 560, 22});
    rigo03->setFont(instructions);
    QPushButton* stampa = button(p, "btnStampa", QStringLiteral("Stampa"), {569, 484, 118, 32});
    QPushButton* chiudi = button(p, "btnChiudi", QStringLiteral("Chiudi"), {695, 484, 118, 32});

    static const Behaviour::Field kFields[] = {{"txtTrova", 0, 0, "btnTrova"}};
    Behaviour::install(p, kFields);
    // Enter moves from the field to Trova; Ctrl+Enter searches from anywhere in the window.
    static const Behaviour::Shortcut kKeys[] = {{"btnTrova", Qt::CTRL | Qt::Key_Return},
                                                {"btnTrova", Qt::CTRL | Qt::Key_Enter}};
    Behaviour::installShortcuts(p, kKeys);
    trova->setToolTip(QStringLiteral("Trova (Ctrl+Invio)"));

    connect(trova, &QPushButton::clicked, this, &ListPanel::find);
    connect(chiudi, &QPushButton::clicked, p, [p] { p->window()->close(); });
    connect(m_view, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        select(index.row());
        emit chosen(m_model->line(index.row()));
    });
    connect(stampa, &QPushButton::clicked, this, [this, title = setup.printTitle] { print(title); });
    m_view->installEventFilter(this);
    p->window()->installEventFilter(this);
}

ListPanel::~ListPanel() = default;

QString ListPanel::rigo01Schede()
{
    return QStringLiteral("Immettere una o pi\u00f9 parole consecutive presenti nella scheda in elenco da cercare e "
                          "premere il pulsante Trova.");
}

void ListPanel::applyLook(QWidget* window)
{
    // The window is the desk; the list's rules (windows/resources/tassella.qss) reach the controls of
    // the panels only, so that message boxes shown over the window keep their own look.
    window->setProperty("look", QStringLiteral("desk"));
    for (const char* name : {"panContainer", "panAvvio"})
        if (auto* panel = window->findChild<QWidget*>(QLatin1String(name)))
            panel->setProperty("look", QStringLiteral("list"));
}

QLabel* ListPanel::addNote(const char* name, const QString& text)
{
    QLabel* note = label(m_container, name, text, {20, 484, 540, 30});
    note->setFont(QFont(QStringLiteral("Verdana"), 12));
    return note;
}

void ListPanel::reset()
{
    m_lastKey.clear();
    select(0);
    m_find->clear();
}

void ListPanel::setLines(LineList lines)
{
    m_model->setLines(std::move(lines));
}

int ListPanel::selectedRow() const
{
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ListPanel::select(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QModelIndex index = m_model->index(row);
    m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_view->scrollTo(index);
}

QString ListPanel::selectedLine() const
{
    const int row = selectedRow();
    return row < 0 ? QString() : m_model->line(row);
}

void ListPanel::find()
{
    const ListFind::Result result = ListFind::find(lines(), selectedRow(), m_find->text(), m_lastKey);
    if (!result.message.isEmpty()) {
        MessageBox::show(m_container->window(), result.message);
        return;
    }
    if (result.select >= 0)
        select(result.select);
}

Report::Template& ListPanel::report()
{
    if (!m_report)
        m_report = std::make_unique<Report::Template>(ListPrint::listTemplate());
    return *m_report;
}

void ListPanel::print(const QString& title)
{
    ListPrint::fill(report(), title, lines().toList());
    report().prepare();
    Report::print(report(), m_container->window());
}

bool ListPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && watched == m_container->window())
        m_model->clear();
    // The lines keep their height for the font: the window may be drawn larger or smaller.
    if (watched == m_view && event->type() == QEvent::FontChange) {
        m_model->setItemSize(QSize(kItemWidth, QFontMetrics(m_view->font()).height() + 3));
        m_view->doItemsLayout();
    }
    // Enter on a line opens it as a double click does.
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            const QModelIndex current = m_view->currentIndex();
            if (current.isValid() && !key->isAutoRepeat()) {
                select(current.row());
                emit chosen(m_model->line(current.row()));
            }
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

CriteriaPanel::CriteriaPanel(QWidget* container, std::span<const CriterionField> fields)
    : QObject(container)
    , m_fields(fields)
{
    QWidget* p = container;
    const QFont instructions(QStringLiteral("Verdana"), 10);
    label(p, "lblRigo04",
          QStringLiteral("Immettere nei campi prescelti una o pi\u00f9 parole consecutive presenti nelle schede da "
                         "trovare e premere il pulsante Cerca."),
          {20, 12, 793, 22})
        ->setFont(instructions);
    label(p, "lblRigo05", QStringLiteral("Lasciare in bianco tutti gli altri campi."), {20, 34, 793, 22})
        ->setFont(instructions);
    label(p, "lblRigo06",
          QStringLiteral("Per ogni ricerca \u00e8 possibile utilizzare uno o pi\u00f9 campi contemporaneamente."),
          {20, 56, 793, 22})
        ->setFont(instructions);

    auto* frame = new QFrame(p);
    frame->setObjectName(QStringLiteral("panCriteri"));
    frame->setGeometry(20, 86, 793, 36 + int(fields.size()) * 34 + 4);
    QLabel* title = label(frame, "lblTitoloCriteri", QStringLiteral("Criteri di ricerca"), {0, 0, 793, 28});
    Q_UNUSED(title);

    QFont editFont(QStringLiteral("Verdana"), 12);
    editFont.setBold(true);
    const QFont labelFont(QStringLiteral("Verdana"), 10, QFont::Bold);
    std::vector<Behaviour::Field> behaviour;
    int y = 36;
    for (const CriterionField& field : fields) {
        QLabel* caption = label(frame, "", QString::fromUtf8(field.label), {16, y + 2, 300, 26});
        caption->setObjectName(QStringLiteral("lbl") + QLatin1String(field.edit + 3));
        caption->setFont(labelFont);
        auto* edit = new QLineEdit(frame);
        edit->setObjectName(QLatin1String(field.edit));
        edit->setGeometry(326, y, 451, 28);
        edit->setFont(editFont);
        m_edits << edit;
        behaviour.push_back({field.edit, Behaviour::Highlight, 0, field.next});
        y += 34;
    }
    Behaviour::install(p, behaviour);
    // Enter moves from field to field; Ctrl+Enter searches from any of them.
    static const Behaviour::Shortcut kKeys[] = {{"btnCerca", Qt::CTRL | Qt::Key_Return},
                                                {"btnCerca", Qt::CTRL | Qt::Key_Enter}};

    m_waiting = label(p, "lblAttendere", QStringLiteral("Ricerca schede in corso. Attendere..."), {20, 488, 500, 24});
    m_waiting->setFont(QFont(QStringLiteral("Verdana"), 12));
    m_waiting->hide();
    m_count = label(p, "lblConta", QStringLiteral("0"), {0, 0, 40, 16});
    m_count->hide();
    QPushButton* annulla = button(p, "btnAnnulla", QStringLiteral("Chiudi"), {569, 484, 118, 32});
    m_search = button(p, "btnCerca", QStringLiteral("Cerca"), {695, 484, 118, 32});
    m_search->setProperty("class", QStringLiteral("command"));
    m_search->setToolTip(QStringLiteral("Cerca (Ctrl+Invio)"));
    Behaviour::installShortcuts(p, kKeys);
    connect(annulla, &QPushButton::clicked, p, [p] { p->window()->close(); });
    connect(m_search, &QPushButton::clicked, this, [this] {
        // Shown before the search runs, whether the mouse or the keyboard pressed the button.
        m_waiting->show();
        m_waiting->repaint();
        emit searchRequested();
    });
    m_search->installEventFilter(this);
}

QList<RecordScan::Criterion> CriteriaPanel::criteria() const
{
    QList<RecordScan::Criterion> result;
    for (qsizetype i = 0; i < m_edits.size(); ++i)
        result.append({m_fields[size_t(i)].edit + 3, m_edits.at(i)->text()});
    return result;
}

bool CriteriaPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_search && event->type() == QEvent::MouseButtonPress) {
        m_waiting->show();
        m_waiting->repaint();
    }
    return QObject::eventFilter(watched, event);
}
