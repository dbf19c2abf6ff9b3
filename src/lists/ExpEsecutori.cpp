#include "lists/ExpEsecutori.h"

#include "ui_ExpEsecutori.h"

TfrmExpEsecutori::TfrmExpEsecutori(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::ExpEsecutori>())
{
    m_ui->setupUi(this);
    finishForm();
}

TfrmExpEsecutori::~TfrmExpEsecutori() = default;
