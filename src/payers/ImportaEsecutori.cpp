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
#include <QScreen>
#include <QShowEvent>
#include <QSplitter>
#include <algorithm>

namespace {

// A spreadsheet wider than this shows its first columns only: no payer list needs more.
constexpr int kMaxColumns = 60;
constexpr int kPairsPerLine = 3;
// Room for the column lists and about ten rows at 1366 x 768; it opens as large as the screen
// allows, up to what a wide file wants.
constexpr QSize kMinimumSize(960, 600);
constexpr QSize kOpeningSize(1240, 720);

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
    // The one dialog that grows: the columns of a wide file and the rows of a long one want room.
    setWindowFlags((windowFlags() & ~Qt::MSWindowsFixedSizeDialogHint) | Qt::WindowMaximizeButtonHint);
    setMinimumSize(kMinimumSize);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QScreen* display = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect screen = display ? display->availableGeometry() : QRect(0, 0, 1366, 768);
    resize(std::clamp(screen.width() - 40, kMinimumSize.width(), kOpeningSize.width()),
           std::clamp(screen.height() - 48, kMinimumSize.height(), kOpeningSize.height()));
    m_ui->splAnteprima->setStretchFactor(0, 1);
    m_ui->splAnteprima->setStretchFactor(1, 3);
    for (const PayerImport::Separator& separator : PayerImport::separators())
        m_ui->cboSeparatore->addItem(separator.name, QVariant(separator.character));
    m_ui->cboSeparatore->setAccessibleName(QStringLiteral("Separatore delle colonne"));
    m_ui->cboSeparatore->setEnabled(false);
    m_ui->tblAnteprima->setModel(m_model);
    m_ui->tblAnteprima->verticalHeader()->hide();
    m_ui->tblAnteprima->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_ui->tblAnteprima->verticalHeader()->setDefaultSectionSize(21);
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
    connect(m_ui->cboSeparatore, &QComboBox::activated, this,
            [this] { splitSheet(m_ui->cboSeparatore->currentData().toChar()); });
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
    PayerImport::Sheet sheet = PayerImport::read(path);
    QApplication::restoreOverrideCursor();
    if (!sheet.ok) {
        MessageBox::show(this, sheet.error);
        return false;
    }
    m_path = path;
    m_csv = std::move(sheet.csv);
    m_ui->txtFile->setText(QDir::toNativeSeparators(path));
    m_ui->cboSeparatore->setEnabled(true);
    showSheet(std::move(sheet.table));
    if (!m_columns.isEmpty())
        m_columns.first()->setFocus(Qt::OtherFocusReason);
    return true;
}

