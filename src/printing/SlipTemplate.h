#pragma once
// The TD 451 slip as a print template: one custom-size page and the 139 text objects that sit over
// the spaces and boxes of the pre-printed form. Only data is printed, never the form itself.
//
// Every object is rotated by 90 degrees: its text runs up the sheet along the object's height.
// Positions are millimetres from the sheet's top-left corner, before the print margins shift them.

#include <QList>
#include <QString>
#include <QStringList>

namespace SlipTemplate {

inline const QString reportName = QStringLiteral("Tassella");
inline const QString pageName = QStringLiteral("Page1");
inline constexpr double pageWidth = 203.0;
inline constexpr double pageHeight = 327.0;
inline constexpr int paperSizeCode = 256; // custom size: width and height as given
inline const QString fontFamily = QStringLiteral("Verdana");
inline constexpr int rotation = 90;

enum class Align { Left, Centre, Right };

struct Object {
    QString name;
    double left;
    double top;
    double width;
    double height;
    double fontSize; // points
    Align align;
    QStringList defaultLines; // replaced by every print run; kept as the form's own record
    bool expressions = false;
};

// A datum of section C printed one character per box. Box 01 is the datum's first character and
// the lowest box on the sheet; the numbers climb the sheet.
struct BoxRow {
    QString prefix;      // the boxes are prefix + "_01", prefix + "_02", ...
    QString sourceField; // the slip editor's field that fills the row
    double left;
    QList<double> tops; // one per box, box 01 first
    bool rightAligned;  // amounts keep their units in the last box
};

// The sections of the form, from the foot of the sheet up: A, B and C.
enum class Section { A, B, C };

const QList<Object>& objects();
const QList<BoxRow>& boxRows();
// The object of that name, or nothing.
const Object* find(const QString& name);
QString boxName(const QString& prefix, int number);
Section sectionOf(const QString& objectName);

} // namespace SlipTemplate
