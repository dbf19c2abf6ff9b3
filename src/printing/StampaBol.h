#pragma once
// The slip print window: prints the slip shown in the slip editor onto a pre-printed TD 451 form,
// shifted by the top and left margins that the user calibrates here and stores in the settings
// file, and previews it over a drawing of the form.

#include "windows/Targets.h"
#include "windows/Windows.h"

#include <memory>
#include <optional>

namespace Ui {
class StampaBol;
}
namespace Report {
class Template;
enum class PrintResult;
} // namespace Report
class QLineEdit;

class TfrmStampaBol : public Dialog {
    Q_OBJECT
public:
    explicit TfrmStampaBol(QWidget* parent = nullptr);
    ~TfrmStampaBol() override;

    // The slip's template (repBollettino), as the last print or preview filled it; made when first
    // used.
    Report::Template& report();

    // The slip printed: the slip editor's, as it stands when the print runs.
    void setSource(const SlipSource* source) { m_source = source; }
    const SlipSource* source() const { return m_source; }

    // Fills the template from the source and shifts it by the margins in the fields;
    // false (after saying why) when a margin is not a whole number.
    bool prepareSlip();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setUp() override;
    void step(QLineEdit* field, int by);
    void apply(QLineEdit* field, const QString& key);
    std::optional<int> margin(QLineEdit* field);
    void print();
    void printed(Report::PrintResult result);
    void preview();

    std::unique_ptr<Ui::StampaBol> m_ui;
    std::unique_ptr<Report::Template> m_repBollettino;
    const SlipSource* m_source = nullptr;
    bool m_marginsRead = false;
};
