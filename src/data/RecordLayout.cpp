#include "data/RecordLayout.h"

#include "data/CodePage.h"

#include <cstring>
#include <stdexcept>

RecordLayout::RecordLayout(std::span<const FieldDef> fields)
    : m_fields(fields)
{
    m_offsets.reserve(fields.size());
    for (const FieldDef& field : fields) {
        m_offsets.push_back(m_size);
        m_size += field.capacity + 1;
    }
}

int RecordLayout::indexOf(const char* name) const
{
    for (int i = 0; i < fieldCount(); ++i)
        if (std::strcmp(m_fields[i].name, name) == 0)
            return i;
    return -1;
}

Record::Record(const RecordLayout& layout)
    : m_layout(&layout)
    , m_bytes(layout.size(), '\0')
{}

Record::Record(const RecordLayout& layout, const QByteArray& bytes)
    : m_layout(&layout)
    , m_bytes(bytes.left(layout.size()))
{
    if (m_bytes.size() < layout.size())
        m_bytes.append(QByteArray(layout.size() - m_bytes.size(), '\0'));
}

int Record::require(const char* name) const
{
    const int index = m_layout->indexOf(name);
    if (index < 0)
        throw std::logic_error(std::string("unknown record field ") + name);
    return index;
}

QString Record::text(int index) const
{
    const int offset = m_layout->offset(index);
    const int capacity = m_layout->capacity(index);
    const int length = std::min<int>(static_cast<unsigned char>(m_bytes.at(offset)), capacity);
    return CodePage::trimmed(CodePage::decode(m_bytes.mid(offset + 1, length)));
}

QString Record::text(const char* name) const
{
    return text(require(name));
}

void Record::setText(int index, const QString& value)
{
    const int offset = m_layout->offset(index);
    const int capacity = m_layout->capacity(index);
    const QByteArray encoded = CodePage::encode(CodePage::trimmed(value)).left(capacity);
    char* field = m_bytes.data() + offset;
    std::memset(field, 0, capacity + 1);
    field[0] = static_cast<char>(encoded.size());
    std::memcpy(field + 1, encoded.constData(), encoded.size());
}

void Record::setText(const char* name, const QString& value)
{
    setText(require(name), value);
}

Record::Flag Record::flag(const char* name) const
{
    const QString value = text(name);
    if (value == Flags::yes)
        return Flag::Yes;
    if (value == Flags::no)
        return Flag::No;
    return Flag::Unknown;
}

void Record::setFlag(const char* name, bool yes)
{
    setText(name, yes ? Flags::yes : Flags::no);
}
