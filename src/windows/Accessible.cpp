#include "windows/Accessible.h"

#include "windows/ClickLabel.h"
#include "windows/Windows.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>

namespace Accessible {
namespace {

// The parts of Qt's month calendar, by the names Qt gives them.
constexpr struct {
    const char* objectName;
    const char* name;
} kCalendarParts[] = {
    {"qt_calendar_prevmonth", "Mese precedente"},
    {"qt_calendar_nextmonth", "Mese successivo"},
    {"qt_calendar_monthbutton", "Mese"},
    {"qt_calendar_yearbutton", "Anno"},
    {"qt_calendar_yearedit", "Anno"},
    {"qt_calendar_calendarview", "Giorni del mese"},
};

// Fields and commands whose caption on the form is not beside them (the slip editor imitates the
// paper form, whose captions stand where the post office printed them) or is only a sign ("+",
// ","). A field keeps the same name in every window.
constexpr struct {
    const char* objectName;
    const char* name;
} kNames[] = {
    {"txtPassword", "Password"},
    {"txtAnno", "Anno"},
    {"txtImporto", "Importo in euro"},
    {"txtCents", "Centesimi"},
    {"txtImpLettere", "Importo in lettere"},
    {"txtCentLettere", "Centesimi in lettere"},
    {"txtCodTariffa", "Codice tariffa"},
    {"txtAnnoTariffa", "Anno della tariffa"},
    {"txtCodFisc", "Codice fiscale"},
    {"txtEsecutore", "Cognome e nome"},
    {"txtSesso", "Sesso"},
    {"txtGG", "Giorno di nascita"},
    {"txtMM", "Mese di nascita"},
    {"txtAA", "Anno di nascita"},
    {"txtComuneNasc", "Comune o Stato estero di nascita"},
    {"txtProvNasc", "Provincia di nascita"},
    {"txtIndirizzoRes", "Indirizzo di residenza"},
    {"txtProvRes", "Provincia di residenza"},
    {"txtComuneRes", "Comune di residenza"},
    {"txtCapRes", "CAP di residenza"},
    {"txtRecapito", "Recapito preferenziale"},
    {"txtCategoria", "Categoria di appartenenza"},
    {"txtNumero", "Numero della carta di credito"},
    {"txtIban", "IBAN"},
    {"txtPartitaIva", "Partita IVA"},
    {"txtTrova", "Testo da trovare"},
    {"lstRecords", "Elenco"},
    {"txtGiornoInizio", "Giorno di inizio"},
    {"txtMeseInizio", "Mese di inizio"},
    {"txtGiornoFine", "Giorno di fine"},
    {"txtMeseFine", "Mese di fine"},
    {"impCodTariffa", "Elenco dei codici tariffa"},
    {"cmdPrimo", "Prima scheda"},
    {"cmdIndietro", "Scheda precedente"},
    {"cmdAvanti", "Scheda successiva"},
    {"cmdUltimo", "Ultima scheda"},
    {"btnTopMinus", "Riduci il margine superiore"},
    {"btnTopPlus", "Aumenta il margine superiore"},
    {"btnApplicaTop", "Applica il margine superiore"},
    {"btnLeftMinus", "Riduci il margine sinistro"},
    {"btnLeftPlus", "Aumenta il margine sinistro"},
    {"btnApplicaLeft", "Applica il margine sinistro"},
};

// A control a screen reader must be able to name: fields, lists, buttons and picture commands.
bool isControl(const QWidget* widget)
{
    if (qobject_cast<const QCalendarWidget*>(widget))
        return true;
    if (qobject_cast<const ClickLabel*>(widget))
        return true;
    if (qobject_cast<const QLabel*>(widget))
        return false;
    if (qobject_cast<const QLineEdit*>(widget) && qobject_cast<const QComboBox*>(widget->parentWidget()))
        return false; // the edit line of a drop-down: the drop-down itself is named
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QComboBox*>(widget)
        || qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QTextEdit*>(widget)
        || qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const QAbstractItemView*>(widget)
        || qobject_cast<const QAbstractButton*>(widget);
}

QString plain(const QString& text)
{
    QString out = Qt::mightBeRichText(text) ? QTextDocumentFragment::fromHtml(text).toPlainText() : text;
    out.remove(QLatin1Char('&'));
    out = out.simplified();
    while (out.endsWith(QLatin1Char(':')) || (out.endsWith(QLatin1Char('.')) && !out.endsWith(QLatin1String(".."))))
        out.chop(1);
    return out.trimmed();
}

// "imgCodTariffa" -> "Cod Tariffa".
QString fromObjectName(const QString& name)
{
    static const QRegularExpression prefix(QStringLiteral("^(img|btn|cmd|imp|inf|chk|txt|lst|cbo|grd)"));
    QString rest = name;
    rest.remove(prefix);
    rest.replace(QLatin1Char('_'), QLatin1Char(' '));
    rest.replace(QRegularExpression(QStringLiteral("([a-z])([A-Z0-9])")), QStringLiteral("\\1 \\2"));
    return rest.trimmed();
}

// The caption label of a field: the nearest label ending on its left on the same line, or else the
// nearest one just above it, overlapping it across.
QLabel* captionLabel(const QWidget* field, const QList<QLabel*>& labels, const QWidget* window)
{
    const QRect box(field->mapTo(window, QPoint(0, 0)), field->size());
    QLabel* left = nullptr;
    int leftDistance = 0;
    QLabel* above = nullptr;
    int aboveDistance = 0;
    for (QLabel* label : labels) {
        if (label->buddy() == field)
            return label;
        const QRect r(label->mapTo(window, QPoint(0, 0)), label->size());
        const bool sameLine = r.top() < box.bottom() && r.bottom() > box.top()
            && std::abs(r.center().y() - box.center().y()) <= std::max(box.height(), 16);
        if (sameLine && r.right() <= box.left() + 4) {
            const int distance = box.left() - r.right();
            if (distance <= 220 && (!left || distance < leftDistance)) {
                left = label;
                leftDistance = distance;
            }
        }
        const bool across = r.left() < box.right() && r.right() > box.left();
        if (across && r.bottom() <= box.top() + 4) {
            const int distance = box.top() - r.bottom();
            if (distance <= 40 && (!above || distance < aboveDistance)) {
                above = label;
                aboveDistance = distance;
            }
        }
    }
    return left ? left : above;
}

QString captionOf(const QWidget* field, const QList<QLabel*>& labels, const QWidget* window)
{
    const QLabel* label = captionLabel(field, labels, window);
    return label ? plain(label->text()) : QString();
}

QString nameFor(const QWidget* control, const QList<QLabel*>& labels, const QWidget* window)
{
    for (const auto& entry : kNames)
        if (control->objectName() == QLatin1String(entry.objectName))
            return QString::fromUtf8(entry.name);
    for (const auto& part : kCalendarParts)
        if (control->objectName() == QLatin1String(part.objectName))
            return QString::fromUtf8(part.name);
    if (qobject_cast<const QCalendarWidget*>(control))
        return QStringLiteral("Calendario");
    if (const auto* button = qobject_cast<const QAbstractButton*>(control); button && !plain(button->text()).isEmpty())
        return plain(button->text());
    if (const auto* label = qobject_cast<const ClickLabel*>(control); label && !plain(label->text()).isEmpty())
        return plain(label->text());
    const bool command = (qobject_cast<const QAbstractButton*>(control) && !control->inherits("QCheckBox"))
        || qobject_cast<const ClickLabel*>(control);
    if (!command) {
        const QString caption = captionOf(control, labels, window);
        if (!caption.isEmpty())
            return caption;
    }
    if (!control->toolTip().isEmpty())
        return plain(control->toolTip());
    if (!control->accessibleDescription().isEmpty())
        return plain(control->accessibleDescription());
    return fromObjectName(control->objectName());
}

} // namespace

namespace {
void nameNow(QWidget* window)
{
    QList<QLabel*> labels;
    for (QLabel* label : window->findChildren<QLabel*>())
        if (!qobject_cast<ClickLabel*>(label) && !label->text().trimmed().isEmpty() && !label->isHidden())
            labels.append(label);
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!isControl(control))
            continue;
        // A field's caption beside it, where the screen reader can find it as its label.
        if (!qobject_cast<QAbstractButton*>(control) || control->inherits("QCheckBox"))
            if (QLabel* caption = captionLabel(control, labels, window);
                caption && !caption->buddy() && caption->parentWidget() == control->parentWidget())
                caption->setBuddy(control);
        if (control->accessibleName().isEmpty()) {
            const QString name = nameFor(control, labels, window);
            if (!name.isEmpty())
                control->setAccessibleName(name);
        }
        // The edit line of a drop-down is what has the focus: it speaks the drop-down's name.
        if (auto* combo = qobject_cast<QComboBox*>(control);
            combo && combo->lineEdit() && combo->lineEdit()->accessibleName().isEmpty())
            combo->lineEdit()->setAccessibleName(combo->accessibleName());
    }
}

