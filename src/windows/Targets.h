#pragma once
// What a dialog hands back to the window that opened it. The opener implements the interface of
// the result and gives the dialog itself as the target before showing it; the dialog holds that
// reference, so its result reaches the window that asked and no other, and a window that cannot
// take a result cannot be given as the target: the compiler refuses it. A dialog without a target
// hands nothing back.

#include <QSharedPointer>
#include <QString>
#include <array>

class QDate;
class Record;
class SlipYear;
namespace SlipFill {
struct SlipValues;
}

// The date picker's date.
class DateTarget {
public:
    virtual void takeDate(const QDate& date) = 0;

protected:
    ~DateTarget() = default;
};

// The code chosen in the tariff code list.
class TariffTarget {
public:
    virtual void takeTariffCode(const QString& code) = 0;

protected:
    ~TariffTarget() = default;
};

// A payer chosen in the payer search or the recontact list, with its record number. False when
// the target's user chose to stay with what it shows (the list then stays open).
class PayerTarget {
public:
    virtual bool takePayer(const Record& payer, qint64 position) = 0;

protected:
    ~PayerTarget() = default;
};

// The slip editor as the slip lists and the slip search see it: the year they read, and the slip
// chosen there with its record number (false as above).
class SlipTarget {
public:
    virtual QSharedPointer<const SlipYear> slipYear() const = 0;
    virtual bool takeSlip(const Record& slip, qint64 position) = 0;

protected:
    ~SlipTarget() = default;
};

// The slip on screen, as the print reads it.
class SlipSource {
public:
    virtual SlipFill::SlipValues shownSlip() const = 0;

protected:
    ~SlipSource() = default;
};

// The three attachment slots of a slip or payer: each a file name and a description.
struct AttachmentSlot {
    QString file;
    QString description;
    friend bool operator==(const AttachmentSlot&, const AttachmentSlot&) = default;
};
using AttachmentSlots = std::array<AttachmentSlot, 3>;

class AttachmentTarget {
public:
    virtual AttachmentSlots attachments() const = 0;
    virtual void setAttachments(const AttachmentSlots& attached) = 0;

protected:
    ~AttachmentTarget() = default;
};
