#pragma once
// The payer archive "Esecutori.pro" as the payer editor uses it.

#include "data/LayoutArchive.h"

class PayerArchive : public LayoutArchive {
public:
    explicit PayerArchive(const QString& path);

    // A record with every field empty, laid out as a payer.
    static Record blank();
};
