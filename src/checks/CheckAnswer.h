#pragma once
// What a check hands back to its window after "Controlla".

#include "data/Message.h"

struct CheckAnswer {
    // The box to show; empty when there is nothing to tell.
    Message message;
    // The input was refused before the check: the window stays open with the focus on its field.
    // Otherwise the check gave its verdict and the window closes.
    bool refused = false;

    friend bool operator==(const CheckAnswer&, const CheckAnswer&) = default;
};
