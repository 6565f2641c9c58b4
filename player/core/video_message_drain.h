#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

// Passes the mouse and key input of a video window on to the widget that owns it, so the
// owner reacts to clicks and keys on the picture as if the picture were part of it; this
// holds in full-screen mode too.
class VideoMessageDrain : public QObject
{
public:
    explicit VideoMessageDrain(QObject *parent = nullptr) : QObject(parent) {}

    void SetTarget(QWidget *target) { this->target = target; }
    QWidget *Target() const { return target; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> target;
};
