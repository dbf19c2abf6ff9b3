#include "checks/CheckWindow.h"

#include "windows/Prompts.h"

#include <QDialog>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

static void initCheckResources() { Q_INIT_RESOURCE(checks); }

namespace CheckWindow {
namespace {

// A navy title band over the soft blue desk, the field on a white panel, a navy main command.
const char* const kStyle = R"(
QDialog { background: #dfe7f1; }
QFrame#panTitolo { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #2a5d9f, stop:1 #1f4e8c); border: none; }
QLabel#lblTitolo { color: #ffffff; background: transparent; }
QLabel#imgIcona { background: transparent; }
QFrame#shpLinea { background: #f5c400; border: none; }
QFrame#panCampo { background: #ffffff; border: 1px solid #8ea6c0; border-radius: 6px; }
QLineEdit { background: #fffdf2; border: 1px solid #7f97b2; border-radius: 3px; color: #111111; padding: 0 6px;
    selection-background-color: #1f4e8c; selection-color: #ffffff; }
QLineEdit:focus { border: 2px solid #1f4e8c; padding: 0 5px; }
QPushButton { background: #ffffff; color: #1f3b5c; border: 1px solid #8ea6c0; border-radius: 4px;
    font-weight: bold; padding: 0 12px; }
QPushButton:hover { background: #e3eefb; border-color: #1f4e8c; }
QPushButton:focus { border: 2px solid #e0a100; }
QPushButton:pressed { background: #cfdff2; }
QPushButton#btnControlla { background: #1f4e8c; color: #ffffff; border: 1px solid #163a69; }
QPushButton#btnControlla:hover { background: #2b64ad; }
QPushButton#btnControlla:focus { border: 2px solid #e0a100; }
QPushButton#btnControlla:pressed { background: #163a69; }
)";

QIcon drawing(const char* name)
{
    return QIcon(QStringLiteral(":/checks/icons/%1.svg").arg(QLatin1String(name)));
}

} // namespace

void dress(QDialog* window, QLabel* picture, const char* name)
{
    initCheckResources();
    window->setStyleSheet(QString::fromLatin1(kStyle));
    picture->setPixmap(drawing(name).pixmap(picture->size()));
    if (auto* check = window->findChild<QPushButton*>(QStringLiteral("btnControlla"))) {
        check->setIcon(drawing("controlla"));
        check->setIconSize(QSize(18, 18));
    }
    if (auto* close = window->findChild<QPushButton*>(QStringLiteral("btnChiudi"))) {
        close->setIcon(drawing("chiudi"));
        close->setIconSize(QSize(16, 16));
    }
}

void conclude(QDialog* window, QLineEdit* field, const CheckAnswer& answer)
{
    if (!answer.message.isEmpty())
        MessageBox::show(window, answer.message);
    if (answer.refused) {
        field->setFocus(Qt::OtherFocusReason);
        return;
    }
    window->close();
}

} // namespace CheckWindow
