#include "qt_specify_prompts.h"

#include <QFileDialog>

QtSpecifyPrompts::QtSpecifyPrompts(QWidget *parent) : parent(parent) {}

void QtSpecifyPrompts::SetParent(QWidget *newParent)
{
    parent = newParent;
}

QMessageBox::StandardButton QtSpecifyPrompts::Ask(QMessageBox::Icon icon, const QString &title,
                                                  const QString &text,
                                                  QMessageBox::StandardButtons buttons)
{
    // The texts keep their CR LF line breaks; a label breaks at the line feed alone.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(icon, title, shown, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString QtSpecifyPrompts::OpenFileName(const QString &title, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}
