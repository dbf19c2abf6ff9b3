#include "payers/AllegaCartella.h"

#include "ui_AllegaCartella.h"

TfrmAllegaCartella::TfrmAllegaCartella(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::AllegaCartella>())
{
    m_ui->setupUi(this);
    finishForm();
}

TfrmAllegaCartella::~TfrmAllegaCartella() = default;
