#pragma once
// What a slip takes from a payer: the thirteen fields that "Importa dati" copies from the payer
// archive into the slip editor, each into the slip field of the same name. Nothing else of the
// payer reaches a slip (contact, telephones, documents, notes and attachments stay behind).

#include "data/RecordLayout.h"

#include <span>

namespace SlipFromPayer {

// The field names, in the order the take-over writes them; each is a field of both layouts.
std::span<const char* const> fields();

// The payer's thirteen values, trimmed, into the slip record; the other slip fields are untouched.
void copy(const Record& payer, Record& slip);

} // namespace SlipFromPayer
