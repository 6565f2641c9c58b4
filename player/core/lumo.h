#pragma once

#include <QWidget>

// The player's main window: owns all player state and the controls.
class Lumo : public QWidget
{
    Q_OBJECT

public:
    explicit Lumo(QWidget *parent = nullptr);
};