// A picture or caption that acts as a command: a push button, or a link, that Press clicks.
class CommandInterface : public QAccessibleWidget {
public:
    explicit CommandInterface(ClickLabel* label)
        : QAccessibleWidget(label, label->isLink() ? QAccessible::Link : QAccessible::Button)
    {}
    QString text(QAccessible::Text t) const override
    {
        QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && text.isEmpty())
            text = plain(static_cast<ClickLabel*>(widget())->text());
        return text;
    }
    QStringList actionNames() const override { return QStringList{pressAction()} << QAccessibleWidget::actionNames(); }
    void doAction(const QString& action) override
    {
        if (action == pressAction())
            static_cast<ClickLabel*>(widget())->click();
        else
            QAccessibleWidget::doAction(action);
    }
    QStringList keyBindingsForAction(const QString& action) const override
    {
        return action == pressAction() ? QStringList{QStringLiteral("Space")} : QStringList();
    }
};

// A drop-down: Qt gives it the value it shows as its name on this desktop; the name is its caption,
// the value its text. Press opens its list.
class DropDownInterface : public QAccessibleWidget {
public:
    explicit DropDownInterface(QComboBox* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox)
    {}
    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return combo()->currentText();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} << QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action == showMenuAction() || action == pressAction())
            combo()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* interfaceFor(const QString& className, QObject* object)
{
    if (className == QLatin1String("ClickLabel"))
        if (auto* label = qobject_cast<ClickLabel*>(object))
            return new CommandInterface(label);
    if (className == QLatin1String("QComboBox"))
        if (auto* combo = qobject_cast<QComboBox*>(object))
            return new DropDownInterface(combo);
    // A workspace is a window of its own (Qt takes a plain widget for a filler).
    if (className == QLatin1String("Workspace"))
        if (auto* workspace = qobject_cast<Workspace*>(object); workspace && workspace->isWindow())
            return new QAccessibleWidget(workspace, QAccessible::Window);
    return nullptr;
}

} // namespace

QStringList tableNames()
{
    QStringList names;
    for (const auto& entry : kNames)
        names << QString::fromLatin1(entry.objectName);
    return names;
}

void installRoles()
{
    static const bool installed = (QAccessible::installFactory(&interfaceFor), true);
    Q_UNUSED(installed);
}

void nameControls(QWidget* window)
{
    nameNow(window);
    QTimer::singleShot(0, window, [window] { nameNow(window); });
}

} // namespace Accessible
