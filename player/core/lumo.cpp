#include "core/lumo.h"

Lumo::Lumo(QWidget *parent) : QWidget(parent) {}
