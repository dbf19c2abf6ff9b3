#pragma once
// The saved slips of a batch on paper or in one PDF file: one page per slip, each filled exactly as
// the slip print fills the TD 451 template from the slip editor, shifted by the calibrated margins.
// One print job (or one file) for the whole batch.

#include "batch/BatchIssue.h"
#include "data/Message.h"
#include "data/RecordLayout.h"
#include "printing/SlipFill.h"

#include <QString>
#include <functional>
#include <vector>

class QPagedPaintDevice;
namespace Report {
class Template;
}

namespace BatchPrint {

// What the slip print reads from the editor's controls, taken from a stored slip instead.
SlipFill::SlipValues values(const Record& slip);

// Fills the template with the slip, sets portrait and the margins (mm) and prepares it: the same
// steps as the slip print window.
void prepare(Report::Template& report, const Record& slip, int top, int left);

struct Run {
    int printed = 0; // pages that went out, from the first slip on
    bool ok = false; // every page went out
};
// Draws one page per slip on device, from the first on, with the template's sheet (full page, no
// device margins). Each slip is made and drawn in turn: one page stands in memory at a time.
// progress (optional) hears after each page how many are done.
Run render(QPagedPaintDevice& device, const BatchIssue::Slips& slips, int top, int left,
           const std::function<void(int)>& progress = {});

// All slips into one PDF file at path, replaced whole only when every page was written.
bool writePdf(const QString& path, const BatchIssue::Slips& slips, int top, int left, QString* error = nullptr);

// After a print that stopped: which slips were printed (record numbers from first on).
Message failedMessage(const Run& run, int total, qint64 first);

} // namespace BatchPrint
