#pragma once
// Fixed-size records of length-prefixed short strings, as both archives store them:
// each field is one length byte L (0..N) and N bytes of which the first L are the value.

#include <QByteArray>
#include <QString>
#include <span>
#include <vector>

struct FieldDef {
    const char* name;
    int capacity;
};

class RecordLayout {
public:
    explicit RecordLayout(std::span<const FieldDef> fields);

    int size() const { return m_size; }
    int fieldCount() const { return static_cast<int>(m_fields.size()); }
    // -1 when the layout has no such field.
    int indexOf(const char* name) const;
    int offset(int index) const { return m_offsets[index]; }
    int capacity(int index) const { return m_fields[index].capacity; }
    const char* name(int index) const { return m_fields[index].name; }

private:
    std::span<const FieldDef> m_fields;
    std::vector<int> m_offsets;
    int m_size = 0;
};

// One record's bytes with typed access to its fields. A fresh record is all zeros (every field empty).
class Record {
public:
    explicit Record(const RecordLayout& layout);
    Record(const RecordLayout& layout, const QByteArray& bytes);

    const RecordLayout& layout() const { return *m_layout; }
    const QByteArray& bytes() const { return m_bytes; }

    // The stored value, decoded and trimmed. A length byte above the capacity reads as the capacity.
    QString text(int index) const;
    QString text(const char* name) const;
    // Trims, encodes and cuts to the capacity; the bytes after the value become zeros.
    void setText(int index, const QString& value);
    void setText(const char* name, const QString& value);

    // Yes/no flags are the texts "Sì" and "No".
    enum class Flag { No, Yes, Unknown };
    Flag flag(const char* name) const;
    void setFlag(const char* name, bool yes);

private:
    int require(const char* name) const;

    const RecordLayout* m_layout;
    QByteArray m_bytes;
};

namespace Flags {
inline const QString yes = QStringLiteral("Sì");
inline const QString no = QStringLiteral("No");
} // namespace Flags
