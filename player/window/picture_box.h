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

    // The persistent drawing surface, sized to the box; cleared to the background colour.
    QImage &Canvas();
    void ClearCanvas();
    void SetBackground(QColor colour);

signals:
    void MouseDown(Qt::MouseButton button, int x, int y);
    void MouseMove(Qt::MouseButtons buttons, int x, int y);
    void MouseUp(Qt::MouseButton button, int x, int y);
    void Clicked();

protected:
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
