#pragma once
// The yearly slip archive as the slip editor uses it.

#include "data/LayoutArchive.h"

class SlipArchive : public LayoutArchive {
public:
    explicit SlipArchive(const QString& path);

    // A record with every field empty, laid out as a slip.
    static Record blank();
};
