#pragma once

#include <QTimer>
#include <QWidget>

// A small note over the top-left corner of the picture area that shows the volume for a moment.
// It lies over whatever the area shows (an analyzer, a picture, a movie) without drawing into
// it, so the area is as it was once the note hides.
class VolumeBadge : public QWidget
{
    Q_OBJECT

public:
    explicit VolumeBadge(QWidget *pictureArea);

    // Shows the text for ShownMs, starting again when already shown.
    void ShowText(const QString &text);
    QString Text() const { return text_; }

    static constexpr int ShownMs = 1500;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *pictureArea_;
    QString text_;
    QTimer hideTimer_;
};
