#include "payers/ImportaEsecutori.h"

#include "ui_ImportaEsecutori.h"

#include "data/Platform.h"
#include "payers/PayerEditor.h"
#include "payers/PayerImportModel.h"
#include "payers/PayerRecord.h"
#include "payers/PayerTyping.h"
#include "data/RecordArchive.h"
#include "windows/Prompts.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QShowEvent>
#include <algorithm>

namespace {

// A spreadsheet wider than this shows its first columns only: no payer list needs more.
constexpr int kMaxColumns = 60;
constexpr int kPairsPerLine = 3;

QString columnCaption(int column, const QString& name)
{
    const QString shown = name.simplified();
    return shown.isEmpty() ? QStringLiteral("Colonna %1").arg(column + 1)
                           : QStringLiteral("%1. %2").arg(column + 1).arg(shown);
}

} // namespace

TfrmImportaEsecutori::TfrmImportaEsecutori(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::ImportaEsecutori>())
    , m_model(new PayerImportModel(this))
{
    m_ui->setupUi(this);
    finishForm();
    m_ui->tblAnteprima->setModel(m_model);
    m_ui->tblAnteprima->verticalHeader()->hide();
    m_ui->tblAnteprima->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_ui->tblAnteprima->verticalHeader()->setDefaultSectionSize(22);
    m_ui->tblAnteprima->horizontalHeader()->setDefaultSectionSize(140);
    m_ui->tblAnteprima->installEventFilter(this);
    m_ui->lblFile->setBuddy(m_ui->btnScegli);
    m_ui->txtFile->setAccessibleName(QStringLiteral("File da importare"));
    m_ui->lblAnteprima->setBuddy(m_ui->tblAnteprima);
    m_ui->tblAnteprima->setAccessibleName(QStringLiteral("Anteprima delle righe"));
    m_ui->optSalta->setAccessibleName(QStringLiteral("Esecutori già in archivio: saltarli"));
    m_ui->optAggiorna->setAccessibleName(QStringLiteral("Esecutori già in archivio: aggiornare la loro scheda"));
    auto* columns = new QWidget;
    columns->setObjectName(QStringLiteral("panColonneInterno"));
    new QGridLayout(columns);
    m_ui->panColonne->setWidget(columns);

    connect(m_ui->btnScegli, &QPushButton::clicked, this, &TfrmImportaEsecutori::chooseFile);
    connect(m_ui->btnImporta, &QPushButton::clicked, this, &TfrmImportaEsecutori::importRows);
    connect(m_ui->btnChiudi, &QPushButton::clicked, this, &QWidget::close);
    connect(m_ui->chkIntestazione, &QCheckBox::toggled, this, [this] {
        buildColumns();
        refresh();
    });
    connect(m_ui->optAggiorna, &QRadioButton::toggled, this, [this](bool update) { m_model->setUpdate(update); });
    connect(m_model, &PayerImportModel::ticksChanged, this, &TfrmImportaEsecutori::showSummary);
    connect(m_ui->tblAnteprima, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() != PayerImportModel::Tick)
            m_ui->tblAnteprima->setCurrentIndex(index);
    });
    m_ui->btnImporta->setEnabled(false);
}

TfrmImportaEsecutori::~TfrmImportaEsecutori() = default;

void TfrmImportaEsecutori::showEvent(QShowEvent* event)
{
    Dialog::showEvent(event);
    if (!event->spontaneous() && m_path.isEmpty())
        m_ui->btnScegli->setFocus(Qt::OtherFocusReason);
}

// Space ticks or unticks the current row, whichever of its cells is current.
bool TfrmImportaEsecutori::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->tblAnteprima && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        m_model->toggle(m_ui->tblAnteprima->currentIndex().row());
        return true;
    }
    return Dialog::eventFilter(watched, event);
}

bool TfrmImportaEsecutori::chooseFile()
{
    const QString path = FileDialog::getOpenFileName(
        this, QStringLiteral("Scegliere il file degli Esecutori da importare"), {},
        QStringLiteral("Fogli di calcolo (*.csv *.txt *.ods *.xlsx *.xls);;Tutti i file (*)"));
    if (path.isEmpty())
        return false;
    return load(path);
}

