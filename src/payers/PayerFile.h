#pragma once
// The payer archive as the payer editor has it open: always Esecutori.pro in the program folder,
// and the payer shown.

#include "data/ArchivePlace.h"

class PayerFile : public ArchivePlace {
    Q_OBJECT
public:
    explicit PayerFile(QObject* parent = nullptr);

    // Taken afresh each time: the program folder is looked up at each use.
    QString path() const override;
};
