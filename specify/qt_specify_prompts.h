#pragma once

#include "specify_prompts.h"

class QWidget;

// SpecifyPrompts with modal QMessageBox and QFileDialog windows over a parent window.
class QtSpecifyPrompts : public SpecifyPrompts
{
public:
    explicit QtSpecifyPrompts(QWidget *parent = nullptr);

    // The window the boxes appear over; may be set after construction.
    void SetParent(QWidget *parent);

    QMessageBox::StandardButton Ask(QMessageBox::Icon icon, const QString &title,
                                    const QString &text,
                                    QMessageBox::StandardButtons buttons) override;
    QString OpenFileName(const QString &title, const QString &filter) override;

private:
    QWidget *parent;
};
