#pragma once

#include <QMessageBox>
#include <QString>

// The message boxes and the file-open dialog of the association tool, behind one interface so
// that they can be answered without a person.
class SpecifyPrompts
{
public:
    virtual ~SpecifyPrompts() = default;

    // Shows a message box and returns the button pressed.
    virtual QMessageBox::StandardButton Ask(QMessageBox::Icon icon, const QString &title,
                                            const QString &text,
                                            QMessageBox::StandardButtons buttons) = 0;

    // Shows the file-open dialog; an empty name when cancelled.
    virtual QString OpenFileName(const QString &title, const QString &filter) = 0;
};
