// The launcher: a small borderless window, dragged by its title picture, from which the
// user opens the deck editor, the play table or the options. Closing it ends the program.
#pragma once

#include <QPoint>
#include <QWidget>

class QLabel;
class QFrame;

namespace zandor {

class TZandorShell;
class TPictureButton;

class TfmMain : public QWidget {
    Q_OBJECT
public:
    explicit TfmMain(TZandorShell& shell);
    ~TfmMain() override;

    QFrame* Panel;
    QLabel* Image1;
    TPictureButton* sbMinimize;
    TPictureButton* sbClose;
    TPictureButton* iabDeckED;
    TPictureButton* iabTestPlay;
    TPictureButton* iabOptions;

    bool Dragging() const { return m_dragging; }

    void iabDeckEDClick();
    void iabTestPlayClick();
    void iabOptionsClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    TZandorShell& m_shell;
    bool m_dragging = false;
    QPoint m_offset;
};

} // namespace zandor
