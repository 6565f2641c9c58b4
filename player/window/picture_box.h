#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// A picture box: shows a picture or keeps its own drawing in a backing image that survives
// repaints. Mouse events are reported in twips inside the box, as the window's handlers
// expect them.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr, QColor background = Qt::transparent);

    // Shows a picture at the top-left corner (a button's image).
    void SetPicture(const QImage &picture);
    const QImage &Picture() const { return picture_; }

    // The persistent drawing surface, sized to the box at the device pixel ratio of its screen
    // (its own devicePixelRatio says which); cleared to the background colour.
    QImage &Canvas();
    void ClearCanvas();
    void SetBackground(QColor colour);

signals:
    void MouseDown(Qt::MouseButton button, int x, int y);
    void MouseMove(Qt::MouseButtons buttons, int x, int y);
    void MouseUp(Qt::MouseButton button, int x, int y);
    void Clicked();
    // The box is now on a screen of another device pixel ratio; its canvas holds the old
    // drawing resampled until it is drawn again.
    void DevicePixelRatioChanged();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QColor background_;
    QImage picture_;
    QImage canvas_;
};