void TfrmImportaEsecutori::splitSheet(QChar separator)
{
    if (m_path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CsvFile::Table table = CsvFile::read(m_csv, separator);
    QApplication::restoreOverrideCursor();
    showSheet(std::move(table));
}

void TfrmImportaEsecutori::showSheet(CsvFile::Table table)
{
    m_ui->cboSeparatore->setCurrentIndex(m_ui->cboSeparatore->findData(QVariant(table.separator)));
    m_model->setRows({}, {}, false); // the rows shown refer to the sheet replaced here
    m_sheet = std::make_shared<const CsvFile::Records>(std::move(table.rows));
    const bool header = !m_sheet->isEmpty() && PayerImport::looksLikeHeader(m_sheet->row(0));
    {
        const QSignalBlocker quiet(m_ui->chkIntestazione);
        m_ui->chkIntestazione->setChecked(header);
    }
    m_mapping = header ? PayerImport::guess(m_sheet->row(0)) : QList<int>();
    buildColumns();
    refresh();
}

void TfrmImportaEsecutori::buildColumns()
{
    qsizetype width = 0;
    for (qsizetype r = 0; m_sheet && r < m_sheet->size(); ++r)
        width = std::max(width, m_sheet->cellCount(r));
    width = std::min<qsizetype>(width, kMaxColumns);
    while (m_mapping.size() < width)
        m_mapping.append(PayerImport::kNone);
    m_mapping.resize(width);

    QWidget* panel = m_ui->panColonne->widget();
    qDeleteAll(panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
    m_columns.clear();
    auto* grid = static_cast<QGridLayout*>(panel->layout());
    const bool header = m_ui->chkIntestazione->isChecked();
    QWidget* previous = m_ui->cboSeparatore;
    for (int c = 0; c < width; ++c) {
        const QString name = header ? m_sheet->cell(0, c).toString() : QString();
        auto* label = new QLabel(columnCaption(c, name), panel);
        label->setObjectName(QStringLiteral("lblColonna%1").arg(c + 1, 2, 10, QLatin1Char('0')));
        label->setProperty("class", QStringLiteral("caption"));
        label->setToolTip(name);
        label->setMinimumWidth(120);
        label->setMaximumWidth(200);
        auto* combo = new QComboBox(panel);
        combo->setObjectName(QStringLiteral("cboColonna%1").arg(c + 1, 2, 10, QLatin1Char('0')));
        for (const PayerImport::Target& target : PayerImport::targets())
            combo->addItem(target.caption, target.id);
        combo->setCurrentIndex(combo->findData(m_mapping.at(c)));
        combo->setAccessibleName(QStringLiteral("Campo che riceve la colonna %1").arg(columnCaption(c, name)));
        // As wide as the pair's share of the line, not as its longest field name.
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(16);
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
    // The lists take the room the captions leave.
    for (int pair = 0; pair < kPairsPerLine; ++pair)
        grid->setColumnStretch(pair * 2 + 1, 1);
    showAllColumns();
}

// The column lists whole above the preview, as long as they leave it more than half the room; the
// user moves the line between the two as he likes.
void TfrmImportaEsecutori::showAllColumns()
{
    QSplitter* splitter = m_ui->splAnteprima;
    const QList<int> sizes = splitter->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    if (total <= 0)
        return;
    QWidget* panel = m_ui->panColonne->widget();
    panel->layout()->activate();
    const int wanted =
        m_ui->lblColonne->sizeHint().height() + panel->sizeHint().height() + 2 * m_ui->panColonne->frameWidth() + 8;
    const int top = std::min(wanted, total * 45 / 100);
    splitter->setSizes({top, total - top});
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
    PayerImport::Preview preview(m_sheet, m_ui->chkIntestazione->isChecked(), m_mapping, registry);
    // The fields some column feeds or some row's tax code fills, in the editor's order; the date of
    // birth in one cell shows as its three fields.
    std::vector<int> fields;
    const std::vector<int> filled = preview.fields();
    const auto shown = [this, &filled](int field) {
        if (m_mapping.contains(field) || std::find(filled.begin(), filled.end(), field) != filled.end())
            return true;
        const char* control = PayerTyping::fields()[size_t(field)].control;
        const bool birth =
            qstrcmp(control, "txtGG") == 0 || qstrcmp(control, "txtMM") == 0 || qstrcmp(control, "txtAA") == 0;
        return birth && m_mapping.contains(PayerImport::kBirthDate);
    };
    for (int f = 0; f < int(PayerTyping::fields().size()); ++f)
        if (shown(f))
            fields.push_back(f);
    m_model->setRows(std::move(preview), std::move(fields), m_ui->optAggiorna->isChecked());
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
    const std::vector<int> add = m_model->toAdd();
    const std::vector<int> update = m_model->toUpdate();
    if (add.empty() && update.empty()) {
        MessageBox::show(this, PayerImport::nothingChosen());
        return;
    }
    qint64 records = 0;
    for (int r : update)
        records += m_model->preview().brief(r).existing.size();
    if (MessageBox::show(this, PayerImport::question(qint64(add.size()), records)) != MessageBox::Button::Yes)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PayerImport::Preview& preview = m_model->preview();
    const PayerImport::Saved saved = PayerImport::save(
        PayerRecord::archivePath(), qint64(add.size()), [&](qint64 i) { return preview.row(add[size_t(i)]); },
        qint64(update.size()), [&](qint64 i) { return preview.row(update[size_t(i)]); });
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
