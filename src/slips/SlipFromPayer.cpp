#include "slips/SlipFromPayer.h"

namespace SlipFromPayer {
namespace {
constexpr const char* kFields[] = {"Esecutore",    "GG",      "MM",        "AA",     "ComuneNasc", "ProvNasc",  "Sesso",
                                   "IndirizzoRes", "ProvRes", "ComuneRes", "CapRes", "CodFisc",    "CodTariffa"};
} // namespace

std::span<const char* const> fields()
{
    return kFields;
}

void copy(const Record& payer, Record& slip)
{
    for (const char* field : kFields)
        slip.setText(field, payer.text(field));
}

} // namespace SlipFromPayer
