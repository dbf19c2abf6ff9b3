#include "app/StartupChecks.h"

#include "data/Platform.h"
#include "windows/Prompts.h"

#include <QApplication>
#include <QWidget>

namespace StartupChecks {

void installShellFailureMessage()
{
    Shell::setFailureHandler(
        [](const QString& target) { MessageBox::show(QApplication::activeWindow(), Shell::failureMessage(target)); });
}

void warnIfProgramFolderReadOnly(QWidget* parent)
{
    const Message problem = ProgramFolder::writeCheck();
    if (!problem.isEmpty())
        MessageBox::show(parent, problem);
}

} // namespace StartupChecks
