// The choice of a split card's half: both halves' faces side by side; a click on one
// closes the window with Yes (the first half) or No (the second).
#pragma once

#include <QDialog>
#include <QLabel>

class QFrame;

namespace zandor {

// A picture that reports a left click.
class TClickImage : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

class TfmSplit : public QDialog {
    Q_OBJECT
public:
    // The modal results of the two pictures.
    static constexpr int Yes = 6;
    static constexpr int No = 7;

    explicit TfmSplit(QWidget* parent = nullptr);

    QFrame* Panel1;
    QLabel* lbTitle;
    TClickImage* imSp1;
    TClickImage* imSp2;

    // Puts the two faces (any size; scaled to 140 x 200 by the caller's resampling) in.
    void SetHalves(const QImage& first, const QImage& second);
    // Shows the window modally; true when the first half was chosen.
    bool ChooseFirst();
};

} // namespace zandor
