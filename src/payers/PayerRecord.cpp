#include "payers/PayerRecord.h"

#include "data/Platform.h"

namespace PayerRecord {
namespace {
constexpr FieldDef kFields[] = {
    {"Esecutore", 23},    {"GG", 2},          {"MM", 2},         {"AA", 2},
    {"ComuneNasc", 11},   {"ProvNasc", 2},    {"Sesso", 1},      {"Recapito", 50},
    {"IndirizzoRes", 20}, {"ProvRes", 2},     {"ComuneRes", 17}, {"CapRes", 5},
    {"Categoria", 50},    {"TelCasa", 30},    {"TelUff", 30},    {"TelCel", 30},
    {"Fax", 30},          {"Email", 50},      {"CodFisc", 16},   {"Carta", 30},
    {"ScadeCarta", 30},   {"PartitaIva", 11}, {"Iban", 27},      {"TipoDoc", 50},
    {"NumDoc", 50},       {"EnteRil", 50},    {"DataRil", 10},   {"DataSca", 10},
    {"CodTariffa", 4},    {"Questioni", 250}, {"Note", 250},     {"Ricontatta", 2},
    {"File01", 250},      {"File02", 250},    {"File03", 250},   {"Desc01", 250},
    {"Desc02", 250},      {"Desc03", 250},
};
} // namespace

const RecordLayout& layout()
{
    static const RecordLayout instance(kFields);
    return instance;
}

QString archivePath()
{
    return ProgramFolder::file(QStringLiteral("Esecutori.pro"));
}

} // namespace PayerRecord
