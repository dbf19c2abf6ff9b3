#include "lists/TrovaBollettini.h"

#include "ui_TrovaBollettini.h"

TfrmTrovaBollettini::TfrmTrovaBollettini(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::TrovaBollettini>())
{
    m_ui->setupUi(this);
    finishForm();
}

TfrmTrovaBollettini::~TfrmTrovaBollettini() = default;
