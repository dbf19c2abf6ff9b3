#include "windows/FieldBehaviour.h"

#include "data/CodePage.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QWidget>

namespace Behaviour {
namespace {

// The yellow rectangle behind a focused field, with a yellow-to-white border.
class FocusHighlight : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QRectF r = rect();
        const qreal border = 4;
        const QColor yellow(255, 235, 59);
        painter.fillRect(r, Qt::white);
        for (int i = 0; i < border; ++i) {
            QColor c = yellow;
            c.setAlphaF(0.25 + 0.75 * (i + 1) / border);
            painter.setPen(c);
            painter.drawRect(r.adjusted(i, i, -i - 1, -i - 1));
        }
        painter.fillRect(r.adjusted(border, border, -border, -border), yellow);
    }
};

QString stripPrefix(const QString& name)
{
    return name.startsWith(QLatin1String("txt")) ? name.mid(3) : name;
}

class FieldFilter : public QObject {
public:
    explicit FieldFilter(QWidget* window)
        : QObject(window)
        , m_window(window)
    {
    }

    void addField(QWidget* field, const Field& config)
    {
        m_fields.insert(field, config);
        field->installEventFilter(this);
        if (config.rules & Highlight)
            makeHighlight(field);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* field = static_cast<QWidget*>(watched);
        const auto it = m_fields.constFind(field);
        if (it == m_fields.constEnd())
            return false;
        const Field& config = it.value();
        switch (event->type()) {
        case QEvent::KeyPress:
            return keyPress(field, config, static_cast<QKeyEvent*>(event));
        case QEvent::FocusIn:
            setHighlight(field, true);
            break;
        case QEvent::FocusOut:
            setHighlight(field, false);
            break;
        case QEvent::Move:
        case QEvent::Resize:
            placeHighlight(field);
            break;
        default:
            break;
        }
        return false;
    }

private:
    bool keyPress(QWidget* field, const Field& config, QKeyEvent* key)
    {
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (config.next) {
                if (auto* next = m_window->findChild<QWidget*>(QString::fromLatin1(config.next)))
                    next->setFocus(Qt::TabFocusReason); // as Tab does: an edit field selects its text
            }
            return true; // edit fields never act on Enter by themselves
        }
        if (config.rules & Digits) {
            switch (key->key()) {
            case Qt::Key_Backspace:
            case Qt::Key_Delete:
            case Qt::Key_Left:
            case Qt::Key_Right:
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
                return false;
            default:
                break;
            }
            const QString text = key->text();
            const bool digit = text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9')
                && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
            return !digit;
        }
        Q_UNUSED(field);
        return false;
    }

    QString highlightName(QWidget* field) const
    {
        return QStringLiteral("eff") + stripPrefix(field->objectName());
    }

    void makeHighlight(QWidget* field)
    {
        QWidget* parent = field->parentWidget();
        if (!parent)
            return;
        QWidget* eff = parent->findChild<QWidget*>(highlightName(field), Qt::FindDirectChildrenOnly);
        if (!eff) {
            eff = new FocusHighlight(parent);
            eff->setObjectName(highlightName(field));
        }
        m_highlights.insert(field, eff);
        placeHighlight(field);
        eff->setVisible(field->hasFocus());
    }

    void placeHighlight(QWidget* field)
    {
        QWidget* eff = m_highlights.value(field);
        if (!eff)
            return;
        eff->setGeometry(field->geometry().adjusted(-4, -4, 4, 4));
        eff->stackUnder(field);
    }

    void setHighlight(QWidget* field, bool on)
    {
        if (QWidget* eff = m_highlights.value(field)) {
            placeHighlight(field);
            eff->setVisible(on);
        }
    }

    QWidget* m_window;
    QHash<QWidget*, Field> m_fields;
    QHash<QWidget*, QPointer<QWidget>> m_highlights;
};

class HintFilter : public QObject {
public:
    HintFilter(QWidget* window, QLabel* status)
        : QObject(window)
        , m_status(status)
    {
    }

    void addHint(QWidget* widget, const QString& text)
    {
        m_hints.insert(widget, text);
        widget->installEventFilter(this);
    }
    void addBackground(QWidget* widget)
    {
        m_background.append(widget);
        widget->setMouseTracking(true);
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_status)
            return false;
        const auto* widget = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove
            || event->type() == QEvent::HoverMove) {
            const auto it = m_hints.constFind(widget);
            if (it != m_hints.constEnd()) {
                if (event->type() == QEvent::Enter && m_status->text() != it.value())
                    m_status->setText(it.value());
            } else if (event->type() != QEvent::Enter && m_background.contains(widget)
                       && !m_status->text().isEmpty() && !overCommand(widget, event)) {
                // Only a real move over the background empties the status: a window that appears
                // under a resting mouse keeps its initial text.
                m_status->clear();
            }
        }
        return false;
    }

private:
    // A move over a command that does not track the mouse itself (a tool button) reaches the
    // panels behind it; it is still a move over the command, whose hint stays.
    bool overCommand(const QWidget* background, const QEvent* event) const
    {
        QPointF position;
        if (event->type() == QEvent::MouseMove)
            position = static_cast<const QMouseEvent*>(event)->position();
        else
            position = static_cast<const QHoverEvent*>(event)->position();
        for (const QWidget* under = background->childAt(position.toPoint()); under && under != background;
             under = under->parentWidget())
            if (m_hints.contains(under))
                return true;
        return false;
    }

    QPointer<QLabel> m_status;
    QHash<const QWidget*, QString> m_hints;
    QList<const QWidget*> m_background;
};

void connectTypingRule(QWidget* field, unsigned rules)
{
    if (!(rules & (Upper | TrimUpper)))
        return;
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, rules](const QString& text) {
            int cursor = edit->cursorPosition();
            const QString ruled = applyRule(rules, text, &cursor);
            if (ruled != text) {
                edit->setText(ruled);
                edit->setCursorPosition(cursor);
            }
        });
    }
}

void applyLength(QWidget* field, int maxLength)
{
    if (maxLength <= 0)
        return;
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        edit->setMaxLength(maxLength);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(field)) {
        QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo, maxLength] {
            const QString text = memo->toPlainText();
            if (text.size() > maxLength) {
                QTextCursor cursor = memo->textCursor();
                const int position = std::min<int>(cursor.position(), maxLength);
                memo->setPlainText(text.left(maxLength));
                cursor = memo->textCursor();
                cursor.setPosition(position);
                memo->setTextCursor(cursor);
            }
        });
    }
}

} // namespace

void install(QWidget* window, std::span<const Field> fields)
{
    auto* filter = new FieldFilter(window);
    for (const Field& config : fields) {
        auto* field = window->findChild<QWidget*>(QString::fromLatin1(config.name));
        Q_ASSERT_X(field, "Behaviour::install", config.name);
        if (!field)
            continue;
        filter->addField(field, config);
        connectTypingRule(field, config.rules);
        applyLength(field, config.maxLength);
    }
}

void installHints(QWidget* window, const char* statusName, std::span<const Hint> hints,
                  std::initializer_list<const char*> background)
{
    auto* status = window->findChild<QLabel*>(QString::fromLatin1(statusName));
    auto* filter = new HintFilter(window, status);
    for (const Hint& hint : hints) {
        if (auto* widget = window->findChild<QWidget*>(QString::fromLatin1(hint.name)))
            filter->addHint(widget, QString::fromUtf8(hint.text));
    }
    filter->addBackground(window);
    for (const char* name : background) {
        if (auto* widget = window->findChild<QWidget*>(QString::fromLatin1(name)))
            filter->addBackground(widget);
    }
}

} // namespace Behaviour
