#pragma once
// The four check windows: one window with a field, "Controlla" and "Chiudi", configured per check
// (the field, its typing rule, the drawing and the check itself).

#include "checks/CheckAnswer.h"
#include "windows/FieldBehaviour.h"
#include "windows/Windows.h"

class QDialog;
class QLabel;
class QLineEdit;
class QString;
class QWidget;

class CheckDialog : public Dialog {
    Q_OBJECT
public:
    struct Config {
        Behaviour::Field field; // the field to check; Enter moves to btnControlla
        const char* drawing;    // ":/checks/icons/<drawing>.svg", shown in imgIcona
        CheckAnswer (*check)(const QString& text);
    };

    // The value to check, in the window's field, before it is shown.
    void setValue(const QString& text);

protected:
    CheckDialog(QWidget* parent, const Config& config);
    // Called by each window once its form is set up in it.
    void finishCheckForm();
    void showEvent(QShowEvent* event) override;

private:
    void check();

    const Config& m_config;
    QLineEdit* m_field = nullptr;
    bool m_dressed = false;
};

namespace CheckWindow {

// Gives a check window its pictures: the drawing ":/checks/icons/<drawing>.svg" in picture and the
// buttons' icons. Called when the window first appears: the start-up instances never do.
void dress(QDialog* window, QLabel* picture, const char* drawing);

// Shows the answer's message, if any. A refused input puts the focus back on field and the
// window stays open; after a verdict the window closes.
void conclude(QDialog* window, QLineEdit* field, const CheckAnswer& answer);

// The check windows as the editors open them, with the value to check already in their field.
// A tax code made of digits only is a company's: its VAT number is checked instead.
void openTaxCode(QWidget* owner, const QString& code);
void openVatNumber(QWidget* owner, const QString& number);
void openIban(QWidget* owner, const QString& iban);
void openCard(QWidget* owner, const QString& number);

} // namespace CheckWindow