bool TfrmImportaEsecutori::load(const QString& path)
{
    if (PayerImport::needsOffice(path) && PayerImport::officeProgram().isEmpty()) {
        MessageBox::show(this, PayerImport::officeMissing());
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PayerImport::Sheet sheet = PayerImport::read(path);
    QApplication::restoreOverrideCursor();
    if (!sheet.ok) {
        MessageBox::show(this, sheet.error);
        return false;
    }
    m_path = path;
    m_sheet = sheet.rows;
    m_ui->txtFile->setText(QDir::toNativeSeparators(path));
    const bool header = !m_sheet.isEmpty() && PayerImport::looksLikeHeader(m_sheet.first());
    {
        const QSignalBlocker quiet(m_ui->chkIntestazione);
        m_ui->chkIntestazione->setChecked(header);
    }
    m_mapping = header ? PayerImport::guess(m_sheet.first()) : QList<int>();
    buildColumns();
    refresh();
    if (!m_columns.isEmpty())
        m_columns.first()->setFocus(Qt::OtherFocusReason);
    return true;
}

void TfrmImportaEsecutori::buildColumns()
{
    qsizetype width = 0;
    for (const QStringList& row : m_sheet)
        width = std::max(width, row.size());
    width = std::min<qsizetype>(width, kMaxColumns);
    while (m_mapping.size() < width)
        m_mapping.append(PayerImport::kNone);
    m_mapping.resize(width);

    QWidget* panel = m_ui->panColonne->widget();
    qDeleteAll(panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
    m_columns.clear();
    auto* grid = static_cast<QGridLayout*>(panel->layout());
    const bool header = m_ui->chkIntestazione->isChecked();
    QWidget* previous = m_ui->chkIntestazione;
    for (int c = 0; c < width; ++c) {
        const QString name = header && c < m_sheet.first().size() ? m_sheet.first().at(c) : QString();
        auto* label = new QLabel(columnCaption(c, name), panel);
        label->setObjectName(QStringLiteral("lblColonna%1").arg(c + 1, 2, 10, QLatin1Char('0')));
        label->setProperty("class", QStringLiteral("caption"));
        label->setToolTip(name);
        label->setMinimumWidth(120);
        label->setMaximumWidth(150);
        auto* combo = new QComboBox(panel);
        combo->setObjectName(QStringLiteral("cboColonna%1").arg(c + 1, 2, 10, QLatin1Char('0')));
        for (const PayerImport::Target& target : PayerImport::targets())
            combo->addItem(target.caption, target.id);
        combo->setCurrentIndex(combo->findData(m_mapping.at(c)));
        combo->setAccessibleName(QStringLiteral("Campo che riceve la colonna %1").arg(columnCaption(c, name)));
        label->setBuddy(combo);
        grid->addWidget(label, c / kPairsPerLine, (c % kPairsPerLine) * 2);
        grid->addWidget(combo, c / kPairsPerLine, (c % kPairsPerLine) * 2 + 1);
        connect(combo, &QComboBox::activated, this,
                [this, c, combo] { columnChosen(c, combo->currentData().toInt()); });
        // Shown now, not when the layout gets round to it, so that the focus can go to them at once.
        label->show();
        combo->show();
        QWidget::setTabOrder(previous, combo);
        previous = combo;
        m_columns.append(combo);
    }
    QWidget::setTabOrder(previous, m_ui->tblAnteprima);
}

// A field takes one column: the column that fed it before feeds nothing now.
void TfrmImportaEsecutori::columnChosen(int column, int target)
{
    m_mapping[column] = target;
    if (target != PayerImport::kNone) {
        for (int c = 0; c < m_mapping.size(); ++c)
            if (c != column && m_mapping.at(c) == target) {
                m_mapping[c] = PayerImport::kNone;
                m_columns.at(c)->setCurrentIndex(m_columns.at(c)->findData(PayerImport::kNone));
            }
    }
    refresh();
}

void TfrmImportaEsecutori::refresh()
{
    if (m_path.isEmpty())
        return;
    const PayerImport::Registry registry = PayerImport::registry(PayerRecord::archivePath());
    if (!registry.ok)
        MessageBox::show(this, PayerEditor::accessError());
    std::vector<PayerImport::Row> rows =
        PayerImport::prepareAll(m_sheet, m_ui->chkIntestazione->isChecked(), m_mapping);
    PayerImport::markDuplicates(rows, registry);
    // The fields some column feeds, in the editor's order; the date of birth in one cell shows as
    // its three fields.
    std::vector<int> fields;
    const auto shown = [this](int field) {
        if (m_mapping.contains(field))
            return true;
        const char* control = PayerTyping::fields()[size_t(field)].control;
        const bool birth =
            qstrcmp(control, "txtGG") == 0 || qstrcmp(control, "txtMM") == 0 || qstrcmp(control, "txtAA") == 0;
        return birth && m_mapping.contains(PayerImport::kBirthDate);
    };
    for (int f = 0; f < int(PayerTyping::fields().size()); ++f)
        if (shown(f))
            fields.push_back(f);
    m_model->setRows(std::move(rows), std::move(fields), m_ui->optAggiorna->isChecked());
    // The field columns as wide as their captions and first values, within reason.
    QHeaderView* header = m_ui->tblAnteprima->horizontalHeader();
    header->setResizeContentsPrecision(40);
    for (int c = PayerImportModel::FirstField; c < m_model->columnCount(); ++c) {
        m_ui->tblAnteprima->resizeColumnToContents(c);
        m_ui->tblAnteprima->setColumnWidth(c, std::clamp(m_ui->tblAnteprima->columnWidth(c), 60, 260));
    }
    m_ui->tblAnteprima->setColumnWidth(PayerImportModel::Tick, 70);
    m_ui->tblAnteprima->setColumnWidth(PayerImportModel::Line, 50);
    m_ui->tblAnteprima->setColumnWidth(PayerImportModel::Status, 260);
    if (m_model->rowCount() > 0)
        m_ui->tblAnteprima->setCurrentIndex(m_model->index(0, PayerImportModel::Tick));
}

void TfrmImportaEsecutori::showSummary()
{
    const int rows = m_model->rowCount();
    m_ui->btnImporta->setEnabled(m_model->tickedCount() > 0);
    if (m_path.isEmpty())
        return;
    QString text = rows == 1 ? QStringLiteral("1 riga") : QStringLiteral("%1 righe").arg(rows);
    text += QStringLiteral(", %1 da importare").arg(m_model->tickedCount());
    if (const int duplicates = m_model->duplicateCount())
        text += QStringLiteral(", %1 già in archivio").arg(duplicates);
    m_ui->lblRiepilogo->setText(text + QLatin1Char('.'));
}

void TfrmImportaEsecutori::importRows()
{
    const std::vector<const PayerImport::Row*> add = m_model->toAdd();
    const std::vector<const PayerImport::Row*> update = m_model->toUpdate();
    if (add.empty() && update.empty()) {
        MessageBox::show(this, PayerImport::nothingChosen());
        return;
    }
    qint64 records = 0;
    for (const PayerImport::Row* row : update)
        records += row->existing.size();
    if (MessageBox::show(this, PayerImport::question(qint64(add.size()), records)) != MessageBox::Button::Yes)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PayerImport::Saved saved = PayerImport::save(PayerRecord::archivePath(), add, update);
    QApplication::restoreOverrideCursor();
    if (!saved.ok && saved.busy) {
        if (MessageBox::choose(this, RecordArchive::busyQuestion(saved.busyHost)) == RecordArchive::Retry)
            importRows();
        return;
    }
    if (!saved.ok) {
        MessageBox::show(this, PayerImport::failedMessage(saved));
        return;
    }
    MessageBox::show(this, PayerImport::savedMessage(saved));
    if (!saved.notice.isEmpty())
        MessageBox::show(this, saved.notice);
    refresh(); // the payers just imported are now in the registry
}
