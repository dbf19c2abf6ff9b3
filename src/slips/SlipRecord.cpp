#include "slips/SlipRecord.h"

#include "data/Platform.h"

namespace SlipRecord {
namespace {
constexpr FieldDef kFields[] = {
    {"Importo", 8},    {"Cents", 2},       {"ImpLettere", 250}, {"CentLettere", 2},
    {"Intero", 11},    {"CodTariffa", 4},  {"AnnoTariffa", 2},  {"CodFisc", 16},
    {"Esecutore", 23}, {"Sesso", 1},       {"GG", 2},           {"MM", 2},
    {"AA", 2},         {"ComuneNasc", 11}, {"ProvNasc", 2},     {"IndirizzoRes", 20},
    {"ProvRes", 2},    {"ComuneRes", 17},  {"CapRes", 5},       {"DataScade", 10},
    {"DataPaga", 10},  {"Causale", 250},   {"Note", 250},       {"Saldato", 2},
    {"Rilascio", 2},   {"Annuale", 2},     {"Integrazione", 2}, {"File01", 250},
    {"File02", 250},   {"File03", 250},    {"Desc01", 250},     {"Desc02", 250},
    {"Desc03", 250},
};
} // namespace

const RecordLayout& layout()
{
    static const RecordLayout instance(kFields);
    return instance;
}

QString archivePath(const QString& year)
{
    return ProgramFolder::file(year + QStringLiteral(".bol"));
}

} // namespace SlipRecord
